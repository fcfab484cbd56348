// The error table and the texts that report a failed run.
#include <gtest/gtest.h>

#include <string>

#include "common/codepage/Cp932.h"
#include "orxmac/MacroError.h"
#include "orxmac/MacroTexts.h"

using namespace orvex;
using namespace orvex::orxmac;

TEST(MacroErrorTable, NumbersOutsideTheTableUseMessageZero) {
    EXPECT_EQ(errorMessage(0), "定義されていないエラーです");
    EXPECT_EQ(errorMessage(5), ";（セミコロン）がありません");
    EXPECT_EQ(errorMessage(10), "( がありません");  // has a message though nothing raises it
    EXPECT_EQ(errorMessage(30), "ウィンドウがありません");
    EXPECT_EQ(errorMessage(31), errorMessage(0));
    EXPECT_EQ(errorMessage(32), errorMessage(0));
    EXPECT_EQ(errorMessage(-1), errorMessage(0));
    // Every message survives the trip into Shift JIS.
    for (int n = 0; n <= 30; ++n) {
        const std::string sjis = cp932::fromUtf8(errorMessage(n));
        EXPECT_EQ(sjis.find('?'), std::string::npos) << n;
        EXPECT_EQ(cp932::toUtf8(sjis), errorMessage(n)) << n;
    }
}

struct ReportRow {
    const char* source;
    uint32_t position;
    const char* line;  // the quoted text behind "\r\n"
};

TEST(MacroErrorReport, QuotesTheLineFromTheBreakBeforeTheError) {
    const ReportRow rows[] = {
        {"a;\r\nb = 1 ?\r\nc;", 9, "\nb = 1 ?"},   // CR LF: the LF before the line is kept
        {"a;\nb = 1 ?\nc;", 7, "\nb = 1 ?"},       // LF only: the line still ends at its break
        {"a;\rb = 1 ?\rc;", 7, "\rb = 1 ?"},       // CR only
        {"first line\nsecond", 3, "first line"},   // no break before: from the text start
        {"x\ny", 3, "\ny"},                        // at the end of the text
        {"x\n", 2, "\n"},
        {"ab\ncd", 2, "ab"},                       // on a line end: the line before it
        {"ab\fcd\nx", 1, "ab"},                    // a form feed ends the quoted text
        {"", 0, ""},
        {"abc", 99, "abc"},                        // a position beyond the text is clamped
    };
    for (const ReportRow& row : rows) {
        const std::string_view source(row.source);
        EXPECT_EQ(errorLine(source, row.position), row.line) << row.source;
        EXPECT_EQ(errorReportText(-5, source, row.position), std::string("Error 5 ;（セミコロン）がありません\r\n") + row.line)
            << row.source;
    }
}

TEST(MacroErrorReport, SourceLineIsConvertedFromShiftJis) {
    const std::string source = "main() {\r\n  s = \"\x82\xA0\" ?\r\n}";  // "あ"
    EXPECT_EQ(errorReportText(-5, source, 20), "Error 5 ;（セミコロン）がありません\r\n\n  s = \"あ\" ?");
    const std::string sjis = errorReportSjis(-5, source, 20);
    EXPECT_EQ(sjis, "Error 5 " + cp932::fromUtf8(";（セミコロン）がありません") + "\r\n\n  s = \"\x82\xA0\" ?");
    // The terminating NUL of a source text ends the quoted line.
    const std::string withNul("x = 1\0garbage", 13);
    EXPECT_EQ(errorLine(withNul, 2), "x = 1");
}

TEST(MacroErrorReport, DebuggerResultText) {
    EXPECT_EQ(debugResultText(0), "Complete.");
    EXPECT_EQ(debugResultText(-22), "Error 22\r\nmain 関数がありません");
    EXPECT_EQ(debugResultText(-40), "Error 40\r\n定義されていないエラーです");
}
