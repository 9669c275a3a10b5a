// A huge paste into a focused text field, then what a user does next: a keystroke, Home, End, a
// click, a Backspace, three idle seconds of cursor blinking, select all + Delete, undo and redo
// of that, 文件 → 新建, and a keystroke into the emptied field. Prints the time of each step and
// the memory after it: resident, peak, and what the allocator holds freed; checks that the text
// is exactly what the keys made of it.
//
//   paste_bench MEGABYTES field|plain      (offscreen or on a display)
//
// "field" is Text1 of the calculator's main window, as the program builds it; "plain" a bare
// QLineEdit without a length limit in a bare window, for comparison.

#include "bench/gui/process_memory.h"
#include "form/control_names.h"
#include "qt/app_shell.h"
#include "qt/main_window.h"
#include "qt/text_bridge.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <malloc.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>

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
    const long long elapsed = timer.elapsed();
    const struct mallinfo2 heap = mallinfo2();
    std::printf("%-22s %7lld ms   rss %8ld KiB   peak %8ld KiB   freed, kept %7zu KiB\n", name,
                elapsed, quorel::bench::processMemoryKiB("VmRSS:"),
                quorel::bench::processMemoryKiB("VmHWM:"), heap.fordblks / 1024);
    std::fflush(stdout);
}

int failures = 0;

void expect(const QString &actual, const QString &expected, const char *what) {
    if (actual == expected)
        return;
    std::printf("  LOST TEXT %s: %lld characters, expected %lld\n", what,
                static_cast<long long>(actual.size()), static_cast<long long>(expected.size()));
    ++failures;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc != 3 || (std::strcmp(argv[2], "field") != 0 && std::strcmp(argv[2], "plain") != 0)) {
        std::fprintf(stderr, "usage: paste_bench MEGABYTES field|plain\n");
        return 2;
    }
    const qsizetype length = qsizetype(std::atof(argv[1]) * 1024 * 1024);
    const bool calculator = std::strcmp(argv[2], "field") == 0;
    int appArgc = 1;
    QApplication application(appArgc, argv);

    std::unique_ptr<quorel::qt::AppShell> shell;
    std::unique_ptr<QWidget> bare;
    QLineEdit *edit = nullptr;
    QWidget *window = nullptr;
    std::function<void()> newFields;
    std::function<QString()> text; // as a calculation reads it
    if (calculator) {
        shell = std::make_unique<quorel::qt::AppShell>([](int) {});
        shell->start();
        window = shell->mainWindow();
        edit = shell->mainWindow()->field(quorel::form::Field::TargetMass);
        auto *newItem =
            window->findChild<QAction *>(quorel::qt::qtText(quorel::form::menu_names::newFields));
        newFields = [newItem] { newItem->trigger(); };
        text = [&shell] {
            return quorel::qt::qtText(shell->text(quorel::form::Field::TargetMass));
        };
    } else {
        bare = std::make_unique<QWidget>();
        window = bare.get();
        edit = new QLineEdit(window);
        edit->setMaxLength(std::numeric_limits<int>::max());
        edit->setGeometry(8, 8, 81, 25);
        window->resize(100, 40);
        window->show();
        newFields = [edit] { edit->clear(); };
        text = [edit] { return edit->text(); };
    }
    window->activateWindow();
    edit->setFocus();
    if (!QTest::qWaitForWindowActive(window))
        return 1;

    QString pasted;
    pasted.reserve(length);
    while (pasted.size() < length)
        pasted += QStringLiteral("1234567890");
    pasted.truncate(length);
    QApplication::clipboard()->setText(pasted);

    std::printf("%s, %s MB\n", calculator ? "the calculator's Text1" : "a plain QLineEdit",
                argv[1]);
    step("start", edit, [] {});
    step("paste", edit, [&] { QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier); });
    expect(text(), pasted, "after the paste");
    step("keystroke", edit, [&] { QTest::keyClick(edit, Qt::Key_5); });
    step("Home", edit, [&] { QTest::keyClick(edit, Qt::Key_Home); });
    step("End", edit, [&] { QTest::keyClick(edit, Qt::Key_End); });
    step("click", edit, [&] { QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(30, 12)); });
    const qsizetype clicked = edit->cursorPosition();
    step("Backspace", edit, [&] { QTest::keyClick(edit, Qt::Key_Backspace); });
    QString typed = pasted + u'5';
    if (clicked > 0)
        typed.remove(clicked - 1, 1);
    expect(text(), typed, "after the keys");

    const double cpu = cpuSeconds();
    QEventLoop idle;
    QTimer::singleShot(3000, &idle, &QEventLoop::quit);
    idle.exec();
    std::printf("idle 3 s, focused: %.2f s of CPU\n", cpuSeconds() - cpu);

    step("select all + Delete", edit, [&] {
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
    });
    expect(text(), QString(), "after select all + Delete");
    step("undo", edit, [&] { QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier); });
    expect(text(), typed, "after the undo");
    step("redo", edit,
         [&] { QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); });
    expect(text(), QString(), "after the redo");
    step("新建", edit, newFields);
    pasted = QString();
    typed = QString();
    step("clipboard cleared", edit, [] { QApplication::clipboard()->clear(); });
    step("keystroke", edit, [&] { QTest::keyClick(edit, Qt::Key_1); });
    expect(text(), QStringLiteral("1"), "typed into the emptied field");
    std::printf("%s\n", failures == 0 ? "no text lost" : "TEXT LOST");
    return failures == 0 ? 0 : 1;
}
