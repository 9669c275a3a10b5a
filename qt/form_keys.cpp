#include "qt/form_keys.h"

#include "qt/text_bridge.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

#include <optional>

namespace quorel::qt {

namespace {

std::optional<form::KeyPress> ctrlLetter(const QKeyEvent &key) {
    const Qt::KeyboardModifiers held = key.modifiers();
    if (!held.testFlag(Qt::ControlModifier) || key.key() < Qt::Key_A || key.key() > Qt::Key_Z)
        return std::nullopt;
    return formKeyPress(static_cast<char16_t>(u'A' + (key.key() - Qt::Key_A)), held);
}

class CtrlKeysThroughForm final : public QObject {
  public:
    CtrlKeysThroughForm(QWidget *control, form::ControlKind kind,
                        std::span<const form::MenuRow> menu, CommandHandler run)
        : QObject(control), m_kind(kind), m_menu(menu), m_run(std::move(run)) {
        control->installEventFilter(this);
    }

    // Qt first offers the key as a ShortcutOverride: accepting it keeps the menu's shortcuts
    // out and delivers the key press to the control, where the form's decision is carried out.
    bool eventFilter(QObject *, QEvent *event) override {
        const bool override = event->type() == QEvent::ShortcutOverride;
        if (!override && event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        const std::optional<form::KeyPress> press = ctrlLetter(*key);
        if (!press)
            return false;
        const form::KeyAction action = form::keyAction(m_menu, m_kind, *press);
        const bool claimed = action.response == form::KeyResponse::RunCommand ||
                             m_kind == form::ControlKind::TextField;
        if (override) {
            if (claimed)
                event->accept();
            return claimed;
        }
        if (action.response != form::KeyResponse::RunCommand)
            return false;
        if (!key->isAutoRepeat())
            m_run(*action.command);
        return true;
    }

  private:
    form::ControlKind m_kind;
    std::span<const form::MenuRow> m_menu;
    CommandHandler m_run;
};

} // namespace

form::KeyPress formKeyPress(char16_t key, Qt::KeyboardModifiers held) {
    using form::Modifier;
    const auto flag = [&](Qt::KeyboardModifier qtFlag, Modifier modifier) {
        return held.testFlag(qtFlag) ? modifier : Modifier::None;
    };
    return {key, flag(Qt::ControlModifier, Modifier::Ctrl) |
                     flag(Qt::ShiftModifier, Modifier::Shift) |
                     flag(Qt::AltModifier, Modifier::Alt)};
}

void routeCtrlKeysThroughForm(QWidget *window, const form::WindowTable &table,
                              std::span<const form::MenuRow> menu, CommandHandler run) {
    for (const form::ControlRow &row : table.controls) {
        if (!form::takesFocus(row))
            continue;
        if (auto *control = window->findChild<QWidget *>(qtText(row.name)))
            new CtrlKeysThroughForm(control, row.kind, menu, run);
    }
}

} // namespace quorel::qt
