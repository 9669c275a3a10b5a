#include "qt/form_keys.h"

#include "qt/text_bridge.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace quorel::qt {

namespace {

class KeysThroughForm final : public QObject {
  public:
    KeysThroughForm(QWidget *control, form::ControlKind kind, form::WindowId window,
                    CommandHandler run, std::function<void()> closeRequested)
        : QObject(control), m_control(control), m_kind(kind), m_window(window),
          m_run(std::move(run)), m_closeRequested(std::move(closeRequested)) {
        control->installEventFilter(this);
    }

    // Qt first offers the key as a ShortcutOverride: accepting it keeps the menu's shortcuts
    // out and delivers the key press to the control, where the form's decision is carried out.
    // A text field keeps every Ctrl+letter the form leaves to it.
    bool eventFilter(QObject *, QEvent *event) override {
        const bool override = event->type() == QEvent::ShortcutOverride;
        if (!override && event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        const std::optional<form::KeyPress> press = formKeyPress(*key);
        if (!press)
            return false;
        const form::KeyAction action = form::keyAction(m_window, m_kind, *press);
        if (override) {
            const bool claimed = action.response != form::KeyResponse::Default ||
                                 (m_kind == form::ControlKind::TextField &&
                                  form::holds(press->modifiers, form::Modifier::Ctrl));
            if (claimed)
                event->accept();
            return claimed;
        }
        if (action.response == form::KeyResponse::Default)
            return false;
        // A key held down acts once.
        if (!key->isAutoRepeat())
            carryOut(action);
        return true;
    }

  private:
    void carryOut(const form::KeyAction &action) {
        switch (action.response) {
        case form::KeyResponse::Default:
        case form::KeyResponse::Ignore:
            break;
        case form::KeyResponse::PressFocusedButton:
            if (auto *button = qobject_cast<QAbstractButton *>(m_control))
                button->click();
            break;
        case form::KeyResponse::RunCommand:
            m_run(*action.command);
            break;
        case form::KeyResponse::RequestClose:
            m_closeRequested();
            break;
        }
    }

    QWidget *m_control;
    form::ControlKind m_kind;
    form::WindowId m_window;
    CommandHandler m_run;
    std::function<void()> m_closeRequested;
};

} // namespace

std::optional<form::KeyPress> formKeyPress(const QKeyEvent &event) {
    char16_t key = 0;
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        key = form::enterKey;
    else if (event.key() == Qt::Key_Escape)
        key = form::escapeKey;
    else if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        key = static_cast<char16_t>(u'A' + (event.key() - Qt::Key_A));
    else
        return std::nullopt;
    using form::Modifier;
    const Qt::KeyboardModifiers held = event.modifiers();
    const auto flag = [&](Qt::KeyboardModifier qtFlag, Modifier modifier) {
        return held.testFlag(qtFlag) ? modifier : Modifier::None;
    };
    return form::KeyPress{key, flag(Qt::ControlModifier, Modifier::Ctrl) |
                                   flag(Qt::ShiftModifier, Modifier::Shift) |
                                   flag(Qt::AltModifier, Modifier::Alt)};
}

void routeKeysThroughForm(QWidget *surface, const form::WindowTable &table, form::WindowId window,
                          CommandHandler run, std::function<void()> closeRequested) {
    for (const form::ControlRow &row : table.controls) {
        if (!form::takesFocus(row))
            continue;
        if (auto *control = surface->findChild<QWidget *>(qtText(row.name)))
            new KeysThroughForm(control, row.kind, window, run, closeRequested);
    }
}

} // namespace quorel::qt
