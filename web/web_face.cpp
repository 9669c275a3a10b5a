#include "web/web_face.h"

#include "form/about_window_table.h"
#include "form/key_action.h"
#include "form/main_window_table.h"
#include "web/page_calls.h"

#include <optional>
#include <vector>

namespace quorel::web {

namespace {

int length(std::u16string_view text) {
    return static_cast<int>(text.size());
}

std::optional<form::Command> commandFromIndex(int index) {
    if (index < 0 || index >= form::commandCount)
        return std::nullopt;
    return static_cast<form::Command>(index);
}

std::optional<form::WindowId> windowFromIndex(int index) {
    if (index < 0 || index >= form::windowCount)
        return std::nullopt;
    return static_cast<form::WindowId>(index);
}

const form::WindowTable &tableOf(form::WindowId window) {
    return window == form::WindowId::Main ? form::mainWindowTable : form::aboutWindowTable;
}

std::optional<char16_t> formKey(int key) {
    if (key == '\r')
        return form::enterKey;
    if (key == 0x1b)
        return form::escapeKey;
    if (key >= 'A' && key <= 'Z')
        return static_cast<char16_t>(key);
    return std::nullopt;
}

} // namespace

WebFace::WebFace() : m_form(*this, *this) {}

void WebFace::start() {
    m_form.start();
}

void WebFace::run(int command) {
    if (const auto known = commandFromIndex(command))
        m_form.run(*known);
}

void WebFace::closeRequested(int window) {
    if (const auto known = windowFromIndex(window))
        m_form.closeRequested(*known);
}

void WebFace::messageDismissed() {
    m_form.messageDismissed();
}

bool WebFace::key(int window, int focusIndex, int key, HeldModifiers held, bool repeat) {
    const std::optional<form::WindowId> id = windowFromIndex(window);
    const std::optional<char16_t> pressed = formKey(key);
    if (!id || !pressed)
        return false;
    const std::vector<const form::ControlRow *> order = form::focusOrder(tableOf(*id));
    const form::ControlRow *focused =
        focusIndex >= 0 && static_cast<std::size_t>(focusIndex) < order.size()
            ? order[static_cast<std::size_t>(focusIndex)]
            : nullptr;
    using form::Modifier;
    const Modifier modifiers = (held.ctrl ? Modifier::Ctrl : Modifier::None) |
                               (held.shift ? Modifier::Shift : Modifier::None) |
                               (held.alt ? Modifier::Alt : Modifier::None);
    const form::KeyAction action = form::keyAction(
        *id, focused ? focused->kind : form::ControlKind::Label, {*pressed, modifiers});
    if (action.response == form::KeyResponse::Default)
        return false;
    if (repeat)
        return true;
    switch (action.response) {
    case form::KeyResponse::Default:
    case form::KeyResponse::Ignore:
        break;
    case form::KeyResponse::PressFocusedButton:
        if (focused && focused->command)
            m_form.run(*focused->command);
        break;
    case form::KeyResponse::RunCommand:
        m_form.run(*action.command);
        break;
    case form::KeyResponse::RequestClose:
        m_form.closeRequested(*id);
        break;
    }
    return true;
}

void WebFace::showMessage(form::WindowId owner, std::u16string_view text,
                          std::u16string_view title) {
    quorel_page_show_message(static_cast<int>(owner), text.data(), length(text), title.data(),
                             length(title));
}

void WebFace::createWindow(form::WindowId window) {
    quorel_page_create_window(static_cast<int>(window));
}

void WebFace::showWindow(form::WindowId window) {
    quorel_page_show_window(static_cast<int>(window));
}

void WebFace::hideWindow(form::WindowId window) {
    quorel_page_hide_window(static_cast<int>(window));
}

void WebFace::endProgram() {
    quorel_page_end_program();
}

std::u16string WebFace::text(form::Field field) const {
    // A number's text fits the first copy; a longer one takes a second step.
    constexpr int shortText = 64;
    std::u16string text(shortText, u'\0');
    const int length = quorel_page_read_text(static_cast<int>(field), text.data(), shortText);
    text.resize(static_cast<std::size_t>(length));
    if (length > shortText)
        quorel_page_copy_text(text.data());
    return text;
}

void WebFace::setText(form::Field field, std::u16string_view text) {
    quorel_page_set_text(static_cast<int>(field), text.data(), length(text));
}

} // namespace quorel::web
