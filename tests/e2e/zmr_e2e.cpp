// End-to-end run of the game: two starts of a copy of zmr.exe in a fresh folder, driven only through its windows; then two in a folder that takes no settings file, with the screensaver started from there.
// Usage: zmr_e2e <path of zmr.exe> <folder to play in> [<path of mahjong.scr> <file holding the run's standard error>].
// Exit code 0 when every check held.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "board/freedom.h"
#include "board/positions.h"
#include "board/tile_slots.h"
#include "shell/resource.h"
#include "shell/texts.h"
#include "tests/e2e/game_process.h"
#include "tests/e2e/settings_text.h"
#include "tests/e2e/shown_board.h"
#include "tests/e2e/sound_trace.h"
#include "tests/support/dib_pixels_testing.h"
#include "tests/support/window_harness.h"

using namespace e2e;

namespace {

constexpr DWORD kWindowTimeoutMs = 8000;  // a window to appear, change or go
constexpr DWORD kExitTimeoutMs = 8000;    // the game to end after a close

constexpr wchar_t kFirstRunCaption[] = L"設定";
constexpr wchar_t kSelectCaption[] = L"『Zenmora』  ゲーム選択";
constexpr int kMovedX = 123;
constexpr int kMovedY = 77;
// Past the saver's first second's pause and its first tile, with its sound.
constexpr DWORD kSaverFirstTileMs = 3000;

std::vector<SettingsSection> ReadSettings(const std::wstring& folder, Checks& checks) {
    std::vector<SettingsSection> sections;
    const std::string text = ReadWholeFile(folder + L"\\zmr.ini");
    checks.Expect(ParseSettingsText(text, &sections), "zmr.ini consists of sections and key=value lines");
    return sections;
}

// "Name: k=v k=v" of one section, or "missing".
std::string SectionText(const std::vector<SettingsSection>& sections, const std::string& name) {
    for (const SettingsSection& section : sections) {
        if (section.name == name) {
            return Describe({section});
        }
    }
    return "missing";
}

std::string SectionOrder(const std::vector<SettingsSection>& sections) {
    std::string order;
    for (const SettingsSection& section : sections) {
        order += (order.empty() ? "" : ",") + section.name;
    }
    return order;
}

bool MainWindowShown(const GameProcess& game) {
    return !TopLevelWindows(game.threadId(), L"Parent Window", true).empty();
}

void Click(HWND button) { SendWithin(button, BM_CLICK, 0, 0); }

bool OnTaskbar(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0; }

void AnswerFirstRunDialog(GameProcess& game, HWND dialog, Checks& checks) {
    checks.Require(harness::TextOf(dialog) == kFirstRunCaption, "first start shows the first-run dialog",
                   "caption \"" + Narrow(harness::TextOf(dialog)) + "\"");
    checks.Expect(!MainWindowShown(game), "main window not shown while the first-run dialog is up");
    checks.Expect(OnTaskbar(dialog), "the first-run dialog has a taskbar button of its own");
    const struct {
        int id;
        const wchar_t* text;
        bool enabled;
    } controls[] = {
        {IDOK, L"OK", true},
        {IDCANCEL, L"ｷｬﾝｾﾙ", true},
        {IDC_SHORTCUT_DESKTOP, L"デスクトップ", true},
        {IDC_SHORTCUT_START_MENU, L"スタートメニュー", true},
        {IDC_SHORTCUT_STARTUP, L"スタートアップ", false},
    };
    for (const auto& control : controls) {
        HWND item = GetDlgItem(dialog, control.id);
        const std::string name = "first-run control " + Num(control.id);
        if (!checks.Expect(item != nullptr, name + " exists")) {
            continue;
        }
        checks.Expect(harness::TextOf(item) == control.text, name + " text", Narrow(harness::TextOf(item)));
        checks.Expect((IsWindowEnabled(item) != 0) == control.enabled,
                      name + (control.enabled ? " enabled" : " disabled"));
        if (control.id >= IDC_SHORTCUT_DESKTOP) {
            checks.Expect(SendWithin(item, BM_GETCHECK, 0, 0) == BST_UNCHECKED, name + " starts unticked");
        }
    }
    HWND ok = GetDlgItem(dialog, IDOK);
    checks.Require(ok != nullptr, "first-run OK button found");
    Click(ok);
}

// The top left of the window's client area as the screen shows it, read off
// the screen: another process's window cannot be read through its own DC.
std::vector<COLORREF> CaptureClient(HWND window, int width, int height) {
    POINT corner = {0, 0};
    ClientToScreen(window, &corner);
    return harness::Capture(nullptr, corner.x, corner.y, width, height);
}

// The box the colour fills in the window as the screen shows it: left, top,
// right and bottom just outside; empty when the colour is not there.
RECT ColourBox(HWND window, COLORREF colour) {
    RECT client = {};
    GetClientRect(window, &client);
    const std::vector<COLORREF> pixels = CaptureClient(window, client.right, client.bottom);
    RECT box = {client.right, client.bottom, 0, 0};
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            if (pixels[static_cast<std::size_t>(y * client.right + x)] != colour) continue;
            box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                   std::max<LONG>(box.bottom, y + 1)};
        }
    }
    return box;
}

