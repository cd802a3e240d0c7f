// Shared support for the Windows tests: a message pump with a deadline, screen capture, reading pictures, fonts and frames, and answering modal windows from another thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace harness {

// Dispatches the thread's messages until `done` answers true or `timeoutMs`
// have passed; a window that never answers cannot hold a test longer.
// Returns what `done` answered last.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

// Dispatches whatever is waiting, for about `ms` milliseconds.
void PumpFor(DWORD ms);

// The pixels of a rectangle of a window's client area (children included,
// as the screen shows them), row by row from the top.
std::vector<COLORREF> Capture(HWND window, int x, int y, int width, int height);

// Waits, without handling messages (on a thread whose windows another
// thread serves), until `done` answers true; false after `timeoutMs`.
bool WaitWithoutPumping(const std::function<bool()>& done, DWORD timeoutMs = 3000);

// How many pixels of the window's rectangle, as the screen shows it (another
// process's window too), have the colour.
int CountOnScreen(HWND window, COLORREF color);

// The pixels of a bitmap as 0x00RRGGBB, top row first; empty for no bitmap.
std::vector<COLORREF> PixelsOfBitmap(HBITMAP bitmap);

// The colour index at (x, y), counted from the top left, of a bottom-up
// 4-bit or 8-bit picture, and the colour of an index in its table.
int DibIndexAt(const BITMAPINFO* info, const unsigned char* pixels, int x, int y);
COLORREF DibTableColor(const BITMAPINFO* info, int index);

// True on a palette display, where drawn colours are mapped (see
// docs/platform-notes.md); pixel checks need a true-colour one.
bool IsPaletteDisplay();

// For review by eye: when ZMR_SCREENSHOTS names a folder, writes the whole
// screen there as <name>.bmp; otherwise does nothing.
void SaveScreenshotIfAsked(const char* name);

// Moves the mouse to a screen point as the player would, through the input
// queue, so the windows get their real cursor and move messages.
void MoveMouseTo(POINT screenPoint);
// Presses and releases the left button where the mouse is.
void ClickLeft();

// The whole file as bytes; empty when it cannot be read.
std::string ReadWholeFile(const std::wstring& path);

// A wide text in UTF-8, for test reports.
std::string Narrow(const std::wstring& text);

// The window's text, read with the wide function.
std::wstring TextOf(HWND window);

// The window's class name.
std::wstring ClassOf(HWND window);

// A child window's rectangle in its parent's client area.
RECT ChildRect(HWND child);

// The font a window (a dialog, from its template) was given.
LOGFONTW FontOf(HWND window);

// Pixel height of a font of that many points, as the dialog manager asks for it.
LONG PointsToHeight(int points);

// What a dialog's frame shows: caption, caption bar and system menu, its
// font, and the texts of its children in template order (an icon control
// reads "<icon>" when it shows an icon, else "<no icon>").
struct FrameLook {
    std::wstring caption;
    bool captionBar = false;
    bool systemMenu = true;
    std::wstring fontFace;
    LONG fontHeight = 0;
    std::vector<std::wstring> texts;
};
FrameLook FrameOf(HWND dialog);

// The first visible top-level dialog (class "#32770") of a thread, or null.
HWND FindDialogOfThread(DWORD threadId);

// Waits on a second thread for modal dialogs of a thread and answers each
// with `answer`, which is called on the waiting thread with the dialog.
// A dialog that does not come within the deadline ends the modal loop with
// a quit message, so the test fails rather than hangs. Destroying the
// answerer waits for its thread.
class DialogAnswerer {
public:
    DialogAnswerer(DWORD threadId, std::function<void(HWND)> answer, int dialogs = 1, DWORD timeoutMs = 10000);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // How many dialogs have come and been handed to the answer so far.
    int Answered() const { return answered_; }

private:
    void Run(DWORD threadId, DWORD timeoutMs, int dialogs);

    std::function<void(HWND)> answer_;
    std::atomic<int> answered_{0};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// A window class of the test's own with a plain background, and a top-level
// popup of it that child windows can be placed in.
class TestParent {
public:
    explicit TestParent(COLORREF background, int width = 640, int height = 480,
                        WNDPROC procedure = nullptr);
    ~TestParent();
    TestParent(const TestParent&) = delete;
    TestParent& operator=(const TestParent&) = delete;

    HWND window() const { return window_; }
    const wchar_t* className() const { return kClassName; }

    static constexpr wchar_t kClassName[] = L"Harness Parent Window";

private:
    HBRUSH background_ = nullptr;
    HWND window_ = nullptr;
};

}  // namespace harness
