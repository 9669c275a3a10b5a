#include "app/app_shell.h"

#include "core/messages.h"
#include "ui/about/about_window.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPixmap>

#include "app/quorel_icon.xpm"

using namespace Qt::StringLiterals;

namespace quorel::app {

namespace {

constexpr auto overflowReport =
    u"数值溢出：输入的数或计算的结果超出了可以计算的范围。请检查输入的数值。";

} // namespace

AppShell::AppShell(ExitFunction exit) : m_exit(std::move(exit)) {
    // The whole interface is Chinese, so Qt's own texts (the OK button, a field's context menu)
    // must be too, whatever the system's locale.
    if (m_qtTranslation.load(u"qtbase_zh_CN"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qtTranslation);

    // Every way out goes through endProgram; a hidden window must not end the program, and
    // closing the last visible one must not leave it running either.
    QApplication::setQuitOnLastWindowClosed(false);

    m_main = std::make_unique<ui::MainWindow>(*this);
    m_main->setWindowIcon(QPixmap(quorel_icon_xpm));
}

AppShell::~AppShell() = default;

void AppShell::start() {
    showWindow(ui::WindowId::Main);
}

void AppShell::showMessage(QStringView text, QStringView title) {
    QMessageBox box(QMessageBox::NoIcon, title.toString(), text.toString(), QMessageBox::Ok,
                    visibleWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void AppShell::showWindow(ui::WindowId id) {
    QWidget *shown = window(id);
    shown->show();
    shown->activateWindow();
}

void AppShell::hideWindow(ui::WindowId id) {
    window(id)->hide();
}

void AppShell::endProgram() {
    m_main->hide();
    if (m_about)
        m_about->hide();
    m_exit(0);
}

void AppShell::reportOverflow() {
    showMessage(overflowReport, core::messageTitle());
}

void AppShell::exitEventLoop(int status) {
    QCoreApplication::exit(status);
}

QWidget *AppShell::window(ui::WindowId id) {
    switch (id) {
    case ui::WindowId::Main:
        return m_main.get();
    case ui::WindowId::About:
        if (!m_about)
            m_about = std::make_unique<ui::AboutWindow>(*this);
        return m_about.get();
    }
    return nullptr;
}

QWidget *AppShell::visibleWindow() const {
    if (m_about && m_about->isVisible())
        return m_about.get();
    return m_main.get();
}

} // namespace quorel::app