// The letter's picture (46 x 42 of navy at 96 DPI) grows with the dialog.
void CheckLetterPicture(HWND letterA, DisplayScale scale, Checks& checks) {
    RECT box = {};
    // Once the dialog has painted it whole.
    const bool fills = harness::PumpUntil(
        [&] {
            box = ColourBox(letterA, RGB(0, 0, 128));
            return box.right - box.left == scale.Scaled(46) && box.bottom - box.top == scale.Scaled(42);
        },
        kWindowTimeoutMs);
    checks.Expect(fills, "the letter's picture fills its button as at 96 DPI: 46 x 42, scaled", RectText(box));
}

void AnswerSelectDialog(GameProcess& game, HWND dialog, DisplayScale scale, Checks& checks) {
    checks.Require(harness::TextOf(dialog) == kSelectCaption, "the game selection dialog is shown",
                   "caption \"" + Narrow(harness::TextOf(dialog)) + "\"");
    checks.Expect(!MainWindowShown(game), "main window not shown while the selection dialog is up");
    checks.Expect(OnTaskbar(dialog), "the selection dialog has a taskbar button of its own");
    HWND decide = GetDlgItem(dialog, IDOK);
    HWND letterA = GetDlgItem(dialog, IDC_SELECT_A);
    HWND harder = GetDlgItem(dialog, IDC_SELECT_HARDER);
    checks.Require(decide != nullptr && letterA != nullptr && harder != nullptr,
                   "selection dialog has 決定, A and むずかしくする");
    checks.Expect(harness::TextOf(decide) == L"決定", "決定 button text", Narrow(harness::TextOf(decide)));
    checks.Expect(harness::TextOf(harder) == L"むずかしくする", "harder box text", Narrow(harness::TextOf(harder)));
    checks.Expect(IsWindowEnabled(decide) == 0, "決定 disabled before a letter is chosen");
    checks.Expect(SendWithin(harder, BM_GETCHECK, 0, 0) == BST_UNCHECKED, "むずかしくする starts unticked");
    CheckLetterPicture(letterA, scale, checks);
    ChooseArrangementA(game, dialog, kWindowTimeoutMs);
}

HWND WaitForShownMainWindow(const GameProcess& game, DisplayScale scale, Checks& checks) {
    HWND window = WaitForMainWindow(game, kWindowTimeoutMs);
    checks.Expect(TopLevelWindows(game.threadId(), L"Parent Window", true).size() == 1, "one main window");
    checks.Expect(harness::TextOf(window) == L"Zenmora", "main window title", Narrow(harness::TextOf(window)));
    RECT client = {};
    GetClientRect(window, &client);
    checks.Expect(client.right == scale.Scaled(640) && client.bottom == scale.Scaled(480),
                  "client area 640 x 480, scaled",
                  Num(client.right) + " x " + Num(client.bottom));
    return window;
}

