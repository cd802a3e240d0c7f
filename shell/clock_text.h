// The status bar's clock text for a given date and time: plain C++, free of the clock.
#pragma once

#include <string>

// "今日は %2d 月 %2d 日（%s） です    ただ今の時刻 ：%2d 時 %2d 分 %2d 秒" with
// the weekday's name (0 = Sunday = 日) in place of %s. A weekday outside
// 0..6 is taken modulo 7.
std::wstring FormatClockText(int month, int day, int weekday, int hour, int minute, int second);
