#pragma once
// Shift JIS <-> QString at the Qt boundary. A document's text converts
// through its table of characters code page 932 lacks (the overloads with
// a table): codes the table holds are their real characters, and such
// characters coming in get codes of the table.
#include <QString>
#include <string>
#include <string_view>

#include "common/codepage/Cp932.h"
#include "common/codepage/PrivateCharTable.h"

namespace orvex::qt {

inline QString toQString(std::string_view sjis) {
    std::u16string u = cp932::toUtf16(sjis);
    return QString(reinterpret_cast<const QChar*>(u.data()), static_cast<qsizetype>(u.size()));
}

inline std::string fromQString(const QString& s) {
    return cp932::fromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()),
                                                static_cast<size_t>(s.size())));
}

inline QString toQString(std::string_view sjis, const cp932::PrivateCharTable* chars) {
    if (!chars || chars->empty()) return toQString(sjis);
    std::u16string u = chars->toUtf16(sjis);
    return QString(reinterpret_cast<const QChar*>(u.data()), static_cast<qsizetype>(u.size()));
}

// allocate false: no new entries (search strings); a character the table
// lacks then takes its nearest code page 932 form or "?".
inline std::string fromQString(const QString& s, cp932::PrivateCharTable* chars, bool allocate = true) {
    if (!chars) return fromQString(s);
    return chars->fromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size())),
                            allocate)
        .text;
}

inline QString fromUtf8(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace orvex::qt
