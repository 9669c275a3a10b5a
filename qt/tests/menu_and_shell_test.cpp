// The menu bar, the hand-offs between the two windows and every way of ending the program.

#include "qt/tests/gui_test_support.h"

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

int topLevelCount(const QString &objectName) {
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += widget->objectName() == objectName ? 1 : 0;
    return count;
}

} // namespace

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
    void enterAndEscapeDoNothing_data();
    void enterAndEscapeDoNothing();
    void aboutAndBackKeepsTheFields();
    void aboutCloseBoxGoesBack();
    void exitPaths_data();
    void exitPaths();
    void realEndStopsTheEventLoop_data();
    void realEndStopsTheEventLoop();

  private:
    QMainWindow *main() const;
    QAction *action(const QString &name) const;
    QPushButton *button(QWidget *window, const QString &name) const;
    void calculateEverything();
    void clickMenuBar(const QString &name);
    void openAbout();
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
    for (const QString &name : {u"Command1"_s, u"体积计算"_s, u"Command2"_s, u"溶剂体积计算"_s})
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
    clickMenuBar(u"关于"_s);
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
            QCOMPARE(bar[i]->objectName(), u"关于"_s);
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
        clickMenuBar(u"文件"_s);
        QMenu *file = main()->findChild<QMenu *>(u"文件"_s);
        QTRY_VERIFY(file->isVisible());
        QTest::mouseClick(file, Qt::LeftButton, {},
                          file->actionGeometry(action(u"新建"_s)).center());
        QTRY_VERIFY(!file->isVisible());
    }
    QCOMPARE(m_program->fieldTexts(), QStringList(9, QString()));
    QVERIFY(main()->isVisible());
    QCOMPARE(m_program->exitStatuses, QList<int>());
}

void MenuAndShellTest::firstOptionChangesNothing() {
    calculateEverything();
    clickMenuBar(u"选项"_s);
    QMenu *options = main()->findChild<QMenu *>(u"选项"_s);
    QTRY_VERIFY(options->isVisible());
    QTest::mouseClick(options, Qt::LeftButton, {},
                      options->actionGeometry(action(u"浓溶液配稀溶液"_s)).center());
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

void MenuAndShellTest::enterAndEscapeDoNothing_data() {
    QTest::addColumn<QString>("focus");
    QTest::newRow("text field") << u"Text1"_s;
    QTest::newRow("button") << u"Command1"_s;
    QTest::newRow("About button") << u"Form1 Command1"_s;
}

// No button is a default or cancel button.
void MenuAndShellTest::enterAndEscapeDoNothing() {
    QFETCH(QString, focus);
    m_program->setFieldTexts(example);
    QWidget *target = nullptr;
    if (focus.startsWith(u"Form1 "_s)) {
        openAbout();
        target = button(m_program->aboutWindow(), focus.sliced(6));
    } else {
        target = main()->findChild<QWidget *>(focus);
    }
    QWidget *window = target->window();
    QVERIFY(QTest::qWaitForWindowActive(window));
    target->setFocus();

    ModalBoxCloser closer(m_program.get());
    closer.arm();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(target, key);
    QCOMPARE(closer.finish().size(), 0);
    QCOMPARE(m_program->fieldTexts(), example);
    QVERIFY(window->isVisible());
    QCOMPARE(m_program->exitStatuses, QList<int>());
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
        QCOMPARE(topLevelCount(u"Form1"_s), 1);
        QVERIFY(about->isVisible());
        QVERIFY(!main()->isVisible());
        QCOMPARE(about->focusWidget(), button(about, u"Command1"_s));

        QTest::mouseClick(button(about, u"Command1"_s), Qt::LeftButton);
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
    QTest::addColumn<QString>("path");
    QTest::newRow("退   出 button") << u"Command4"_s;
    QTest::newRow("退出 menu item") << u"menu"_s;
    QTest::newRow("Ctrl+X on a button") << u"Ctrl+X"_s;
    QTest::newRow("main close box") << u"close"_s;
    QTest::newRow("main close box after About") << u"close after About"_s;
    QTest::newRow("About 退出") << u"About"_s;
}

// Each way out ends the program exactly once, with status 0, and leaves no window showing.
void MenuAndShellTest::exitPaths() {
    QFETCH(QString, path);
    m_program->setFieldTexts(example);

    if (path == u"Command4") {
        QTest::mouseClick(button(main(), u"Command4"_s), Qt::LeftButton);
    } else if (path == u"menu") {
        clickMenuBar(u"文件"_s);
        QMenu *file = main()->findChild<QMenu *>(u"文件"_s);
        QTRY_VERIFY(file->isVisible());
        QTest::mouseClick(file, Qt::LeftButton, {},
                          file->actionGeometry(action(u"退出"_s)).center());
    } else if (path == u"Ctrl+X") {
        QPushButton *command1 = button(main(), u"Command1"_s);
        command1->setFocus();
        QTest::keyClick(command1, Qt::Key_X, Qt::ControlModifier);
    } else if (path == u"close") {
        main()->close();
    } else if (path == u"close after About") {
        openAbout();
        QTest::mouseClick(button(m_program->aboutWindow(), u"Command1"_s), Qt::LeftButton);
        main()->close();
    } else if (path == u"About") {
        openAbout();
        QTest::mouseClick(button(m_program->aboutWindow(), u"Command2"_s), Qt::LeftButton);
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
        shell.showWindow(quorel::form::WindowId::About);

    bool clicked = false;
    QTimer::singleShot(0, shell.mainWindow(), [&] {
        QWidget *window = fromAbout ? static_cast<QWidget *>(shell.aboutWindow())
                                    : static_cast<QWidget *>(shell.mainWindow());
        QTest::mouseClick(button(window, fromAbout ? u"Command2"_s : u"Command4"_s),
                          Qt::LeftButton);
        clicked = true;
    });
    // A loop that never ended would run into the test's time limit.
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(clicked);
    QVERIFY(!shell.mainWindow()->isVisible());
}

QTEST_MAIN(MenuAndShellTest)
#include "menu_and_shell_test.moc"
