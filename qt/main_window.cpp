#include "qt/main_window.h"

#include "form/main_window_table.h"
#include "qt/form_keys.h"
#include "qt/text_bridge.h"
#include "qt/window_placement.h"

#include <QAction>
#include <QCloseEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace quorel::qt {

namespace {

// Qt marks the access key with '&'.
QString menuCaption(const form::MenuRow &row) {
    return qtText(form::captionWithMarker(row, u'&'));
}

// Qt reads the form's "Ctrl+N" as it is.
QKeySequence keySequence(form::Shortcut shortcut) {
    return QKeySequence(qtText(form::shortcutText(shortcut)), QKeySequence::PortableText);
}

} // namespace

MainWindow::MainWindow(CommandHandler run, std::function<void()> closeRequested)
    : m_run(std::move(run)), m_closeRequested(std::move(closeRequested)) {
    auto *surface = new QWidget(this);
    setCentralWidget(surface);
    buildWindow(this, surface, form::mainWindowTable, m_run);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    placeWindow(this, form::mainWindowTable);
    buildMenus();
    routeKeysThroughForm(surface, form::mainWindowTable, form::WindowId::Main, m_run,
                         m_closeRequested);

    for (const form::ControlRow &row : form::mainWindowTable.controls) {
        if (row.field)
            m_fields[static_cast<std::size_t>(*row.field)] =
                surface->findChild<QLineEdit *>(qtText(row.name));
    }
}

QLineEdit *MainWindow::field(form::Field field) const {
    return m_fields[static_cast<std::size_t>(field)];
}

void MainWindow::closeEvent(QCloseEvent *event) {
    // The window stays as it is unless the program decides otherwise.
    event->ignore();
    m_closeRequested();
}

void MainWindow::buildMenus() {
    QMenu *menu = nullptr;
    for (const form::MenuRow &row : form::mainMenuTable) {
        QAction *action = nullptr;
        switch (row.level) {
        case form::MenuLevel::Menu:
            menu = menuBar()->addMenu(menuCaption(row));
            menu->setObjectName(qtText(row.name));
            action = menu->menuAction();
            break;
        case form::MenuLevel::Item:
            action = menu->addAction(menuCaption(row));
            break;
        case form::MenuLevel::Separator:
            action = menu->addSeparator();
            break;
        case form::MenuLevel::BarCommand:
            action = menuBar()->addAction(menuCaption(row));
            break;
        }
        action->setObjectName(qtText(row.name));
        // Shown in the menu; on the window's controls the form decides what the key does.
        if (row.shortcut)
            action->setShortcut(keySequence(row.shortcut));
        action->setEnabled(row.enabled);
        if (row.command) {
            connect(action, &QAction::triggered, this,
                    [this, command = *row.command] { m_run(command); });
        }
    }
}

} // namespace quorel::qt
