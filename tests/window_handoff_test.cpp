// What each window asks of the shell, and in which order: showing the next window before hiding
// the current one means the desktop never has neither.

#include "ui/about/about_window.h"
#include "ui/main/main_window.h"
#include "ui/shell.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using quorel::ui::WindowId;

namespace {

QString windowName(WindowId window) {
    switch (window) {
    case WindowId::Main:
        return u"main"_s;
    case WindowId::About:
        return u"about"_s;
    }
    return {};
}

class RecordingShell final : public quorel::ui::Shell {
  public:
    void showMessage(QStringView text, QStringView title) override {
        calls << u"message "_s + title.toString() + u' ' + text.toString();
    }
    void showWindow(WindowId window) override { calls << u"show "_s + windowName(window); }
    void hideWindow(WindowId window) override { calls << u"hide "_s + windowName(window); }
    void endProgram() override { calls << u"end"_s; }
    void reportOverflow() override { calls << u"overflow"_s; }

    QStringList calls;
};

} // namespace

class WindowHandoffTest final : public QObject {
    Q_OBJECT

  private slots:
    void requests_data();
    void requests();
};

void WindowHandoffTest::requests_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("trigger"); // a button, a menu command, or the close request
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("关于") << u"main"_s << u"关于"_s << QStringList{u"show about"_s, u"hide main"_s};
    QTest::newRow("退   出") << u"main"_s << u"Command4"_s << QStringList{u"hide main"_s, u"end"_s};
    QTest::newRow("退出 menu") << u"main"_s << u"退出"_s << QStringList{u"hide main"_s, u"end"_s};
    QTest::newRow("main close") << u"main"_s << u"close"_s << QStringList{u"end"_s};
    QTest::newRow("新建") << u"main"_s << u"新建"_s << QStringList{};
    QTest::newRow("浓溶液配稀溶液") << u"main"_s << u"浓溶液配稀溶液"_s << QStringList{};
    QTest::newRow("calculation message")
        << u"main"_s << u"Command2"_s << QStringList{u"message 注意 请输入所需配制溶液质量!"_s};
    QTest::newRow("返回") << u"about"_s << u"Command1"_s
                          << QStringList{u"show main"_s, u"hide about"_s};
    QTest::newRow("About 退出") << u"about"_s << u"Command2"_s << QStringList{u"end"_s};
    QTest::newRow("About close") << u"about"_s << u"close"_s
                                 << QStringList{u"show main"_s, u"hide about"_s};
}

void WindowHandoffTest::requests() {
    QFETCH(QString, window);
    QFETCH(QString, trigger);
    QFETCH(QStringList, calls);

    RecordingShell shell;
    quorel::ui::MainWindow main(shell);
    quorel::ui::AboutWindow about(shell);
    QWidget *target = window == u"main" ? static_cast<QWidget *>(&main) : &about;
    target->show();
    QVERIFY(QTest::qWaitForWindowExposed(target));

    if (trigger == u"close") {
        target->close();
    } else if (auto *button = target->findChild<QPushButton *>(trigger)) {
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        auto *action = target->findChild<QAction *>(trigger);
        QVERIFY(action);
        action->trigger();
    }
    QCOMPARE(shell.calls, calls);
}

QTEST_MAIN(WindowHandoffTest)
#include "window_handoff_test.moc"
