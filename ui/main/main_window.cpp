#include "ui/main/main_window.h"

#include "core/dilution.h"
#include "core/number_text.h"
#include "ui/main/main_window_table.h"
#include "ui/shell.h"
#include "ui/text_bridge.h"

#include <QAction>
#include <QCloseEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <variant>

using namespace Qt::StringLiterals;

namespace quorel::ui {

// A calculation button, the core function behind it and the field it writes.
struct Calculation {
    std::u16string_view button;
    core::CalcOutcome (*compute)(const core::DilutionTexts &);
    int resultField;
    // Only the concentrate mass clears its result after a message; the others keep theirs.
    bool emptyResultOnMessage;
};

namespace {

constexpr std::array calculations{
    Calculation{u"Command1", &core::computeConcentrateMass, 4, true},
    Calculation{u"体积计算", &core::computeConcentrateVolume, 6, false},
    Calculation{u"Command2", &core::computeSolventMass, 7, false},
    Calculation{u"溶剂体积计算", &core::computeSolventVolume, 9, false},
};

template <typename... Handlers> struct Overloaded : Handlers... { using Handlers::operator()...; };

} // namespace

MainWindow::MainWindow(Shell &shell) : m_shell(shell) {
    auto *surface = new QWidget(this);
    setCentralWidget(surface);
    buildWindow(this, surface, mainWindowTable);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    placeWindow(this, mainWindowTable);
    buildMenus();

    for (int number = 1; number <= static_cast<int>(m_fields.size()); ++number)
        m_fields[number - 1] = findChild<QLineEdit *>(u"Text%1"_s.arg(number));

    for (const Calculation &calculation : calculations) {
        connect(findControl<QPushButton>(this, calculation.button), &QPushButton::clicked, this,
                [this, &calculation] { calculate(calculation); });
    }
    connect(findControl<QPushButton>(this, u"Command4"), &QPushButton::clicked, this,
            &MainWindow::exitProgram);

    resetFields();
}

void MainWindow::resetFields() {
    for (QLineEdit *field : m_fields)
        field->clear();
}

void MainWindow::closeEvent(QCloseEvent *event) {
    event->accept();
    m_shell.endProgram();
}

void MainWindow::buildMenus() {
    QMenu *menu = nullptr;
    for (const MenuRow &row : mainMenuTable) {
        QAction *action = nullptr;
        switch (row.level) {
        case MenuLevel::Menu:
            menu = menuBar()->addMenu(qtText(row.caption));
            menu->setObjectName(qtText(row.name));
            action = menu->menuAction();
            action->setObjectName(qtText(row.name));
            break;
        case MenuLevel::Item:
            action = menu->addAction(qtText(row.caption));
            action->setObjectName(qtText(row.name));
            break;
        case MenuLevel::Separator:
            action = menu->addSeparator();
            action->setObjectName(qtText(row.name));
            break;
        case MenuLevel::BarCommand:
            action = menuBar()->addAction(qtText(row.caption));
            action->setObjectName(qtText(row.name));
            break;
        }
        action->setShortcut(QKeySequence(qtText(row.shortcut)));
        action->setEnabled(row.enabled);
    }

    // A text field with the focus takes Ctrl+X for itself and cuts, as it does everywhere on the
    // desktop; anywhere else in the window the shortcut runs 退出.
    connect(findChild<QAction *>(u"新建"_s), &QAction::triggered, this, &MainWindow::resetFields);
    connect(findChild<QAction *>(u"退出"_s), &QAction::triggered, this, &MainWindow::exitProgram);
    connect(findChild<QAction *>(u"关于"_s), &QAction::triggered, this, &MainWindow::openAbout);
}

void MainWindow::calculate(const Calculation &calculation) {
    // The views handed to the core point into these strings.
    const QString targetMass = field(1)->text();
    const QString targetPercent = field(2)->text();
    const QString concentratePercent = field(3)->text();
    const QString concentrateDensity = field(5)->text();
    const QString solventDensity = field(8)->text();
    const core::DilutionTexts texts{coreText(targetMass), coreText(targetPercent),
                                    coreText(concentratePercent), coreText(concentrateDensity),
                                    coreText(solventDensity)};

    QLineEdit *result = field(calculation.resultField);
    std::visit(Overloaded{
                   [&](double value) {
                       result->setText(qtText(core::formatNumber(value)));
                       // A result wider than its field shows its leading digits, not its last.
                       result->setCursorPosition(0);
                   },
                   [&](core::MessageId message) {
                       m_shell.showMessage(core::messageText(message), core::messageTitle());
                       if (calculation.emptyResultOnMessage)
                           result->clear();
                   },
                   [&](core::Overflow) { m_shell.reportOverflow(); },
               },
               calculation.compute(texts));
}

void MainWindow::exitProgram() {
    m_shell.hideWindow(WindowId::Main);
    m_shell.endProgram();
}

void MainWindow::openAbout() {
    m_shell.showWindow(WindowId::About);
    m_shell.hideWindow(WindowId::Main);
}

QLineEdit *MainWindow::field(int number) const {
    return m_fields.at(number - 1);
}

} // namespace quorel::ui
