// The game's own texts that the code passes to the wide Win32 functions.
#pragma once

inline constexpr wchar_t kDealFailureText[] =
    L"残念ながら牌の作成に失敗しました。\n\nＦ２キーを押してください。";
inline constexpr wchar_t kDealFailureCaption[] = L"失敗！";

// The product's name: the main window's title and the shortcuts' name.
inline constexpr wchar_t kProductName[] = L"Zenmora";

// The name of each tile kind (face modulo 36), carried by its tile window so
// that a screen reader can read the board.
inline constexpr const wchar_t* kKindNames[36] = {
    L"一萬", L"二萬", L"三萬", L"四萬", L"五萬", L"六萬", L"七萬", L"八萬", L"九萬", L"發",
    L"一筒", L"二筒", L"三筒", L"四筒", L"五筒", L"六筒", L"七筒", L"八筒", L"九筒", L"中",
    L"一索", L"二索", L"三索", L"四索", L"五索", L"六索", L"七索", L"八索", L"九索", L"白",
    L"東",   L"南",   L"西",   L"北",   L"NORIVA", L"春夏秋冬",
};

// Added to a tile's name while it is selected.
inline constexpr wchar_t kSelectedTileSuffix[] = L"、選択中";
// The names screen readers give the victory and the deadlock picture.
inline constexpr wchar_t kVictoryPictureName[] = L"おみごと";
inline constexpr wchar_t kDeadlockPictureName[] = L"手詰まり";
// Follows "。" and the number of takes back, after a deadlock whose losing take is known.
inline constexpr wchar_t kDeadlockTakesBackText[] = L" 手戻すと、まだ解けます";

// Status-bar help for the menu bar's commands and the view buttons.
inline constexpr wchar_t kUndoHelpText[] = L"【一手戻る】 UNDO します。BackSpace キーでも UNDO できます。";
inline constexpr wchar_t kHistoryHelpText[] = L"【取った牌】 取った牌の履歴を表示します。ゲームのやり直しもここからできます。";
inline constexpr wchar_t kHintHelpText[] = L"【ヒント】 取れる牌をすべて表示します。右クリックでもヒント表示します。";
inline constexpr wchar_t kAnswerHelpText[] = L"【答え】 答えを表示します。プレイをした後でないと使えません。";
inline constexpr wchar_t kScreensaverHelpText[] = L"【★ひと休み★】 付属のスクリーンセーバーを起動します。";
inline constexpr wchar_t kUpViewButtonHelpText[] = L"【↑ボタン】視点を切り替えます";
inline constexpr wchar_t kDownViewButtonHelpText[] = L"【↓ボタン】視点切り替えを戻します";

// The hint found no pair to show.
inline constexpr wchar_t kHintDeadlockText[] = L"手詰まりです。";
inline constexpr wchar_t kHintDeadlockCaption[] = L"手詰まり";
// The hint worker could not be started.
inline constexpr wchar_t kThreadFailureText[] = L"スレッドの作成に失敗しました。";
inline constexpr wchar_t kThreadFailureCaption[] = L"失敗";
// The answer is refused before the player has played enough.
inline constexpr wchar_t kAnswerNeverPlayedText[] = L"プレイをしてからでなければ\n答えは見られません";
inline constexpr wchar_t kAnswerPlayMoreText[] = L"もう少しプレイをしないと\n答えは見られません";
inline constexpr wchar_t kAnswerCaption[] = L"答え表示";

// The history window: its title, and the box its "？" button shows.
inline constexpr wchar_t kHistoryTitle[] = L"履歴の表示";
inline constexpr wchar_t kHistoryInfoCaption[] = L"information";
inline constexpr wchar_t kHistoryInfoText[] =
    L"****************************\n"
    L" クリックした牌までＵＮＤＯします\n"
    L" 左上の牌が一番最初に取った牌です\n"
    L"****************************";

// The answer dialog's buttons while an answer is already running.
inline constexpr wchar_t kAnswerAgainText[] = L"はじめから";
inline constexpr wchar_t kAnswerGoOnText[] = L"つづきから";
