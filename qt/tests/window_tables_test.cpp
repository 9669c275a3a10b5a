// Both windows as designed: every control by name with its caption, place in pixels, font and
// focus order, and every caption readable in its box with the font that actually resolves.

#include "form/about_window_table.h"
#include "form/main_window_table.h"
#include "qt/tests/glyph_ink.h"
#include "qt/tests/gui_test_support.h"
#include "qt/widget_builder.h"

#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QStyle>
#include <QTest>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

enum class Kind { Label, Paragraph, Field, Button };
enum class Window { Main, About };

// A font of 0 points stands for the window's own default font, which must be smaller than
// 12 pt so that the raised "3" reads as an exponent.
struct Expected {
    const char16_t *name;
    Kind kind;
    const char16_t *caption;
    QRect pixels;
    qreal points;
};

const Expected mainControls[] = {
    {u"Label16", Kind::Label, u"浓 溶 液 配 稀 溶 液", {112, 8, 233, 25}, 15.75},
    {u"配制溶液质量", Kind::Label, u"配制溶液质量：", {8, 40, 113, 17}, 12},
    {u"Text1", Kind::Field, u"", {128, 40, 81, 25}, 12},
    {u"克", Kind::Label, u"克", {216, 40, 25, 25}, 12},
    {u"Label1", Kind::Label, u"浓度：", {248, 40, 49, 17}, 12},
    {u"Text2", Kind::Field, u"", {296, 40, 73, 25}, 12},
    {u"Label2", Kind::Label, u"%", {376, 40, 17, 25}, 12},
    {u"浓溶液", Kind::Label, u"浓溶液：", {8, 72, 65, 17}, 12},
    {u"浓度", Kind::Label, u"浓度：", {72, 72, 49, 17}, 12},
    {u"Text3", Kind::Field, u"", {128, 72, 65, 25}, 12},
    {u"百分号", Kind::Label, u"%", {200, 72, 17, 25}, 12},
    {u"Label3", Kind::Label, u"所需质量：", {216, 72, 81, 25}, 12},
    {u"Text4", Kind::Field, u"", {296, 72, 73, 25}, 12},
    {u"Label4", Kind::Label, u"克", {376, 72, 17, 25}, 12},
    {u"Label7", Kind::Label, u"3", {248, 96, 17, 17}, 0},
    {u"Label5", Kind::Label, u"密度：", {72, 104, 49, 17}, 12},
    {u"Text5", Kind::Field, u"", {128, 104, 65, 25}, 12},
    {u"Label6", Kind::Label, u"克/厘米", {192, 104, 65, 25}, 12},
    {u"Label8", Kind::Label, u"体积：", {256, 104, 49, 17}, 12},
    {u"Text6", Kind::Field, u"", {296, 104, 73, 25}, 12},
    {u"Label9", Kind::Label, u"ml", {376, 104, 25, 17}, 12},
    {u"Command1", Kind::Button, u"浓溶液质量计算", {80, 136, 121, 25}, 10.5},
    {u"体积计算", Kind::Button, u"浓溶液体积计算", {224, 136, 121, 25}, 10.5},
    {u"Text7", Kind::Field, u"", {152, 168, 81, 26}, 12},
    {u"Command2", Kind::Button, u"溶剂质量计算", {280, 168, 113, 25}, 10.5},
    {u"溶质", Kind::Label, u"溶 剂：", {8, 176, 57, 25}, 12},
    {u"所需质量", Kind::Label, u"所需质量：", {72, 176, 81, 17}, 12},
    {u"Label10", Kind::Label, u"克", {240, 176, 17, 17}, 12},
    {u"Text8", Kind::Field, u"", {120, 200, 81, 25}, 12},
    {u"Label15", Kind::Label, u"3", {264, 200, 17, 17}, 0},
    {u"溶剂体积计算", Kind::Button, u"溶剂体积计算", {280, 200, 113, 25}, 10.5},
    {u"Label11", Kind::Label, u"密度：", {72, 208, 49, 17}, 12},
    {u"Label12", Kind::Label, u"克/厘米", {208, 208, 65, 17}, 12},
    {u"Text9", Kind::Field, u"", {120, 232, 81, 25}, 12},
    {u"Label14", Kind::Label, u"ml", {208, 232, 17, 17}, 12},
    {u"Command4", Kind::Button, u"退   出", {280, 232, 113, 25}, 10.5},
    {u"Label13", Kind::Label, u"体积：", {72, 240, 57, 25}, 12},
};

