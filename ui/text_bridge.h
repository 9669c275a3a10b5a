#pragma once

#include <QString>

#include <string_view>

namespace quorel::ui {

// The core speaks UTF-16 through the standard library, as QString stores it, so no copy is
// needed on the way in. The view lives as long as the QString it was taken from.
inline std::u16string_view coreText(const QString &text) {
    const QStringView view(text);
    return {view.utf16(), static_cast<std::size_t>(view.size())};
}

inline QString qtText(std::u16string_view text) {
    return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

} // namespace quorel::ui
