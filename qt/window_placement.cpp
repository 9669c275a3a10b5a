#include "qt/window_placement.h"

#include "form/window_placement.h"
#include "qt/widget_builder.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace quorel::qt {

namespace {

form::PixelRect pixelRect(const QRect &rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

} // namespace

void placeWindow(QWidget *window, const form::WindowTable &table) {
    window->move(toQRect(table.clientArea).topLeft());
}

void keepOnScreen(QWidget *window) {
    const QRect frame = window->frameGeometry();
    // A window whose middle lies on no screen goes onto the one Qt gave it.
    QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = window->screen();
    if (!screen)
        return;
    const form::PixelRect kept =
        form::keptOnScreen(pixelRect(frame), pixelRect(screen->availableGeometry()));
    if (kept.left != frame.x() || kept.top != frame.y())
        window->move(kept.left, kept.top); // a top-level window's position is its frame's
}

} // namespace quorel::qt
