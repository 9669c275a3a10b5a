// Memory of the running calculator across thousands of message boxes: each press of a
// calculation button with the fields empty shows "请输入所需配制溶液质量!" in a modal box, which a
// timer dismisses as a user would. Prints the resident memory before and after, and the growth
// per box; a program that keeps something of every box grows without end.
//
//   message_box_memory [BOXES]     (offscreen or on a display)

#include "bench/gui/process_memory.h"
#include "form/control_names.h"
#include "qt/app_shell.h"
#include "qt/main_window.h"
#include "qt/text_bridge.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

void pressOk() {
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (box && box->isVisible() && !box->buttons().isEmpty())
        box->buttons().constFirst()->click();
}

} // namespace

int main(int argc, char *argv[]) {
    const int boxes = argc > 1 ? std::atoi(argv[1]) : 5000;
    int appArgc = 1;
    QApplication application(appArgc, argv);
    quorel::qt::AppShell shell([](int) {});
    shell.start();
    auto *button = shell.mainWindow()->findChild<QPushButton *>(
        quorel::qt::qtText(quorel::form::main_names::solventMassButton));

    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, &pressOk);
    closer.start();

    // The first boxes load fonts, translations and style data once; measure after them.
    for (int i = 0; i < 50; ++i)
        button->click();
    const long before = quorel::bench::processMemoryKiB("VmRSS:");
    for (int i = 0; i < boxes; ++i)
        button->click();
    const long after = quorel::bench::processMemoryKiB("VmRSS:");

    std::printf("boxes %d\nrss_before_kib %ld\nrss_after_kib %ld\nbytes_per_box %.0f\n", boxes,
                before, after, boxes > 0 ? (after - before) * 1024.0 / boxes : 0.0);
    return 0;
}