int SelectedPixels(HWND tile) { return harness::CountOnScreen(tile, RGB(0, 255, 255)); }

bool ShowsSelected(HWND tile) {
    return harness::PumpUntil([&] { return SelectedPixels(tile) > 0; }, kWindowTimeoutMs);
}

void ClickTile(const Board& board, int slot) {
    SendWithin(board.windows[slot], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SendWithin(board.windows[slot], WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
}

// A blocked tile cannot be selected: clicking it leaves its face as it was,
// and a free tile of its kind clicked next is selected, not taken with it.
// The blocked tile is one blocked at its sides only, so its face is in view.
// Skipped when no such tile has a free partner on show.
void CheckBlockedClick(const Board& board, Checks& checks) {
    const std::vector<int> free = board.FreeSlots();
    for (int blocked = 0; blocked < kSlotCount; ++blocked) {
        const int cover = RelationsOf(1, blocked).cover;
        if (std::find(free.begin(), free.end(), blocked) != free.end() ||
            (cover != kNoSlot && board.Visible(cover))) {
            continue;
        }
        for (int partner : free) {
            if (board.names[partner] != board.names[blocked]) {
                continue;
            }
            ClickTile(board, blocked);
            // Nothing is to happen, so there is nothing to wait for but a while.
            harness::PumpFor(300);
            checks.Expect(SelectedPixels(board.windows[blocked]) == 0, "a click on a blocked tile does not select it",
                          "slot " + Num(blocked) + " " + Narrow(board.names[blocked]));
            ClickTile(board, partner);
            checks.Expect(ShowsSelected(board.windows[partner]), "a free tile of its kind is then selected",
                          "slot " + Num(partner));
            checks.Expect(board.Visible(blocked) && board.Visible(partner),
                          "a blocked tile cannot be taken with a free tile of its kind",
                          "slots " + Num(blocked) + " and " + Num(partner));
            ClickTile(board, partner);
            checks.Expect(harness::PumpUntil([&] { return SelectedPixels(board.windows[partner]) == 0; },
                                             kWindowTimeoutMs),
                          "a second click on a selected tile deselects it", "slot " + Num(partner));
            return;
        }
    }
    std::printf("# no blocked tile has a free partner on show; blocked click not tried\n");
}

// Takes up to `pairs` free matching pairs, checking that both windows go
// and nothing else does.
int TakePairs(const Board& board, int pairs, Checks& checks) {
    int taken = 0;
    while (taken < pairs) {
        const std::vector<int> free = board.FreeSlots();
        int first = -1;
        int second = -1;
        for (std::size_t i = 0; i < free.size() && first < 0; ++i) {
            for (std::size_t j = i + 1; j < free.size(); ++j) {
                if (board.names[free[i]] == board.names[free[j]]) {
                    first = free[i];
                    second = free[j];
                    break;
                }
            }
        }
        if (first < 0) {
            std::printf("# no free pair left after %d takes\n", taken);
            break;
        }
        const int before = board.VisibleCount();
        // The pair just taken may have been this tile's neighbour: its cyan
        // stays on screen inside this tile's rectangle until the game has
        // painted what its going uncovered.
        checks.Expect(harness::PumpUntil([&] { return SelectedPixels(board.windows[first]) == 0; }, kWindowTimeoutMs),
                      "a free tile shows no cyan before its click");
        ClickTile(board, first);
        checks.Expect(ShowsSelected(board.windows[first]) && board.Visible(first),
                      "a first click selects the tile: it turns cyan and stays",
                      "slot " + Num(first) + " " + Narrow(board.names[first]));
        ClickTile(board, second);
        checks.Expect(harness::PumpUntil([&] { return !board.Visible(first) && !board.Visible(second); },
                                         kWindowTimeoutMs),
                      "the second click takes the pair",
                      "slots " + Num(first) + " and " + Num(second) + " " + Narrow(board.names[first]));
        checks.Expect(board.VisibleCount() == before - 2, "only the pair goes", Num(board.VisibleCount()) + " left");
        ++taken;
    }
    return taken;
}

// Every tile window, taken or not, stands where the view puts its slot.
bool TilesPlaced(const Board& board, TilePlacement (*placement)(int), std::string* firstMismatch) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const RECT rect = harness::ChildRect(board.windows[slot]);
        const TilePlacement want = ScaledPlacement(board, placement(slot));
        if (rect.left != want.left || rect.top != want.top || rect.right - rect.left != want.width ||
            rect.bottom - rect.top != want.height) {
            *firstMismatch = "slot " + Num(slot) + " at " + RectText(rect) + ", wanted (" + Num(want.left) + "," +
                             Num(want.top) + ") " + Num(want.width) + "x" + Num(want.height);
            return false;
        }
    }
    return true;
}

