// End-to-end run of the game by keyboard and screen reader, from another process: a deal played with the cursor keys and Enter alone into two deadlocks and then cleared by following its answer, with the tiles' accessible names and the focus, name and alert events a screen reader hears.
// Usage: keyboard_e2e <path of zmr.exe> <folder to play in>. Exit code 0 when every check held.
#include <windows.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "play/solver/solver.h"
#include "shell/resource.h"
#include "tests/e2e/game_process.h"
#include "tests/e2e/shown_board.h"
#include "tests/support/window_harness.h"

using namespace e2e;

namespace {

constexpr DWORD kWindowTimeoutMs = 8000;
constexpr COLORREF kCyan = RGB(0, 255, 255);     // a selected tile's face
constexpr COLORREF kYellow = RGB(255, 255, 0);   // a tile of the answer's pair
constexpr COLORREF kMagenta = RGB(255, 0, 255);  // the keyboard cursor's frame
constexpr wchar_t kSelectedSuffix[] = L"、選択中";

using Pair = std::pair<int, int>;

// What a screen reader hears of the game: the accessibility events of its
// windows. Under Wine a hook limited to the game's process hears nothing, so
// it hooks every process and keeps the game's; the events arrive while this
// thread pumps messages.
class EventListener {
public:
    explicit EventListener(DWORD processId) : processId_(processId) {
        active_ = this;
        hook_ = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, Hear, 0, 0, WINEVENT_OUTOFCONTEXT);
    }
    ~EventListener() {
        if (hook_ != nullptr) UnhookWinEvent(hook_);
        active_ = nullptr;
    }
    EventListener(const EventListener&) = delete;
    EventListener& operator=(const EventListener&) = delete;

    bool Hooked() const { return hook_ != nullptr; }
    // Where the events heard so far end; a wait looks only past it.
    std::size_t Mark() const { return heard_.size(); }
    // Pumps until `event` for `window` is heard past `mark`.
    bool WaitFor(std::size_t mark, DWORD event, HWND window, DWORD timeoutMs = kWindowTimeoutMs) {
        return harness::PumpUntil(
            [&] {
                for (std::size_t i = mark; i < heard_.size(); ++i) {
                    if (heard_[i].first == event && heard_[i].second == window) return true;
                }
                return false;
            },
            timeoutMs);
    }

private:
    static void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD, DWORD) {
        DWORD owner = 0;
        if (active_ != nullptr && window != nullptr && GetWindowThreadProcessId(window, &owner) != 0 &&
            owner == active_->processId_) {
            active_->heard_.emplace_back(event, window);
        }
    }

    static EventListener* active_;
    DWORD processId_;
    HWINEVENTHOOK hook_ = nullptr;
    std::vector<std::pair<DWORD, HWND>> heard_;
};
EventListener* EventListener::active_ = nullptr;

// A window's name as an accessibility client reads it.
std::wstring AccessibleName(HWND window) {
    IAccessible* object = nullptr;
    // The 64-bit import library's IID_IAccessible is the import thunk's
    // code, not the identifier: take the one the header declares.
    const HRESULT found =
        AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object));
    if (FAILED(found) || object == nullptr) {
        wchar_t text[48];
        swprintf(text, 48, L"<no accessible object: 0x%08lx>", static_cast<unsigned long>(found));
        return text;
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const HRESULT result = object->get_accName(self, &name);
    std::wstring text = SUCCEEDED(result) && name != nullptr ? std::wstring(name) : L"<no name>";
    SysFreeString(name);
    object->Release();
    return text;
}

// Counts the cases of one check made many times and keeps the first that failed.
struct Tally {
    int failed = 0;
    int total = 0;
    std::string firstFailure;
    // How long to wait for what the next case is to show: once a case has
    // failed, the rest are only looked at, so a missing event costs no more
    // than one wait.
    DWORD Patience() const { return failed == 0 ? kWindowTimeoutMs : 100; }
    void Note(bool held, const std::string& seen) {
        ++total;
        if (!held && failed++ == 0) firstFailure = seen;
    }
    void Report(Checks& checks, const std::string& what) const {
        checks.Expect(total > 0 && failed == 0, what,
                      Num(total - failed) + " of " + Num(total) + (failed > 0 ? ", first failure: " + firstFailure : ""));
    }
};

// The game as the keyboard meets it: keys go to the window with the focus,
// as the keyboard's do.
class KeyboardPlayer {
public:
    KeyboardPlayer(const GameProcess& game, const Board& board, EventListener& events)
        : game_(game), board_(board), events_(events) {}

