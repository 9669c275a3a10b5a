#include "qt/app_shell.h"

#include "form/contract.h"
#include "qt/about_window.h"
#include "qt/main_window.h"
#include "qt/text_bridge.h"
#include "qt/window_placement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>

#include "resources/quorel_icon.xpm"

using namespace Qt::StringLiterals;

namespace quorel::qt {

AppShell::AppShell(ExitFunction exit) : m_exit(std::move(exit)) {
    // The whole interface is Chinese, so Qt's own texts (the OK button, a field's context menu)
    // must be too, whatever the system's locale.
    if (m_qtTranslation.load(u"qtbase_zh_CN"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qtTranslation);

    // Every way out goes through endProgram; a hidden window must not end the program, and
    // closing the last visible one must not leave it running either.
    QApplication::setQuitOnLastWindowClosed(false);

    m_main = std::make_unique<MainWindow>([this](form::Command command) { m_form.run(command); },
                                          [this] { m_form.closeRequested(form::WindowId::Main); });
    m_main->setWindowIcon(QPixmap(quorel_icon_xpm));
}

AppShell::~AppShell() = default;

void AppShell::start() {
    m_form.start();
}

// The box is modal and exec() returns once the user dismissed it; the form hears of it then.
void AppShell::showMessage(form::WindowId owner, std::u16string_view text,
                           std::u16string_view title) {
    QWidget *over = window(owner);
    if (!m_box) {
        m_box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QString(), QString(),
                                              QMessageBox::Ok, over);
        m_box->setTextFormat(Qt::PlainText);
        // Some desktop styles put a check mark on OK; no other button of the program has an icon.
        for (QAbstractButton *button : m_box->buttons())
            button->setIcon(QIcon());
    } else if (m_box->parentWidget() != over) {
        m_box->setParent(over, m_box->windowFlags());
    }
    m_box->setWindowTitle(qtText(title));
    m_box->setText(qtText(text));
    m_box->exec();
    m_form.messageDismissed();
}

void AppShell::createWindow(form::WindowId id) {
    if (id == form::WindowId::About && !m_about) {
        m_about =
            std::make_unique<AboutWindow>([this](form::Command command) { m_form.run(command); },
                                          [this] { m_form.closeRequested(form::WindowId::About); });
    }
}

void AppShell::showWindow(form::WindowId id) {
    QWidget *shown = window(id);
    if (!shown)
        return;
    shown->show();
    keepOnScreen(shown);
    shown->activateWindow();
}

void AppShell::hideWindow(form::WindowId id) {
    if (QWidget *hidden = window(id))
        hidden->hide();
}

void AppShell::endProgram() {
    m_exit(0);
}

std::u16string AppShell::text(form::Field field) const {
    return coreText(m_main->field(field)->text());
}

void AppShell::setText(form::Field field, std::u16string_view text) {
    // A result wider than its field shows its leading digits, not its last.
    QLineEdit *edit = m_main->field(field);
    edit->setText(qtText(text));
    edit->setCursorPosition(0);
}

void AppShell::exitEventLoop(int status) {
    QCoreApplication::exit(status);
}

// Null, and the breach reported, for the About window before the form created it.
QWidget *AppShell::window(form::WindowId id) {
    if (id == form::WindowId::Main)
        return m_main.get();
    if (!m_about)
        form::contractBroken("the About window was asked for before it was created");
    return m_about.get();
}

} // namespace quorel::qt