const Expected aboutControls[] = {
    {u"Label2", Kind::Label, u"Quorel v1.1(最简版)", {72, 8, 177, 17}, 12},
    {u"关于", Kind::Paragraph, nullptr, {16, 40, 273, 49}, 12},
    {u"Label1", Kind::Label, nullptr, {32, 104, 257, 17}, 12},
    {u"Label3", Kind::Label, nullptr, {48, 136, 209, 17}, 12},
    {u"Command1", Kind::Button, u"返回", {32, 168, 89, 33}, 10.5},
    {u"Command2", Kind::Button, u"退出", {168, 168, 89, 33}, 10.5},
};

namespace names = quorel::test::names;

// The object names in the order the form gives the table's focus positions; the order itself is
// checked once, with the tables.
QStringList focusOrderNames(const quorel::form::WindowTable &table) {
    QStringList chain;
    for (const quorel::form::ControlRow *row : quorel::form::focusOrder(table))
        chain << quorel::qt::qtText(row->name);
    return chain;
}

QString kindName(Kind kind) {
    switch (kind) {
    case Kind::Label:
        return u"label"_s;
    case Kind::Paragraph:
        return u"paragraph"_s;
    case Kind::Field:
        return u"field"_s;
    case Kind::Button:
        return u"button"_s;
    }
    return {};
}

QRect inDevicePixels(const QRect &logical, qreal ratio) {
    return {qRound(logical.x() * ratio), qRound(logical.y() * ratio),
            qRound(logical.width() * ratio), qRound(logical.height() * ratio)};
}

QString describe(const QRect &rect) {
    return u"%1,%2 %3x%4"_s.arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

// Whether the ink of a one-line label stays inside its box, in device pixels: a copy of the label
// with room all round its box shows whatever would be cut off. Metrics in logical pixels cannot
// tell, as they round away what scaling puts past the edge, and they know only the first face of
// a font that draws Chinese and Latin from different faces.
bool inkFitsItsBox(const QLabel &label, QString &found) {
    const QMargins room(30, 15, 30, 15);
    QLabel copy(label.text());
    copy.setTextFormat(label.textFormat());
    copy.setAlignment(label.alignment());
    copy.setFont(label.font());
    copy.setContentsMargins(label.contentsMargins() + room);
    const QImage image = quorel::test::blackOnWhite(copy, label.size().grownBy(room));
    const QRect box = inDevicePixels(copy.contentsRect(), image.devicePixelRatio());
    const QRect ink = quorel::test::inkBounds(image);
    found = u"ink "_s + describe(ink) + u" in box "_s + describe(box) + u" (device pixels)"_s;
    return !ink.isEmpty() && box.contains(ink);
}

// Where SimSun is installed it draws everything. Elsewhere letters, digits and the other ASCII
// signs come from Inconsolata, and Chinese with its full-width signs from UMing.
bool drawnByTheRightFace(QChar character, const QString &face) {
    static const bool simSun =
        QFontDatabase::hasFamily(u"SimSun"_s) || QFontDatabase::hasFamily(u"宋体"_s);
    if (simSun)
        return face == u"SimSun"_s || face == u"宋体"_s;
    return face == (character.unicode() < 0x80 ? u"Inconsolata"_s : u"AR PL UMing CN"_s);
}

} // namespace

Q_DECLARE_METATYPE(Window)

class WindowTablesTest final : public quorel::test::ProgramTestCase {
    Q_OBJECT

  private slots:
    void controls_data();
    void controls();
    void noOtherControls();
    void labelsNeverCoverFieldsOrButtons();
    void accessibleNames();
    void buttonsAreAnnouncedByTheirCaptions();
    void mainWindow();
    void aboutWindow();
    void focusChain_data();
    void focusChain();
    void staysOnScreen_data();
    void staysOnScreen();
    void icon();

  private:
    QWidget *window(Window which);
};

QWidget *WindowTablesTest::window(Window which) {
    if (which == Window::About)
        return m_program->openAbout();
    return m_program->mainWindow();
}

void WindowTablesTest::controls_data() {
    QTest::addColumn<Window>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption"); // null: the wording is ours, only its fit is checked
    QTest::addColumn<QRect>("pixels");
    QTest::addColumn<qreal>("points");

    const auto addRows = [](Window window, const QString &windowName, const auto &rows) {
        for (const Expected &row : rows) {
            const QString name = QString::fromUtf16(row.name);
            QTest::addRow("%s %s", qPrintable(windowName), qPrintable(name))
                << window << name << kindName(row.kind)
                << (row.caption ? QString::fromUtf16(row.caption) : QString()) << row.pixels
                << row.points;
        }
    };
    addRows(Window::Main, names::mainWindow, mainControls);
    addRows(Window::About, names::aboutWindow, aboutControls);
}

