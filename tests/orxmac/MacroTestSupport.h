#pragma once
// Runs macro programs in tests and reads back what they left behind.
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <string_view>

#include "orxmac/BuiltinRegistry.h"
#include "orxmac/MacroError.h"
#include "orxmac/MacroInterpreter.h"
#include "orxmac/MacroSource.h"
#include "orxmac/RunControl.h"

namespace orvex::orxmac::test {

// One program, one interpreter. The program text is kept alive with it.
class MacroRun {
public:
    explicit MacroRun(std::string_view program, const BuiltinRegistry* builtins = nullptr,
                      RunControl* control = nullptr)
        : m_source(program) {
        m_interpreter.setBuiltins(builtins);
        m_interpreter.setControl(control);
    }

    int run() { return m_result = m_interpreter.run(m_source); }
    int load() { return m_result = m_interpreter.load(m_source); }
    int result() const { return m_result; }
    uint32_t cursor() const { return m_interpreter.cursor(); }
    MacroInterpreter& interpreter() { return m_interpreter; }
    const MacroSource& source() const { return m_source; }

    bool hasGlobal(std::string_view name) const { return index(name) >= 0; }
    int32_t intGlobal(std::string_view name) const {
        const int i = index(name);
        EXPECT_GE(i, 0) << "no global " << name;
        return i < 0 ? 0 : m_interpreter.globals().intValue(static_cast<uint32_t>(i));
    }
    std::string strGlobal(std::string_view name) const {
        const int i = index(name);
        EXPECT_GE(i, 0) << "no global " << name;
        return i < 0 ? std::string() : m_interpreter.globals().stringValue(static_cast<uint32_t>(i));
    }

private:
    int index(std::string_view name) const {
        const VariableFrame& g = m_interpreter.globals();
        for (uint32_t i = 0; i < g.variableCount(); ++i) {
            if (g.variable(i).name == name) return static_cast<int>(i);
        }
        return -1;
    }

    MacroSource m_source;
    MacroInterpreter m_interpreter;
    int m_result = 0;
};

// Position of the first occurrence of `anchor` in `program` ("$" = the end).
inline uint32_t positionOf(std::string_view program, std::string_view anchor) {
    if (anchor == "$") return static_cast<uint32_t>(program.size());
    const size_t at = program.find(anchor);
    EXPECT_NE(at, std::string_view::npos) << "anchor " << anchor << " not in " << program;
    return at == std::string_view::npos ? 0u : static_cast<uint32_t>(at);
}

// A program text on one line of plain ASCII (control and Shift JIS bytes
// escaped), for test names and failure messages.
inline std::string printable(std::string_view text) {
    std::string out;
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F) {
            out.push_back(c);
        } else {
            static const char hex[] = "0123456789ABCDEF";
            out += "\\x";
            out.push_back(hex[b >> 4]);
            out.push_back(hex[b & 15]);
        }
    }
    return out;
}

// Name of a table row for the test list: its index and the first letters
// and digits of its text.
inline std::string rowName(size_t index, std::string_view text) {
    std::string name = "row" + std::to_string(index);
    for (char c : text) {
        if (name.size() >= 40) break;
        if (std::isalnum(static_cast<unsigned char>(c))) {
            name.push_back(c);
        } else if (name.back() != '_') {
            name.push_back('_');
        }
    }
    while (name.back() == '_') name.pop_back();
    return name;
}

// Wraps statements into a main function with the given globals.
inline std::string inMain(std::string_view globals, std::string_view body) {
    return std::string(globals) + "\nmain() {\n" + std::string(body) + "\n}\n";
}

// A run that must stop with an error number at a place: the text at is
// the first occurrence of where the cursor stands.
struct ErrorRow {
    const char* body;
    int error;
    const char* at;
};

inline void PrintTo(const ErrorRow& row, std::ostream* os) { *os << printable(row.body); }

inline void expectErrorAt(std::string_view globals, const ErrorRow& row) {
    const std::string program = inMain(globals, row.body);
    MacroRun m(program);
    EXPECT_EQ(m.run(), -row.error) << row.body;
    EXPECT_EQ(m.cursor(), positionOf(program, row.at)) << row.body;
}

}  // namespace orvex::orxmac::test
