// The four calculation buttons, pressed with the mouse: what each writes, which message it shows
// and what the result fields hold while the box is open and after it is closed.

#include "core/messages.h"
#include "qt/tests/gui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using quorel::core::MessageId;
using quorel::test::ModalBoxCloser;
namespace names = quorel::test::names;

namespace {

// Text1 to Text9; the result fields Text4, Text6, Text7 and Text9 hold old results where a row
// needs to show whether a press keeps or clears them.
QStringList fields(const QString &t1, const QString &t2, const QString &t3, const QString &t4,
                   const QString &t5, const QString &t6, const QString &t7, const QString &t8,
                   const QString &t9) {
    return {t1, t2, t3, t4, t5, t6, t7, t8, t9};
}

QStringList with(QStringList texts, int number, const QString &text) {
    texts[number - 1] = text;
    return texts;
}

QString text(MessageId id) {
    return quorel::qt::qtText(quorel::core::messageText(id));
}

const QString enterTargetMass = text(MessageId::MsgEnterTargetMass);
const QString enterTargetPercent = text(MessageId::MsgEnterTargetPercent);
const QString enterConcentratePercent = text(MessageId::MsgEnterConcentratePercent);
const QString percentTooHigh = text(MessageId::MsgPercentTooHigh);
const QString enterConcentrateDensity = text(MessageId::MsgEnterConcentrateDensity);
const QString enterSolventDensity = text(MessageId::MsgEnterSolventDensity);
const QString overflow = quorel::qt::qtText(quorel::core::overflowReport());

} // namespace

class CalculationTest final : public quorel::test::ProgramTestCase {
    Q_OBJECT

  private slots:
    void initTestCase();
    void press_data();
    void press();
    void resultStaysUntilOk();
    void entryFieldsAreReadAfresh();
    void aFieldLeftShowsItsStart();
    void oneBoxServesEveryMessage();
    void nothingRunsWhileTheBoxIsOpen();

  private:
    QPushButton *button(const QString &name) const;
};

QPushButton *CalculationTest::button(const QString &name) const {
    return m_program->mainWindow()->findChild<QPushButton *>(name);
}

// Desktop styles such as GNOME's and KDE's put icons on dialog buttons; the calculator's boxes
// must not show one even there.
class IconsOnDialogButtons final : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returned) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

void CalculationTest::initTestCase() {
    QApplication::setStyle(new IconsOnDialogButtons);
}

void CalculationTest::press_data() {
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("message"); // empty: no box
    QTest::addColumn<QStringList>("after");

    const QStringList example = fields(u"100"_s, u"10"_s, u"98"_s, u"old4"_s, u"1.84"_s, u"old6"_s,
                                       u"old7"_s, u"1"_s, u"old9"_s);
    const QStringList old = fields({}, {}, {}, u"old4"_s, {}, u"old6"_s, u"old7"_s, {}, u"old9"_s);

    // The worked example: each button writes its own field and no other.
    QTest::newRow("Command1 example") << example << names::concentrateMassButton << QString()
                                      << with(example, 4, u"10.2040816326531"_s);
    QTest::newRow("Command2 example") << example << names::solventMassButton << QString()
                                      << with(example, 7, u"89.7959183673469"_s);
    QTest::newRow("体积计算 example") << example << names::concentrateVolumeButton << QString()
                                      << with(example, 6, u"5.54569653948536"_s);
    QTest::newRow("溶剂体积计算 example") << example << names::solventVolumeButton << QString()
                                          << with(example, 9, u"89.7959183673469"_s);
    // No length limit: a field of 40,000 blanks and then a number reads as that number.
    const QStringList padded = with(example, 1, QString(40000, u' ') + u"100"_s);
    QTest::newRow("Command1 padded mass") << padded << names::concentrateMassButton << QString()
                                          << with(padded, 4, u"10.2040816326531"_s);
    const QStringList second = fields(u"200"_s, u"5"_s, u"36"_s, {}, u"1.18"_s, {}, {}, u"1"_s, {});
    QTest::newRow("溶剂体积计算 second example")
        << second << names::solventVolumeButton << QString()
        << with(second, 9, u"172.222222222222"_s);

    // Every field empty: the first rung of the ladder, whatever the button. Only Command1 empties
    // its result field after the message.
    QTest::newRow("Command1 all empty")
        << old << names::concentrateMassButton << enterTargetMass << with(old, 4, {});
    QTest::newRow("Command2 all empty")
        << old << names::solventMassButton << enterTargetMass << old;
    QTest::newRow("体积计算 all empty")
        << old << names::concentrateVolumeButton << enterTargetMass << old;
    QTest::newRow("溶剂体积计算 all empty")
        << old << names::solventVolumeButton << enterTargetMass << old;

    // The ladder, one rung after the other.
    const QStringList percentMissing = with(old, 1, u"100"_s);
    QTest::newRow("target percent missing")
        << percentMissing << names::solventMassButton << enterTargetPercent << percentMissing;
    const QStringList concentrateMissing = with(percentMissing, 2, u"10"_s);
    QTest::newRow("concentrate percent missing")
        << concentrateMissing << names::concentrateVolumeButton << enterConcentratePercent
        << concentrateMissing;
    const QStringList tooHigh =
        with(with(with(concentrateMissing, 2, u"40"_s), 3, u"30"_s), 5, u"1.84"_s);
    QTest::newRow("percent too high")
        << tooHigh << names::concentrateMassButton << percentTooHigh << with(tooHigh, 4, {});
    const QStringList densitiesMissing = with(concentrateMissing, 3, u"98"_s);
    QTest::newRow("concentrate density missing")
        << densitiesMissing << names::concentrateVolumeButton << enterConcentrateDensity
        << densitiesMissing;
    QTest::newRow("solvent density missing") << densitiesMissing << names::solventVolumeButton
                                             << enterSolventDensity << densitiesMissing;
    QTest::newRow("mass message before density message")
        << with(densitiesMissing, 1, {}) << names::solventVolumeButton << enterTargetMass
        << with(densitiesMissing, 1, {});

    // A number beyond a double's range is reported and the program goes on, every field as it
    // was, the result fields included.
    for (const QString &name : names::calculationButtons) {
        const QStringList typo = with(example, 1, u"1e999"_s);
        QTest::addRow("%s overflow", qPrintable(name)) << typo << name << overflow << typo;
    }
    const QStringList hugeQuotient = fields(u"1e308"_s, u"-1e308"_s, u"1e-308"_s, u"old4"_s, u"1"_s,
                                            u"old6"_s, u"old7"_s, u"1"_s, u"old9"_s);
    QTest::newRow("Command1 result overflow")
        << hugeQuotient << names::concentrateMassButton << overflow << hugeQuotient;
}

