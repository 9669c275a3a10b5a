// Editing a long text in a field of the real main window: every way a user or an assistive tool
// selects, copies, cuts, deletes, replaces, undoes or drops text acts on the whole text, as the
// calculation reads it, never on a part of it.

#include "qt/tests/gui_test_support.h"

#include "qt/main_window.h"

#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QAccessibleTextInterface>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTestEventList>

using namespace Qt::StringLiterals;

namespace {

// "1234567890" repeated up to `length` characters, ending in a marker, so that a lost end shows.
QString longText(qsizetype length) {
    QString text;
    text.reserve(length);
    while (text.size() < length)
        text += u"1234567890"_s;
    text.truncate(length - 1);
    return text + u'#';
}

const QString tenThousand = longText(10'000);
const QString clipboardBefore = u"剪贴板"_s;

enum class MenuItem { Undo, Redo, Cut, Copy, Paste, Delete, SelectAll };

// The line edit's own context menu. Qt names its items only from 6.5 on; before, they are known
// by their text, translated as the menu shows it.
QAction *menuItem(const QMenu *menu, MenuItem item) {
    struct Known {
        const char *name;
        const char *text;
    };
    static const Known known[] = {
        {"edit-undo", "&Undo"},       {"edit-redo", "&Redo"},   {"edit-cut", "Cu&t"},
        {"edit-copy", "&Copy"},       {"edit-paste", "&Paste"}, {"edit-delete", "Delete"},
        {"select-all", "Select All"},
    };
    const Known &wanted = known[static_cast<int>(item)];
    const QString text = QCoreApplication::translate("QLineEdit", wanted.text);
    for (QAction *action : menu->actions()) {
        if (action->objectName() == QLatin1StringView(wanted.name) ||
            action->text().section(u'\t', 0, 0) == text)
            return action;
    }
    return nullptr;
}

// A long text told by its length and its two ends, short enough for a failure message.
QString describe(const QString &text) {
    if (text.size() <= 40)
        return u'"' + text + u'"';
    return u"\"%1…%2\" (%3 characters)"_s.arg(text.first(16), text.last(16)).arg(text.size());
}

QString mismatch(const QString &actual, const QString &expected) {
    return u"got %1, expected %2"_s.arg(describe(actual), describe(expected));
}

// QCOMPARE for texts too long to print whole.
#define COMPARE_TEXT(actual, expected)                                                             \
    do {                                                                                           \
        const QString actualText = (actual);                                                       \
        const QString expectedText = (expected);                                                   \
        QVERIFY2(actualText == expectedText, qPrintable(mismatch(actualText, expectedText)));      \
    } while (false)

enum class AccessibleEdit { Read, ReplaceAll, DeleteAll, SetValue, SelectAllAndType };

QTestEventList keyList(std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys) {
    QTestEventList list;
    for (const auto &[key, modifiers] : keys)
        list.addKeyClick(key, modifiers);
    return list;
}

} // namespace

Q_DECLARE_METATYPE(MenuItem)
Q_DECLARE_METATYPE(AccessibleEdit)

class FieldEditingTest final : public quorel::test::ProgramTestCase {
    Q_OBJECT

  private slots:
    void init();

    void keyboardSelection_data();
    void keyboardSelection();
    void contextMenu_data();
    void contextMenu();
    void undoAndRedo_data();
    void undoAndRedo();
    void inputMethodCommit_data();
    void inputMethodCommit();
    void accessibleText_data();
    void accessibleText();
    void dropInsertsTheWholeText();

