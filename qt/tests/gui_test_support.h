#pragma once

#include "form/control_names.h"
#include "qt/app_shell.h"
#include "qt/text_bridge.h"

#include <QLineEdit>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

class QWidget;

namespace quorel::test {

// The object names the tests look controls up by, as the program's tables give them.
namespace names {
inline const QString mainWindow = qt::qtText(form::main_names::window);
inline const QString concentrateMassButton = qt::qtText(form::main_names::concentrateMassButton);
inline const QString concentrateVolumeButton =
    qt::qtText(form::main_names::concentrateVolumeButton);
inline const QString solventMassButton = qt::qtText(form::main_names::solventMassButton);
inline const QString solventVolumeButton = qt::qtText(form::main_names::solventVolumeButton);
inline const QString exitButton = qt::qtText(form::main_names::exitButton);
inline const QStringList calculationButtons{concentrateMassButton, concentrateVolumeButton,
                                            solventMassButton, solventVolumeButton};
inline QString field(int number) {
    return qt::qtText(form::main_names::fields[number - 1]);
}

inline const QString fileMenu = qt::qtText(form::menu_names::file);
inline const QString newItem = qt::qtText(form::menu_names::newFields);
inline const QString exitItem = qt::qtText(form::menu_names::exit);
inline const QString optionsMenu = qt::qtText(form::menu_names::options);
inline const QString dilutionItem = qt::qtText(form::menu_names::dilution);
inline const QString aboutCommand = qt::qtText(form::menu_names::about);

inline const QString aboutWindow = qt::qtText(form::about_names::window);
inline const QString aboutParagraph = qt::qtText(form::about_names::paragraph);
inline const QString aboutNotice = qt::qtText(form::about_names::notice);
inline const QString aboutContact = qt::qtText(form::about_names::contact);
inline const QString returnButton = qt::qtText(form::about_names::returnButton);
inline const QString aboutExitButton = qt::qtText(form::about_names::exitButton);
} // namespace names

// The program as a user meets it, except that ending it only records the exit status: a real
// end would end the test.
class RunningProgram {
  public:
    RunningProgram();
    ~RunningProgram();

    qt::AppShell &shell() { return *m_shell; }
    QWidget *mainWindow() const;
    QWidget *aboutWindow() const;
    // 关于 chosen on the menu bar, as a user opens it; the About window it shows.
    QWidget *openAbout();

    QStringList fieldTexts() const; // Text1 to Text9
    void setFieldTexts(const QStringList &texts);
    QLineEdit *field(int number) const;

    QList<int> exitStatuses;

  private:
    std::unique_ptr<qt::AppShell> m_shell;
};

struct SeenBox {
    QString title;
    QString text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool buttonIcons = false; // whether any button carries an icon
    bool modal = false;
    QPointer<QMessageBox> box;     // null once the box is gone
    const QWidget *over = nullptr; // the window the box sits on
    QStringList fieldsWhileOpen;   // as the main window showed them behind the box
};

// Answers every modal message box that opens between arm() and finish() by clicking its first
// button, from inside the box's own event loop, and records what each box showed.
class ModalBoxCloser {
  public:
    explicit ModalBoxCloser(const RunningProgram *program = nullptr);

    void arm();
    QList<SeenBox> finish();
    // Runs inside each box's event loop once its contents were recorded, before it is answered.
    void whileOpen(std::function<void()> action) { m_whileOpen = std::move(action); }

  private:
    void closeActiveBox();

    const RunningProgram *m_program;
    std::function<void()> m_whileOpen;
    QTimer m_timer;
    QList<SeenBox> m_seen;
};

// Top-level widgets that still exist; empty after a test that cleaned up after itself.
QStringList remainingTopLevelWidgets();

// A test case that starts the program afresh, its main window on screen, before each test
// function, and afterwards checks that ending it left no window behind.
class ProgramTestCase : public QObject {
    Q_OBJECT

  protected slots:
    void init();
    void cleanup();

  protected:
    std::unique_ptr<RunningProgram> m_program;
};

} // namespace quorel::test
