// The native side of the browser benchmark: the four calculation buttons of the worked example
// pressed through the form, as the desktop faces press them, with the fields held in memory.
// Prints nanoseconds per press.
//   native_press [presses]
#include "form/calculator_form.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace quorel::form;

class MemoryFace final : public Shell, public FieldAccess {
  public:
    void showMessage(WindowId, std::u16string_view, std::u16string_view) override { ++messages; }
    void createWindow(WindowId) override {}
    void showWindow(WindowId) override {}
    void hideWindow(WindowId) override {}
    void endProgram() override {}
    std::u16string text(Field field) const override { return fields[static_cast<int>(field)]; }
    void setText(Field field, std::u16string_view text) override {
        fields[static_cast<int>(field)] = text;
    }

    std::array<std::u16string, fieldCount> fields;
    int messages = 0;
};

} // namespace

int main(int argc, char **argv) {
    const long presses = argc > 1 ? std::atol(argv[1]) : 400000;
    MemoryFace face;
    CalculatorForm form(face, face);
    form.start();
    face.setText(Field::TargetMass, u"100");
    face.setText(Field::TargetPercent, u"10");
    face.setText(Field::ConcentratePercent, u"98");
    face.setText(Field::ConcentrateDensity, u"1.84");
    face.setText(Field::SolventDensity, u"1");
    constexpr std::array buttons{Command::CalculateConcentrateMass,
                                 Command::CalculateConcentrateVolume, Command::CalculateSolventMass,
                                 Command::CalculateSolventVolume};
    const auto started = std::chrono::steady_clock::now();
    for (long i = 0; i < presses; ++i)
        form.run(buttons[static_cast<std::size_t>(i % 4)]);
    const std::chrono::duration<double, std::nano> spent =
        std::chrono::steady_clock::now() - started;
    if (face.messages != 0 ||
        face.fields[static_cast<int>(Field::ConcentrateMass)] != u"10.2040816326531")
        return 1;
    std::printf("%.1f\n", spent.count() / static_cast<double>(presses));
    return 0;
}
