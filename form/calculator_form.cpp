#include "form/calculator_form.h"

#include "core/messages.h"
#include "core/number_text.h"
#include "form/calculations.h"

#include <string>
#include <utility>
#include <variant>

namespace quorel::form {

namespace {

template <typename... Handlers> struct Overloaded : Handlers... { using Handlers::operator()...; };
template <typename... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

} // namespace

CalculatorForm::CalculatorForm(Shell &shell, FieldAccess &fields)
    : m_shell(shell), m_fields(fields) {}

void CalculatorForm::start() {
    resetFields();
    show(WindowId::Main);
}

void CalculatorForm::run(Command command) {
    // The box is modal: a click that reaches a window behind it anyway (another program posting
    // it) must not run a command, or a second box would open inside the first.
    if (m_messageOpen)
        return;
    switch (command) {
    case Command::ResetFields:
        resetFields();
        break;
    case Command::CalculateConcentrateMass:
    case Command::CalculateConcentrateVolume:
    case Command::CalculateSolventMass:
    case Command::CalculateSolventVolume:
        calculate(*calculationRule(command));
        break;
    case Command::ExitFromCalculator:
    case Command::EndProgram:
        endProgram();
        break;
    case Command::OpenAbout:
        show(WindowId::About);
        hide(WindowId::Main);
        break;
    case Command::ReturnToCalculator:
        show(WindowId::Main);
        hide(WindowId::About);
        break;
    }
}

void CalculatorForm::closeRequested(WindowId window) {
    if (m_messageOpen)
        return;
    switch (window) {
    case WindowId::Main:
        endProgram();
        break;
    case WindowId::About:
        // Closing the About window through its title bar is taken as 返回, so closing a window
        // never loses the calculator's fields.
        run(Command::ReturnToCalculator);
        break;
    }
}

void CalculatorForm::messageDismissed() {
    if (!m_messageOpen)
        return;
    m_messageOpen = false;
    if (const std::optional<Field> field = std::exchange(m_emptyOnDismiss, std::nullopt))
        m_fields.setText(*field, {});
}

void CalculatorForm::resetFields() {
    for (int field = 0; field < fieldCount; ++field)
        m_fields.setText(static_cast<Field>(field), {});
}

void CalculatorForm::calculate(const CalculationRule &rule) {
    // The views handed to the core point into these strings.
    const std::u16string targetMass = m_fields.text(Field::TargetMass);
    const std::u16string targetPercent = m_fields.text(Field::TargetPercent);
    const std::u16string concentratePercent = m_fields.text(Field::ConcentratePercent);
    const std::u16string concentrateDensity = m_fields.text(Field::ConcentrateDensity);
    const std::u16string solventDensity = m_fields.text(Field::SolventDensity);
    const core::DilutionTexts texts{
        .targetMass = targetMass,
        .targetPercent = targetPercent,
        .concentratePercent = concentratePercent,
        .concentrateDensity = concentrateDensity,
        .solventDensity = solventDensity,
    };

    std::visit(Overloaded{
                   [&](double value) { m_fields.setText(rule.result, core::formatNumber(value)); },
                   [&](core::MessageId message) {
                       showMessage(core::messageText(message), rule.emptyResultOnMessage
                                                                   ? std::optional(rule.result)
                                                                   : std::nullopt);
                   },
                   // Nothing is written: every field stays as it was.
                   [&](core::Overflow) { showMessage(core::overflowReport(), std::nullopt); },
               },
               rule.compute(texts));
}

void CalculatorForm::showMessage(std::u16string_view text, std::optional<Field> emptyOnDismiss) {
    m_messageOpen = true;
    m_emptyOnDismiss = emptyOnDismiss;
    m_shell.showMessage(visibleWindow(), text, core::messageTitle());
}

void CalculatorForm::show(WindowId window) {
    WindowState &shown = state(window);
    if (!shown.created) {
        m_shell.createWindow(window);
        shown.created = true;
    }
    m_shell.showWindow(window);
    shown.shown = true;
}

void CalculatorForm::hide(WindowId window) {
    if (!state(window).created)
        return;
    m_shell.hideWindow(window);
    state(window).shown = false;
}

// No window stays on screen while the program ends.
void CalculatorForm::endProgram() {
    for (int window = 0; window < windowCount; ++window) {
        if (m_windows[static_cast<std::size_t>(window)].shown)
            hide(static_cast<WindowId>(window));
    }
    m_shell.endProgram();
}

// A message belongs to the window on screen; the calculator when neither is (at start-up).
WindowId CalculatorForm::visibleWindow() const {
    return state(WindowId::About).shown ? WindowId::About : WindowId::Main;
}

} // namespace quorel::form
