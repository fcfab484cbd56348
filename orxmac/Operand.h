#pragma once
// One entry of a frame's operand stack: an integer or string value, or a
// variable (an integer or string variable, stored in some frame).
#include <cstdint>
#include <string>

namespace orvex::orxmac {

class VariableFrame;

// Type codes of functions and variables.
enum TypeCode : uint8_t {
    kTypeVoid = 0,  // functions; also a parameter written without a type
    kTypeInt = 1,
    kTypeStr = 3,
};

enum class OperandKind : uint8_t { Int, Str, IntVar, StrVar };

struct VariableRef {
    VariableFrame* frame = nullptr;
    uint32_t index = 0;
};

struct Operand {
    OperandKind kind = OperandKind::Int;
    int32_t value = 0;   // Int
    std::string text;    // Str
    VariableRef var;     // IntVar, StrVar

    bool isInt() const { return kind == OperandKind::Int || kind == OperandKind::IntVar; }
    bool isStr() const { return kind == OperandKind::Str || kind == OperandKind::StrVar; }
    bool isVariable() const { return kind == OperandKind::IntVar || kind == OperandKind::StrVar; }
};

}  // namespace orvex::orxmac
