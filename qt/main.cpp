#include "qt/app_shell.h"
#include "qt/program_arguments.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    quorel::qt::ProgramArguments arguments(argc, argv);
    QApplication application(arguments.count(), arguments.values());
    QApplication::setApplicationName(QStringLiteral("Quorel"));
    QApplication::setApplicationVersion(QStringLiteral(QUOREL_VERSION));

    quorel::qt::AppShell shell;
    shell.start();
    return QApplication::exec();
}