  private:
    // Text1 holding `text` as the program wrote it, with the keyboard focus; false if the window
    // could not be made active.
    bool focusFieldWith(const QString &text);
    QLineEdit *field() const { return m_program->field(1); }
    // What a calculation reads from Text1.
    QString fieldText() const;
};

void FieldEditingTest::init() {
    ProgramTestCase::init();
    QApplication::clipboard()->setText(clipboardBefore);
}

bool FieldEditingTest::focusFieldWith(const QString &text) {
    m_program->shell().setText(quorel::form::Field::TargetMass, quorel::qt::coreText(text));
    QWidget *window = m_program->mainWindow();
    window->activateWindow();
    field()->setFocus();
    return QTest::qWaitForWindowActive(window);
}

QString FieldEditingTest::fieldText() const {
    return quorel::qt::qtText(m_program->shell().text(quorel::form::Field::TargetMass));
}

void FieldEditingTest::keyboardSelection_data() {
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("clipboard");

    const auto toEnd = std::pair{Qt::Key_End, Qt::KeyboardModifiers(Qt::ShiftModifier)};
    const auto toStart = std::pair{Qt::Key_Home, Qt::KeyboardModifiers(Qt::ShiftModifier)};
    const auto home = std::pair{Qt::Key_Home, Qt::KeyboardModifiers()};
    const auto end = std::pair{Qt::Key_End, Qt::KeyboardModifiers()};
    const auto copy = std::pair{Qt::Key_C, Qt::KeyboardModifiers(Qt::ControlModifier)};
    const auto cut = std::pair{Qt::Key_X, Qt::KeyboardModifiers(Qt::ControlModifier)};

    QTest::newRow("Home, Shift+End, Ctrl+C")
        << keyList({home, toEnd, copy}) << tenThousand << tenThousand;
    QTest::newRow("End, Shift+Home, Ctrl+C")
        << keyList({end, toStart, copy}) << tenThousand << tenThousand;
    QTest::newRow("Home, Shift+End, Delete")
        << keyList({home, toEnd, {Qt::Key_Delete, {}}}) << QString() << clipboardBefore;
    QTest::newRow("End, Shift+Home, Backspace")
        << keyList({end, toStart, {Qt::Key_Backspace, {}}}) << QString() << clipboardBefore;
    QTest::newRow("Home, Shift+End, Ctrl+X")
        << keyList({home, toEnd, cut}) << QString() << tenThousand;
    QTest::newRow("Home, Shift+End, 7")
        << keyList({home, toEnd, {Qt::Key_7, {}}}) << u"7"_s << clipboardBefore;
}

// Selected with the keyboard, the whole text is copied, cut, deleted or typed over; on X11 the
// primary selection holds the whole text too, ready for a middle click elsewhere.
void FieldEditingTest::keyboardSelection() {
    QFETCH(QTestEventList, keys);
    QFETCH(QString, text);
    QFETCH(QString, clipboard);
    QVERIFY(focusFieldWith(tenThousand));
    QLineEdit *field = this->field();

    keys.simulate(field);
    if (QGuiApplication::platformName() == u"xcb"_s)
        QVERIFY(QApplication::clipboard()->supportsSelection());
    if (QApplication::clipboard()->supportsSelection())
        COMPARE_TEXT(QApplication::clipboard()->text(QClipboard::Selection), tenThousand);
    COMPARE_TEXT(fieldText(), text);
    COMPARE_TEXT(QApplication::clipboard()->text(), clipboard);
}

void FieldEditingTest::contextMenu_data() {
    QTest::addColumn<QList<MenuItem>>("items");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("clipboard");

    using enum MenuItem;
    QTest::newRow("Select All, Copy") << QList{SelectAll, Copy} << tenThousand << tenThousand;
    QTest::newRow("Select All, Cut") << QList{SelectAll, Cut} << QString() << tenThousand;
    QTest::newRow("Select All, Delete") << QList{SelectAll, Delete} << QString() << clipboardBefore;
    QTest::newRow("Select All, Paste")
        << QList{SelectAll, Paste} << clipboardBefore << clipboardBefore;
    QTest::newRow("Select All, Delete, Undo")
        << QList{SelectAll, Delete, Undo} << tenThousand << clipboardBefore;
    QTest::newRow("Select All, Delete, Undo, Redo")
        << QList{SelectAll, Delete, Undo, Redo} << QString() << clipboardBefore;
}

// Each item chosen from the field's right-click menu, the menu opened afresh each time.
void FieldEditingTest::contextMenu() {
    QFETCH(QList<MenuItem>, items);
    QFETCH(QString, text);
    QFETCH(QString, clipboard);
    QVERIFY(focusFieldWith(tenThousand));
    QLineEdit *field = this->field();

    for (const MenuItem item : items) {
        const QPoint at = field->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, field->mapToGlobal(at));
        QApplication::sendEvent(field, &event);
        QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QAction *action = menuItem(menu, item);
        QStringList shown;
        for (const QAction *each : menu->actions())
            shown << each->text();
        QVERIFY2(action, qPrintable(u"not among "_s + shown.join(u" | "_s)));
        QVERIFY2(action->isEnabled(), qPrintable(action->text()));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        QTRY_VERIFY(!QApplication::activePopupWidget());
    }
    COMPARE_TEXT(fieldText(), text);
    COMPARE_TEXT(QApplication::clipboard()->text(), clipboard);
}

