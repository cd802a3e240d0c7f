// End-to-end run of the screensaver: the modes that end at once, the full-screen window and what closes it, a second start, a preview in a window of the driver's own, the game's sound switch and a session's end; on its own, what the screen shows in the pauses of one whole cycle.
// Usage: saver_e2e <path of mahjong.scr> <folder to run in> [file holding the run's standard error],
// or saver_e2e --cycle <path of mahjong.scr> <folder to run in>. Exit code 0 when every check held.
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "board/positions.h"
#include "saver/animation.h"
#include "tests/e2e/game_process.h"
#include "tests/e2e/sound_trace.h"
#include "tests/support/window_harness.h"

using namespace e2e;

namespace {

constexpr DWORD kTimeoutMs = 8000;
// Past the first second's pause and the first scatter tick, with its sound.
constexpr DWORD kFirstTileMs = 2500;
constexpr DWORD kMinusOne = 0xFFFFFFFF;

constexpr wchar_t kSaverClass[] = L"WindowsScreenSaverClass";
constexpr COLORREF kMatGreen = RGB(0, 90, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
// Where the cursor rests when a saver starts: its reference position.
constexpr POINT kRest = {500, 400};

std::string Hex(unsigned long value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08lx", value);
    return text;
}

std::wstring HandleText(HWND window) {
    return std::to_wstring(reinterpret_cast<std::uintptr_t>(window));
}

HWND FullScreenWindow(const GameProcess& saver) {
    const std::vector<HWND> windows = TopLevelWindows(saver.threadId(), kSaverClass, true);
    return windows.empty() ? nullptr : windows.front();
}

HWND WaitForFullScreenWindow(const GameProcess& saver) {
    HWND window = nullptr;
    saver.WaitUntil([&] { return (window = FullScreenWindow(saver)) != nullptr; }, kTimeoutMs,
                    "the full-screen saver window");
    return window;
}

COLORREF ScreenPixel(int x, int y) { return harness::Capture(nullptr, x, y, 1, 1).front(); }

// The canvas is centred on the screen: its middle shows the mat once painted.
bool ShowsTheMat(const GameProcess& saver) {
    const int middleX = GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN) / 2;
    const int middleY = GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN) / 2;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kTimeoutMs && saver.Running()) {
        if (ScreenPixel(middleX, middleY) == kMatGreen) return true;
        Sleep(50);
    }
    return false;
}

// Waits for the saver to end and checks its exit code.
void ExpectExit(Checks& checks, GameProcess& saver, DWORD expected, const std::string& what) {
    DWORD code = 0;
    const bool ended = saver.WaitForExit(kTimeoutMs, &code);
    checks.Expect(ended && code == expected, what, ended ? "exit code " + Hex(code) : "still running");
}

void SendKey(WORD key) {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

// Moves the mouse as a hand would, by a few pixels (too few for any
// acceleration), and answers where the cursor ended.
POINT SendMove(int dx, int dy) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof(INPUT));
    Sleep(100);
    POINT cursor = {};
    GetCursorPos(&cursor);
    return cursor;
}

// Command lines that end without a saver window, and their exit codes.
void ModesThatEndAtOnce(const std::wstring& saver, Checks& checks) {
    HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    const std::wstring lines[] = {L"", L"/c", L"-C:1", L"x", L"/p 0", L"/p", L"/p abc", L"/l", L"/a 1",
                                  L"/p " + HandleText(gone), L"/p 99999999999999999999"};
    for (const std::wstring& line : lines) {
        GameProcess process(saver, line);
        ExpectExit(checks, process, kMinusOne, "\"" + Narrow(line) + "\" ends at once with -1");
    }
}

