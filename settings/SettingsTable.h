#pragma once
// Declarative key tables. Every stored option is one row: its stored name,
// value kind, default, the struct field that holds it and how its name is
// numbered. One generic loader and one generic saver walk the rows, so no
// key is read or written by hand.
//
// A table describes one plain struct S. The struct may exist several
// times (five file-type modes, fourteen formatting presets, ten page
// layouts, ten external programs); the table's Numbering then says how an
// instance number is added to each stored name (or, for page layouts, to
// the section name). Array fields are rows with a count: element e is
// stored under the row's pattern with the number first + e.
//
// Change tracking: the owner keeps two copies of each struct, the current
// values and the values last read from or written to the store. load()
// fills both with what was read (before any repair, so that a repaired
// value is written at the next save); save() writes a value only when the
// two differ or the save is forced, then updates the stored copy.
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "common/codepage/Cp932.h"
#include "settings/LogFont.h"
#include "settings/SettingsPaths.h"
#include "settings/SettingsStore.h"
#include "settings/WindowPlacement.h"

namespace orvex::settings {

enum class ValueKind : uint8_t { Int, String, Placement, Font };

// How the instance number of a repeated struct is added to a name.
enum class Numbering : uint8_t {
    Single,         // one instance, names as written
    PlainThenNext,  // instance 0 plain, instance i appends i + 1 ("TabStops", "TabStops2".."TabStops5")
    Next,           // instance i appends i + 1 ("CmntSel1".."CmntSel5")
    Index,          // instance i appends i ("ProgTT0".."ProgTT9")
};

enum class DefaultSource : uint8_t { Literal, TempFolder, HomeFolder };

enum KeyFlag : uint16_t {
    // Belongs to this machine (window positions, folders): never written to
    // an export file and never read from one.
    kNotExported = 0x01,
    // The instance number is always appended as i + 1, whatever the table's
    // numbering (the per-mode options with the digits 1 to 5).
    kDigits = 0x02,
    // Instances 1 and up take instance 0's value as their default.
    kInherit = 0x04,
    // Off at every load whatever is stored; written back only when turned
    // on during the run (or when the save is forced).
    kStartsOff = 0x08,
};

// Where the instance number goes: at the end of each key, or at the end of
// the section name (the page layouts: "PageLayout", "PageLayout2", ...).
enum class SuffixOn : uint8_t { Key, Section };

// Field access for a row, generated from a pointer to member. A member of
// array type is indexed by the element; a scalar member ignores it.
template <auto M>
struct MemberOf;
template <class S, class T, T S::*M>
struct MemberOf<M> {
    using Struct = S;
    using Type = T;
};

template <auto M, class V>
V& fieldRef(typename MemberOf<M>::Struct& s, int element) {
    using T = typename MemberOf<M>::Type;
    if constexpr (std::is_same_v<T, V>)
        return s.*M;
    else
        return (s.*M)[static_cast<size_t>(element)];
}

template <class S>
struct KeySpec {
    ValueKind kind = ValueKind::Int;
    const char* name = "";  // stored name; with count > 0 a pattern holding one %d
    int count = 0;          // 0: one value; n: elements 0..n-1 named first..first+n-1
    int first = 0;
    int offset = 0;         // array index of element 0
    int intDefault = 0;
    const char* strDefault = "";  // UTF-8 source text; stored and used as Shift JIS
    DefaultSource source = DefaultSource::Literal;
    const char* defaultFrom = nullptr;  // an earlier row whose value just read is the default
    const char* section = nullptr;      // nullptr: the table's section
    int minValue = 1;                   // values outside minValue..maxValue are clamped,
    int maxValue = 0;                   // when minValue <= maxValue
    uint16_t flags = 0;
    std::string (*defaultOf)(int element) = nullptr;  // per-element Shift JIS default
    LogFont (*fontDefault)() = nullptr;
    int& (*intRef)(S&, int) = nullptr;
    std::string& (*strRef)(S&, int) = nullptr;
    std::optional<WindowPlacement>& (*placeRef)(S&, int) = nullptr;
    LogFont& (*fontRef)(S&, int) = nullptr;

