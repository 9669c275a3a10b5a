// A huge paste into a focused text field, then a keystroke, Home, End, a click, a Backspace,
// reading the text, three idle seconds of cursor blinking, select all + Delete and clearing the
// clipboard. Prints the time of each step and the resident and peak memory after it, for the
// calculator's field or, for comparison, a plain QLineEdit.
//
//   paste_bench MEGABYTES field|plain      (offscreen or on a display)

#include "bench/gui/process_memory.h"
#include "qt/long_text_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void step(const char *name, QWidget *edit, const std::function<void()> &action) {
    QElapsedTimer timer;
    timer.start();
    action();
    edit->repaint();
    QCoreApplication::processEvents();
    std::printf("%-22s %7lld ms   rss %7ld KiB   peak %7ld KiB\n", name,
                static_cast<long long>(timer.elapsed()), quorel::bench::processMemoryKiB("VmRSS:"),
                quorel::bench::processMemoryKiB("VmHWM:"));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: paste_bench MEGABYTES field|plain\n");
        return 2;
    }
    const qsizetype length = qsizetype(std::atof(argv[1]) * 1024 * 1024);
    const bool field = std::strcmp(argv[2], "field") == 0;
    int appArgc = 1;
    QApplication application(appArgc, argv);

    QWidget window;
    auto *windowed = field ? new quorel::qt::LongTextEdit(&window) : nullptr;
    QLineEdit *edit = field ? windowed : new QLineEdit(&window);
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setGeometry(8, 8, 81, 25);
    window.resize(100, 40);
    window.show();
    edit->setFocus();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    const auto fullText = [&] { return windowed ? windowed->fullText() : edit->text(); };

    QString text;
    text.reserve(length);
    while (text.size() < length)
        text += QStringLiteral("1234567890");
    text.truncate(length);
    QApplication::clipboard()->setText(text);
    text = QString();

    std::printf("%s field, %s MB\n", field ? "calculator's" : "plain QLineEdit", argv[1]);
    step("start", edit, [] {});
    step("paste", edit, [&] { QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier); });
    step("keystroke", edit, [&] { QTest::keyClick(edit, Qt::Key_5); });
    step("Home", edit, [&] { QTest::keyClick(edit, Qt::Key_Home); });
    step("End", edit, [&] { QTest::keyClick(edit, Qt::Key_End); });
    step("click", edit, [&] { QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(30, 12)); });
    step("Backspace", edit, [&] { QTest::keyClick(edit, Qt::Key_Backspace); });
    step("read the text", edit,
         [&] { std::printf("  %lld characters\n", (long long)fullText().size()); });
    const double cpu = cpuSeconds();
    QEventLoop idle;
    QTimer::singleShot(3000, &idle, &QEventLoop::quit);
    idle.exec();
    std::printf("idle 3 s, focused: %.2f s of CPU\n", cpuSeconds() - cpu);
    step("select all + Delete", edit, [&] {
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
    });
    step("clipboard cleared", edit, [] { QApplication::clipboard()->clear(); });
    return fullText().isEmpty() ? 0 : 1;
}