void CheckView(const Board& board, WPARAM key, TilePlacement (*placement)(int),
               const std::string& what, Checks& checks) {
    const int visible = board.VisibleCount();
    SendWithin(board.main, WM_KEYDOWN, key, 0);
    std::string mismatch;
    const bool placed = harness::PumpUntil([&] { return TilesPlaced(board, placement, &mismatch); }, kWindowTimeoutMs);
    checks.Expect(placed, what, mismatch);
    checks.Expect(board.VisibleCount() == visible, "the view change shows and hides nothing",
                  Num(board.VisibleCount()) + " shown");
}

// The colours of face picture `id` of the program as the screen shows them,
// top row first; empty when the program lacks it.
std::vector<COLORREF> FacePictureColours(const std::wstring& program, int id, int* width) {
    HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = module != nullptr ? FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2)) : nullptr;
    const auto* info = found != nullptr ? static_cast<const BITMAPINFO*>(LockResource(LoadResource(module, found)))
                                        : nullptr;
    std::vector<COLORREF> colours;
    if (info != nullptr && info->bmiHeader.biBitCount == 8) {
        const BITMAPINFOHEADER& header = info->bmiHeader;
        const int count = header.biClrUsed != 0 ? static_cast<int>(header.biClrUsed) : 256;
        const auto* rows = reinterpret_cast<const unsigned char*>(info->bmiColors + count);
        *width = header.biWidth;
        for (int y = 0; y < header.biHeight; ++y) {
            for (int x = 0; x < header.biWidth; ++x) {
                const RGBQUAD& c = info->bmiColors[DibIndexAt(rows, header.biWidth, header.biHeight, 8, x, y)];
                colours.push_back(RGB(c.rgbRed, c.rgbGreen, c.rgbBlue));
            }
        }
    }
    if (module != nullptr) FreeLibrary(module);
    return colours;
}

