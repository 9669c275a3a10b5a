// The menu bar, the hand-offs between the two windows and every way of ending the program.

#include "qt/tests/gui_test_support.h"

#include "form/contract.h"
#include "form/tests/key_table.h"
#include "qt/about_window.h"
#include "qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using quorel::test::ModalBoxCloser;
namespace names = quorel::test::names;

namespace {

const QStringList example{u"100"_s, u"10"_s, u"98"_s, {}, u"1.84"_s, {}, {}, u"1"_s, {}};
const QStringList calculated{u"100"_s,
                             u"10"_s,
                             u"98"_s,
                             u"10.2040816326531"_s,
                             u"1.84"_s,
                             u"5.54569653948536"_s,
                             u"89.7959183673469"_s,
                             u"1"_s,
                             u"89.7959183673469"_s};

QStringList breaches;

void recordBreach(const char *what) {
    breaches << QString::fromUtf8(what);
}

int topLevelCount(const QString &objectName) {
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += widget->objectName() == objectName ? 1 : 0;
    return count;
}

enum class Place { MainField, MainButton, AboutButton };
enum class ExitPath {
    ExitButton,
    ExitMenuItem,
    CtrlXOnAButton,
    MainCloseBox,
    MainCloseBoxAfterAbout,
    AboutExitButton,
};

} // namespace

Q_DECLARE_METATYPE(Place)
Q_DECLARE_METATYPE(ExitPath)
Q_DECLARE_METATYPE(quorel::form::testing::KeyCase)

class MenuAndShellTest final : public quorel::test::ProgramTestCase {
    Q_OBJECT

  private slots:
    void init();

    void menuTree();
    void newClearsAFullCalculation_data();
    void newClearsAFullCalculation();
    void firstOptionChangesNothing();
    void ctrlXInAFieldCuts();
    void fieldContextMenuIsChinese();
    void enterInAFieldAndEscapeOnTheCalculatorDoNothing_data();
    void enterInAFieldAndEscapeOnTheCalculatorDoNothing();
    void keysDoWhatTheKeyTableSays_data();
    void keysDoWhatTheKeyTableSays();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void aboutAndBackKeepsTheFields();
    void aboutCloseBoxGoesBack();
    void exitPaths_data();
    void exitPaths();
    void realEndStopsTheEventLoop_data();
    void realEndStopsTheEventLoop();
    void aWindowAskedForBeforeItIsCreatedIsReported();

  private:
    QMainWindow *main() const;
    QAction *action(const QString &name) const;
    QPushButton *button(QWidget *window, const QString &name) const;
    void calculateEverything();
    void clickMenuBar(const QString &name);
    void openAbout();
    QWidget *focusPlace(Place place);
};

// The menus and shortcuts need the main window to have the keyboard, not only to be shown.
void MenuAndShellTest::init() {
    ProgramTestCase::init();
    QVERIFY(QTest::qWaitForWindowActive(m_program->mainWindow()));
}

QMainWindow *MenuAndShellTest::main() const {
    return qobject_cast<QMainWindow *>(m_program->mainWindow());
}

QAction *MenuAndShellTest::action(const QString &name) const {
    return main()->findChild<QAction *>(name);
}

QPushButton *MenuAndShellTest::button(QWidget *window, const QString &name) const {
    return window->findChild<QPushButton *>(name);
}

void MenuAndShellTest::calculateEverything() {
    m_program->setFieldTexts(example);
    for (const QString &name : names::calculationButtons)
        QTest::mouseClick(button(main(), name), Qt::LeftButton);
    QCOMPARE(m_program->fieldTexts(), calculated);
}

void MenuAndShellTest::clickMenuBar(const QString &name) {
    QMenuBar *bar = main()->menuBar();
    const QRect place = bar->actionGeometry(action(name));
    QVERIFY(place.isValid());
    QTest::mouseClick(bar, Qt::LeftButton, {}, place.center());
}

void MenuAndShellTest::openAbout() {
    clickMenuBar(names::aboutCommand);
    QVERIFY(m_program->aboutWindow());
    QVERIFY(QTest::qWaitForWindowExposed(m_program->aboutWindow()));
}

