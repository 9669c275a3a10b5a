#include "qt/about_window.h"

#include "form/about_window_table.h"
#include "qt/form_keys.h"
#include "qt/window_placement.h"

#include <QCloseEvent>

namespace quorel::qt {

AboutWindow::AboutWindow(const CommandHandler &run, std::function<void()> closeRequested)
    : m_closeRequested(std::move(closeRequested)) {
    buildWindow(this, this, form::aboutWindowTable, run);
    routeKeysThroughForm(this, form::aboutWindowTable, form::WindowId::About, run,
                         m_closeRequested);
    placeWindow(this, form::aboutWindowTable);
}

void AboutWindow::closeEvent(QCloseEvent *event) {
    // The window stays as it is unless the program decides otherwise.
    event->ignore();
    m_closeRequested();
}

} // namespace quorel::qt