void CheckFullScreenWindow(HWND window, Checks& checks) {
    wchar_t title[32] = {};
    GetWindowTextW(window, title, 32);
    checks.Expect(std::wstring(title) == L"Screen Saver", "the window is titled \"Screen Saver\"", Narrow(title));
    const DWORD style = GetWindowLongW(window, GWL_STYLE);
    const DWORD wanted = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    checks.Expect((style & wanted) == wanted && (style & (WS_CAPTION | WS_CHILD)) == 0,
                  "styles popup, visible, clip siblings and children", Hex(style));
    const DWORD exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    checks.Expect((exStyle & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW)) == (WS_EX_TOPMOST | WS_EX_TOOLWINDOW),
                  "a top-most tool window", Hex(exStyle));
    const DWORD classStyle = GetClassLongW(window, GCL_STYLE);
    checks.Expect(classStyle == (CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC),
                  "class styles redraw, double clicks, own drawing surface", Hex(classStyle));
    RECT rect = {};
    GetWindowRect(window, &rect);
    const RECT screen = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                         GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                         GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    checks.Expect(EqualRect(&rect, &screen) != 0, "the window covers the virtual screen",
                  Num(rect.left) + "," + Num(rect.top) + " " + Num(rect.right - rect.left) + "x" +
                      Num(rect.bottom - rect.top));
    checks.Expect(GetForegroundWindow() == window, "the window is in the foreground");
}

// The first full-screen start, silenced by the settings file: the window,
// a second start, and the mouse's slack.
void FullScreenAndMouse(const std::wstring& saver, const std::wstring& log, Checks& checks) {
    SetCursorPos(kRest.x, kRest.y);
    SoundTrace trace(log);
    GameProcess first(saver, L"/s");
    HWND window = WaitForFullScreenWindow(first);
    // The window is raised once its creation is through; by the time the
    // mat shows it has been.
    checks.Expect(ShowsTheMat(first), "the middle of the screen shows the green mat");
    CheckFullScreenWindow(window, checks);
    checks.Expect(ScreenPixel(GetSystemMetrics(SM_XVIRTUALSCREEN) + 2, GetSystemMetrics(SM_YVIRTUALSCREEN) + 2) ==
                      kBlack,
                  "black around the canvas");

    {
        GameProcess second(saver, L"/s");
        ExpectExit(checks, second, 0, "a second full-screen start ends with 0");
    }
    checks.Expect(first.Running() && TopLevelWindows(first.threadId(), kSaverClass, false).size() == 1,
                  "the first saver runs on, with its one window");
    checks.Expect(GetForegroundWindow() == window, "the first saver's window is raised");

    Sleep(kFirstTileMs);
    harness::SaveScreenshotIfAsked("saver-scatter");
    const POINT moved = SendMove(3, 1);
    checks.Require(moved.x == kRest.x + 3 && moved.y == kRest.y + 1, "the mouse moved 3 across and 1 down",
                   Num(moved.x) + "," + Num(moved.y));
    // Closing takes Wine about 2 s under a bare X server (the window's hiding
    // waits for a window manager that is not there): wait longer than that.
    Sleep(3500);
    checks.Expect(first.Running(), "a move of 3 across and 1 down keeps the saver");
    SendMove(0, 1);
    ExpectExit(checks, first, 0, "a move of 3 across and 2 down closes it with 0");
    if (trace.Usable()) {
        checks.Expect(trace.PlayCount() == 0, "with sound=0 in zmr.ini the saver plays nothing",
                      Num(trace.PlayCount()) + " sounds");
    }
}

// A saver with no settings file plays its sounds; a key or a click closes it.
void KeyAndClick(const std::wstring& saver, const std::wstring& log, Checks& checks) {
    {
        SetCursorPos(kRest.x, kRest.y);
        SoundTrace trace(log);
        GameProcess process(saver, L"/s");
        WaitForFullScreenWindow(process);
        if (trace.Usable()) {
            const bool heard = harness::PumpUntil([&] { return trace.PlayCount() > 0; }, kTimeoutMs);
            checks.Expect(heard, "with no zmr.ini the saver plays its sounds", Num(trace.PlayCount()) + " sounds");
        }
        SendKey('A');
        ExpectExit(checks, process, 0, "a key closes the saver with 0");
    }
    GameProcess process(saver, L"/s");
    WaitForFullScreenWindow(process);
    Sleep(500);
    harness::ClickLeft();
    ExpectExit(checks, process, 0, "a click closes the saver with 0");
}