    HWND Focus() const {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(game_.threadId(), &info) != 0 ? info.hwndFocus : nullptr;
    }

    // The slot whose tile has the focus, or -1.
    int FocusedSlot() const {
        const HWND focus = Focus();
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (board_.windows[slot] == focus) return slot;
        }
        return -1;
    }

    void Press(WPARAM key) {
        mark_ = events_.Mark();
        const HWND focus = Focus();
        SendWithin(focus != nullptr ? focus : board_.main, WM_KEYDOWN, key, 1);
    }

    // Presses `key` until the focused tile answers `wanted`, within two
    // rounds of every tile; false when it never does.
    bool PressUntil(WPARAM key, const std::function<bool(int)>& wanted) {
        for (int press = 0; press <= 2 * kSlotCount; ++press) {
            const int slot = FocusedSlot();
            if (slot >= 0 && wanted(slot)) return true;
            Press(key);
        }
        return false;
    }

    // The focus event of the last key was heard for the tile of `slot`.
    bool FocusHeard(int slot, DWORD timeoutMs = kWindowTimeoutMs) {
        return events_.WaitFor(mark_, EVENT_OBJECT_FOCUS, board_.windows[slot], timeoutMs);
    }

    // The cursor's tile is heard by its name; Enter selects it: it turns cyan,
    // its name says so and the change is heard. The tallies note what was seen.
    void Select(int slot, Tally& named, Tally& selected) {
        const HWND tile = board_.windows[slot];
        const std::wstring heard = AccessibleName(tile);
        named.Note(heard == board_.names[slot] && FocusHeard(slot, named.Patience()),
                   "slot " + Num(slot) + " named \"" + Narrow(heard) + "\"");
        Press(VK_RETURN);
        const DWORD patience = selected.Patience();
        const bool cyan = harness::PumpUntil([&] { return harness::CountOnScreen(tile, kCyan) > 0; }, patience);
        // The game renames the tile once the key is handled.
        std::wstring name;
        const bool renamed = harness::PumpUntil(
            [&] { return (name = AccessibleName(tile)) == board_.names[slot] + kSelectedSuffix; }, patience);
        selected.Note(cyan && renamed && events_.WaitFor(mark_, EVENT_OBJECT_NAMECHANGE, tile, patience),
                      "slot " + Num(slot) + (cyan ? " cyan" : " not cyan") + ", named \"" + Narrow(name) + "\"");
    }

    // Enter on the second tile of a pair; the pair goes, and the cursor
    // rests on a free tile left on the board (when there is one).
    void Take(const Pair& pair, Tally& taken) {
        Press(VK_RETURN);
        const bool gone =
            harness::PumpUntil([&] { return !board_.Visible(pair.first) && !board_.Visible(pair.second); },
                               taken.Patience());
        const std::vector<int> free = board_.FreeSlots();
        const int rest = FocusedSlot();
        const bool onAStop = free.empty() || std::find(free.begin(), free.end(), rest) != free.end();
        taken.Note(gone && onAStop, "slots " + Num(pair.first) + " and " + Num(pair.second) +
                                        (gone ? " gone" : " still shown") + ", cursor on slot " + Num(rest));
    }

private:
    const GameProcess& game_;
    const Board& board_;
    EventListener& events_;
    std::size_t mark_ = 0;
};

// Pairs of free tiles of one name, with the taken tiles as tileSlots has them.
std::vector<Pair> FreePairs(const Board& board) {
    return board_testing::FreePairs([&](int a, int b) { return board.names[a] == board.names[b]; });
}

// A way to play the fresh deal into a deadlock: free pairs taken at random
// until none is left, seed after seed until a game stops short of clearing.
std::vector<Pair> PlanIntoDeadlock(const Board& board) {
    for (unsigned seed = 1; seed <= 100; ++seed) {
        std::mt19937 random(seed);
        for (TileSlot& slot : tileSlots) slot.state = 0;
        std::vector<Pair> plan;
        for (std::vector<Pair> pairs = FreePairs(board); !pairs.empty(); pairs = FreePairs(board)) {
            const Pair pick = pairs[random() % pairs.size()];
            tileSlots[pick.first].state = tileSlots[pick.second].state = 2;
            plan.push_back(pick);
        }
        if (plan.size() < kSlotCount / 2) return plan;
    }
    return {};
}

