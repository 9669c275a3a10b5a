#include "form/control_table.h"

#include <algorithm>

namespace quorel::form {

namespace {
constexpr int twipsPerInch = 1440;
} // namespace

int toPixels(int twips, int dpi) {
    // Twips in the tables are never negative, so rounding half up is rounding to nearest.
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>((scaled + twipsPerInch / 2) / twipsPerInch);
}

PixelRect toPixels(const TwipRect &twips, int dpi) {
    return {toPixels(twips.left, dpi), toPixels(twips.top, dpi), toPixels(twips.width, dpi),
            toPixels(twips.height, dpi)};
}

std::u16string accessibleName(const ControlRow &row) {
    switch (row.kind) {
    case ControlKind::TextField:
        return std::u16string(row.accessibleText);
    case ControlKind::Button:
        return std::u16string(row.caption);
    case ControlKind::Label:
    case ControlKind::Paragraph:
        return {};
    }
    return {};
}

std::u16string_view accessibleDescription(const ControlRow &row) {
    return row.kind == ControlKind::Button ? row.accessibleText : std::u16string_view();
}

bool takesFocus(const ControlRow &row) {
    return row.kind == ControlKind::TextField || row.kind == ControlKind::Button;
}

std::vector<const ControlRow *> focusOrder(const WindowTable &table) {
    std::vector<const ControlRow *> rows;
    for (const ControlRow &row : table.controls) {
        if (takesFocus(row))
            rows.push_back(&row);
    }
    std::sort(rows.begin(), rows.end(),
              [](const ControlRow *a, const ControlRow *b) { return a->tab < b->tab; });
    return rows;
}

const ControlRow *findRow(const WindowTable &table, std::u16string_view name) {
    const auto row = std::find_if(table.controls.begin(), table.controls.end(),
                                  [name](const ControlRow &r) { return r.name == name; });
    return row == table.controls.end() ? nullptr : &*row;
}

} // namespace quorel::form
