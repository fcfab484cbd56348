#pragma once
// The variables of one function call (or the globals), with the call's
// labels, block state and expression stacks.
//
// Variables are found by name number (NameTable, case folded). Each keeps
// the position of the declaration item that created it (0 for an array
// element created on use), so a declaration executed again, as in a loop,
// is told apart from a second declaration of the same name. A string
// variable's value indexes the frame's string pool.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "orxmac/Operand.h"
#include "orxmac/Scanner.h"

namespace orvex::orxmac {

struct Variable {
    std::string name;      // as written where it was declared
    uint32_t nameId = 0;
    uint32_t declPos = 0;
    uint8_t type = kTypeInt;
    int32_t value = 0;     // the integer, or the string pool index
};

struct Label {
    std::string name;      // compared exactly
    uint32_t position = 0; // behind the colon
    uint32_t block = 0;    // the "{" of the block that holds it
};

// An entry of the operator stack: an operator, or a marker (the sentinel of
// an evaluation or an open parenthesis) that remembers the operand stack
// height where its part of the expression begins.
struct OperatorEntry {
    scan::Op op = scan::Op::None;  // None for a marker
    uint8_t precedence = 0;        // 0 for a marker
    uint8_t operandBase = 0;
};

class VariableFrame {
public:
    static constexpr uint32_t kOperatorCapacity = 16;
    static constexpr uint32_t kOperandCapacity = 32;

    // Empties the frame for a new call (keeping its allocations).
    void reset(VariableFrame* enclosing, uint8_t returnType);

    // Index of the variable with that name number, or -1.
    int32_t find(uint32_t nameId) const;
    // Adds a variable (the name must not be present yet): 0 or "".
    uint32_t add(uint32_t nameId, std::string_view name, uint32_t declPos, uint8_t type);

    const Variable& variable(uint32_t index) const { return m_variables[index]; }
    uint32_t variableCount() const { return static_cast<uint32_t>(m_variables.size()); }
    int32_t intValue(uint32_t index) const { return m_variables[index].value; }
    void setInt(uint32_t index, int32_t v) { m_variables[index].value = v; }
    std::string& stringValue(uint32_t index) {
        return m_strings[static_cast<size_t>(m_variables[index].value)];
    }
    const std::string& stringValue(uint32_t index) const {
        return m_strings[static_cast<size_t>(m_variables[index].value)];
    }
    // Sets a variable back to 0 or the empty string.
    void clearValue(uint32_t index);

    VariableFrame* enclosing() const { return m_enclosing; }
    uint8_t returnType() const { return m_returnType; }

    // Labels of the function body (owned by the interpreter's cache).
    const std::vector<Label>* labels = nullptr;
    // Block state: nesting count, the "{" entered last, and the block of the
    // label a goto in progress (status 4) is heading for.
    uint32_t blockDepth = 0;
    uint32_t currentBlock = 0;
    uint32_t gotoBlock = 0;

    // Expression stacks.
    std::array<OperatorEntry, kOperatorCapacity> operators;
    uint32_t operatorCount = 0;
    std::array<Operand, kOperandCapacity> operands;
    uint32_t operandCount = 0;

private:
    void rehash(uint32_t capacity);

    std::vector<Variable> m_variables;
    std::vector<std::string> m_strings;
    // Open-addressing map from name number to variable index + 1 (0 = free).
    std::vector<uint32_t> m_slotKeys;
    std::vector<uint32_t> m_slotValues;
    VariableFrame* m_enclosing = nullptr;
    uint8_t m_returnType = kTypeInt;
};

}  // namespace orvex::orxmac
