// The status bar's clock text for a given date and time: plain C++, free of the clock.
#include "shell/clock_text.h"

#include <string>

namespace {

constexpr const wchar_t* kWeekdayNames[7] = {L"日", L"月", L"火", L"水", L"木", L"金", L"土"};

// What "%2d" gives: right-aligned in two characters, wider when it must be.
std::wstring TwoWide(int value) {
    std::wstring text = std::to_wstring(value);
    if (text.size() < 2) {
        text.insert(0, 2 - text.size(), L' ');
    }
    return text;
}

}  // namespace

std::wstring FormatClockText(int month, int day, int weekday, int hour, int minute, int second) {
    const int index = ((weekday % 7) + 7) % 7;
    std::wstring text = L"今日は ";
    text += TwoWide(month);
    text += L" 月 ";
    text += TwoWide(day);
    text += L" 日（";
    text += kWeekdayNames[index];
    text += L"） です    ただ今の時刻 ：";
    text += TwoWide(hour);
    text += L" 時 ";
    text += TwoWide(minute);
    text += L" 分 ";
    text += TwoWide(second);
    text += L" 秒";
    return text;
}
