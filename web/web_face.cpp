#include "web/web_face.h"

#include "web/page_calls.h"

#include <optional>

namespace quorel::web {

namespace {

int length(std::u16string_view text) {
    return static_cast<int>(text.size());
}

std::optional<form::Command> commandFromIndex(int index) {
    if (index < 0 || index > static_cast<int>(form::Command::EndProgram))
        return std::nullopt;
    return static_cast<form::Command>(index);
}

std::optional<form::WindowId> windowFromIndex(int index) {
    if (index < 0 || index > static_cast<int>(form::WindowId::About))
        return std::nullopt;
    return static_cast<form::WindowId>(index);
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