    constexpr KeySpec numbered(int firstNumber, int n, int arrayOffset = 0) const {
        KeySpec k = *this;
        k.first = firstNumber;
        k.count = n;
        k.offset = arrayOffset;
        return k;
    }
    constexpr KeySpec from(const char* key) const {
        KeySpec k = *this;
        k.defaultFrom = key;
        return k;
    }
    constexpr KeySpec in(const char* sectionName) const {
        KeySpec k = *this;
        k.section = sectionName;
        return k;
    }
    constexpr KeySpec clamp(int lo, int hi) const {
        KeySpec k = *this;
        k.minValue = lo;
        k.maxValue = hi;
        return k;
    }
    constexpr KeySpec with(uint16_t f) const {
        KeySpec k = *this;
        k.flags = static_cast<uint16_t>(k.flags | f);
        return k;
    }
    constexpr KeySpec defaultFromFolder(DefaultSource s) const {
        KeySpec k = *this;
        k.source = s;
        return k;
    }
    constexpr KeySpec defaults(std::string (*fn)(int)) const {
        KeySpec k = *this;
        k.defaultOf = fn;
        return k;
    }
};

template <auto M>
constexpr KeySpec<typename MemberOf<M>::Struct> intKey(const char* name, int def) {
    KeySpec<typename MemberOf<M>::Struct> k;
    k.kind = ValueKind::Int;
    k.name = name;
    k.intDefault = def;
    k.intRef = &fieldRef<M, int>;
    return k;
}

template <auto M>
constexpr KeySpec<typename MemberOf<M>::Struct> strKey(const char* name, const char* def = "") {
    KeySpec<typename MemberOf<M>::Struct> k;
    k.kind = ValueKind::String;
    k.name = name;
    k.strDefault = def;
    k.strRef = &fieldRef<M, std::string>;
    return k;
}

template <auto M>
constexpr KeySpec<typename MemberOf<M>::Struct> placementKey(const char* name) {
    KeySpec<typename MemberOf<M>::Struct> k;
    k.kind = ValueKind::Placement;
    k.name = name;
    k.placeRef = &fieldRef<M, std::optional<WindowPlacement>>;
    return k;
}

// A font group: the section is the row's section (the name is unused).
template <auto M>
constexpr KeySpec<typename MemberOf<M>::Struct> fontKey(const char* section, LogFont (*def)()) {
    KeySpec<typename MemberOf<M>::Struct> k;
    k.kind = ValueKind::Font;
    k.name = "";
    k.section = section;
    k.fontDefault = def;
    k.fontRef = &fieldRef<M, LogFont>;
    return k;
}

struct LoadContext {
    const SettingsEnvironment* env = nullptr;
    bool fromFile = false;  // reading an import file
};

struct SaveContext {
    bool force = false;
    bool toFile = false;  // writing an export file
};

// Stored names of one value: section and key.
struct StoredName {
    std::string section;
    std::string key;
};

template <class S>
class SettingsTable {
public:
    SettingsTable(const char* section, Numbering numbering, int instances, std::initializer_list<KeySpec<S>> rows,
                  SuffixOn suffixOn = SuffixOn::Key)
        : m_section(section), m_numbering(numbering), m_suffixOn(suffixOn), m_instances(instances), m_rows(rows) {
        m_defaults.reserve(m_rows.size());
        m_from.reserve(m_rows.size());
        for (size_t r = 0; r < m_rows.size(); ++r) {
            m_defaults.push_back(cp932::fromUtf8(m_rows[r].strDefault));
            int from = -1;
            if (m_rows[r].defaultFrom)
                for (size_t q = 0; q < r; ++q)
                    if (std::string_view(m_rows[q].name) == m_rows[r].defaultFrom) from = static_cast<int>(q);
            m_from.push_back(from);
        }
        m_names.resize(static_cast<size_t>(m_instances));
        for (int i = 0; i < m_instances; ++i)
            for (size_t r = 0; r < m_rows.size(); ++r)
                for (int e = 0; e < elements(m_rows[r]); ++e) m_names[static_cast<size_t>(i)].push_back(makeName(r, e, i));
    }

    const std::vector<KeySpec<S>>& rows() const { return m_rows; }
    int instances() const { return m_instances; }

    // Every stored name of one instance, in table order.
    const std::vector<StoredName>& names(int instance) const { return m_names[static_cast<size_t>(instance)]; }