void WindowTablesTest::controls() {
    QFETCH(Window, window);
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QRect, pixels);
    QFETCH(qreal, points);

    QWidget *top = this->window(window);
    QVERIFY(top);
    const QList<QWidget *> named = top->findChildren<QWidget *>(name);
    QCOMPARE(named.size(), 1);
    QWidget *control = named.first();

    QCOMPARE(control->geometry(), pixels);
    QVERIFY(control->isVisibleTo(top));
    QVERIFY(control->isEnabled());

    if (points > 0) {
        QCOMPARE(control->font().pointSizeF(), points);
    } else {
        QCOMPARE(control->font(), top->font());
        QVERIFY2(control->font().pointSizeF() <= 10, "the raised 3 must be visibly smaller");
    }

    QString shown;
    if (kind == u"label" || kind == u"paragraph") {
        auto *label = qobject_cast<QLabel *>(control);
        QVERIFY(label);
        QCOMPARE(label->wordWrap(), kind == u"paragraph");
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QCOMPARE(label->frameShape(), QFrame::NoFrame);
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        shown = label->text();
        QString found;
        if (kind == u"label") {
            QVERIFY(QFontMetrics(label->font()).horizontalAdvance(shown) <=
                    label->contentsRect().width());
            QVERIFY2(inkFitsItsBox(*label, found), qPrintable(found));
        } else {
            // Four blanks of first-line indent, then three wrapped lines whose ink stays apart
            // by at least a blank row and inside the box, as the label itself draws them when
            // made taller than its box.
            QVERIFY(shown.startsWith(u"    "_s) && !shown.startsWith(u"     "_s));
            // The program starts afresh for each row, so the label may be drawn black on white.
            const QSize size = label->size();
            const QImage image = quorel::test::blackOnWhite(*label, size + QSize(0, 30));
            label->resize(size);
            const QRect box = inDevicePixels(label->contentsRect(), image.devicePixelRatio());
            const QRect ink = quorel::test::inkBounds(image);
            const auto bands = quorel::test::inkRowBands(image);
            found = u"ink "_s + describe(ink) + u" in box "_s + describe(box) + u", rows"_s;
            for (const auto &[first, last] : bands)
                found += u" %1-%2"_s.arg(first).arg(last);
            QVERIFY2(bands.size() == 3, qPrintable(found));
            for (qsizetype line = 1; line < bands.size(); ++line)
                QVERIFY2(bands[line].first > bands[line - 1].second + 1, qPrintable(found));
            QVERIFY2(box.contains(ink), qPrintable(found));
        }
    } else if (kind == u"field") {
        auto *field = qobject_cast<QLineEdit *>(control);
        QVERIFY(field);
        shown = field->text();
        QCOMPARE(field->maxLength(), std::numeric_limits<int>::max());
        QVERIFY(!field->isReadOnly());
        QVERIFY(!field->validator());
        QCOMPARE(field->inputMask(), QString());
        QCOMPARE(field->echoMode(), QLineEdit::Normal);
        QCOMPARE(field->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QVERIFY(!field->accessibleName().isEmpty());
        QVERIFY2(field->minimumSizeHint().height() <= pixels.height(),
                 qPrintable(QFontInfo(field->font()).family()));
    } else {
        auto *button = qobject_cast<QPushButton *>(control);
        QVERIFY(button);
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
        QVERIFY(!button->accessibleName().isEmpty());
        shown = button->text();
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        const QFontMetrics metrics(button->font());
        QVERIFY(metrics.horizontalAdvance(shown) + margin <= pixels.width());
        QVERIFY(metrics.height() <= pixels.height());
    }

    if (!caption.isNull())
        QCOMPARE(shown, caption);

    // Each character comes from the face meant for it, which has a glyph for it.
    const QList<QRawFont> faces = quorel::test::drawingFaces(control->font(), shown);
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QChar character = shown.at(i);
        const QString face = faces.at(i).familyName();
        QVERIFY2(faces.at(i).supportsCharacter(character) && drawnByTheRightFace(character, face),
                 qPrintable(QString(character) + u" drawn by "_s + face));
    }
}