void FieldEditingTest::undoAndRedo_data() {
    // Recorded keys from a starting text, then the text after the keys and after each undo step;
    // redo walks the same texts back.
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<QStringList>("texts");

    const QString pasted = longText(20'000);
    {
        QTestEventList keys;
        keys.addKeyClick(Qt::Key_End);
        keys.addKeyClick('5');
        keys.addKeyClick(Qt::Key_Home);
        keys.addKeyClick('9');
        QTest::newRow("typing at both ends")
            << tenThousand << QString() << keys
            << QStringList{u'9' + tenThousand + u'5', tenThousand + u'5', tenThousand};
    }
    {
        QTestEventList keys;
        keys.addKeyClick('0');
        for (int i = 0; i < 3000; ++i)
            keys.addKeyClick(Qt::Key_Right);
        keys.addKeyClick('1');
        QTest::newRow("typing, walking far, typing")
            << tenThousand << QString() << keys
            << QStringList{u'0' + tenThousand.first(3000) + u'1' + tenThousand.sliced(3000),
                           u'0' + tenThousand, tenThousand};
    }
    {
        QTestEventList keys;
        keys.addKeyClick(Qt::Key_Home);
        keys.addKeyClick(Qt::Key_End, Qt::ShiftModifier);
        keys.addKeyClick(Qt::Key_Delete);
        keys.addKeyClick('7');
        QTest::newRow("Shift+End, Delete, typing")
            << tenThousand << QString() << keys << QStringList{u"7"_s, tenThousand};
    }
    {
        QTestEventList keys;
        keys.addKeyClick(Qt::Key_A, Qt::ControlModifier);
        keys.addKeyClick('8');
        QTest::newRow("Ctrl+A, typing")
            << tenThousand << QString() << keys << QStringList{u"8"_s, tenThousand};
    }
    {
        QTestEventList keys;
        keys.addKeyClick(Qt::Key_End);
        keys.addKeyClick(Qt::Key_V, Qt::ControlModifier);
        keys.addKeyClick('3');
        QTest::newRow("pasting a long text, typing")
            << u"12"_s << pasted << keys
            << QStringList{u"12"_s + pasted + u'3', u"12"_s + pasted, u"12"_s};
    }
    {
        QTestEventList keys;
        keys.addKeyClick(Qt::Key_End);
        keys.addKeyClick(Qt::Key_Backspace);
        keys.addKeyClick(Qt::Key_Backspace);
        keys.addKeyClick(Qt::Key_Home);
        keys.addKeyClick(Qt::Key_Delete);
        QTest::newRow("Backspace at the end, Delete at the start")
            << tenThousand << QString() << keys
            << QStringList{tenThousand.sliced(1).chopped(2), tenThousand.chopped(2), tenThousand};
    }
}

// Undo (Ctrl+Z) and redo (Ctrl+Shift+Z) as the user presses them, in the manner of Qt's own
// line edit tests.
void FieldEditingTest::undoAndRedo() {
    QFETCH(QString, start);
    QFETCH(QString, clipboard);
    QFETCH(QTestEventList, keys);
    QFETCH(QStringList, texts);
    if (!clipboard.isEmpty())
        QApplication::clipboard()->setText(clipboard);
    QVERIFY(focusFieldWith(start));
    QLineEdit *field = this->field();

    keys.simulate(field);
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i > 0)
            QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY2(fieldText() == texts[i],
                 qPrintable(u"after %1 undo steps: "_s.arg(i) + mismatch(fieldText(), texts[i])));
    }
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY2(fieldText() == texts.last(),
             qPrintable(u"nothing left to undo: "_s + mismatch(fieldText(), texts.last())));
    for (qsizetype i = texts.size() - 2; i >= 0; --i) {
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY2(fieldText() == texts[i], qPrintable(u"redone back to step %1: "_s.arg(i) +
                                                     mismatch(fieldText(), texts[i])));
    }
}

