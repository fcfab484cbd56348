#pragma once
// Macro error numbers and the texts that report a failed run.
//
// Every primitive of the language returns 0 or a negative error number; the
// positive number indexes the message table (MacroTexts.h). A run that was
// stopped from outside ends with kStopped, which is never reported.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvex::orxmac {

enum MacroError : int {
    kErrUndefined = 0,
    kErrSyntax = 1,
    kErrTooComplex = 2,      // a stack, the nesting depth or a size limit overflowed
    kErrNoVariable = 3,
    kErrDivideByZero = 4,
    kErrNoSemicolon = 5,
    kErrNoDelimiter = 6,     // a skipped expression broke inside
    kErrNoCloseParen = 7,
    kErrNoCloseBracket = 8,
    kErrNoCloseBrace = 9,
    kErrNoOpenParen = 10,    // has a message; nothing raises it
    kErrNoOpenBracket = 11,  // has a message; nothing raises it
    kErrNoOpenBrace = 12,
    kErrComment = 13,
    kErrString = 14,
    kErrIf = 15,
    kErrFor = 16,
    kErrWhile = 17,
    kErrDo = 18,
    kErrSwitch = 19,
    kErrCase = 20,
    kErrNoColon = 21,
    kErrNoMain = 22,
    kErrFunctionTwice = 23,
    kErrVariableTwice = 24,
    kErrReservedWord = 25,
    kErrArguments = 26,
    kErrLabelTwice = 27,
    kErrNoLabel = 28,
    kErrNoFunction = 29,
    kErrNoWindow = 30,
};

// Result of a run ended by a stop request.
inline constexpr int kStopped = -100;

// "Error %d " + message + "\r\n" + the source line at the error, as the
// error box shows it. The line starts at the line break before `position`
// (included; the text start when there is none) and ends before the next
// line end (CR, LF or FF) or the end of the text. `result` is the negative
// run result; the source is Shift JIS and the returned text UTF-8.
std::string errorReportText(int result, std::string_view source, uint32_t position);

// The same with the source line left in Shift JIS and the message converted
// to Shift JIS, for consumers that work in the code page.
std::string errorReportSjis(int result, std::string_view source, uint32_t position);

// The debugger's result field: "Error %d\r\n" + message, or "Complete."
// for a result of 0 or more. UTF-8.
std::string debugResultText(int result);

// The source line the error report quotes (Shift JIS bytes, see above).
std::string_view errorLine(std::string_view source, uint32_t position);

}  // namespace orvex::orxmac