    // Reads instance `instance` into cur and stored. `first` is instance 0,
    // already loaded, for rows that inherit its values.
    void load(const SettingsStore& store, S& cur, S& stored, int instance, const LoadContext& ctx,
              const S* first = nullptr) const {
        const std::vector<StoredName>& names = m_names[static_cast<size_t>(instance)];
        size_t n = 0;
        for (size_t r = 0; r < m_rows.size(); ++r) {
            const KeySpec<S>& k = m_rows[r];
            for (int e = 0; e < elements(k); ++e, ++n) {
                if ((k.flags & kNotExported) && ctx.fromFile) continue;
                const StoredName& name = names[n];
                const int idx = k.offset + e;
                const bool inherit = (k.flags & kInherit) && instance > 0 && first;
                switch (k.kind) {
                    case ValueKind::Int: {
                        int def = k.intDefault;
                        if (m_from[r] >= 0) def = m_rows[static_cast<size_t>(m_from[r])].intRef(cur, idx);
                        if (inherit) def = k.intRef(const_cast<S&>(*first), idx);
                        int v = store.readInt(name.section, name.key, def);
                        if (k.flags & kStartsOff) v = 0;
                        k.intRef(stored, idx) = v;
                        if (k.minValue <= k.maxValue) v = v < k.minValue ? k.minValue : v > k.maxValue ? k.maxValue : v;
                        k.intRef(cur, idx) = v;
                        break;
                    }
                    case ValueKind::String: {
                        std::string def = stringDefault(r, e, ctx);
                        if (m_from[r] >= 0) def = m_rows[static_cast<size_t>(m_from[r])].strRef(cur, idx);
                        if (inherit) def = k.strRef(const_cast<S&>(*first), idx);
                        std::string v = store.readString(name.section, name.key, def);
                        k.strRef(stored, idx) = v;
                        k.strRef(cur, idx) = std::move(v);
                        break;
                    }
                    case ValueKind::Placement: {
                        std::optional<WindowPlacement> p = store.readPlacement(name.section, name.key);
                        k.placeRef(stored, idx) = p;
                        k.placeRef(cur, idx) = p;
                        break;
                    }
                    case ValueKind::Font: {
                        LogFont f = store.readFont(name.section, k.fontDefault());
                        k.fontRef(stored, idx) = f;
                        k.fontRef(cur, idx) = std::move(f);
                        break;
                    }
                }
            }
        }
    }

    void save(SettingsStore& store, const S& cur, S& stored, int instance, const SaveContext& ctx) const {
        const std::vector<StoredName>& names = m_names[static_cast<size_t>(instance)];
        S& c = const_cast<S&>(cur);  // the accessors take a non-const struct; cur is only read
        size_t n = 0;
        for (const KeySpec<S>& k : m_rows) {
            for (int e = 0; e < elements(k); ++e, ++n) {
                if ((k.flags & kNotExported) && ctx.toFile) continue;
                const StoredName& name = names[n];
                const int idx = k.offset + e;
                switch (k.kind) {
                    case ValueKind::Int: {
                        const int v = k.intRef(c, idx);
                        if (ctx.force || v != k.intRef(stored, idx)) {
                            store.writeInt(name.section, name.key, v);
                            k.intRef(stored, idx) = v;
                        }
                        break;
                    }
                    case ValueKind::String: {
                        const std::string& v = k.strRef(c, idx);
                        if (ctx.force || v != k.strRef(stored, idx)) {
                            store.writeString(name.section, name.key, v);
                            k.strRef(stored, idx) = v;
                        }
                        break;
                    }
                    case ValueKind::Placement: {
                        const std::optional<WindowPlacement>& p = k.placeRef(c, idx);
                        if (p && (ctx.force || p != k.placeRef(stored, idx))) {
                            store.writePlacement(name.section, name.key, *p);
                            k.placeRef(stored, idx) = p;
                        }
                        break;
                    }
                    case ValueKind::Font:
                        store.writeFont(name.section, k.fontRef(c, idx), k.fontRef(stored, idx), ctx.force);
                        break;
                }
            }
        }
    }

private:
    static int elements(const KeySpec<S>& k) { return k.count > 0 ? k.count : 1; }

    std::string stringDefault(size_t r, int e, const LoadContext& ctx) const {
        const KeySpec<S>& k = m_rows[r];
        if (k.defaultOf) return k.defaultOf(e);
        if (ctx.env) {
            if (k.source == DefaultSource::TempFolder) return ctx.env->tempFolder;
            if (k.source == DefaultSource::HomeFolder) return ctx.env->homeFolder;
        }
        return m_defaults[r];
    }

    StoredName makeName(size_t r, int e, int instance) const {
        const KeySpec<S>& k = m_rows[r];
        StoredName n;
        n.section = k.section ? k.section : m_section;
        if (k.count > 0) {
            char buf[96];
            std::snprintf(buf, sizeof buf, k.name, k.first + e);
            n.key = buf;
        } else {
            n.key = k.name;
        }
        std::string suffix;
        if (k.flags & kDigits)
            suffix = std::to_string(instance + 1);
        else if (m_numbering == Numbering::PlainThenNext && instance > 0)
            suffix = std::to_string(instance + 1);
        else if (m_numbering == Numbering::Next)
            suffix = std::to_string(instance + 1);
        else if (m_numbering == Numbering::Index)
            suffix = std::to_string(instance);
        if (m_suffixOn == SuffixOn::Section)
            n.section += suffix;
        else
            n.key += suffix;
        return n;
    }

    const char* m_section;
    Numbering m_numbering;
    SuffixOn m_suffixOn;
    int m_instances;
    std::vector<KeySpec<S>> m_rows;
    std::vector<std::string> m_defaults;  // Shift JIS form of each row's literal default
    std::vector<int> m_from;              // row index of defaultFrom, or -1
    std::vector<std::vector<StoredName>> m_names;
};

}  // namespace orvex::settings
