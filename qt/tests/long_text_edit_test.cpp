// The field for text of any length: it edits exactly as QLineEdit does, and paste, copy, cut,
// select all, Home, End and undo act on the whole text, while QLineEdit itself only ever holds
// a window of it.

#include "qt/long_text_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;
using quorel::qt::LongTextEdit;

namespace {

QString digits(qsizetype length) {
    QString text;
    text.reserve(length);
    while (text.size() < length)
        text += u"0123456789"_s;
    text.truncate(length);
    return text;
}

struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char *typed; // the key's text, for printable keys
};

const Key keys[] = {
    {Qt::Key_Left, Qt::NoModifier, ""},      {Qt::Key_Right, Qt::NoModifier, ""},
    {Qt::Key_Left, Qt::ShiftModifier, ""},   {Qt::Key_Right, Qt::ShiftModifier, ""},
    {Qt::Key_Home, Qt::NoModifier, ""},      {Qt::Key_End, Qt::NoModifier, ""},
    {Qt::Key_Backspace, Qt::NoModifier, ""}, {Qt::Key_Delete, Qt::NoModifier, ""},
    {Qt::Key_5, Qt::NoModifier, "5"},        {Qt::Key_Period, Qt::NoModifier, "."},
    {Qt::Key_A, Qt::ControlModifier, ""},    {Qt::Key_Left, Qt::ControlModifier, ""},
};

} // namespace

class LongTextEditTest final : public QObject {
    Q_OBJECT

  private slots:
    void editsLikeALineEdit();
    void wholeTextCommands();
    void resultsShowTheirStart();
};

// The same random keys, many of them repeated arrows that walk the cursor across the edges of
// the window, give the same text and cursor as in a plain line edit.
void LongTextEditTest::editsLikeALineEdit() {
    QWidget window;
    auto *plain = new QLineEdit(&window);
    auto *windowed = new LongTextEdit(&window);
    plain->setMaxLength(std::numeric_limits<int>::max());
    windowed->setMaxLength(std::numeric_limits<int>::max());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QString start = digits(6 * LongTextEdit::windowHalf);
    plain->setText(start);
    plain->setCursorPosition(0);
    windowed->setFullText(start);
    QCOMPARE(windowed->text().size(), 2 * LongTextEdit::windowHalf);

    QRandomGenerator random(7);
    for (int step = 0; step < 3000; ++step) {
        const Key &key = keys[random.bounded(int(std::size(keys)))];
        // Arrows come in runs, as when a key is held down.
        const int repeats = key.key == Qt::Key_Left || key.key == Qt::Key_Right
                                ? 1 + random.bounded(LongTextEdit::windowHalf / 4)
                                : 1;
        for (int i = 0; i < repeats; ++i) {
            for (QWidget *edit : {static_cast<QWidget *>(plain), static_cast<QWidget *>(windowed)})
                QTest::keyClick(edit, key.key, key.modifiers);
        }
        QCOMPARE(windowed->fullText(), plain->text());
        QCOMPARE(windowed->fullCursorPosition(), plain->cursorPosition());
        QVERIFY(windowed->text().size() <= 3 * LongTextEdit::windowHalf);
    }
}

// A megabyte pasted, copied, cut, undone and walked through: the whole text takes part, and the
// line edit underneath never holds more than its window.
void LongTextEditTest::wholeTextCommands() {
    LongTextEdit edit;
    edit.show();
    QVERIFY(QTest::qWaitForWindowActive(&edit));
    const QString big = digits(1 << 20);
    QClipboard *clipboard = QApplication::clipboard();

    edit.setFullText(u"12"_s);
    QTest::keyClick(&edit, Qt::Key_End);
    clipboard->setText(big);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit.fullText(), u"12"_s + big);
    QCOMPARE(edit.fullCursorPosition(), big.size() + 2);
    QVERIFY(edit.text().size() <= 2 * LongTextEdit::windowHalf);

    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_9);
    QVERIFY(edit.fullText().startsWith(u"912"_s));
    QCOMPARE(edit.fullCursorPosition(), 1);
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.fullText().size(), big.size() + 2);

    clipboard->clear();
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), edit.fullText());

    QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(edit.fullText(), QString());
    QCOMPARE(clipboard->text().size(), big.size() + 2);
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(edit.fullText().size(), big.size() + 2);

    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Delete);
    QCOMPARE(edit.fullText(), QString());
    QTest::keyClick(&edit, Qt::Key_1);
    QCOMPARE(edit.fullText(), u"1"_s);
}

// A text set by the program shows from its first character on.
void LongTextEditTest::resultsShowTheirStart() {
    LongTextEdit edit;
    edit.setFullText(u"0.333333333333333"_s + digits(10 * LongTextEdit::windowHalf));
    QCOMPARE(edit.fullCursorPosition(), 0);
    QVERIFY(edit.text().startsWith(u"0.333"_s));
}

QTEST_MAIN(LongTextEditTest)
#include "long_text_edit_test.moc"
