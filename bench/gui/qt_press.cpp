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
#include <utility>

int main(int argc, char *argv[]) {
    const long presses = argc > 1 ? std::atol(argv[1]) : 400000;
    int appArgc = 1;
    QApplication application(appArgc, argv);
    quorel::qt::AppShell shell([](int) {});
    shell.start();
    quorel::qt::MainWindow *window = shell.mainWindow();
    namespace names = quorel::form::main_names;
    using enum quorel::form::Field;
    for (const auto &[field, text] : {std::pair{TargetMass, "100"},
                                      {TargetPercent, "10"},
                                      {ConcentratePercent, "98"},
                                      {ConcentrateDensity, "1.84"},
                                      {SolventDensity, "1"}})
        window->field(field)->setText(QString::fromLatin1(text));
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
    if (window->field(ConcentrateMass)->text() != QStringLiteral("10.2040816326531"))
        return 1;
    std::printf("%.1f\n", spent.count() / static_cast<double>(presses));
    return 0;
}
