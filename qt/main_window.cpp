#include "qt/main_window.h"

#include "form/main_window_table.h"
#include "qt/text_bridge.h"

#include <QAction>
#include <QCloseEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace quorel::qt {

MainWindow::MainWindow(CommandHandler run, std::function<void()> closeRequested)
    : m_run(std::move(run)), m_closeRequested(std::move(closeRequested)) {
    auto *surface = new QWidget(this);
    setCentralWidget(surface);
    buildWindow(this, surface, form::mainWindowTable, m_run);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    placeWindow(this, form::mainWindowTable);
    buildMenus();

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
            menu = menuBar()->addMenu(qtText(row.caption));
            menu->setObjectName(qtText(row.name));
            action = menu->menuAction();
            break;
        case form::MenuLevel::Item:
            action = menu->addAction(qtText(row.caption));
            break;
        case form::MenuLevel::Separator:
            action = menu->addSeparator();
            break;
        case form::MenuLevel::BarCommand:
            action = menuBar()->addAction(qtText(row.caption));
            break;
        }
        action->setObjectName(qtText(row.name));
        // A text field with the focus takes Ctrl+X for itself and cuts, as it does everywhere on
        // the desktop; anywhere else in the window the shortcut runs 退出.
        if (row.shortcut)
            action->setShortcut(
                QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_A + row.shortcut.letter - u'A')));
        action->setEnabled(row.enabled);
        if (row.command) {
            connect(action, &QAction::triggered, this,
                    [this, command = *row.command] { m_run(command); });
        }
    }
}

} // namespace quorel::qt
