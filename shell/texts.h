// The game's own texts that the code passes to the wide Win32 functions.
#pragma once

inline constexpr wchar_t kDealFailureText[] =
    L"残念ながら牌の作成に失敗しました。\n\nＦ２キーを押してください。";
inline constexpr wchar_t kDealFailureCaption[] = L"失敗！";

// Status-bar help for the menu bar's commands and the view buttons.
inline constexpr wchar_t kUndoHelpText[] = L"【一手戻る】 UNDO します。BackSpace キーでも UNDO できます。";
inline constexpr wchar_t kHistoryHelpText[] = L"【取った牌】 取った牌の履歴を表示します。ゲームのやり直しもここからできます。";
inline constexpr wchar_t kHintHelpText[] = L"【ヒント】 取れる牌をすべて表示します。右クリックでもヒント表示します。";
inline constexpr wchar_t kAnswerHelpText[] = L"【答え】 答えを表示します。プレイをした後でないと使えません。";
inline constexpr wchar_t kScreensaverHelpText[] = L"【★ひと休み★】 付属のスクリーンセーバーを起動します。";
inline constexpr wchar_t kUpViewButtonHelpText[] = L"【↑ボタン】視点を切り替えます";
inline constexpr wchar_t kDownViewButtonHelpText[] = L"【↓ボタン】視点切り替えを戻します";
