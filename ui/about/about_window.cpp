#include "ui/about/about_window.h"

#include "ui/about/about_window_table.h"
#include "ui/shell.h"

#include <QCloseEvent>
#include <QPushButton>

namespace quorel::ui {

AboutWindow::AboutWindow(Shell &shell) : m_shell(shell) {
    buildWindow(this, this, aboutWindowTable);
    placeWindow(this, aboutWindowTable);

    connect(findControl<QPushButton>(this, u"Command1"), &QPushButton::clicked, this,
            &AboutWindow::returnToMain);
    connect(findControl<QPushButton>(this, u"Command2"), &QPushButton::clicked, this,
            [this] { m_shell.endProgram(); });
}

void AboutWindow::closeEvent(QCloseEvent *event) {
    // Closing through the title bar is taken as 返回, so closing a window never loses the
    // calculator's fields.
    event->ignore();
    returnToMain();
}

void AboutWindow::returnToMain() {
    m_shell.showWindow(WindowId::Main);
    m_shell.hideWindow(WindowId::About);
}

} // namespace quorel::ui