// At twice the size the top tile (nothing lies on it) shows its face's
// double-size picture pixel for pixel, not today's picture doubled.
void CheckDoubleSizeFace(const Board& board, const std::wstring& program, Checks& checks) {
    const int top = kSlotCount - 1;
    int kind = 0;
    while (kind < kKindCount && kKindNames[kind] != board.names[top]) ++kind;
    int width = 0;
    const std::vector<COLORREF> picture = FacePictureColours(program, IDB_FACE_FIRST + kind + IDB_LARGE_OFFSET, &width);
    checks.Require(!picture.empty(), "the game carries the double-size face of " + Narrow(board.names[top]));
    // The face, inside the tile's outline: 35 x 49 at 96 DPI.
    const int faceWidth = board.scale.Scaled(35);
    const int faceHeight = board.scale.Scaled(49);
    int differing = 0;
    int notDoubled = 0;
    // Once the board has painted it.
    harness::PumpUntil(
        [&] {
            const std::vector<COLORREF> shown = CaptureClient(board.windows[top], faceWidth, faceHeight);
            differing = 0;
            notDoubled = 0;
            for (int y = 0; y < faceHeight; ++y) {
                for (int x = 0; x < faceWidth; ++x) {
                    const COLORREF pixel = shown[static_cast<std::size_t>(y * faceWidth + x)];
                    differing += pixel != picture[static_cast<std::size_t>(y * width + x)] ? 1 : 0;
                    // A pixel unlike its left neighbour in the same pair of
                    // columns: today's picture doubled has none.
                    notDoubled += x % 2 == 1 && pixel != shown[static_cast<std::size_t>(y * faceWidth + x - 1)] ? 1 : 0;
                }
            }
            return differing == 0;
        },
        kWindowTimeoutMs);
    checks.Expect(differing == 0, "the top tile shows its double-size face 1:1", Num(differing) + " pixels differ");
    checks.Expect(notDoubled > 0, "its strokes are drawn at that size, not doubled", Num(notDoubled) + " half steps");
}

// F2 deals again: every taken tile comes back, at its base place.
void CheckNewGame(const Board& board, Checks& checks) {
    SendWithin(board.main, WM_KEYDOWN, VK_F2, 0);
    const bool shown = harness::PumpUntil([&] { return board.VisibleCount() == kSlotCount; }, kWindowTimeoutMs);
    checks.Expect(shown, "F2: a new deal shows all 144 tiles", Num(board.VisibleCount()) + " shown");
    std::string mismatch;
    const bool placed = TilesPlaced(board, NormalViewPlacement, &mismatch);
    checks.Expect(placed, "F2: tiles at their base places", mismatch);
    std::string seen;
    const bool fourEach = FourOfEachKind(board, &seen);
    checks.Expect(fourEach, "F2: 36 tile names, each on 4 tiles", seen);
}

void CheckSettings(const std::wstring& folder, const std::vector<std::string>& order,
                   const std::map<std::string, std::string>& want, const std::string& when, Checks& checks) {
    const std::vector<SettingsSection> sections = ReadSettings(folder, checks);
    std::string wantOrder;
    for (const std::string& name : order) {
        wantOrder += (wantOrder.empty() ? "" : ",") + name;
    }
    checks.Expect(SectionOrder(sections) == wantOrder, "zmr.ini " + when + ": sections " + wantOrder,
                  Describe(sections));
    for (const auto& [name, text] : want) {
        checks.Expect(SectionText(sections, name) == text, "zmr.ini " + when + ": " + text,
                      SectionText(sections, name));
    }
}

