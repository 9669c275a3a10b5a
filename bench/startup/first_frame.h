#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace quorel::bench {

// Watches the whole application for the first paint of a top-level window. Once that frame has
// been painted and flushed, prints the moment on the monotonic clock and ends the process at
// once, so the runner measures start-up alone and nothing of the shutdown.
class FirstFrameReporter final : public QObject {
  public:
    explicit FirstFrameReporter(QApplication &app) { app.installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && !m_seen && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->isWindow()) {
            m_seen = true;
            QTimer::singleShot(0, this, &FirstFrameReporter::report);
        }
        return false;
    }

  private:
    static void report() {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("first_frame_ns %lld\n",
                    static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fflush(stdout);
        _exit(0);
    }

    bool m_seen = false;
};

} // namespace quorel::bench
