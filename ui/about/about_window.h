#pragma once

#include <QWidget>

namespace quorel::ui {

class Shell;

// Form1: what the program is for, with the way back to the calculator and the way out.
class AboutWindow final : public QWidget {
    Q_OBJECT

  public:
    explicit AboutWindow(Shell &shell);

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    void returnToMain();

    Shell &m_shell;
};

} // namespace quorel::ui