void CalculationTest::press() {
    QFETCH(QStringList, before);
    QFETCH(QString, button);
    QFETCH(QString, message);
    QFETCH(QStringList, after);

    m_program->setFieldTexts(before);
    ModalBoxCloser closer(m_program.get());
    closer.arm();
    QTest::mouseClick(this->button(button), Qt::LeftButton);
    const QList<quorel::test::SeenBox> boxes = closer.finish();

    if (message.isEmpty()) {
        QCOMPARE(boxes.size(), 0);
    } else {
        QCOMPARE(boxes.size(), 1);
        const quorel::test::SeenBox &box = boxes.first();
        QCOMPARE(box.title, u"注意"_s);
        QCOMPARE(box.text, message);
        QCOMPARE(box.buttons, QStringList{u"确定"_s});
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QVERIFY(box.modal);
        QVERIFY(!box.buttonIcons);
        QCOMPARE(box.over, m_program->mainWindow());
        // Nothing is written while the box is open.
        QCOMPARE(box.fieldsWhileOpen, before);
    }
    QCOMPARE(m_program->fieldTexts(), after);
    // A written result shows from its first digit on, however narrow its field.
    for (int number = 1; number <= 9; ++number) {
        if (after.at(number - 1) != before.at(number - 1) && !after.at(number - 1).isEmpty())
            QCOMPARE(m_program->field(number)->cursorPosition(), 0);
    }
    QVERIFY(m_program->mainWindow()->isVisible());
    QCOMPARE(m_program->exitStatuses, QList<int>());
}

// Command1 pressed with good input, then again after Text1 was cleared: the old result stays
// on screen next to the message and goes only when the user presses OK.
void CalculationTest::resultStaysUntilOk() {
    m_program->setFieldTexts(fields(u"100"_s, u"10"_s, u"98"_s, {}, {}, {}, {}, {}, {}));
    QTest::mouseClick(button(names::concentrateMassButton), Qt::LeftButton);
    QCOMPARE(m_program->field(4)->text(), u"10.2040816326531"_s);

    QTest::mouseClick(m_program->field(1), Qt::LeftButton);
    m_program->field(1)->selectAll();
    QTest::keyClick(m_program->field(1), Qt::Key_Delete);
    QCOMPARE(m_program->field(1)->text(), QString());

    ModalBoxCloser closer(m_program.get());
    closer.arm();
    QTest::mouseClick(button(names::concentrateMassButton), Qt::LeftButton);
    const QList<quorel::test::SeenBox> boxes = closer.finish();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().text, enterTargetMass);
    QCOMPARE(boxes.first().fieldsWhileOpen.at(3), u"10.2040816326531"_s);
    QCOMPARE(m_program->field(4)->text(), QString());
}

