#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace quorel::qt {

// The core and the form speak UTF-16 through the standard library, as QString stores it.
inline std::u16string coreText(const QString &text) {
    const QStringView view(text);
    return {view.utf16(), static_cast<std::size_t>(view.size())};
}

inline QString qtText(std::u16string_view text) {
    return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

} // namespace quorel::qt
