// The desktop side of the browser benchmark: the four calculation buttons of the worked example
// clicked in the calculator as the Qt face builds it, the form reading and writing its QLineEdits.
// Prints nanoseconds per press.
//
//   qt_press [PRESSES]     (offscreen or on a display)

#include "form/control_names.h"
#include "qt/app_shell.h"
#include "qt/main_window.h"
#include "qt/text_bridge.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[]) {
    const long presses = argc > 1 ? std::atol(argv[1]) : 400000;
    int appArgc = 1;
    QApplication application(appArgc, argv);
    quorel::qt::AppShell shell([](int) {});
    shell.start();
    QWidget *window = shell.mainWindow();
    namespace names = quorel::form::main_names;
    const auto field = [&](int n) {
        return window->findChild<QLineEdit *>(quorel::qt::qtText(names::fields[n - 1]));
    };
    for (const auto &[n, text] : {std::pair{1, "100"}, {2, "10"}, {3, "98"}, {5, "1.84"}, {8, "1"}})
        field(n)->setText(QString::fromLatin1(text));
    std::array<QPushButton *, 4> buttons{};
    int i = 0;
    for (const std::u16string_view name :
         {names::concentrateMassButton, names::concentrateVolumeButton, names::solventMassButton,
          names::solventVolumeButton})
        buttons[static_cast<std::size_t>(i++)] =
            window->findChild<QPushButton *>(quorel::qt::qtText(name));

    // Timed once warm, as the browser's presses are.
    for (long press = 0; press < presses; ++press)
        buttons[static_cast<std::size_t>(press % 4)]->click();
    const auto started = std::chrono::steady_clock::now();
    for (long press = 0; press < presses; ++press)
        buttons[static_cast<std::size_t>(press % 4)]->click();
    const std::chrono::duration<double, std::nano> spent =
        std::chrono::steady_clock::now() - started;
    if (field(4)->text() != QStringLiteral("10.2040816326531"))
        return 1;
    std::printf("%.1f\n", spent.count() / static_cast<double>(presses));
    return 0;
}
