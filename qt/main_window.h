#pragma once

#include "form/control_table.h"
#include "qt/widget_builder.h"

#include <QMainWindow>

#include <array>

class QLineEdit;

namespace quorel::qt {

// 主程序: the calculator's widgets, built from its tables. Clicks, menu commands and the close
// request go to the form; the shell reads and writes the nine text fields through field().
class MainWindow final : public QMainWindow {
    Q_OBJECT

  public:
    MainWindow(CommandHandler run, std::function<void()> closeRequested);

    QLineEdit *field(form::Field field) const;

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    void buildMenus();

    CommandHandler m_run;
    std::function<void()> m_closeRequested;
    std::array<QLineEdit *, form::fieldCount> m_fields{};
};

} // namespace quorel::qt
