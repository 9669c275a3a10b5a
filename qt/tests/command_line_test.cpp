// The program reads no command-line option, and neither may Qt on its behalf: started with Qt's
// own options, the calculator looks and behaves as it always does.

#include "qt/app_shell.h"
#include "qt/main_window.h"
#include "qt/program_arguments.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <string>

namespace {

int failures = 0;

void check(bool ok, const char *what) {
    if (!ok) {
        std::fprintf(stderr, "FAIL: %s\n", what);
        ++failures;
    }
}

} // namespace

int main() {
    // A style sheet that would paint every window red and hide its fields, were it read.
    QTemporaryDir dir;
    const std::string sheet = (dir.path() + QStringLiteral("/red.qss")).toStdString();
    {
        std::FILE *file = std::fopen(sheet.c_str(), "w");
        std::fputs("* { background: red; } QLineEdit { max-width: 0px; }", file);
        std::fclose(file);
    }
    std::string words[] = {"Quorel", "-reverse", "-stylesheet", sheet, "100"};
    char *argv[std::size(words) + 1] = {};
    for (std::size_t i = 0; i < std::size(words); ++i)
        argv[i] = words[i].data();

    quorel::qt::ProgramArguments arguments(static_cast<int>(std::size(words)), argv);
    QApplication application(arguments.count(), arguments.values());
    quorel::qt::AppShell shell;
    shell.start();
    QWidget *main = shell.mainWindow();
    check(QTest::qWaitForWindowExposed(main), "the calculator is shown");

    check(QApplication::arguments() == QStringList{QStringLiteral("Quorel")},
          "Qt is handed the program's name alone");
    check(QApplication::layoutDirection() == Qt::LeftToRight, "-reverse mirrors nothing");
    check(main->layoutDirection() == Qt::LeftToRight, "the window reads left to right");
    check(application.styleSheet().isEmpty(), "-stylesheet reads no file");
    check(shell.mainWindow()->field(quorel::form::Field::TargetMass)->width() > 0,
          "the fields keep their width");

    std::printf("%s\n", failures == 0 ? "PASS" : "FAILED");
    return failures == 0 ? 0 : 1;
}
