#pragma once
// Shift JIS <-> QString at the Qt boundary.
#include <QString>
#include <string>
#include <string_view>

#include "common/codepage/Cp932.h"

namespace orvex::qt {

inline QString toQString(std::string_view sjis) {
    std::u16string u = cp932::toUtf16(sjis);
    return QString(reinterpret_cast<const QChar*>(u.data()), static_cast<qsizetype>(u.size()));
}

inline std::string fromQString(const QString& s) {
    return cp932::fromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()),
                                                static_cast<size_t>(s.size())));
}

inline QString fromUtf8(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace orvex::qt
