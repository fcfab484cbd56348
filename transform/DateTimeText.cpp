#include "transform/DateTimeText.h"

#include <cstdio>

#include "common/codepage/Cp932.h"

namespace orvex::transform {

namespace {

constexpr const char* kWeekdays[7] = {"日", "月", "火", "水", "木", "金", "土"};

std::string two(int v) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d", v);
    return b;
}

std::string plain(int v) { return std::to_string(v); }

std::string weekday(const std::tm& t) { return kWeekdays[t.tm_wday >= 0 && t.tm_wday < 7 ? t.tm_wday : 0]; }

}  // namespace

std::string dateText(const std::tm& t, int format) {
    const int year = t.tm_year + 1900;
    const std::string yy = two(year % 100), yyyy = plain(year), mm = two(t.tm_mon + 1), dd = two(t.tm_mday);
    const std::string m = plain(t.tm_mon + 1), d = plain(t.tm_mday);
    const int era = year - 1988 > 0 ? year - 1988 : 0;
    std::string s;
    switch (format) {
        case 1: s = yy + "/" + mm + "/" + dd + " " + weekday(t); break;
        case 2: s = yy + "/" + mm + "/" + dd + "（" + weekday(t) + "）"; break;
        case 3: s = yyyy + "/" + mm + "/" + dd; break;
        case 4: s = yyyy + "/" + mm + "/" + dd + " " + weekday(t); break;
        case 5: s = yyyy + "/" + mm + "/" + dd + "（" + weekday(t) + "）"; break;
        case 6: s = yy + "年" + m + "月" + d + "日"; break;
        case 7: s = yy + "年" + m + "月" + d + "日 " + weekday(t) + "曜日"; break;
        case 8: s = yyyy + "年" + m + "月" + d + "日"; break;
        case 9: s = yyyy + "年" + m + "月" + d + "日 " + weekday(t) + "曜日"; break;
        case 10: s = "平成" + plain(era) + "年" + m + "月" + d + "日"; break;
        case 11: s = "平成" + plain(era) + "年" + m + "月" + d + "日 " + weekday(t) + "曜日"; break;
        default: s = yy + "/" + mm + "/" + dd; break;
    }
    return cp932::fromUtf8(s);
}

std::string timeText(const std::tm& t, int format) {
    std::string s;
    switch (format) {
        case 1: s = two(t.tm_hour) + ":" + two(t.tm_min) + ":" + two(t.tm_sec); break;
        case 2: s = plain(t.tm_hour) + "時" + plain(t.tm_min) + "分"; break;
        case 3: s = plain(t.tm_hour) + "時" + plain(t.tm_min) + "分" + plain(t.tm_sec) + "秒"; break;
        default: s = two(t.tm_hour) + ":" + two(t.tm_min); break;
    }
    return cp932::fromUtf8(s);
}

}  // namespace orvex::transform