// What a screen reader should hear at the deadlock the plan runs into: how
// many takes back the deal can still be cleared, worked out here by the
// solver from the tiles' names (one kind a name).
std::wstring DeadlockName(const Board& board, const std::vector<Pair>& plan) {
    std::vector<std::wstring> kinds;
    Position dealt = EmptyPosition();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        auto kind = std::find(kinds.begin(), kinds.end(), board.names[slot]);
        if (kind == kinds.end()) kind = kinds.insert(kinds.end(), board.names[slot]);
        dealt.faces[slot] = static_cast<int16_t>(kind - kinds.begin());
    }
    std::vector<TakenPair> line;
    for (const Pair& pair : plan) line.push_back({static_cast<int16_t>(pair.first), static_cast<int16_t>(pair.second)});
    const LosingTake losing = FirstLosingTake(1, dealt, line, 50 * kSolverStepsPerMillisecond);
    if (!losing.decided || losing.take < 0) return L"手詰まり";
    return L"手詰まり。" + std::to_wstring(plan.size() - static_cast<std::size_t>(losing.take)) + L" 手戻すと、まだ解けます";
}

// The first cursor key shows the frame on a free tile and gives that tile the
// focus, which a screen reader hears; the frame follows the tile into the
// raised view.
void CheckCursorAppears(KeyboardPlayer& player, const Board& board, Checks& checks) {
    checks.Expect(harness::CountOnScreen(board.main, kMagenta) == 0, "no cursor frame before a cursor key");
    player.Press(VK_RIGHT);
    const int slot = player.FocusedSlot();
    const std::vector<int> free = board.FreeSlots();
    checks.Require(std::find(free.begin(), free.end(), slot) != free.end(),
                   "Right gives a free tile the keyboard focus", "slot " + Num(slot));
    checks.Expect(player.FocusHeard(slot), "its focus event is heard from another process");
    checks.Expect(AccessibleName(board.windows[slot]) == board.names[slot], "its accessible name is the tile's name",
                  Narrow(AccessibleName(board.windows[slot])));
    checks.Expect(harness::PumpUntil([&] { return harness::CountOnScreen(board.main, kMagenta) > 0; }, kWindowTimeoutMs),
                  "the cursor frame shows");
    harness::SaveScreenshotIfAsked("keyboard-cursor-normal");
    player.Press(VK_UP);
    RECT tile = {};
    GetWindowRect(board.windows[slot], &tile);
    const int frameWidth = board.scale.Scaled(3);
    const bool followed = harness::PumpUntil(
        [&] {
            RECT around = tile;
            InflateRect(&around, frameWidth, frameWidth);
            int ring = 0;
            for (COLORREF pixel : harness::Capture(nullptr, around.left, around.top, around.right - around.left,
                                                    around.bottom - around.top)) {
                ring += pixel == kMagenta ? 1 : 0;
            }
            GetWindowRect(board.windows[slot], &tile);
            return tile.right - tile.left == board.scale.Scaled(37) && ring > 2 * (tile.bottom - tile.top);
        },
        kWindowTimeoutMs);
    checks.Expect(followed, "Up: the frame stands around the same tile in the raised view", RectText(tile));
    harness::SaveScreenshotIfAsked("keyboard-cursor-raised");
    player.Press(VK_DOWN);
}

