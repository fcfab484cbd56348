#pragma once
// What a settings table says about one integer key: the range its values
// are clamped to. The option pages take their limits from here, and the
// values they hand back are clamped by the same rows, so that a limit
// lives in the table only.
#include <optional>
#include <string_view>

#include "settings/SettingsTable.h"

namespace orvex::settings {

struct IntRange {
    int minimum = 0;
    int maximum = 0;
    int clamp(int v) const { return v < minimum ? minimum : v > maximum ? maximum : v; }
};

// The range of the integer row stored as `name` (a numbered row by its
// pattern, "KeywdSel%d"); empty when the row has none or does not exist.
template <class S>
std::optional<IntRange> intRange(const SettingsTable<S>& table, std::string_view name) {
    for (const KeySpec<S>& k : table.rows())
        if (k.kind == ValueKind::Int && name == k.name && k.minValue <= k.maxValue)
            return IntRange{k.minValue, k.maxValue};
    return std::nullopt;
}

// Clamps every integer field of `s` that its row gives a range, as
// loading does: values handed in by a dialog are never kept out of range.
template <class S>
void clampToTable(const SettingsTable<S>& table, S& s) {
    for (const KeySpec<S>& k : table.rows()) {
        if (k.kind != ValueKind::Int || k.minValue > k.maxValue) continue;
        const int n = k.count > 0 ? k.count : 1;
        for (int e = 0; e < n; ++e) {
            int& v = k.intRef(s, k.offset + e);
            v = IntRange{k.minValue, k.maxValue}.clamp(v);
        }
    }
}

}  // namespace orvex::settings
