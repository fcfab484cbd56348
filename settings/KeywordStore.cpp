#include "settings/KeywordStore.h"

#include <cstdio>

#include "common/codepage/SjisWalk.h"
#include "settings/SettingsStore.h"
#include "settings/ValueCodec.h"

namespace orvex::settings {

namespace {

constexpr const char* kBuiltIn[32] = {
    "if",     "else",    "for",    "while",  "return", "case",   "default", "continue",
    "break",  "char",    "short",  "int",    "long",   "unsigned", "float", "double",
    "void",   "static",  "const",  "extern", "sizeof", "typedef", "struct", "union",
    "#define", "#undef", "#ifdef", "#ifndef", "#if",   "#else",  "#endif", "#include",
};

int classOfLast(const std::string& w) {
    if (w.empty()) return 0;
    // Walk forward from the start so a trail byte is never taken for a
    // character of its own.
    size_t last = 0;
    for (size_t i = 0; i < w.size(); i += codec::charBytes(w, i)) last = i;
    const auto* p = reinterpret_cast<const uint8_t*>(w.c_str() + last);
    if (codec::charBytes(w, last) == 1 && sjis::awaitsTrail(p[0])) return sjis::kCharOther;  // a lone lead byte
    return sjis::charClass(p);
}

std::string keyName(int slot) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "Keyword%d", KeywordStore::keyNumber(slot));
    return buf;
}

}  // namespace

KeywordStore::KeywordStore() {
    for (int i = 0; i < 32; ++i) setWord(i, kBuiltIn[i]);
}

void KeywordStore::setWord(int slot, std::string_view word) {
    const auto i = static_cast<size_t>(slot);
    m_words[i] = std::string(word);
    m_lastClass[i] = static_cast<uint8_t>(classOfLast(m_words[i]));
}

int KeywordStore::keyNumber(int slot) {
    if (slot < 20) return slot + 1;
    if (slot < 40) return slot + 21;
    if (slot < 60) return slot - 19;
    return slot + 1;
}

const char* KeywordStore::builtIn(int slot) { return slot >= 0 && slot < 32 ? kBuiltIn[slot] : ""; }

void KeywordStore::load(const SettingsStore& store, KeywordStore& stored) {
    bool builtInsApply = true;
    for (int slot = 0; slot < kKeywordSlots; ++slot) {
        const char* def = slot == 0 || builtInsApply ? builtIn(slot) : "";
        std::string w = store.readString("Settings", keyName(slot), def);
        if (slot == 0) builtInsApply = w == "if";
        stored.setWord(slot, w);
        setWord(slot, w);
    }
}

void KeywordStore::save(SettingsStore& store, KeywordStore& stored, bool force) const {
    for (int slot = 0; slot < kKeywordSlots; ++slot) {
        const std::string& w = word(slot);
        if (!force && w == stored.word(slot)) continue;
        store.writeString("Settings", keyName(slot), w);
        stored.setWord(slot, w);
    }
}

}  // namespace orvex::settings
