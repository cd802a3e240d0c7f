// The clock text: exact padding, the weekday names, and agreement with the printf format it mirrors.
#include "shell/clock_text.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace {

// The text as the C library formats it from the one-line format, so the
// hand-built text is checked against an independent formatter.
std::wstring Printed(int month, int day, const wchar_t* weekday, int hour, int minute, int second) {
    wchar_t buffer[128] = {};
    std::swprintf(buffer, 128, L"今日は %2d 月 %2d 日（%ls） です    ただ今の時刻 ：%2d 時 %2d 分 %2d 秒", month, day,
                  weekday, hour, minute, second);
    return buffer;
}

}  // namespace

TEST(ClockText, SingleDigitsArePaddedWithOneSpace) {
    // Sunday 5 January, 9:03:07.
    EXPECT_EQ(FormatClockText(1, 5, 0, 9, 3, 7),
              L"今日は  1 月  5 日（日） です    ただ今の時刻 ： 9 時  3 分  7 秒");
    // Two digits everywhere: no padding at all.
    EXPECT_EQ(FormatClockText(12, 31, 6, 23, 59, 58),
              L"今日は 12 月 31 日（土） です    ただ今の時刻 ：23 時 59 分 58 秒");
    // Midnight shows as 0 hours, not 24 or 12.
    EXPECT_EQ(FormatClockText(2, 29, 4, 0, 0, 0),
              L"今日は  2 月 29 日（木） です    ただ今の時刻 ： 0 時  0 分  0 秒");
}

TEST(ClockText, WeekdaysRunFromSundayAndWrap) {
    const wchar_t* names[7] = {L"日", L"月", L"火", L"水", L"木", L"金", L"土"};
    for (int weekday = 0; weekday < 7; ++weekday) {
        SCOPED_TRACE(weekday);
        const std::wstring text = FormatClockText(3, 10, weekday, 8, 0, 0);
        EXPECT_NE(text.find(std::wstring(L"（") + names[weekday] + L"）"), std::wstring::npos) << weekday;
        // Out-of-range weekdays fold back onto the same names.
        EXPECT_EQ(FormatClockText(3, 10, weekday + 7, 8, 0, 0), text);
        EXPECT_EQ(FormatClockText(3, 10, weekday - 7, 8, 0, 0), text);
    }
}

TEST(ClockText, MatchesTheFormatForEveryDateAndTime) {
    const wchar_t* names[7] = {L"日", L"月", L"火", L"水", L"木", L"金", L"土"};
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 31; ++day) {
            const int weekday = (month * 31 + day) % 7;
            ASSERT_EQ(FormatClockText(month, day, weekday, day % 24, (day * 7) % 60, (month * 13) % 60),
                      Printed(month, day, names[weekday], day % 24, (day * 7) % 60, (month * 13) % 60))
                << month << "/" << day;
        }
    }
    for (int hour = 0; hour < 24; ++hour) {
        for (int minute = 0; minute < 60; ++minute) {
            const int second = (hour * 60 + minute) % 60;
            ASSERT_EQ(FormatClockText(6, 15, 1, hour, minute, second), Printed(6, 15, L"月", hour, minute, second))
                << hour << ":" << minute;
        }
    }
}
