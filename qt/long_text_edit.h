#pragma once

#include <QLineEdit>
#include <QList>
#include <QString>

#include <utility>

namespace quorel::qt {

// A single-line field for text of any length. QLineEdit lays out and keeps the glyphs of its
// whole text on every change and every cursor blink (about 68 bytes and half a microsecond per
// character), so a pasted megabyte would freeze the window and a pasted 20 MB keep a gigabyte.
// This field hands QLineEdit only a window of a few thousand characters around the cursor and
// keeps the rest beside it; what the user sees and types is QLineEdit's own. Paste, cut, copy,
// select all, Home, End and undo act on the whole text.
//
// Read and write it with fullText() and setFullText(); text() and setText() see the window.
class LongTextEdit final : public QLineEdit {
    Q_OBJECT

  public:
    // Far wider than any field shows; the window is moved when the cursor comes within `margin`
    // characters of one of its edges.
    static constexpr qsizetype windowHalf = 1024;
    static constexpr qsizetype margin = 64;

    explicit LongTextEdit(QWidget *parent = nullptr);

    QString fullText() const;
    // Replaces the whole text and puts the cursor at its start, so a long result shows its first
    // digits. Clears the undo history.
    void setFullText(const QString &text);
    qsizetype fullCursorPosition() const;

    void pasteText();
    void copyText() const;
    void cutText();
    void selectAllText();

  protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dropEvent(QDropEvent *event) override;

  private:
    // Replaces the selection (all of the text after Select All) with `inserted`.
    void insertText(const QString &inserted);
    void pushUndo(const QString &text);
    bool undoWholeText();
    // Shows the part of `text` around `cursor`, with QLineEdit's cursor there.
    void setWindow(const QString &text, qsizetype cursor);
    void moveWindowIfNeeded();

    QString m_before; // the text left of the window
    QString m_after;  // the text right of the window
    // Whole-text snapshots before each paste, cut or replacement; QString shares them, so a
    // snapshot costs no copy of the text.
    QList<std::pair<QString, qsizetype>> m_undo;
    bool m_allSelected = false;
    bool m_settingWindow = false;
};

} // namespace quorel::qt