void WindowTablesTest::noOtherControls() {
    const auto names = [](QWidget *top) {
        QStringList found;
        for (QWidget *child : top->findChildren<QWidget *>()) {
            if (qobject_cast<QLabel *>(child) || qobject_cast<QLineEdit *>(child) ||
                qobject_cast<QPushButton *>(child))
                found << child->objectName();
        }
        found.sort();
        return found;
    };
    const auto expected = [](const auto &rows) {
        QStringList found;
        for (const Expected &row : rows)
            found << QString::fromUtf16(row.name);
        found.sort();
        return found;
    };
    QCOMPARE(names(window(Window::Main)), expected(mainControls));
    QCOMPARE(names(window(Window::About)), expected(aboutControls));
}

void WindowTablesTest::labelsNeverCoverFieldsOrButtons() {
    int overlaps = 0;
    for (QWidget *top : {window(Window::Main), window(Window::About)}) {
        const QList<QLabel *> labels = top->findChildren<QLabel *>();
        for (QWidget *control : top->findChildren<QWidget *>()) {
            if (!qobject_cast<QLineEdit *>(control) && !qobject_cast<QPushButton *>(control))
                continue;
            for (QLabel *label : labels) {
                const QRect shared = label->geometry() & control->geometry();
                if (shared.isEmpty() || label->parentWidget() != control->parentWidget())
                    continue;
                ++overlaps;
                QWidget *onTop = control->parentWidget()->childAt(shared.center());
                QVERIFY2(onTop == control || control->isAncestorOf(onTop),
                         qPrintable(label->objectName() + u" covers "_s + control->objectName()));
            }
        }
    }
    // Label8 reaches under Text6, among others.
    QVERIFY(overlaps > 0);
}

// Each field and button says in Chinese what it holds or does, and no two say the same.
void WindowTablesTest::accessibleNames() {
    for (QWidget *top : {window(Window::Main), window(Window::About)}) {
        QSet<QString> seen;
        int controls = 0;
        for (QWidget *control : top->findChildren<QWidget *>()) {
            if (!qobject_cast<QLineEdit *>(control) && !qobject_cast<QPushButton *>(control))
                continue;
            ++controls;
            const QString name = control->accessibleName();
            QVERIFY2(std::any_of(name.cbegin(), name.cend(),
                                 [](QChar c) { return c.script() == QChar::Script_Han; }),
                     qPrintable(control->objectName()));
            seen.insert(name);
        }
        QCOMPARE(seen.size(), controls);
    }
    QCOMPARE(m_program->field(1)->accessibleName(), u"配制溶液质量（克）"_s);
    QCOMPARE(m_program->field(9)->accessibleName(), u"溶剂体积（毫升）"_s);
}

// What a screen reader or voice control hears: a button by what it shows, so that saying its
// caption finds it, with the longer explanation as its description.
void WindowTablesTest::buttonsAreAnnouncedByTheirCaptions() {
    int buttons = 0;
    for (QWidget *top : {window(Window::Main), window(Window::About)}) {
        for (QPushButton *button : top->findChildren<QPushButton *>()) {
            ++buttons;
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(button);
            QVERIFY(accessible);
            QCOMPARE(accessible->role(), QAccessible::Button);
            const QString name = accessible->text(QAccessible::Name);
            const QString description = accessible->text(QAccessible::Description);
            // Label in name: the caption as shown, its spacing blanks and all.
            QVERIFY2(name.contains(button->text()), qPrintable(name + u" / "_s + button->text()));
            QVERIFY2(!description.isEmpty() && description != name, qPrintable(description));
        }
    }
    QCOMPARE(buttons, 7);
    QAccessibleInterface *field = QAccessible::queryAccessibleInterface(m_program->field(4));
    QCOMPARE(field->text(QAccessible::Name), u"所需浓溶液质量（克）"_s);
}

void WindowTablesTest::mainWindow() {
    auto *top = qobject_cast<QMainWindow *>(window(Window::Main));
    QVERIFY(top);
    QCOMPARE(top->objectName(), names::mainWindow);
    QVERIFY(top->windowTitle().startsWith(u"Quorel计算助手"_s));
    QVERIFY(top->windowTitle().endsWith(u"（最简版）"_s));
    QCOMPARE(top->centralWidget()->size(), QSize(405, 274));
    QCOMPARE(top->centralWidget()->y(), top->menuBar()->geometry().bottom() + 1);
    QCOMPARE(top->minimumSize(), top->maximumSize());
    QVERIFY(top->isVisible());

    // At start-up the fields are empty and Text1 has the focus.
    QCOMPARE(m_program->fieldTexts(), QStringList(9, QString()));
    QCOMPARE(top->focusWidget(), m_program->field(1));
    QVERIFY(!m_program->aboutWindow());
}

