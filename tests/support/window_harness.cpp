// Shared support for the Windows tests: a message pump with a deadline, screen capture, reading pictures, fonts and frames, and answering modal windows from another thread.
#include "tests/support/window_harness.h"

#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <fstream>
#include <string>

#include "tests/support/dib_pixels_testing.h"

namespace harness {

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    bool finished = done();
    while (!finished && GetTickCount() - start < timeoutMs) {
        MSG message;
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        } else {
            Sleep(5);
        }
        finished = done();
    }
    return finished;
}

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

std::vector<COLORREF> Capture(HWND window, int x, int y, int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP section = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<COLORREF> colors;
    if (section != nullptr) {
        HGDIOBJ previous = SelectObject(memory, section);
        BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY);
        GdiFlush();
        const auto* words = static_cast<const std::uint32_t*>(bits);
        colors.reserve(static_cast<std::size_t>(width) * height);
        for (int i = 0; i < width * height; ++i) {
            const std::uint32_t w = words[i];
            colors.push_back(RGB((w >> 16) & 0xFF, (w >> 8) & 0xFF, w & 0xFF));
        }
        SelectObject(memory, previous);
        DeleteObject(section);
    }
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return colors;
}

void SaveScreenshotIfAsked(const char* name) {
    const char* folder = std::getenv("ZMR_SCREENSHOTS");
    if (folder == nullptr || *folder == 0) {
        return;
    }
    // Whatever is still being painted (another program's windows too) lands first.
    PumpFor(500);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const std::vector<COLORREF> colors = Capture(GetDesktopWindow(), 0, 0, width, height);
    // A 24-bit bottom-up bitmap file.
    const int rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rowBytes * height);
    std::ofstream out(std::string(folder) + "/" + name + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    std::vector<unsigned char> row(static_cast<std::size_t>(rowBytes), 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colors.empty() ? 0 : colors[static_cast<std::size_t>(y) * width + x];
            row[static_cast<std::size_t>(x) * 3] = GetBValue(c);
            row[static_cast<std::size_t>(x) * 3 + 1] = GetGValue(c);
            row[static_cast<std::size_t>(x) * 3 + 2] = GetRValue(c);
        }
        out.write(reinterpret_cast<const char*>(row.data()), rowBytes);
    }
}

bool WaitWithoutPumping(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(10);
    }
    return true;
}

int CountOnScreen(HWND window, COLORREF color) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    int count = 0;
    for (COLORREF c : Capture(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top)) {
        count += c == color ? 1 : 0;
    }
    return count;
}

std::vector<COLORREF> PixelsOfBitmap(HBITMAP bitmap) {
    BITMAP size = {};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof size, &size) == 0) {
        return {};
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.bmWidth;
    info.bmiHeader.biHeight = -size.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> words(static_cast<std::size_t>(size.bmWidth) * size.bmHeight);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, size.bmHeight, words.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != size.bmHeight) {
        return {};
    }
    std::vector<COLORREF> colors;
    for (std::uint32_t w : words) {
        colors.push_back(RGB((w >> 16) & 0xFF, (w >> 8) & 0xFF, w & 0xFF));
    }
    return colors;
}

int DibIndexAt(const BITMAPINFO* info, const unsigned char* pixels, int x, int y) {
    const BITMAPINFOHEADER& h = info->bmiHeader;
    return ::DibIndexAt(pixels, h.biWidth, h.biHeight, h.biBitCount, x, y);
}

COLORREF DibTableColor(const BITMAPINFO* info, int index) {
    const RGBQUAD& entry = info->bmiColors[index];
    return RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
}

void MoveMouseTo(POINT screenPoint) {
    // Absolute input runs 0..65535 across the primary screen; rounding up
    // lands on the intended pixel.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((screenPoint.x * 65536 + width - 1) / width);
    input.mi.dy = static_cast<LONG>((screenPoint.y * 65536 + height - 1) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(INPUT));
}

void ClickLeft() {
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

std::string ReadWholeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) != 0 && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

std::string Narrow(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), result.data(), size, nullptr,
                            nullptr);
    }
    return result;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

RECT ChildRect(HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LOGFONTW FontOf(HWND window) {
    LOGFONTW font = {};
    HFONT handle = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    GetObjectW(handle, sizeof font, &font);
    return font;
}

LONG PointsToHeight(int points) {
    HDC screen = GetDC(nullptr);
    const LONG height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return height;
}

namespace {

std::vector<std::wstring> ChildTexts(HWND dialog) {
    std::vector<std::wstring> texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        const bool iconControl = _wcsicmp(className, L"Static") == 0 &&
                                 (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        if (iconControl) {
            texts.push_back(SendMessageW(child, STM_GETICON, 0, 0) != 0 ? L"<icon>" : L"<no icon>");
        } else {
            texts.push_back(TextOf(child));
        }
    }
    return texts;
}

}  // namespace

FrameLook FrameOf(HWND dialog) {
    FrameLook look;
    const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
    look.caption = TextOf(dialog);
    look.captionBar = (style & WS_CAPTION) == WS_CAPTION;
    look.systemMenu = (style & WS_SYSMENU) != 0;
    const LOGFONTW font = FontOf(dialog);
    look.fontFace = font.lfFaceName;
    look.fontHeight = font.lfHeight;
    look.texts = ChildTexts(dialog);
    return look;
}

bool IsPaletteDisplay() {
    HDC screen = GetDC(nullptr);
    const bool palette = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
    ReleaseDC(nullptr, screen);
    return palette;
}

std::wstring TextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

namespace {

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM found) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindDialogOfThread(DWORD threadId) {
    HWND found = nullptr;
    EnumThreadWindows(threadId, FindVisibleDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

DialogAnswerer::DialogAnswerer(DWORD threadId, std::function<void(HWND)> answer, int dialogs, DWORD timeoutMs)
    : answer_(std::move(answer)), thread_([this, threadId, timeoutMs, dialogs] { Run(threadId, timeoutMs, dialogs); }) {}

DialogAnswerer::~DialogAnswerer() {
    stop_ = true;
    thread_.join();
}

void DialogAnswerer::Run(DWORD threadId, DWORD timeoutMs, int dialogs) {
    HWND last = nullptr;
    while (answered_ < dialogs && !stop_) {
        const DWORD start = GetTickCount();
        HWND dialog = nullptr;
        while (!stop_ && GetTickCount() - start < timeoutMs) {
            dialog = FindDialogOfThread(threadId);
            // The dialog just answered may still be on its way out.
            if (dialog != nullptr && dialog != last) {
                break;
            }
            dialog = nullptr;
            Sleep(20);
        }
        if (dialog == nullptr) {
            if (!stop_) {
                PostThreadMessageW(threadId, WM_QUIT, 0, 0);
            }
            return;
        }
        // Counted before the answer, which may end the dialog: the modal call
        // then returns on the other thread, which reads the count at once.
        ++answered_;
        answer_(dialog);
        last = dialog;
    }
}

TestParent::TestParent(COLORREF background, int width, int height, WNDPROC procedure) {
    background_ = CreateSolidBrush(background);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = procedure != nullptr ? procedure : DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = background_;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, kClassName, L"parent", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window_ != nullptr) {
        UpdateWindow(window_);
    }
}

TestParent::~TestParent() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
    UnregisterClassW(kClassName, GetModuleHandleW(nullptr));
    DeleteObject(background_);
}

}  // namespace harness
