#include "form/calculator_form.h"

#include "core/messages.h"
#include "core/number_text.h"
#include "form/calculations.h"

#include <string>
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
    m_shell.showWindow(WindowId::Main);
}

void CalculatorForm::run(Command command) {
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
        m_shell.hideWindow(WindowId::Main);
        m_shell.endProgram();
        break;
    case Command::OpenAbout:
        m_shell.showWindow(WindowId::About);
        m_shell.hideWindow(WindowId::Main);
        break;
    case Command::ReturnToCalculator:
        m_shell.showWindow(WindowId::Main);
        m_shell.hideWindow(WindowId::About);
        break;
    case Command::EndProgram:
        m_shell.endProgram();
        break;
    }
}

void CalculatorForm::closeRequested(WindowId window) {
    switch (window) {
    case WindowId::Main:
        m_shell.endProgram();
        break;
    case WindowId::About:
        // Closing the About window through its title bar is taken as 返回, so closing a window
        // never loses the calculator's fields.
        run(Command::ReturnToCalculator);
        break;
    }
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
                       m_shell.showMessage(core::messageText(message), core::messageTitle());
                       if (rule.emptyResultOnMessage)
                           m_fields.setText(rule.result, {});
                   },
                   [&](core::Overflow) {
                       m_shell.reportOverflow(core::overflowReport(), core::messageTitle());
                   },
               },
               rule.compute(texts));
}

} // namespace quorel::form
