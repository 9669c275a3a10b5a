// The letters and digits that pass for one another in many faces stay apart in the fonts of the
// tables: "ml" must never read "m1", nor "1e999" read "le999", at any scale the window is drawn.

#include "qt/table_fonts.h"
#include "qt/tests/glyph_ink.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using quorel::form::FontCode;

// The smallest difference, in logical pixels squared, that tells two glyphs apart at a glance
// at 12 pt: a serif or a flag of a few pixels. It scales with the area of the glyphs.
constexpr double clearDifferenceAt12pt = 4.0;

QImage glyph(const QFont &font, QChar character) {
    QLabel label{QString(character)};
    label.setTextFormat(Qt::PlainText);
    label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label.setFont(font);
    return quorel::test::blackOnWhite(label, {40, 40});
}

} // namespace

Q_DECLARE_METATYPE(FontCode)

class TableFontsTest final : public QObject {
    Q_OBJECT

  private slots:
    void lookAlikesDiffer_data();
    void lookAlikesDiffer();
};

void TableFontsTest::lookAlikesDiffer_data() {
    QTest::addColumn<FontCode>("code");
    QTest::addColumn<QChar>("first");
    QTest::addColumn<QChar>("second");
    const std::pair<const char *, FontCode> codes[] = {
        {"A", FontCode::A}, {"B", FontCode::B}, {"C", FontCode::C}, {"D", FontCode::D}};
    const std::pair<QChar, QChar> pairs[] = {{u'l', u'1'}, {u'l', u'I'}, {u'1', u'I'}};
    for (const auto &[name, code] : codes) {
        for (const auto &[first, second] : pairs) {
            QTest::addRow("%s %c/%c", name, first.toLatin1(), second.toLatin1())
                << code << first << second;
        }
    }
}

void TableFontsTest::lookAlikesDiffer() {
    QFETCH(FontCode, code);
    QFETCH(QChar, first);
    QFETCH(QChar, second);

    const QFont font = quorel::qt::tableFont(code);
    const qreal ratio = qApp->devicePixelRatio();
    const double difference =
        quorel::test::glyphDifference(glyph(font, first), glyph(font, second), ratio);
    const double points = font.pointSizeF();
    const double needed = clearDifferenceAt12pt * (points / 12) * (points / 12);
    qInfo("%.2f pt at %.2fx: %.1f px² apart, %.1f needed", points, ratio, difference, needed);
    QVERIFY(difference >= needed);
}

QTEST_MAIN(TableFontsTest)
#include "table_fonts_test.moc"