// No result field is ever read: a number typed into Text4 does not change the solvent mass.
void CalculationTest::entryFieldsAreReadAfresh() {
    m_program->setFieldTexts(fields(u"100"_s, u"10"_s, u"98"_s, u"50"_s, {}, {}, {}, {}, {}));
    QTest::mouseClick(button(names::solventMassButton), Qt::LeftButton);
    QCOMPARE(m_program->field(7)->text(), u"89.7959183673469"_s);
    QCOMPARE(m_program->field(4)->text(), u"50"_s);

    QTest::keyClick(m_program->field(1), Qt::Key_End);
    QTest::keyClicks(m_program->field(1), u"0"_s);
    QTest::mouseClick(button(names::solventMassButton), Qt::LeftButton);
    QCOMPARE(m_program->field(7)->text(), u"897.959183673469"_s);
}

// A result the focus passes through by Tab is left showing its first digits, not its last; one
// whose window the user leaves keeps its caret where it was.
void CalculationTest::aFieldLeftShowsItsStart() {
    m_program->setFieldTexts(fields(u"100"_s, u"10"_s, u"98"_s, {}, {}, {}, {}, {}, {}));
    QTest::mouseClick(button(names::concentrateMassButton), Qt::LeftButton);
    QLineEdit *result = m_program->field(4);
    QCOMPARE(result->text(), u"10.2040816326531"_s);

    result->setFocus(Qt::TabFocusReason); // Tab selects it all, the caret at its end
    QTRY_VERIFY(result->hasFocus());
    QCOMPARE(result->cursorPosition(), result->text().size());
    m_program->field(5)->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(!result->hasFocus());
    QCOMPARE(result->cursorPosition(), 0);

    result->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(result->hasFocus());
    QFocusEvent windowLeft(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(result, &windowLeft);
    QCOMPARE(result->cursorPosition(), result->text().size());
}

// Every message of a session is shown in the one box the program keeps for its whole life.
void CalculationTest::oneBoxServesEveryMessage() {
    ModalBoxCloser closer(m_program.get());
    QList<quorel::test::SeenBox> seen;
    for (const QString &name : names::calculationButtons) {
        closer.arm();
        QTest::mouseClick(button(name), Qt::LeftButton);
        seen += closer.finish();
    }
    QCOMPARE(seen.size(), 4);
    for (const quorel::test::SeenBox &box : seen) {
        QVERIFY(box.box);
        QCOMPARE(box.box, seen.first().box);
        QCOMPARE(box.text, enterTargetMass);
    }
}

// Clicks and menu choices that reach the calculator while a message is open (another program
// clicking its buttons, the window manager closing it) do nothing: one box, fields intact.
void CalculationTest::nothingRunsWhileTheBoxIsOpen() {
    const QStringList before =
        fields({}, {}, {}, u"old4"_s, {}, u"old6"_s, u"old7"_s, {}, u"old9"_s);
    m_program->setFieldTexts(before);
    QWidget *main = m_program->mainWindow();
    ModalBoxCloser closer(m_program.get());
    int boxesSeenOpen = 0;
    QStringList fieldsAfterClicks;
    closer.whileOpen([&] {
        for (const QString &name : names::calculationButtons)
            button(name)->click();
        button(names::exitButton)->click();
        for (const QString &name : {names::newItem, names::exitItem, names::aboutCommand})
            main->findChild<QAction *>(name)->trigger();
        main->close();
        for (QWidget *widget : QApplication::topLevelWidgets())
            boxesSeenOpen += qobject_cast<QMessageBox *>(widget) && widget->isVisible() ? 1 : 0;
        fieldsAfterClicks = m_program->fieldTexts();
    });
    closer.arm();
    QTest::mouseClick(button(names::concentrateMassButton), Qt::LeftButton);
    const QList<quorel::test::SeenBox> boxes = closer.finish();

    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxesSeenOpen, 1);
    QCOMPARE(fieldsAfterClicks, before);
    QVERIFY(main->isVisible());
    QVERIFY(!m_program->aboutWindow());
    QCOMPARE(m_program->exitStatuses, QList<int>());
    // Dismissed, Command1 empties its field, and the buttons work again.
    QCOMPARE(m_program->fieldTexts(), with(before, 4, {}));
    QVERIFY(!m_program->shell().form().messageOpen());
    closer.arm();
    button(names::solventMassButton)->click();
    QCOMPARE(closer.finish().size(), 1);
}

QTEST_MAIN(CalculationTest)
#include "calculation_test.moc"