void WindowTablesTest::aboutWindow() {
    QWidget *top = window(Window::About);
    QCOMPARE(top->objectName(), names::aboutWindow);
    QCOMPARE(top->windowTitle(), u"软件简介"_s);
    QCOMPARE(top->size(), QSize(312, 213));
    QCOMPARE(top->minimumSize(), top->maximumSize());
    QVERIFY(!top->findChild<QMenuBar *>());

    const auto text = [top](const QString &name) { return top->findChild<QLabel *>(name)->text(); };
    QVERIFY(text(names::aboutParagraph).contains(u"实验室"_s));
    QVERIFY(text(names::aboutParagraph).contains(u"教学"_s));
    QVERIFY(text(names::aboutContact).startsWith(u"E-Mail:"_s));
    QVERIFY(!text(names::aboutContact).contains(u' '));
    QVERIFY(text(names::aboutContact).contains(u'@'));
    QVERIFY(!text(names::aboutNotice).isEmpty());
}

void WindowTablesTest::focusChain_data() {
    QTest::addColumn<Window>("window");
    QTest::addColumn<QStringList>("chain");
    QTest::newRow("主程序") << Window::Main << focusOrderNames(quorel::form::mainWindowTable);
    QTest::newRow("Form1") << Window::About << focusOrderNames(quorel::form::aboutWindowTable);
}

void WindowTablesTest::focusChain() {
    QFETCH(Window, window);
    QFETCH(QStringList, chain);

    QWidget *top = this->window(window);
    QVERIFY(QTest::qWaitForWindowActive(top));
    // The first control of the chain has the focus when the window first shows; Tab walks the
    // chain and comes round to the start again.
    QStringList walked{QApplication::focusWidget()->objectName()};
    for (int step = 0; step < chain.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, chain + QStringList{chain.first()});
}

void WindowTablesTest::staysOnScreen_data() {
    QTest::addColumn<Window>("window");
    QTest::addColumn<QPoint>("designed"); // where the frame's top-left corner goes if it can
    QTest::newRow("主程序")
        << Window::Main << quorel::qt::toQRect(quorel::form::mainWindowTable.clientArea).topLeft();
    QTest::newRow("Form1")
        << Window::About
        << quorel::qt::toQRect(quorel::form::aboutWindowTable.clientArea).topLeft();
}

// The whole window, frame included, where the user can see it: at its design position where it
// fits there, else inside the screen's available area; larger than the area, with its top-left
// corner inside, so its title bar can be dragged.
void WindowTablesTest::staysOnScreen() {
    QFETCH(Window, window);
    QFETCH(QPoint, designed);

    QWidget *top = this->window(window);
    QVERIFY(QTest::qWaitForWindowExposed(top));
    const QRect frame = top->frameGeometry();
    const QRect available = top->screen()->availableGeometry();
    const QString seen = u"frame "_s + describe(frame) + u" in "_s + describe(available);
    if (available.contains(QRect(designed, frame.size())))
        QCOMPARE(frame.topLeft(), designed);
    else if (frame.width() <= available.width() && frame.height() <= available.height())
        QVERIFY2(available.contains(frame), qPrintable(seen));
    else
        QVERIFY2(available.contains(frame.topLeft()), qPrintable(seen));
}

void WindowTablesTest::icon() {
    QWidget *about = window(Window::About);
    QVERIFY(!about->testAttribute(Qt::WA_SetWindowIcon));
    QWidget *main = m_program->mainWindow();
    QVERIFY(main->testAttribute(Qt::WA_SetWindowIcon));

    const QList<QSize> sizes = main->windowIcon().availableSizes();
    QCOMPARE(sizes, QList<QSize>{QSize(32, 32)});
    const QImage image = main->windowIcon().pixmap(32, 32).toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb pixel = image.pixel(x, y);
            QCOMPARE(qAlpha(pixel), 255);
            colours.insert(pixel);
            if (x == 0 || y == 0 || x == 31 || y == 31)
                QCOMPARE(pixel, qRgb(0, 0, 0));
        }
    }
    QVERIFY(colours.size() <= 256);
}

QTEST_MAIN(WindowTablesTest)
#include "window_tables_test.moc"