void MenuAndShellTest::menuTree() {
    struct Item {
        QString name;
        QString caption;
        QKeySequence shortcut;
        bool enabled;
    };
    const QList<QPair<QString, QList<Item>>> expected{
        {u"文件(&F)"_s,
         {{u"新建"_s, u"新建(&N)"_s, QKeySequence(u"Ctrl+N"_s), true},
          {u"断开"_s, {}, {}, true},
          {u"退出"_s, u"退出(&X)"_s, QKeySequence(u"Ctrl+X"_s), true}}},
        {u"选项(&O)"_s,
         {{u"浓溶液配稀溶液"_s, u"浓溶液配稀溶液(&1)"_s, {}, true},
          {u"稀溶液浓缩"_s, u"稀溶液浓缩(&2)"_s, {}, false},
          {u"浓稀溶液混合"_s, u"浓稀溶液混合(&3)"_s, {}, false}}},
        {u"关于(&A)"_s, {}},
    };

    const QList<QAction *> bar = main()->menuBar()->actions();
    QCOMPARE(bar.size(), expected.size());
    for (qsizetype i = 0; i < bar.size(); ++i) {
        QCOMPARE(bar[i]->text(), expected[i].first);
        QVERIFY(bar[i]->isEnabled());
        const QList<Item> &items = expected[i].second;
        if (items.isEmpty()) {
            QCOMPARE(bar[i]->objectName(), names::aboutCommand);
            QVERIFY(!bar[i]->menu());
            continue;
        }
        QVERIFY(bar[i]->menu());
        const QList<QAction *> actions = bar[i]->menu()->actions();
        QCOMPARE(actions.size(), items.size());
        for (qsizetype j = 0; j < items.size(); ++j) {
            QCOMPARE(actions[j]->objectName(), items[j].name);
            QCOMPARE(actions[j]->isSeparator(), items[j].caption.isEmpty());
            if (!actions[j]->isSeparator())
                QCOMPARE(actions[j]->text(), items[j].caption);
            QCOMPARE(actions[j]->shortcut(), items[j].shortcut);
            QCOMPARE(actions[j]->isEnabled(), items[j].enabled);
            QVERIFY(!actions[j]->isCheckable());
        }
    }
}

void MenuAndShellTest::newClearsAFullCalculation_data() {
    QTest::addColumn<bool>("byShortcut");
    QTest::newRow("Ctrl+N in a field") << true;
    QTest::newRow("menu item") << false;
}

void MenuAndShellTest::newClearsAFullCalculation() {
    QFETCH(bool, byShortcut);
    calculateEverything();
    if (byShortcut) {
        m_program->field(5)->setFocus();
        QTest::keyClick(m_program->field(5), Qt::Key_N, Qt::ControlModifier);
    } else {
        clickMenuBar(names::fileMenu);
        QMenu *file = main()->findChild<QMenu *>(names::fileMenu);
        QTRY_VERIFY(file->isVisible());
        QTest::mouseClick(file, Qt::LeftButton, {},
                          file->actionGeometry(action(names::newItem)).center());
        QTRY_VERIFY(!file->isVisible());
    }
    QCOMPARE(m_program->fieldTexts(), QStringList(9, QString()));
    QVERIFY(main()->isVisible());
    QCOMPARE(m_program->exitStatuses, QList<int>());
}

void MenuAndShellTest::firstOptionChangesNothing() {
    calculateEverything();
    clickMenuBar(names::optionsMenu);
    QMenu *options = main()->findChild<QMenu *>(names::optionsMenu);
    QTRY_VERIFY(options->isVisible());
    QTest::mouseClick(options, Qt::LeftButton, {},
                      options->actionGeometry(action(names::dilutionItem)).center());
    QTRY_VERIFY(!options->isVisible());
    QCOMPARE(m_program->fieldTexts(), calculated);
    QVERIFY(main()->isVisible());
    QVERIFY(!m_program->aboutWindow());
    QCOMPARE(m_program->exitStatuses, QList<int>());
}

