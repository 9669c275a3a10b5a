// Quorel's own start-up, as the program runs it, reporting its first painted frame.

#include "bench/startup/first_frame.h"
#include "qt/app_shell.h"

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    quorel::bench::FirstFrameReporter reporter(application);
    quorel::qt::AppShell shell;
    shell.start();
    return QApplication::exec();
}
