// Starts Quorel.exe, works the example through all four buttons and holds the window still for a
// few seconds, so a screenshot can be taken from outside (docs/windows-main-window.png); with
// "about", it goes on to 关于 and holds the About window still instead.
//   worked_example_pose [SECONDS] [about]

#include "win32/tests/program_driver.h"

#include "form/about_window_table.h"
#include "form/control_names.h"
#include "form/main_window_table.h"
#include "win32/wide_text.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace quorel;
using namespace quorel::win32::testing;

int main(int argc, char **argv) {
    SetProcessDPIAware();
    ProgramRun run;
    const std::pair<form::Field, const wchar_t *> inputs[] = {
        {form::Field::TargetMass, L"100"},        {form::Field::TargetPercent, L"10"},
        {form::Field::ConcentratePercent, L"98"}, {form::Field::ConcentrateDensity, L"1.84"},
        {form::Field::SolventDensity, L"1"},
    };
    for (const auto &[field, text] : inputs)
        setWindowText(run.field(field), text);
    using namespace form::main_names;
    const std::pair<std::u16string_view, form::Field> buttons[] = {
        {concentrateMassButton, form::Field::ConcentrateMass},
        {concentrateVolumeButton, form::Field::ConcentrateVolume},
        {solventMassButton, form::Field::SolventMass},
        {solventVolumeButton, form::Field::SolventVolume},
    };
    for (const auto &[name, result] : buttons) {
        click(ProgramRun::control(run.mainWindow(), form::mainWindowTable,
                                  *form::findRow(form::mainWindowTable, name)));
        if (!waitUntil([&] { return !windowText(run.field(result)).empty(); }))
            return 1;
    }
    // The keyboard focus back in Text1, as after typing the example.
    PostMessageW(run.field(form::Field::TargetMass), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageW(run.field(form::Field::TargetMass), WM_LBUTTONUP, 0, 0);
    if (argc > 2 && std::strcmp(argv[2], "about") == 0) {
        if (!bringToFront(run.mainWindow()))
            return 1;
        pressWithModifier(VK_MENU, 'A');
        if (!waitUntil([&] { return run.topLevel(win32::wide(form::aboutWindowTable.title)); }))
            return 1;
    }
    std::puts("ready");
    std::fflush(stdout);
    Sleep(1000 * static_cast<DWORD>(argc > 1 ? std::atoi(argv[1]) : 4));
    return 0;
}
