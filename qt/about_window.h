#pragma once

#include "qt/widget_builder.h"

#include <QWidget>

namespace quorel::qt {

// Form1: what the program is for, with the way back to the calculator and the way out.
class AboutWindow final : public QWidget {
    Q_OBJECT

  public:
    AboutWindow(const CommandHandler &run, std::function<void()> closeRequested);

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    std::function<void()> m_closeRequested;
};

} // namespace quorel::qt