void MenuAndShellTest::ctrlXInAFieldCuts() {
    m_program->setFieldTexts(example);
    QLineEdit *field = m_program->field(1);
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);

    QCOMPARE(field->text(), QString());
    QCOMPARE(QApplication::clipboard()->text(), u"100"_s);
    QVERIFY(main()->isVisible());
    QCOMPARE(m_program->exitStatuses, QList<int>());
}

void MenuAndShellTest::fieldContextMenuIsChinese() {
    const std::unique_ptr<QMenu> menu(m_program->field(1)->createStandardContextMenu());
    QStringList texts;
    for (const QAction *item : menu->actions())
        texts << item->text();
    QVERIFY2(texts.join(u'|').contains(u"剪切"_s), qPrintable(texts.join(u'|')));
    QVERIFY2(texts.join(u'|').contains(u"粘贴"_s), qPrintable(texts.join(u'|')));
}

void MenuAndShellTest::enterInAFieldAndEscapeOnTheCalculatorDoNothing_data() {
    QTest::addColumn<Place>("place");
    QTest::addColumn<QList<Qt::Key>>("keys");
    const QList<Qt::Key> enterAndEscape{Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape};
    QTest::newRow("text field") << Place::MainField << enterAndEscape;
    QTest::newRow("button, Escape") << Place::MainButton << QList{Qt::Key_Escape};
}

// No button is a default or cancel button: Enter in a text field and Escape on the calculator do
// nothing.
void MenuAndShellTest::enterInAFieldAndEscapeOnTheCalculatorDoNothing() {
    QFETCH(Place, place);
    QFETCH(QList<Qt::Key>, keys);
    m_program->setFieldTexts(example);
    QWidget *target = focusPlace(place);
    QWidget *window = target->window();

    ModalBoxCloser closer(m_program.get());
    closer.arm();
    for (const Qt::Key key : keys)
        QTest::keyClick(target, key);
    QCOMPARE(closer.finish().size(), 0);
    QCOMPARE(m_program->fieldTexts(), example);
    QVERIFY(window->isVisible());
    QCOMPARE(m_program->exitStatuses, QList<int>());
}

void MenuAndShellTest::keysDoWhatTheKeyTableSays_data() {
    QTest::addColumn<quorel::form::testing::KeyCase>("key");
    for (const quorel::form::testing::KeyCase &key : quorel::form::testing::keyTable)
        QTest::newRow(key.name) << key;
}

// Each key of the table every face is tested with, pressed on the real window with the focus
// where the table puts it, does what the table says.
void MenuAndShellTest::keysDoWhatTheKeyTableSays() {
    using namespace quorel::form::testing;
    using quorel::form::Modifier;
    QFETCH(KeyCase, key);
    m_program->setFieldTexts(example);
    const bool onAbout = key.window == quorel::form::WindowId::About;
    QWidget *target = focusPlace(onAbout                        ? Place::AboutButton
                                 : key.focus == KeyFocus::Field ? Place::MainField
                                                                : Place::MainButton);
    QVERIFY(target);
    QCOMPARE(target->objectName(), quorel::qt::qtText(focusedName(key)));

    Qt::Key qtKey = Qt::Key_Escape;
    if (key.key.key == quorel::form::enterKey)
        qtKey = Qt::Key_Return;
    else if (key.key.key >= u'A' && key.key.key <= u'Z')
        qtKey = static_cast<Qt::Key>(Qt::Key_A + (key.key.key - u'A'));
    Qt::KeyboardModifiers held;
    held.setFlag(Qt::ControlModifier, quorel::form::holds(key.key.modifiers, Modifier::Ctrl));
    held.setFlag(Qt::ShiftModifier, quorel::form::holds(key.key.modifiers, Modifier::Shift));
    held.setFlag(Qt::AltModifier, quorel::form::holds(key.key.modifiers, Modifier::Alt));

    ModalBoxCloser closer(m_program.get());
    closer.arm();
    QTest::keyClick(target, qtKey, held);
    QCOMPARE(closer.finish().size(), 0);

    QStringList expected = example;
    switch (key.outcome) {
    case KeyOutcome::Nothing:
        QCOMPARE(m_program->exitStatuses, QList<int>());
        QVERIFY(target->window()->isVisible());
        QCOMPARE(QApplication::focusWidget(), target);
        break;
    case KeyOutcome::Calculates:
        expected[3] = calculated.at(3);
        QVERIFY(main()->isVisible());
        break;
    case KeyOutcome::EmptiesFields:
        expected = QStringList(9, QString());
        QVERIFY(main()->isVisible());
        break;
    case KeyOutcome::EndsProgram:
        QCOMPARE(m_program->exitStatuses, QList<int>{0});
        QVERIFY(!main()->isVisible());
        break;
    case KeyOutcome::ReturnsToCalculator:
        QVERIFY(main()->isVisible());
        QVERIFY(!m_program->aboutWindow()->isVisible());
        break;
    }
    if (key.outcome != KeyOutcome::EndsProgram)
        QCOMPARE(m_program->exitStatuses, QList<int>());
    if (onAbout && key.outcome == KeyOutcome::Nothing)
        QVERIFY(!main()->isVisible());
    QCOMPARE(m_program->fieldTexts(), expected);
}

