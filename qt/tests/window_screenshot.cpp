// Draws the calculator as a user sees it after working the example through, for the
// documentation, and optionally the About window too. Runs without a display.
//
//   window_screenshot MAIN_PNG [ABOUT_PNG]

#include "qt/tests/gui_test_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2 || arguments.size() > 3) {
        std::fprintf(stderr, "usage: window_screenshot MAIN_PNG [ABOUT_PNG]\n");
        return 2;
    }

    quorel::test::RunningProgram program;
    QWidget *main = program.mainWindow();
    if (!QTest::qWaitForWindowExposed(main))
        return 1;
    program.setFieldTexts({u"100"_s, u"10"_s, u"98"_s, {}, u"1.84"_s, {}, {}, u"1"_s, {}});
    for (const QString &name : {u"Command1"_s, u"体积计算"_s, u"Command2"_s, u"溶剂体积计算"_s})
        QTest::mouseClick(main->findChild<QPushButton *>(name), Qt::LeftButton);
    program.field(1)->setFocus();
    if (!main->grab().save(arguments.at(1), "PNG"))
        return 1;

    if (arguments.size() == 3) {
        QWidget *about = program.openAbout();
        if (!QTest::qWaitForWindowExposed(about) || !about->grab().save(arguments.at(2), "PNG"))
            return 1;
    }
    return 0;
}
