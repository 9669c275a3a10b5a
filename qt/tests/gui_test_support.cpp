#include "qt/tests/gui_test_support.h"

#include "form/contract.h"
#include "qt/about_window.h"
#include "qt/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace quorel::test {

RunningProgram::RunningProgram()
    : m_shell(std::make_unique<qt::AppShell>([this](int status) { exitStatuses << status; })) {
    m_shell->start();
}

RunningProgram::~RunningProgram() = default;

QWidget *RunningProgram::mainWindow() const {
    return m_shell->mainWindow();
}

QWidget *RunningProgram::aboutWindow() const {
    return m_shell->aboutWindow();
}

QWidget *RunningProgram::openAbout() {
    mainWindow()->findChild<QAction *>(names::aboutCommand)->trigger();
    return aboutWindow();
}

QLineEdit *RunningProgram::field(int number) const {
    return m_shell->mainWindow()->field(static_cast<form::Field>(number - 1));
}

QStringList RunningProgram::fieldTexts() const {
    QStringList texts;
    for (int number = 1; number <= 9; ++number)
        texts << qt::qtText(m_shell->text(static_cast<form::Field>(number - 1)));
    return texts;
}

void RunningProgram::setFieldTexts(const QStringList &texts) {
    for (int number = 1; number <= 9; ++number)
        m_shell->setText(static_cast<form::Field>(number - 1),
                         qt::coreText(texts.value(number - 1)));
}

ModalBoxCloser::ModalBoxCloser(const RunningProgram *program) : m_program(program) {
    m_timer.setInterval(0);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { closeActiveBox(); });
}

void ModalBoxCloser::arm() {
    m_seen.clear();
    m_timer.start();
}

QList<SeenBox> ModalBoxCloser::finish() {
    m_timer.stop();
    return m_seen;
}

void ModalBoxCloser::closeActiveBox() {
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    SeenBox seen;
    seen.title = box->windowTitle();
    seen.text = box->text();
    for (QAbstractButton *button : box->buttons()) {
        seen.buttons << button->text();
        seen.buttonIcons = seen.buttonIcons || !button->icon().isNull();
    }
    seen.box = box;
    seen.over = box->parentWidget() ? box->parentWidget()->window() : nullptr;
    seen.icon = box->icon();
    seen.modal = box->isModal();
    if (m_program)
        seen.fieldsWhileOpen = m_program->fieldTexts();
    m_seen << seen;
    if (m_whileOpen)
        m_whileOpen();
    if (box->buttons().isEmpty())
        box->reject();
    else
        QTest::mouseClick(box->buttons().constFirst(), Qt::LeftButton);
}

QStringList remainingTopLevelWidgets() {
    QStringList names;
    for (QWidget *widget : QApplication::topLevelWidgets())
        names << (widget->metaObject()->className() + u' ' + widget->objectName());
    return names;
}

namespace {

// A shell asked for something the form promised never to ask fails the test running: the handler
// every program test installs.
void failTestOnBrokenContract(const char *what) {
    QTest::qFail(what, __FILE__, __LINE__);
}

} // namespace

void ProgramTestCase::init() {
    form::setContractHandler(&failTestOnBrokenContract);
    m_program = std::make_unique<RunningProgram>();
    QVERIFY(QTest::qWaitForWindowExposed(m_program->mainWindow()));
}

void ProgramTestCase::cleanup() {
    m_program.reset();
    QTRY_COMPARE(remainingTopLevelWidgets(), QStringList());
}

} // namespace quorel::test