void MoveWindowTo(HWND main, int x, int y, Checks& checks) {
    checks.Require(SetWindowPos(main, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != 0,
                   "move the window");
    RECT outer = {};
    const bool moved = harness::PumpUntil(
        [&] {
            GetWindowRect(main, &outer);
            return outer.left == x && outer.top == y;
        },
        kWindowTimeoutMs);
    checks.Expect(moved, "the window moved", "outer top-left (" + Num(outer.left) + "," + Num(outer.top) + ")");
}

void CloseAndWait(GameProcess& game, HWND main, Checks& checks) {
    checks.Require(PostMessageW(main, WM_CLOSE, 0, 0) != 0, "close request posted");
    DWORD exitCode = 0;
    checks.Require(game.WaitForExit(kExitTimeoutMs, &exitCode), "the game ends after WM_CLOSE");
    checks.Expect(exitCode == 0, "exit code 0", Num(exitCode));
}

void FirstStart(const std::wstring& program, const std::wstring& folder, DisplayScale scale, Checks& checks) {
    std::printf("# first start, no zmr.ini\n");
    GameProcess game(program);
    HWND firstRun = WaitForDialog(game, nullptr);
    AnswerFirstRunDialog(game, firstRun, checks);
    HWND select = WaitForDialog(game, firstRun);
    AnswerSelectDialog(game, select, scale, checks);
    HWND main = WaitForShownMainWindow(game, scale, checks);
    CheckSettings(folder, {"ShellLink"}, {{"ShellLink", "[ShellLink] STARTUP=0 DESKTOP=0 STARTMENU=0"}},
                  "after OK", checks);

    Board board;
    board.scale = scale;
    ReadBoard(main, board, checks);
    if (scale.dpi == 2 * kBaseDpi) CheckDoubleSizeFace(board, program, checks);
    harness::SaveScreenshotIfAsked(("game-at-" + Num(scale.dpi) + "-dpi").c_str());
    CheckBlockedClick(board, checks);
    const int taken = TakePairs(board, 3, checks);
    checks.Expect(taken >= 1, "at least one free pair on a fresh deal", Num(taken) + " taken");

    CheckView(board, VK_UP, RaisedViewPlacement, "Up raises the view: tiles 37 x 51 at raised places", checks);
    CheckView(board, VK_DOWN, NormalViewPlacement, "Down: tiles back at base places, 42 x 62", checks);
    CheckNewGame(board, checks);

    SendWithin(main, WM_COMMAND, IDM_SOUND_OFF, 0);
    CheckSettings(folder, {"ShellLink", "SOUND"}, {{"SOUND", "[SOUND] sound=0"}}, "after sound OFF", checks);

    MoveWindowTo(main, kMovedX, kMovedY, checks);
    CloseAndWait(game, main, checks);
    CheckSettings(folder, {"ShellLink", "SOUND", "Pos"},
                  {{"ShellLink", "[ShellLink] STARTUP=0 DESKTOP=0 STARTMENU=0"},
                   {"SOUND", "[SOUND] sound=0"},
                   {"Pos", "[Pos] X=" + Num(kMovedX) + " Y=" + Num(kMovedY)}},
                  "after exit", checks);
}

// A second start with the settings file in `folder`.
void SecondStart(const std::wstring& program, const std::wstring& folder, DisplayScale scale, Checks& checks) {
    std::printf("# second start, with zmr.ini\n");
    GameProcess game(program);
    HWND select = WaitForDialog(game, nullptr);
    checks.Expect(harness::TextOf(select) != kFirstRunCaption, "no first-run dialog on the second start");
    AnswerSelectDialog(game, select, scale, checks);
    HWND main = WaitForShownMainWindow(game, scale, checks);
    RECT outer = {};
    GetWindowRect(main, &outer);
    checks.Expect(outer.left == kMovedX && outer.top == kMovedY, "opens where it was left",
                  "outer top-left (" + Num(outer.left) + "," + Num(outer.top) + ")");
    checks.Expect(ChildWindows(main, L"Pai Window").size() == kSlotCount, "144 tile windows again");
    CloseAndWait(game, main, checks);
    CheckSettings(folder, {"ShellLink", "SOUND", "Pos"},
                  {{"SOUND", "[SOUND] sound=0"}, {"Pos", "[Pos] X=" + Num(kMovedX) + " Y=" + Num(kMovedY)}},
                  "after the second exit", checks);
}

// The sounds a full-screen saver plays in its first tile, with %APPDATA% as
// the driver's own at the time.
int SaverSounds(const std::wstring& saver, const std::wstring& log, Checks& checks) {
    SoundTrace trace(log);
    GameProcess process(saver, L"/s");
    Sleep(kSaverFirstTileMs);
    checks.Expect(process.Running(), "the saver runs from the folder");
    return trace.PlayCount();
}

// A folder where no settings file can be made beside the game (a folder of
// that name stands in its place, which works whoever runs the test): each
// user keeps one in %APPDATA%\Zenmora instead, here a folder of the run's own.
void ProtectedFolder(const std::wstring& game, const std::wstring& saver, const std::wstring& log,
                     const std::wstring& folder, Checks& checks) {
    std::printf("# a folder that takes no zmr.ini\n");
    const std::wstring program = PrepareFolder(game, folder, nullptr, checks);
    checks.Require(CreateDirectoryW((folder + L"\\zmr.ini").c_str(), nullptr) != 0 ||
                       GetLastError() == ERROR_ALREADY_EXISTS,
                   "a folder named zmr.ini beside the game");
    const std::wstring appData = folder + L"-appdata";
    const std::wstring userFolder = appData + L"\\Zenmora";
    DeleteFileW((userFolder + L"\\zmr.ini").c_str());
    RemoveDirectoryW(userFolder.c_str());
    CreateDirectoryW(appData.c_str(), nullptr);
    SetEnvironmentVariableW(L"APPDATA", appData.c_str());
    {
        GameProcess first(program);
        HWND firstRun = WaitForDialog(first, nullptr);
        AnswerFirstRunDialog(first, firstRun, checks);
        AnswerSelectDialog(first, WaitForDialog(first, firstRun), DisplayScale{}, checks);
        HWND main = WaitForShownMainWindow(first, DisplayScale{}, checks);
        SendWithin(main, WM_COMMAND, IDM_SOUND_OFF, 0);
        MoveWindowTo(main, kMovedX, kMovedY, checks);
        CloseAndWait(first, main, checks);
        CheckSettings(userFolder, {"ShellLink", "SOUND", "Pos"},
                      {{"SOUND", "[SOUND] sound=0"}, {"Pos", "[Pos] X=" + Num(kMovedX) + " Y=" + Num(kMovedY)}},
                      "in %APPDATA%\\Zenmora after the first exit", checks);
    }
    // The second start reads what the first kept there.
    SecondStart(program, userFolder, DisplayScale{}, checks);
    if (saver.empty()) return;
    const std::wstring saverCopy = folder + L"\\mahjong.scr";
    checks.Require(CopyFileW(saver.c_str(), saverCopy.c_str(), FALSE) != 0, "copy the saver beside the game");
    const SoundTrace probe(log);
    if (!probe.Usable()) {
        std::printf("# no trace of the saver's sounds here; its sound switch is not checked\n");
        return;
    }
    const int silenced = SaverSounds(saverCopy, log, checks);
    checks.Expect(silenced == 0, "the saver from that folder is silenced by the game's OFF", Num(silenced) + " sounds");
    // Without the user's file the same saver is heard, so the check above can fail.
    SetEnvironmentVariableW(L"APPDATA", (appData + L"-none").c_str());
    const int heard = SaverSounds(saverCopy, log, checks);
    checks.Expect(heard > 0, "the same saver with no settings of the user's plays its sounds", Num(heard) + " sounds");
}

}  // namespace

int main() {
    const std::vector<std::wstring> paths = PathArguments(2, 4);
    if (paths.empty() || paths.size() == 3) {
        std::fprintf(stderr, "usage: zmr_e2e <zmr.exe> <folder to play in> [<mahjong.scr> <standard error file>]\n");
        return 2;
    }
    const std::wstring& game = paths[0];
    const std::wstring& folder = paths[1];
    const std::wstring saver = paths.size() == 4 ? paths[2] : std::wstring();
    const std::wstring log = paths.size() == 4 ? paths[3] : std::wstring();
    const RunDpi dpi;
    return RunChecks([&](Checks& checks) {
        const std::wstring program = PrepareFolder(game, folder, nullptr, checks);
        FirstStart(program, folder, dpi.scale(), checks);
        SecondStart(program, folder, dpi.scale(), checks);
        // Where the settings go and what the saver hears do not depend on the scale.
        if (dpi.scale().IsBase()) ProtectedFolder(game, saver, log, folder + L"-protected", checks);
    });
}
