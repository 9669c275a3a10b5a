// The yardstick for Quorel's start-up: a plain Qt window with the same controls, captions,
// geometry and menus as the calculator, but with Qt's default font, no translation, no icon
// and no behaviour behind it.

#include "bench/startup/first_frame.h"
#include "form/main_window_table.h"
#include "qt/text_bridge.h"
#include "qt/widget_builder.h"

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

using namespace quorel::form;
using quorel::qt::qtText;
using quorel::qt::toQRect;

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    quorel::bench::FirstFrameReporter reporter(app);

    QMainWindow window;
    window.setWindowTitle(qtText(mainWindowTable.title));
    QMenu *menu = nullptr;
    for (const MenuRow &row : mainMenuTable) {
        switch (row.level) {
        case MenuLevel::Menu:
            menu = window.menuBar()->addMenu(qtText(row.caption));
            break;
        case MenuLevel::Item:
            menu->addAction(qtText(row.caption));
            break;
        case MenuLevel::Separator:
            menu->addSeparator();
            break;
        case MenuLevel::BarCommand:
            window.menuBar()->addAction(qtText(row.caption));
            break;
        }
    }

    auto *surface = new QWidget(&window);
    surface->setFixedSize(toQRect(mainWindowTable.clientArea).size());
    window.setCentralWidget(surface);
    for (const ControlRow &row : mainWindowTable.controls) {
        QWidget *control = nullptr;
        switch (row.kind) {
        case ControlKind::Label:
        case ControlKind::Paragraph:
            control = new QLabel(qtText(row.caption), surface);
            break;
        case ControlKind::TextField:
            control = new QLineEdit(surface);
            break;
        case ControlKind::Button:
            control = new QPushButton(qtText(row.caption), surface);
            break;
        }
        control->setGeometry(toQRect(row.geometry));
    }

    window.show();
    return app.exec();
}
