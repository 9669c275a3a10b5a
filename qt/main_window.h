#pragma once

#include "form/control_table.h"
#include "qt/widget_builder.h"

#include <QMainWindow>

#include <array>

namespace quorel::qt {

class LongTextEdit;

// 主程序: the calculator's widgets, built from its tables. Clicks, menu commands and the close
// request go to the form; the fields are read and written through fieldText and setFieldText.
class MainWindow final : public QMainWindow {
    Q_OBJECT

  public:
    MainWindow(CommandHandler run, std::function<void()> closeRequested);

    LongTextEdit *field(form::Field field) const;

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    void buildMenus();

    CommandHandler m_run;
    std::function<void()> m_closeRequested;
    std::array<LongTextEdit *, form::fieldCount> m_fields{};
};

} // namespace quorel::qt
