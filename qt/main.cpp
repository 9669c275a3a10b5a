#include "qt/app_shell.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorel"));
    QApplication::setApplicationVersion(QStringLiteral(QUOREL_VERSION));

    quorel::qt::AppShell shell;
    shell.start();
    return QApplication::exec();
}