void MenuAndShellTest::enterPressesTheFocusedButton_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Return") << Qt::Key_Return;
    QTest::newRow("keypad Enter") << Qt::Key_Enter;
}

// As everywhere on the desktop, Enter presses the button that has the focus.
void MenuAndShellTest::enterPressesTheFocusedButton() {
    QFETCH(Qt::Key, key);
    m_program->setFieldTexts(example);
    QWidget *calculate = focusPlace(Place::MainButton);
    QTest::keyClick(calculate, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(m_program->field(4)->text(), calculated.at(3));

    QWidget *back = focusPlace(Place::AboutButton);
    QTest::keyClick(back, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QVERIFY(main()->isVisible());
    QVERIFY(!m_program->aboutWindow()->isVisible());

    QWidget *exit = button(main(), names::exitButton);
    QVERIFY(QTest::qWaitForWindowActive(main()));
    exit->setFocus();
    QTest::keyClick(exit, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(m_program->exitStatuses, QList<int>{0});
}

QWidget *MenuAndShellTest::focusPlace(Place place) {
    QWidget *target = nullptr;
    switch (place) {
    case Place::MainField:
        target = m_program->field(1);
        break;
    case Place::MainButton:
        target = button(main(), names::concentrateMassButton);
        break;
    case Place::AboutButton:
        openAbout();
        target = button(m_program->aboutWindow(), names::returnButton);
        break;
    }
    if (!QTest::qWaitForWindowActive(target->window()))
        return nullptr;
    target->setFocus();
    return target;
}

void MenuAndShellTest::aboutAndBackKeepsTheFields() {
    calculateEverything();
    quorel::qt::AboutWindow *firstAbout = nullptr;
    for (int round = 0; round < 2; ++round) {
        openAbout();
        QWidget *about = m_program->aboutWindow();
        if (!firstAbout)
            firstAbout = m_program->shell().aboutWindow();
        QCOMPARE(m_program->shell().aboutWindow(), firstAbout);
        QCOMPARE(topLevelCount(names::aboutWindow), 1);
        QVERIFY(about->isVisible());
        QVERIFY(!main()->isVisible());
        QCOMPARE(about->focusWidget(), button(about, names::returnButton));

        QTest::mouseClick(button(about, names::returnButton), Qt::LeftButton);
        QVERIFY(main()->isVisible());
        QVERIFY(!about->isVisible());
        QCOMPARE(m_program->fieldTexts(), calculated);
    }
    QCOMPARE(m_program->exitStatuses, QList<int>());
}

void MenuAndShellTest::aboutCloseBoxGoesBack() {
    calculateEverything();
    openAbout();
    QVERIFY(!m_program->aboutWindow()->close());
    QVERIFY(main()->isVisible());
    QVERIFY(!m_program->aboutWindow()->isVisible());
    QCOMPARE(m_program->fieldTexts(), calculated);
    QCOMPARE(m_program->exitStatuses, QList<int>());
}

void MenuAndShellTest::exitPaths_data() {
    QTest::addColumn<ExitPath>("path");
    QTest::newRow("退   出 button") << ExitPath::ExitButton;
    QTest::newRow("退出 menu item") << ExitPath::ExitMenuItem;
    QTest::newRow("Ctrl+X on a button") << ExitPath::CtrlXOnAButton;
    QTest::newRow("main close box") << ExitPath::MainCloseBox;
    QTest::newRow("main close box after About") << ExitPath::MainCloseBoxAfterAbout;
    QTest::newRow("About 退出") << ExitPath::AboutExitButton;
}

// Each way out ends the program exactly once, with status 0, and leaves no window showing.
void MenuAndShellTest::exitPaths() {
    QFETCH(ExitPath, path);
    m_program->setFieldTexts(example);

    switch (path) {
    case ExitPath::ExitButton:
        QTest::mouseClick(button(main(), names::exitButton), Qt::LeftButton);
        break;
    case ExitPath::ExitMenuItem: {
        clickMenuBar(names::fileMenu);
        QMenu *file = main()->findChild<QMenu *>(names::fileMenu);
        QTRY_VERIFY(file->isVisible());
        QTest::mouseClick(file, Qt::LeftButton, {},
                          file->actionGeometry(action(names::exitItem)).center());
        break;
    }
    case ExitPath::CtrlXOnAButton: {
        QPushButton *command1 = button(main(), names::concentrateMassButton);
        command1->setFocus();
        QTest::keyClick(command1, Qt::Key_X, Qt::ControlModifier);
        break;
    }
    case ExitPath::MainCloseBox:
        main()->close();
        break;
    case ExitPath::MainCloseBoxAfterAbout:
        openAbout();
        QTest::mouseClick(button(m_program->aboutWindow(), names::returnButton), Qt::LeftButton);
        main()->close();
        break;
    case ExitPath::AboutExitButton:
        openAbout();
        QTest::mouseClick(button(m_program->aboutWindow(), names::aboutExitButton), Qt::LeftButton);
        break;
    }

    QCOMPARE(m_program->exitStatuses, QList<int>{0});
    QVERIFY(!main()->isVisible());
    if (m_program->aboutWindow())
        QVERIFY(!m_program->aboutWindow()->isVisible());
}

void MenuAndShellTest::realEndStopsTheEventLoop_data() {
    QTest::addColumn<bool>("fromAbout");
    QTest::newRow("退   出 button") << false;
    QTest::newRow("About 退出, calculator hidden") << true;
}

// The shell as the program builds it: its end stops the event loop with status 0 although a
// hidden window still exists.
void MenuAndShellTest::realEndStopsTheEventLoop() {
    QFETCH(bool, fromAbout);
    quorel::qt::AppShell shell;
    shell.start();
    QVERIFY(QTest::qWaitForWindowExposed(shell.mainWindow()));
    if (fromAbout)
        shell.mainWindow()->findChild<QAction *>(names::aboutCommand)->trigger();

    bool clicked = false;
    QTimer::singleShot(0, shell.mainWindow(), [&] {
        QWidget *window = fromAbout ? static_cast<QWidget *>(shell.aboutWindow())
                                    : static_cast<QWidget *>(shell.mainWindow());
        QTest::mouseClick(button(window, fromAbout ? names::aboutExitButton : names::exitButton),
                          Qt::LeftButton);
        clicked = true;
    });
    // A loop that never ended would run into the test's time limit.
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(clicked);
    QVERIFY(!shell.mainWindow()->isVisible());
}

// The form creates the About window before it asks anything of it; a shell asked anyway reports
// the broken promise instead of quietly making the window, and does nothing.
void MenuAndShellTest::aWindowAskedForBeforeItIsCreatedIsReported() {
    breaches.clear();
    const quorel::form::ContractHandler previous = quorel::form::setContractHandler(&recordBreach);
    quorel::qt::AppShell shell([](int) {});
    shell.start();
    shell.showWindow(quorel::form::WindowId::About);
    shell.hideWindow(quorel::form::WindowId::About);
    quorel::form::setContractHandler(previous);
    QCOMPARE(breaches.size(), 2);
    QVERIFY(!shell.aboutWindow());
    QCOMPARE(topLevelCount(names::aboutWindow), 0);
}

QTEST_MAIN(MenuAndShellTest)
#include "menu_and_shell_test.moc"
