#include "web/web_face.h"

#include "web/table_export.h"

#include <string>

namespace quorel::web {

using emscripten::val;

WebFace::WebFace(val page) : m_page(std::move(page)), m_form(*this, *this) {}

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
    if (!m_messageOpen)
        return;
    m_messageOpen = false;
    for (const auto &[field, text] : std::exchange(m_heldWrites, {}))
        setText(field, text);
}

void WebFace::showMessage(std::u16string_view text, std::u16string_view title) {
    m_messageOpen = true;
    m_page.call<void>("showMessage", std::u16string(text), std::u16string(title));
}

void WebFace::showWindow(form::WindowId window) {
    m_page.call<void>("showWindow", static_cast<int>(window));
}

void WebFace::hideWindow(form::WindowId window) {
    m_page.call<void>("hideWindow", static_cast<int>(window));
}

void WebFace::endProgram() {
    m_page.call<void>("endProgram");
}

void WebFace::reportOverflow(std::u16string_view text, std::u16string_view title) {
    showMessage(text, title);
}

std::u16string WebFace::text(form::Field field) const {
    return m_page.call<std::u16string>("text", static_cast<int>(field));
}

void WebFace::setText(form::Field field, std::u16string_view text) {
    if (m_messageOpen) {
        m_heldWrites.emplace_back(field, text);
        return;
    }
    m_page.call<void>("setText", static_cast<int>(field), std::u16string(text));
}

} // namespace quorel::web
