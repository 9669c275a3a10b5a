#include "qt/long_text_edit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include <algorithm>

namespace quorel::qt {

namespace {

constexpr qsizetype undoDepth = 20;

bool isTyping(const QKeyEvent *event) {
    return !event->text().isEmpty() && event->text().front().isPrint();
}

bool isDeleting(const QKeyEvent *event) {
    return event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
}

} // namespace

LongTextEdit::LongTextEdit(QWidget *parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] { moveWindowIfNeeded(); });
    connect(this, &QLineEdit::textEdited, this, [this] { m_allSelected = false; });
    connect(this, &QLineEdit::selectionChanged, this, [this] {
        if (m_settingWindow || !m_allSelected)
            return;
        if (!hasSelectedText() || selectedText().size() != text().size())
            m_allSelected = false;
    });
}

QString LongTextEdit::fullText() const {
    if (m_before.isEmpty() && m_after.isEmpty())
        return text();
    return m_before + text() + m_after;
}

void LongTextEdit::setFullText(const QString &text) {
    m_undo.clear();
    m_allSelected = false;
    setWindow(text, 0);
}

qsizetype LongTextEdit::fullCursorPosition() const {
    return m_before.size() + cursorPosition();
}

void LongTextEdit::pasteText() {
    insertText(QApplication::clipboard()->text());
}

void LongTextEdit::copyText() const {
    if (m_allSelected)
        QApplication::clipboard()->setText(fullText());
    else if (hasSelectedText())
        QApplication::clipboard()->setText(selectedText());
}

void LongTextEdit::cutText() {
    if (!m_allSelected && !hasSelectedText())
        return;
    copyText();
    insertText({});
}

void LongTextEdit::selectAllText() {
    // The window goes to the end with all of it selected; copying, cutting or typing then act on
    // the whole text.
    const QString whole = fullText();
    setWindow(whole, whole.size());
    m_allSelected = true;
    m_settingWindow = true;
    selectAll();
    m_settingWindow = false;
}

void LongTextEdit::keyPressEvent(QKeyEvent *event) {
    if (event == QKeySequence::Paste)
        return pasteText();
    if (event == QKeySequence::Copy)
        return copyText();
    if (event == QKeySequence::Cut)
        return cutText();
    if (event == QKeySequence::SelectAll)
        return selectAllText();
    if (event == QKeySequence::Undo && !isUndoAvailable() && undoWholeText())
        return;
    if (m_allSelected && (isDeleting(event) || isTyping(event)))
        return insertText(isDeleting(event) ? QString() : event->text());

    const bool toStart =
        event == QKeySequence::MoveToStartOfLine || event == QKeySequence::MoveToStartOfDocument;
    const bool toEnd =
        event == QKeySequence::MoveToEndOfLine || event == QKeySequence::MoveToEndOfDocument;
    if ((toStart && !m_before.isEmpty()) || (toEnd && !m_after.isEmpty())) {
        m_allSelected = false;
        const QString whole = fullText();
        setWindow(whole, toStart ? 0 : whole.size());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void LongTextEdit::contextMenuEvent(QContextMenuEvent *event) {
    QMenu *menu = createStandardContextMenu();
    // Qt names the standard actions; those that move text go through the whole text.
    const std::pair<QLatin1StringView, void (LongTextEdit::*)()> routes[] = {
        {QLatin1StringView("edit-paste"), &LongTextEdit::pasteText},
        {QLatin1StringView("edit-cut"), &LongTextEdit::cutText},
        {QLatin1StringView("select-all"), &LongTextEdit::selectAllText},
    };
    for (QAction *action : menu->actions()) {
        for (const auto &[name, route] : routes) {
            if (action->objectName() == name) {
                action->disconnect();
                connect(action, &QAction::triggered, this, route);
            }
        }
        if (action->objectName() == QLatin1StringView("edit-copy")) {
            action->disconnect();
            connect(action, &QAction::triggered, this, &LongTextEdit::copyText);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void LongTextEdit::dropEvent(QDropEvent *event) {
    if (event->mimeData()->hasText() && event->mimeData()->text().size() > windowHalf) {
        setCursorPosition(cursorPositionAt(event->position().toPoint()));
        deselect();
        insertText(event->mimeData()->text());
        event->acceptProposedAction();
        return;
    }
    QLineEdit::dropEvent(event);
}

void LongTextEdit::insertText(const QString &inserted) {
    const QString old = fullText();
    qsizetype from = fullCursorPosition();
    qsizetype to = from;
    if (m_allSelected) {
        from = 0;
        to = old.size();
    } else if (hasSelectedText()) {
        from = m_before.size() + selectionStart();
        to = from + selectionLength();
    }
    pushUndo(old);
    m_allSelected = false;
    setWindow(old.left(from) + inserted + old.mid(to), from + inserted.size());
}

void LongTextEdit::pushUndo(const QString &text) {
    m_undo.append({text, fullCursorPosition()});
    if (m_undo.size() > undoDepth)
        m_undo.removeFirst();
}

bool LongTextEdit::undoWholeText() {
    if (m_undo.isEmpty())
        return false;
    const auto [text, cursor] = m_undo.takeLast();
    m_allSelected = false;
    setWindow(text, cursor);
    return true;
}

void LongTextEdit::setWindow(const QString &text, qsizetype cursor) {
    const qsizetype from =
        std::max<qsizetype>(0, std::min(cursor - windowHalf, text.size() - 2 * windowHalf));
    const qsizetype to = std::min(text.size(), from + 2 * windowHalf);
    m_settingWindow = true;
    m_before = text.left(from);
    m_after = text.mid(to);
    // setText also empties QLineEdit's own undo history, which would otherwise keep a command
    // for every character of a paste.
    setText(text.mid(from, to - from));
    setCursorPosition(static_cast<int>(cursor - from));
    m_settingWindow = false;
    if (m_before.isEmpty())
        m_before.squeeze();
    if (m_after.isEmpty())
        m_after.squeeze();
}

void LongTextEdit::moveWindowIfNeeded() {
    if (m_settingWindow)
        return;
    const qsizetype position = cursorPosition();
    const qsizetype length = text().size();
    const bool nearStart = position < margin && !m_before.isEmpty();
    const bool nearEnd = length - position < margin && !m_after.isEmpty();
    if (!nearStart && !nearEnd && length <= 3 * windowHalf)
        return;

    const bool selecting = hasSelectedText();
    const qsizetype anchor =
        m_before.size() +
        (selecting ? (selectionStart() == position ? selectionEnd() : selectionStart()) : position);
    const qsizetype cursor = m_before.size() + position;
    setWindow(fullText(), cursor);
    if (selecting) {
        // The part of the selection that is still inside the window stays selected.
        const qsizetype start = std::clamp<qsizetype>(anchor - m_before.size(), 0, text().size());
        m_settingWindow = true;
        setSelection(static_cast<int>(start), static_cast<int>(cursor - m_before.size() - start));
        m_settingWindow = false;
    }
}

} // namespace quorel::qt
