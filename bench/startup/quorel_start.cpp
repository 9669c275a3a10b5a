// Quorel's own start-up, as the program runs it, reporting its first painted frame.

#include "app/app_shell.h"
#include "bench/startup/first_frame.h"

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    quorel::bench::FirstFrameReporter reporter(application);
    quorel::app::AppShell shell;
    shell.start();
    return QApplication::exec();
}
