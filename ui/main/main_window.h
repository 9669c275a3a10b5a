#pragma once

#include <QMainWindow>

#include <array>

class QLineEdit;

namespace quorel::ui {

class Shell;
struct Calculation;

// 主程序: the calculator. Reads its fields, hands them to the core and writes back the one
// result of each button; everything else goes through the shell.
class MainWindow final : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(Shell &shell);

    // The load action, and 新建: all nine fields become empty.
    void resetFields();

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    void buildMenus();
    void calculate(const Calculation &calculation);
    void exitProgram();
    void openAbout();
    QLineEdit *field(int number) const;

    Shell &m_shell;
    std::array<QLineEdit *, 9> m_fields{};
};

} // namespace quorel::ui