// A session's end, sent as the system sends it to the full-screen window:
// the saver agrees and runs on while the end may still be called off; on a
// real end it is closed before the message returns, since the system may end
// the process as soon as it has, and the process ends with 0.
void SessionEnd(const std::wstring& saver, Checks& checks) {
    SetCursorPos(kRest.x, kRest.y);
    GameProcess process(saver, L"/s");
    HWND window = WaitForFullScreenWindow(process);
    const LRESULT agreed = SendWithin(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, kTimeoutMs);
    checks.Expect(agreed == TRUE, "the saver agrees to end the session", "answer " + Num(agreed));
    SendWithin(window, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF, kTimeoutMs);
    Sleep(3500);  // longer than closing takes
    checks.Expect(process.Running() && IsWindow(window) != 0, "an end that is called off leaves the saver running");
    SendWithin(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, kTimeoutMs);
    checks.Expect(IsWindow(window) == 0, "on the session's end its window is gone before the message returns");
    ExpectExit(checks, process, 0, "on the session's end the saver ends with 0");
}

// A preview in a 152 x 112 window of the driver's own: the middle of the
// canvas shows, input does nothing, and it ends with its host window.
void Preview(const std::wstring& saver, const std::wstring& log, Checks& checks) {
    auto parent = std::make_unique<harness::TestParent>(RGB(0, 0, 255), 152, 112);
    auto trace = log.empty() ? nullptr : std::make_unique<SoundTrace>(log);
    GameProcess process(saver, L"/p " + HandleText(parent->window()));
    HWND preview = nullptr;
    const bool created = harness::PumpUntil(
        [&] {
            const std::vector<HWND> children = ChildWindows(parent->window(), kSaverClass);
            preview = children.empty() ? nullptr : children.front();
            return preview != nullptr || !process.Running();
        },
        kTimeoutMs);
    checks.Require(created && preview != nullptr, "the preview is a child of the host window");
    // It becomes visible once its creation is through.
    harness::PumpUntil([&] { return IsWindowVisible(preview) != 0; }, kTimeoutMs);
    wchar_t title[32] = {};
    GetWindowTextW(preview, title, 32);
    checks.Expect(std::wstring(title) == L"Preview", "the preview is titled \"Preview\"", Narrow(title));
    const DWORD style = GetWindowLongW(preview, GWL_STYLE);
    const DWORD wanted = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    checks.Expect((style & wanted) == wanted, "styles child, visible, clip children", Hex(style));
    const RECT rect = harness::ChildRect(preview);
    checks.Expect(rect.left == 0 && rect.top == 0 && rect.right == 152 && rect.bottom == 112,
                  "the preview fills the host's client area");
    if (UnderWine()) {
        // Wine shows nothing a child window of another process draws (see
        // docs/platform-notes.md); the first tile's sound shows the cycle runs.
        if (trace) {
            const bool heard = harness::PumpUntil([&] { return trace->PlayCount() > 0; }, kTimeoutMs);
            checks.Expect(heard, "the preview runs its cycle: its first tile is heard",
                          Num(trace->PlayCount()) + " sounds");
        }
    } else {
        // The canvas's middle pixel lies at the middle of the 152 x 112 window.
        const bool matShown = harness::PumpUntil(
            [&] { return ScreenPixel(76, 56) == kMatGreen; }, kTimeoutMs);
        checks.Expect(matShown, "the middle of the canvas shows in the preview", Hex(ScreenPixel(76, 56)));
    }

    PostMessageW(preview, WM_KEYDOWN, 'A', 0);
    PostMessageW(preview, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(preview, WM_MOUSEMOVE, 0, MAKELPARAM(140, 100));
    harness::PumpFor(3500);
    checks.Expect(process.Running() && IsWindow(preview) != 0, "keys, clicks and moves leave the preview running");

    parent.reset();
    ExpectExit(checks, process, 0, "the preview ends with 0 when its host window goes");
}


// One whole cycle as the screen shows it, read off the canvas in the middle
// of the virtual screen.
using Picture = std::vector<COLORREF>;

// A stretch this long with an unchanged canvas is a pause: no tick of a
// scatter or a build leaves the picture alone for more than 300 ms. A sweep
// over bare mat at the dissolve's start or end only lengthens its pause.
constexpr DWORD kPauseLeastMs = 800;
// No phase takes more than about 20 s; allow for a slow machine.
constexpr DWORD kPhaseTimeoutMs = 45000;
// A picture with no more of anything but the mat than three tiles cover is
// a cleared one: the first picture of a build, caught a tick or two late.
constexpr int kClearedMost = 3 * kPictureWidth * kPictureHeight;
// Every tile picture is outlined by a rectangle in this grey, 35 x 49 from
// its top-left pixel.
constexpr COLORREF kOutlineGrey = RGB(128, 128, 128);
constexpr int kOutlineWidth = 35;
constexpr int kOutlineHeight = 49;

// The canvas stands in the middle of the primary monitor, at the screen's origin.
POINT CanvasOnScreen() {
    const ScreenRect primary = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const ScreenPoint corner = CentredCorner(primary, kCanvasWidth, kCanvasHeight);
    return {corner.x, corner.y};
}

Picture CaptureCanvas() {
    const POINT at = CanvasOnScreen();
    return harness::Capture(nullptr, at.x, at.y, kCanvasWidth, kCanvasHeight);
}

int NotMat(const Picture& picture) {
    int count = 0;
    for (COLORREF pixel : picture) count += pixel != kMatGreen;
    return count;
}

// Whether the last tile of an arrangement's build, slot 143, shows whole: it
// is drawn last, over everything, so its outline is all there.
bool ShowsTopTile(const Picture& picture, int arrangement) {
    const SlotPosition slot = SaverSlotPositions(arrangement)[kSaverSlotCount - 1];
    const int left = slot.left;
    const int top = slot.top + kSlotPictureDrop;
    auto grey = [&](int x, int y) { return picture[(top + y) * kCanvasWidth + left + x] == kOutlineGrey; };
    for (int x = 0; x < kOutlineWidth; ++x) {
        if (!grey(x, 0) || !grey(x, kOutlineHeight - 1)) return false;
    }
    for (int y = 0; y < kOutlineHeight; ++y) {
        if (!grey(0, y) || !grey(kOutlineWidth - 1, y)) return false;
    }
    return true;
}

// The arrangement whose top tile shows whole, or -1.
int ArrangementWithTopTile(const Picture& picture) {
    for (int arrangement = 0; arrangement < kSaverArrangementCount; ++arrangement) {
        if (ShowsTopTile(picture, arrangement)) return arrangement;
    }
    return -1;
}

struct SeenPause {
    Picture picture;  // what the screen held
    DWORD heldMs;     // from the first capture that showed it to the first that did not
    Picture next;     // what replaced it
};

// Watches the canvas until a picture that `ends` the watch, given how long it
// held, is replaced.
SeenPause WatchForPause(const GameProcess& saver, const std::string& after,
                        const std::function<bool(const Picture& held, DWORD heldMs)>& ends) {
    Picture held = CaptureCanvas();
    DWORD since = GetTickCount();
    const DWORD start = since;
    for (;;) {
        if (!saver.Running()) throw Failure("the saver ended while waiting for the pause after " + after);
        if (GetTickCount() - start >= kPhaseTimeoutMs) {
            throw Failure("no pause after " + after + " within " + Num(kPhaseTimeoutMs) + " ms");
        }
        Picture now = CaptureCanvas();
        const DWORD at = GetTickCount();
        if (now == held) continue;
        if (ends(held, at - since)) return {std::move(held), at - since, std::move(now)};
        held = std::move(now);
        since = at;
    }
}

enum class Phase { Scatter, Build, Dissolve };
struct CyclePhase {
    const char* name;
    Phase kind;
};
constexpr CyclePhase kCyclePhases[] = {
    {"the first scatter", Phase::Scatter}, {"the build with faces", Phase::Build},
    {"the second scatter", Phase::Scatter}, {"the build with backs", Phase::Build},
    {"the dissolve", Phase::Dissolve},
};

// The five pauses of one cycle each hold the last picture of the phase
// before: the whole scatter, the whole arrangement, the plain mat.
void WholeCycle(const std::wstring& saver, Checks& checks) {
    SetCursorPos(kRest.x, kRest.y);
    const DWORD start = GetTickCount();
    GameProcess process(saver, L"/s");
    WaitForFullScreenWindow(process);
    // The screen is black until the first paint, and the pause before the
    // first scatter shows the plain mat, as the one after the dissolve does:
    // start counting once the scatter is under way.
    process.WaitUntil([] { return NotMat(CaptureCanvas()) == 0; }, kPhaseTimeoutMs, "the plain mat");
    process.WaitUntil([] { return NotMat(CaptureCanvas()) > kClearedMost; }, kPhaseTimeoutMs, "the first scatter");
    for (const CyclePhase& phase : kCyclePhases) {
        // A speckle that has covered the whole canvas leaves it alone for a
        // while before the dissolve ends; the dissolve's pause is told by the
        // plain mat it ends on, which only the next scatter replaces.
        const auto ends = [&](const Picture& held, DWORD heldMs) {
            return phase.kind == Phase::Dissolve ? NotMat(held) == 0 : heldMs >= kPauseLeastMs;
        };
        const SeenPause pause = WatchForPause(process, phase.name, ends);
        const std::string after = std::string("the pause after ") + phase.name;
        const std::string held = ", held " + Num(pause.heldMs) + " ms";
        switch (phase.kind) {
        case Phase::Scatter: {
            // The last tile may land anywhere; it must not arrive between the
            // pause's start and the build's first picture, on a cleared mat.
            const int next = NotMat(pause.next);
            checks.Expect(next <= kClearedMost, after + " holds the whole scatter until the build clears the mat",
                          "the next picture has " + Num(next) + " pixels other than the mat" + held);
            break;
        }
        case Phase::Build: {
            const int arrangement = ArrangementWithTopTile(pause.picture);
            checks.Expect(arrangement >= 0, after + " shows the whole arrangement, its top tile too",
                          (arrangement >= 0 ? std::string("slot 143 of arrangement ") + char('A' + arrangement)
                                            : std::string("slot 143 of no arrangement")) +
                              " shows" + held);
            break;
        }
        case Phase::Dissolve:
            checks.Expect(pause.heldMs >= kPauseLeastMs, after + " shows the plain mat for a second",
                          "the mat" + held);
            break;
        }
    }
    std::printf("# one cycle watched in %lu ms\n", static_cast<unsigned long>(GetTickCount() - start));
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const bool cycle = arguments != nullptr && count > 1 && std::wstring(arguments[1]) == L"--cycle";
    LocalFree(arguments);
    const std::vector<std::wstring> paths = cycle ? PathArguments(2, 2, 1) : PathArguments(2, 3);
    if (paths.empty()) {
        std::printf("usage: saver_e2e <mahjong.scr> <folder to run in> [file that holds this run's standard error]\n"
                    "       saver_e2e --cycle <mahjong.scr> <folder to run in>\n");
        return 2;
    }
    const std::wstring& built = paths[0];
    const std::wstring& folder = paths[1];
    const std::wstring log = paths.size() == 3 ? paths[2] : std::wstring();
    if (cycle) {
        return RunChecks([&](Checks& checks) {
            WholeCycle(PrepareFolder(built, folder, "[SOUND]\r\nsound=0\r\n", checks), checks);
        });
    }
    return RunChecks([&](Checks& checks) {
        const std::wstring quiet = PrepareFolder(built, folder + L"-quiet", "[SOUND]\r\nsound=0\r\n", checks);
        const std::wstring loud = PrepareFolder(built, folder + L"-loud", nullptr, checks);
        ModesThatEndAtOnce(loud, checks);
        FullScreenAndMouse(quiet, log, checks);
        KeyAndClick(loud, log, checks);
        SessionEnd(quiet, checks);
        Preview(loud, log, checks);
    });
}
