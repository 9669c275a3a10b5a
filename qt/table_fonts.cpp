#include "qt/table_fonts.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace quorel::qt {

namespace {

QFont songFont(qreal points) {
    QFont font;
    // SimSun where it exists, for everything. Elsewhere letters and digits come from
    // Inconsolata, whose l, 1 and I stay apart at every scale (UMing's Latin l and 1 are nearly
    // the same glyph once drawn larger than its bitmaps) and whose half-em advance is that of
    // UMing's Latin, so every caption keeps its width; Chinese then comes from a Song face of the
    // same build as SimSun (UMing's metrics match SimSun's, which the tables were measured in),
    // or a modern Song face. Qt skips the names that are not installed.
    font.setFamilies({u"宋体"_s, u"SimSun"_s, u"NSimSun"_s, u"Inconsolata"_s, u"AR PL UMing CN"_s,
                      u"Noto Serif CJK SC"_s});
    font.setStyleHint(QFont::Serif);
    // UMing carries hand-tuned bitmaps at the sizes of these tables; drawn from them it is crisp
    // the way SimSun is, while smoothed outlines come out pale and blurred.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setPointSizeF(points);
    return font;
}

} // namespace

QFont tableFont(form::FontCode code) {
    switch (code) {
    case form::FontCode::A:
        return songFont(12);
    case form::FontCode::B:
        return songFont(10.5);
    case form::FontCode::C:
        return songFont(15.75);
    case form::FontCode::D:
        return songFont(9);
    }
    return {};
}

} // namespace quorel::qt