// Plays into a deadlock by keyboard: Right to the first tile of each pair,
// Left to the second, Enter on each. The deadlock picture is named and
// announced; a key hides it, and one more selecting Enter is the second
// deadlock, which opens the answer.
void PlayIntoDeadlocks(KeyboardPlayer& player, const Board& board, EventListener& events, Checks& checks) {
    const std::vector<Pair> plan = PlanIntoDeadlock(board);
    checks.Require(!plan.empty(), "a way into a deadlock found", Num(static_cast<long long>(plan.size())) + " pairs");
    std::printf("# into a deadlock in %zu pairs\n", plan.size());
    HWND deadlock = ChildWindows(board.main, L"Tezumari Window").front();
    Tally reached, named, selected, taken;
    std::size_t alertMark = 0;
    for (const Pair& pair : plan) {
        const bool onFirst = player.PressUntil(VK_RIGHT, [&](int slot) { return slot == pair.first; });
        if (onFirst) player.Select(pair.first, named, selected);
        const bool onSecond = onFirst && player.PressUntil(VK_LEFT, [&](int slot) { return slot == pair.second; });
        reached.Note(onSecond, "slots " + Num(pair.first) + ", " + Num(pair.second));
        if (!onSecond) break;
        alertMark = events.Mark();
        player.Take(pair, taken);
    }
    reached.Report(checks, "Right and Left bring the cursor to each tile of the plan");
    named.Report(checks, "each tile the cursor rests on is heard by its name");
    selected.Report(checks, "Enter selects: the tile turns cyan and its name says 選択中, heard as a change");
    taken.Report(checks, "Enter on the second tile takes the pair; the cursor rests on a free tile");
    checks.Expect(harness::PumpUntil([&] { return IsWindowVisible(deadlock) != 0; }, kWindowTimeoutMs),
                  "the deadlock picture shows");
    checks.Expect(events.WaitFor(alertMark, EVENT_SYSTEM_ALERT, deadlock), "its alert is heard");
    checks.Expect(AccessibleName(deadlock) == DeadlockName(board, plan), "its name says how many takes back",
                  Narrow(AccessibleName(deadlock)));
    harness::SaveScreenshotIfAsked("keyboard-deadlock");

    player.Press(VK_RIGHT);
    checks.Expect(harness::PumpUntil([&] { return IsWindowVisible(deadlock) == 0; }, kWindowTimeoutMs),
                  "a cursor key hides the deadlock picture");
    const std::size_t mark = events.Mark();
    player.Press(VK_RETURN);
    checks.Expect(events.WaitFor(mark, EVENT_SYSTEM_ALERT, deadlock) && IsWindowVisible(deadlock) != 0,
                  "Enter on a free tile of the stuck board is the second deadlock, announced again");
    player.Press(VK_RETURN);
}

// "答え" from the menu and Enter in its dialog; then every pair of the answer
// by keyboard: Right to a yellow tile, Enter, Left to the other, Enter. The
// board clears without the victory picture, and the frame goes with the last tile.
void FollowTheAnswer(const GameProcess& game, KeyboardPlayer& player, const Board& board, Checks& checks) {
    checks.Require(PostMessageW(board.main, WM_COMMAND, IDM_ANSWER, 0) != 0, "答え chosen");
    HWND dialog = WaitForDialog(game, nullptr, kWindowTimeoutMs);
    checks.Expect(harness::TextOf(dialog) == L"答え表示", "the answer dialog opens after two deadlocks",
                  Narrow(harness::TextOf(dialog)));
    const HWND button = player.Focus();
    checks.Require(PostMessageW(button != nullptr ? button : dialog, WM_KEYDOWN, VK_RETURN, 1) != 0, "Enter in the dialog");
    const bool allBack = harness::PumpUntil([&] { return board.VisibleCount() == kSlotCount; }, kWindowTimeoutMs);
    checks.Require(allBack, "スタート puts every tile back", Num(board.VisibleCount()) + " shown");
    const auto yellow = [&](int slot) { return ShowsOwnPixelOfColour(board.windows[slot], kYellow); };
    Tally reached, named, selected, taken;
    for (int step = 0; step < kSlotCount / 2; ++step) {
        int first = -1;
        int second = -1;
        if (player.PressUntil(VK_RIGHT, yellow)) {
            first = player.FocusedSlot();
            player.Select(first, named, selected);
            if (player.PressUntil(VK_LEFT, yellow)) second = player.FocusedSlot();
        }
        reached.Note(second >= 0, "step " + Num(step) + ": slots " + Num(first) + ", " + Num(second));
        if (second < 0) break;
        player.Take({first, second}, taken);
    }
    reached.Report(checks, "Right and Left find both yellow tiles of every step of the answer");
    named.Report(checks, "each yellow tile is heard by its name");
    selected.Report(checks, "Enter selects the first yellow tile");
    taken.Report(checks, "Enter on the second takes the answer's pair");
    checks.Expect(board.VisibleCount() == 0, "the keyboard clears the whole deal", Num(board.VisibleCount()) + " left");
    harness::PumpFor(300);
    checks.Expect(IsWindowVisible(ChildWindows(board.main, L"Omigoto Window").front()) == 0,
                  "the answer's end shows no victory picture");
    checks.Expect(harness::CountOnScreen(board.main, kMagenta) == 0, "the frame goes with the last tile");
}

