#include "web/web_face.h"

#include "web/table_export.h"

#include <emscripten/em_js.h>
#include <emscripten/em_macros.h>

#include <cstdlib>
#include <memory>
#include <string>

// The field texts cross to and from the page on every press, so they go straight through the
// module's memory as UTF-16, without embind's general call machinery.
// clang-format off
EM_JS(void, quorel_attach_page, (void *page), {
    Module["quorelPage"] = Emval.toValue(page);
});
EM_JS(void, quorel_set_text, (int field, const char16_t *text, int length), {
    Module["quorelPage"].setText(field, UTF16Decoder.decode(HEAPU8.subarray(text, text + length * 2)));
});
EM_JS(char16_t *, quorel_text, (int field, int *length), {
    const text = Module["quorelPage"].text(field);
    const bytes = text.length * 2 + 2;
    const copy = _malloc(bytes);
    stringToUTF16(text, copy, bytes);
    HEAP32[length >> 2] = text.length;
    return copy;
});
// clang-format on

namespace quorel::web {

using emscripten::val;

WebFace::WebFace(val page) : m_page(std::move(page)), m_form(*this, *this) {
    quorel_attach_page(m_page.as_handle());
}

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
    m_page.call<void>("showMessage", static_cast<int>(owner), std::u16string(text),
                      std::u16string(title));
}

void WebFace::createWindow(form::WindowId window) {
    m_page.call<void>("createWindow", static_cast<int>(window));
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

std::u16string WebFace::text(form::Field field) const {
    int length = 0;
    const std::unique_ptr<char16_t, decltype(&std::free)> copy(
        quorel_text(static_cast<int>(field), &length), &std::free);
    return std::u16string(copy.get(), static_cast<std::size_t>(length));
}

void WebFace::setText(form::Field field, std::u16string_view text) {
    quorel_set_text(static_cast<int>(field), text.data(), static_cast<int>(text.size()));
}

} // namespace quorel::web