void FieldEditingTest::inputMethodCommit_data() {
    QTest::addColumn<QTestEventList>("keys");

    QTest::newRow("Ctrl+A") << keyList({{Qt::Key_A, Qt::ControlModifier}});
    QTest::newRow("Home, Shift+End")
        << keyList({{Qt::Key_Home, {}}, {Qt::Key_End, Qt::ShiftModifier}});
    QTest::newRow("End, Shift+Home")
        << keyList({{Qt::Key_End, {}}, {Qt::Key_Home, Qt::ShiftModifier}});
}

// Text composed in an input method and committed replaces the whole selected text; the input
// method is told the whole selection.
void FieldEditingTest::inputMethodCommit() {
    QFETCH(QTestEventList, keys);
    QVERIFY(focusFieldWith(tenThousand));
    QLineEdit *field = this->field();

    keys.simulate(field);
    COMPARE_TEXT(field->inputMethodQuery(Qt::ImCurrentSelection).toString(), tenThousand);
    QInputMethodEvent preedit(u"bai"_s, {});
    QApplication::sendEvent(field, &preedit);
    QInputMethodEvent commit;
    commit.setCommitString(u"百"_s);
    QApplication::sendEvent(field, &commit);
    COMPARE_TEXT(fieldText(), u"百"_s);
}

void FieldEditingTest::accessibleText_data() {
    QTest::addColumn<AccessibleEdit>("edit");
    QTest::addColumn<QString>("text");

    const QString fortyThousand = longText(40'003);
    QTest::newRow("read") << AccessibleEdit::Read << fortyThousand;
    QTest::newRow("replace all") << AccessibleEdit::ReplaceAll << u"42"_s;
    QTest::newRow("delete all") << AccessibleEdit::DeleteAll << QString();
    QTest::newRow("set the value") << AccessibleEdit::SetValue << u"42"_s;
    QTest::newRow("select all, type") << AccessibleEdit::SelectAllAndType << u"7"_s;
}

// A screen reader reads all 40,003 characters, and what it changes is the whole text.
void FieldEditingTest::accessibleText() {
    QFETCH(AccessibleEdit, edit);
    QFETCH(QString, text);
    const QString fortyThousand = longText(40'003);
    QVERIFY(focusFieldWith(fortyThousand));
    QLineEdit *field = this->field();

    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(field);
    QVERIFY(accessible);
    QAccessibleTextInterface *reading = accessible->textInterface();
    QAccessibleEditableTextInterface *editing = accessible->editableTextInterface();
    QVERIFY(reading);
    QVERIFY(editing);
    QCOMPARE(reading->characterCount(), 40'003);
    COMPARE_TEXT(accessible->text(QAccessible::Value), fortyThousand);

    switch (edit) {
    case AccessibleEdit::Read:
        COMPARE_TEXT(reading->text(0, reading->characterCount()), fortyThousand);
        break;
    case AccessibleEdit::ReplaceAll:
        editing->replaceText(0, reading->characterCount(), u"42"_s);
        break;
    case AccessibleEdit::DeleteAll:
        editing->deleteText(0, reading->characterCount());
        break;
    case AccessibleEdit::SetValue:
        accessible->setText(QAccessible::Value, u"42"_s);
        break;
    case AccessibleEdit::SelectAllAndType:
        reading->setSelection(0, 0, reading->characterCount());
        QTest::keyClick(field, Qt::Key_7);
        break;
    }
    COMPARE_TEXT(fieldText(), text);
    QCOMPARE(reading->characterCount(), text.size());
}

// A long text dragged in from another program lands whole where it is dropped, as one step to
// undo and redo.
void FieldEditingTest::dropInsertsTheWholeText() {
    const QString dropped = longText(20'000);
    QVERIFY(focusFieldWith(tenThousand));
    QLineEdit *field = this->field();
    const QPoint at(field->contentsRect().left() + 1, field->height() / 2);
    const qsizetype position = field->cursorPositionAt(at);
    const QString expected = tenThousand.first(position) + dropped + tenThousand.sliced(position);

    QMimeData data;
    data.setText(dropped);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &drop);
    QVERIFY(drop.isAccepted());
    COMPARE_TEXT(fieldText(), expected);

    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    COMPARE_TEXT(fieldText(), tenThousand);
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    COMPARE_TEXT(fieldText(), expected);
}

QTEST_MAIN(FieldEditingTest)
#include "field_editing_test.moc"