// A pair taken, and a click on the middle of its cell in the history window
// where the cell stands at the run's scale brings it back.
void CheckHistoryClick(const GameProcess& game, const Board& board, Checks& checks) {
    int first = -1;
    int second = -1;
    const std::vector<int> free = board.FreeSlots();
    for (std::size_t i = 0; i < free.size() && second < 0; ++i) {
        for (std::size_t j = i + 1; j < free.size() && second < 0; ++j) {
            if (board.names[free[i]] == board.names[free[j]]) first = free[i], second = free[j];
        }
    }
    checks.Require(second >= 0, "a free pair on the fresh deal");
    for (int slot : {first, second}) {
        SendWithin(board.windows[slot], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
        SendWithin(board.windows[slot], WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    }
    checks.Require(harness::PumpUntil([&] { return !board.Visible(first) && !board.Visible(second); }, kWindowTimeoutMs),
                   "two clicks take the pair");
    SendWithin(board.main, WM_COMMAND, IDM_HISTORY, 0);
    HWND history = nullptr;
    harness::PumpUntil(
        [&] {
            const std::vector<HWND> shown = TopLevelWindows(game.threadId(), L"Rireki Window", true);
            history = shown.empty() ? nullptr : shown.front();
            return history != nullptr;
        },
        kWindowTimeoutMs);
    checks.Require(history != nullptr, "the history window shows");
    // The field's own green below the cells, drawn at the scale.
    POINT below = {board.scale.Scaled(112), board.scale.Scaled(370)};
    ClientToScreen(history, &below);
    COLORREF seen = 0;
    const bool green = harness::PumpUntil(
        [&] { return (seen = harness::Capture(nullptr, below.x, below.y, 1, 1)[0]) == RGB(0x00, 0x70, 0x18); },
        kWindowTimeoutMs);
    checks.Expect(green, "the history's field shows its green at the scale", "0x" + Num(static_cast<long long>(seen)));
    harness::SaveScreenshotIfAsked(("history-at-" + Num(board.scale.dpi) + "-dpi").c_str());
    // Cell 0 is 25 x 35 at (5, 40) at 96 DPI.
    const LPARAM middle = MAKELPARAM(board.scale.Scaled(17), board.scale.Scaled(57));
    SendWithin(history, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    SendWithin(history, WM_LBUTTONUP, 0, middle);
    checks.Expect(harness::PumpUntil([&] { return board.Visible(first) && board.Visible(second); }, kWindowTimeoutMs),
                  "a click on the first cell, at its scaled place, brings the pair back");
}

void Play(const std::wstring& game, const std::wstring& folder, DisplayScale scale, Checks& checks) {
    const std::wstring program = PrepareFolder(game, folder, nullptr, checks);
    checks.Require(SUCCEEDED(CoInitialize(nullptr)), "COM for the accessibility client");
    GameProcess process(program);
    HWND dialog = WaitForDialog(process, nullptr, kWindowTimeoutMs);
    if (harness::TextOf(dialog) == L"設定") {
        SendWithin(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
        dialog = WaitForDialog(process, dialog, kWindowTimeoutMs);
    }
    ChooseArrangementA(process, dialog, kWindowTimeoutMs);
    Board board;
    board.scale = scale;
    ReadBoard(WaitForMainWindow(process, kWindowTimeoutMs), board, checks);
    DWORD processId = 0;
    GetWindowThreadProcessId(board.main, &processId);
    EventListener events(processId);
    checks.Require(events.Hooked(), "an accessibility event hook");
    KeyboardPlayer player(process, board, events);

    CheckCursorAppears(player, board, checks);
    if (scale.IsBase()) {
        PlayIntoDeadlocks(player, board, events, checks);
        FollowTheAnswer(process, player, board, checks);
    } else {
        // At a display scale what differs is where things stand, not the play.
        CheckHistoryClick(process, board, checks);
    }

    checks.Require(PostMessageW(board.main, WM_CLOSE, 0, 0) != 0, "close request posted");
    DWORD exitCode = 0;
    checks.Expect(process.WaitForExit(kWindowTimeoutMs, &exitCode) && exitCode == 0, "the game ends with exit code 0");
    CoUninitialize();
}

}  // namespace

int main() {
    const std::vector<std::wstring> paths = PathArguments(2, 2);
    if (paths.empty()) {
        std::fprintf(stderr, "usage: keyboard_e2e <zmr.exe> <folder to play in>\n");
        return 2;
    }
    const RunDpi dpi;
    return RunChecks([&](Checks& checks) { Play(paths[0], paths[1], dpi.scale(), checks); });
}

