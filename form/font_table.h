#pragma once

#include "form/control_table.h"

#include <span>
#include <string_view>

namespace quorel::form {

enum class FontWeight {
    Regular = 400,
    Bold = 700,
};

// How the controls of one font code are drawn. A face asks for the families in this order and
// takes the first one installed for each character.
struct FontSpec {
    std::span<const std::u16string_view> families;
    double points;
    FontWeight weight;
};

const FontSpec &fontSpec(FontCode code);

} // namespace quorel::form
