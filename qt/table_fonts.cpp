#include "qt/table_fonts.h"

#include "form/font_table.h"
#include "qt/text_bridge.h"

#include <QStringList>

namespace quorel::qt {

QFont tableFont(form::FontCode code) {
    const form::FontSpec &spec = form::fontSpec(code);
    QStringList families;
    for (const std::u16string_view family : spec.families)
        families.append(qtText(family));
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::Serif);
    // UMing carries hand-tuned bitmaps at the sizes of these tables; drawn from them it is crisp
    // the way SimSun is, while smoothed outlines come out pale and blurred.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setPointSizeF(spec.points);
    font.setWeight(QFont::Weight(static_cast<int>(spec.weight)));
    return font;
}

} // namespace quorel::qt
