// What each window hands on to the program: a click, a menu command or a shortcut becomes the
// row's command, a close request becomes a close request, and nothing else does anything.

#include "form/control_names.h"
#include "qt/about_window.h"
#include "qt/main_window.h"
#include "qt/text_bridge.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <optional>
#include <vector>

using namespace Qt::StringLiterals;
using quorel::form::Command;
using quorel::qt::qtText;

namespace {

enum class Window { Main, About };
enum class Trigger { Click, MenuCommand, CtrlKey, CloseRequest };

struct Forwarded {
    std::vector<Command> commands;
    int closeRequests = 0;
};

} // namespace

Q_DECLARE_METATYPE(Window)
Q_DECLARE_METATYPE(Trigger)
Q_DECLARE_METATYPE(std::optional<Command>)

class EventForwardingTest final : public QObject {
    Q_OBJECT

  private slots:
    void forwards_data();
    void forwards();
};

void EventForwardingTest::forwards_data() {
    QTest::addColumn<Window>("window");
    QTest::addColumn<Trigger>("trigger");
    QTest::addColumn<QString>("control"); // a button, a menu item, or the letter of a Ctrl key
    QTest::addColumn<std::optional<Command>>("command"); // nothing: a close request, or inert

    using namespace quorel::form::main_names;
    namespace menu = quorel::form::menu_names;
    namespace about = quorel::form::about_names;
    const auto row = [](const char *name, Window window, Trigger trigger,
                        std::u16string_view control, std::optional<Command> command) {
        QTest::newRow(name) << window << trigger << qtText(control) << command;
    };
    row("浓溶液质量计算", Window::Main, Trigger::Click, concentrateMassButton,
        Command::CalculateConcentrateMass);
    row("浓溶液体积计算", Window::Main, Trigger::Click, concentrateVolumeButton,
        Command::CalculateConcentrateVolume);
    row("溶剂质量计算", Window::Main, Trigger::Click, solventMassButton,
        Command::CalculateSolventMass);
    row("溶剂体积计算", Window::Main, Trigger::Click, solventVolumeButton,
        Command::CalculateSolventVolume);
    row("退   出", Window::Main, Trigger::Click, exitButton, Command::ExitFromCalculator);
    row("新建", Window::Main, Trigger::MenuCommand, menu::newFields, Command::ResetFields);
    row("Ctrl+N", Window::Main, Trigger::CtrlKey, u"N", Command::ResetFields);
    row("退出 menu", Window::Main, Trigger::MenuCommand, menu::exit, Command::ExitFromCalculator);
    row("Ctrl+X on a button", Window::Main, Trigger::CtrlKey, u"X", Command::ExitFromCalculator);
    row("关于", Window::Main, Trigger::MenuCommand, menu::about, Command::OpenAbout);
    row("浓溶液配稀溶液", Window::Main, Trigger::MenuCommand, menu::dilution, std::nullopt);
    row("main close", Window::Main, Trigger::CloseRequest, {}, std::nullopt);
    row("返回", Window::About, Trigger::Click, about::returnButton, Command::ReturnToCalculator);
    row("About 退出", Window::About, Trigger::Click, about::exitButton, Command::EndProgram);
    row("About close", Window::About, Trigger::CloseRequest, {}, std::nullopt);
}

void EventForwardingTest::forwards() {
    QFETCH(Window, window);
    QFETCH(Trigger, trigger);
    QFETCH(QString, control);
    QFETCH(std::optional<Command>, command);

    Forwarded seen;
    const auto run = [&seen](Command command) { seen.commands.push_back(command); };
    const auto close = [&seen] { ++seen.closeRequests; };
    quorel::qt::MainWindow main(run, close);
    quorel::qt::AboutWindow about(run, close);
    QWidget *target = window == Window::Main ? static_cast<QWidget *>(&main) : &about;
    target->show();
    QVERIFY(QTest::qWaitForWindowActive(target));

    switch (trigger) {
    case Trigger::Click:
        QTest::mouseClick(target->findChild<QPushButton *>(control), Qt::LeftButton);
        break;
    case Trigger::MenuCommand: {
        auto *action = target->findChild<QAction *>(control);
        QVERIFY(action);
        action->trigger();
        break;
    }
    case Trigger::CtrlKey: {
        auto *button =
            target->findChild<QPushButton *>(qtText(quorel::form::main_names::exitButton));
        button->setFocus();
        QTest::keyClick(button, control.at(0).toLatin1(), Qt::ControlModifier);
        break;
    }
    case Trigger::CloseRequest:
        // The window stays; the program decides what happens to it.
        QVERIFY(!target->close());
        QVERIFY(target->isVisible());
        break;
    }

    QCOMPARE(seen.commands, command ? std::vector{*command} : std::vector<Command>{});
    QCOMPARE(seen.closeRequests, trigger == Trigger::CloseRequest ? 1 : 0);
}

QTEST_MAIN(EventForwardingTest)
#include "event_forwarding_test.moc"
