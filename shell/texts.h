// The game's own texts that the code passes to the wide Win32 functions.
#pragma once

inline constexpr wchar_t kDealFailureText[] =
    L"残念ながら牌の作成に失敗しました。\n\nＦ２キーを押してください。";
inline constexpr wchar_t kDealFailureCaption[] = L"失敗！";
