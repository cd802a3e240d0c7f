// The game's dialogs, menu, version record and manifest as the program carries them, driven from a second thread.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "board/tile_slots.h"
#include "shell/dialogs.h"
#include "shell/resource.h"
#include "shell/settings.h"
#include "shell/shell_links.h"
#include "tests/support/window_harness.h"

namespace {

constexpr COLORREF kBrightYellow = RGB(255, 255, 0);

// Waits on the answering thread for a condition the dialog's thread brings
// about; gives up after `timeoutMs`.
template <typename Condition>
bool WaitFor(Condition condition, DWORD timeoutMs = 3000) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(10);
    }
    return true;
}

// The pixels of a bitmap as 0x00RRGGBB, top row first; empty for no bitmap.
std::vector<COLORREF> PixelsOf(HBITMAP bitmap) {
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

std::vector<COLORREF> PixelsOfResource(int id) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    std::vector<COLORREF> pixels = PixelsOf(bitmap);
    DeleteObject(bitmap);
    return pixels;
}

HBITMAP ButtonPicture(HWND dialog, int arrangement) {
    return reinterpret_cast<HBITMAP>(
        SendDlgItemMessageW(dialog, IDC_SELECT_A + arrangement - 1, BM_GETIMAGE, IMAGE_BITMAP, 0));
}

HBITMAP PreviewPicture(HWND dialog) {
    return reinterpret_cast<HBITMAP>(SendDlgItemMessageW(dialog, IDC_SELECT_PREVIEW, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

// What a dialog shows at one moment, read on the answering thread and
// checked on the test's own.
struct SelectLook {
    bool okEnabled = false;
    bool harderTicked = false;
    int arrangement = -1;
    int harder = -1;
    // For A to D: 1 chosen picture, 0 not-chosen picture, -1 neither.
    int letters[kArrangementCount] = {-1, -1, -1, -1};
    // 0 for an empty preview, 1 to 4 for the preview of A to D, -1 for anything else.
    int preview = -1;
    HBITMAP handles[kArrangementCount + 1] = {};
};

SelectLook LookAt(HWND dialog) {
    SelectLook look;
    look.okEnabled = IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;
    look.harderTicked = IsDlgButtonChecked(dialog, IDC_SELECT_HARDER) == BST_CHECKED;
    look.arrangement = currentArrangement;
    look.harder = harderDeal;
    for (int k = 1; k <= kArrangementCount; ++k) {
        HBITMAP shown = ButtonPicture(dialog, k);
        look.handles[k - 1] = shown;
        const std::vector<COLORREF> pixels = PixelsOf(shown);
        if (!pixels.empty() && pixels == PixelsOfResource(IDB_LETTER_BRIGHT_FIRST + k - 1)) {
            look.letters[k - 1] = 1;
        } else if (!pixels.empty() && pixels == PixelsOfResource(IDB_LETTER_DIM_FIRST + k - 1)) {
            look.letters[k - 1] = 0;
        }
    }
    HBITMAP preview = PreviewPicture(dialog);
    look.handles[kArrangementCount] = preview;
    if (preview == nullptr) {
        look.preview = 0;
    } else {
        const std::vector<COLORREF> pixels = PixelsOf(preview);
        for (int k = 1; k <= kArrangementCount; ++k) {
            if (pixels == PixelsOfResource(IDB_PREVIEW_FIRST + k - 1)) {
                look.preview = k;
            }
        }
    }
    return look;
}

void ExpectLetters(const SelectLook& look, int chosen, const char* when) {
    for (int k = 1; k <= kArrangementCount; ++k) {
        EXPECT_EQ(look.letters[k - 1], k == chosen ? 1 : 0) << when << ": letter " << k;
    }
}

// Presses a control the way a click does; a disabled one ignores it.
void Press(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Sends a key through the dialog's own message loop, as typed on the focused control.
void Type(HWND dialog, UINT key) {
    HWND focus = GetDlgItem(dialog, IDC_SELECT_A);
    PostMessageW(focus, WM_KEYDOWN, key, 0);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000000);
}

// How many pixels of the control on screen have the colour.
int CountOnScreen(HWND control, COLORREF color) {
    RECT client;
    GetClientRect(control, &client);
    int count = 0;
    for (COLORREF c : harness::Capture(control, 0, 0, client.right, client.bottom)) {
        count += c == color ? 1 : 0;
    }
    return count;
}

// The font a dialog was given by its template.
LOGFONTW FontOf(HWND dialog) {
    LOGFONTW font = {};
    HFONT handle = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    GetObjectW(handle, sizeof font, &font);
    return font;
}

// Pixel height of a font of that many points, as the dialog manager asks for it.
LONG PointsToHeight(int points) {
    HDC screen = GetDC(nullptr);
    const LONG height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return height;
}

// The texts of a dialog's children in template order; an icon control
// reads "<icon>" when it shows an icon.
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
            texts.push_back(harness::TextOf(child));
        }
    }
    return texts;
}

struct FrameLook {
    std::wstring caption;
    bool caption_bar = false;
    bool systemMenu = true;
    std::wstring fontFace;
    LONG fontHeight = 0;
    std::vector<std::wstring> texts;
};

FrameLook FrameOf(HWND dialog) {
    FrameLook look;
    const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
    look.caption = harness::TextOf(dialog);
    look.caption_bar = (style & WS_CAPTION) == WS_CAPTION;
    look.systemMenu = (style & WS_SYSMENU) != 0;
    const LOGFONTW font = FontOf(dialog);
    look.fontFace = font.lfFaceName;
    look.fontHeight = font.lfHeight;
    look.texts = ChildTexts(dialog);
    return look;
}

// Cancel in each of its forms: the command, a close request and the Esc
// key; and a stray 決定 command while the button is disabled. Reports
// whether the dialog was still there afterwards.
bool SurvivesCancel(HWND dialog) {
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    Type(dialog, VK_ESCAPE);
    Sleep(300);
    return IsWindow(dialog) && IsWindowVisible(dialog);
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(owner_.window(), nullptr);
        currentArrangement = 0;
        harderDeal = 0;
    }
    HWND owner() const { return owner_.window(); }

private:
    harness::TestParent owner_{RGB(0, 64, 0)};
};

// ---------------------------------------------------------------------------
// Game selection

using GameSelectDialog = DialogTest;

TEST_F(GameSelectDialog, AtStartNothingIsChosenAndOnlyDecideLeavesIt) {
    SelectLook atStart, afterCancel, afterA;
    FrameLook frame;
    bool survived = false;
    int yellowOnA = -1;
    int result = 0;
    {
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND dialog) {
            frame = FrameOf(dialog);
            atStart = LookAt(dialog);
            survived = SurvivesCancel(dialog);
            afterCancel = LookAt(dialog);
            Press(dialog, IDC_SELECT_A);
            afterA = LookAt(dialog);
            WaitFor([&] { return CountOnScreen(GetDlgItem(dialog, IDC_SELECT_A), kBrightYellow) > 0; });
            yellowOnA = CountOnScreen(GetDlgItem(dialog, IDC_SELECT_A), kBrightYellow);
            Press(dialog, IDOK);
        });
        result = RunGameSelectDialog(owner());
        EXPECT_EQ(answerer.Answered(), 1);
    }
    EXPECT_EQ(result, 1);

    EXPECT_EQ(frame.caption, L"『Zenmora』  ゲーム選択");
    EXPECT_TRUE(frame.caption_bar);
    EXPECT_FALSE(frame.systemMenu) << "no system menu, so no close box";
    EXPECT_EQ(frame.fontFace, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(frame.fontHeight, PointsToHeight(10));
    const std::vector<std::wstring> texts = {L"", L"どれで遊びますか？", L"Ａ", L"Ｂ", L"Ｃ", L"<icon>",
                                             L"決定", L"プレビュー", L"Ｄ", L"むずかしくする"};
    EXPECT_EQ(frame.texts, texts);

    EXPECT_FALSE(atStart.okEnabled);
    ExpectLetters(atStart, 0, "at start");
    EXPECT_EQ(atStart.preview, 0) << "the preview stays empty until a letter is pressed";
    EXPECT_FALSE(atStart.harderTicked);

    EXPECT_TRUE(survived) << "Esc, cancel, close and a disabled 決定 leave the dialog open";
    EXPECT_EQ(afterCancel.arrangement, 0);
    EXPECT_FALSE(afterCancel.okEnabled);
    ExpectLetters(afterCancel, 0, "after cancel");

    EXPECT_TRUE(afterA.okEnabled);
    EXPECT_EQ(afterA.arrangement, 1);
    ExpectLetters(afterA, 1, "after A");
    EXPECT_EQ(afterA.preview, 1);
    EXPECT_GT(yellowOnA, 0) << "the chosen letter is bright on screen";

    EXPECT_EQ(currentArrangement, 1);
    EXPECT_EQ(harderDeal, 0);
}

TEST_F(GameSelectDialog, LettersSwapPicturesAndTheBoxCountsOnlyOnDecide) {
    SelectLook afterB, afterA, afterAAgain, afterTick;
    int result = 0;
    {
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND dialog) {
            Press(dialog, IDC_SELECT_B);
            afterB = LookAt(dialog);
            Press(dialog, IDC_SELECT_A);
            afterA = LookAt(dialog);
            Press(dialog, IDC_SELECT_A);
            afterAAgain = LookAt(dialog);
            Press(dialog, IDC_SELECT_HARDER);
            afterTick = LookAt(dialog);
            Press(dialog, IDOK);
        });
        result = RunGameSelectDialog(owner());
        EXPECT_EQ(answerer.Answered(), 1);
    }
    EXPECT_EQ(result, 1);

    EXPECT_EQ(afterB.arrangement, 2) << "the choice takes effect while the dialog is open";
    ExpectLetters(afterB, 2, "after B");
    EXPECT_EQ(afterB.preview, 2);

    EXPECT_EQ(afterA.arrangement, 1);
    ExpectLetters(afterA, 1, "after B then A");
    EXPECT_EQ(afterA.preview, 1);

    // Pressing the chosen letter again changes nothing, not even a handle.
    EXPECT_EQ(afterAAgain.arrangement, 1);
    for (int i = 0; i <= kArrangementCount; ++i) {
        EXPECT_EQ(afterAAgain.handles[i], afterA.handles[i]) << "picture " << i;
    }

    EXPECT_TRUE(afterTick.harderTicked);
    EXPECT_EQ(afterTick.harder, 0) << "the box counts only when 決定 is pressed";
    EXPECT_EQ(currentArrangement, 1);
    EXPECT_EQ(harderDeal, 1);

    // The dialog freed every picture it loaded.
    for (HBITMAP shown : afterTick.handles) {
        EXPECT_EQ(GetObjectType(shown), 0u) << "a picture outlived its dialog";
    }
}

TEST_F(GameSelectDialog, OpenedAgainShowsTheArrangementInForceAtOnce) {
    currentArrangement = 3;
    harderDeal = 1;
    SelectLook atStart;
    int yellow[kArrangementCount] = {};
    {
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND dialog) {
            atStart = LookAt(dialog);
            WaitFor([&] { return CountOnScreen(GetDlgItem(dialog, IDC_SELECT_C), kBrightYellow) > 0; });
            for (int k = 1; k <= kArrangementCount; ++k) {
                yellow[k - 1] = CountOnScreen(GetDlgItem(dialog, IDC_SELECT_A + k - 1), kBrightYellow);
            }
            Press(dialog, IDC_SELECT_HARDER);
            Press(dialog, IDOK);
        });
        RunGameSelectDialog(owner());
        EXPECT_EQ(answerer.Answered(), 1);
    }
    EXPECT_TRUE(atStart.okEnabled);
    ExpectLetters(atStart, 3, "opened with C");
    EXPECT_EQ(atStart.preview, 3);
    EXPECT_TRUE(atStart.harderTicked);
    EXPECT_GT(yellow[2], 0);
    EXPECT_EQ(yellow[0] + yellow[1] + yellow[3], 0) << "only C is bright on screen";
    EXPECT_EQ(currentArrangement, 3);
    EXPECT_EQ(harderDeal, 0) << "unticked before 決定";
}

// ---------------------------------------------------------------------------
// About

using AboutDialog = DialogTest;

TEST_F(AboutDialog, ShowsTheVersionAndClosesOnlyWithOk) {
    FrameLook frame;
    bool survived = false;
    int result = 0;
    {
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND dialog) {
            frame = FrameOf(dialog);
            SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            PostMessageW(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
            Sleep(300);
            survived = IsWindow(dialog) && IsWindowVisible(dialog);
            Press(dialog, IDOK);
        });
        result = RunAboutDialog(owner());
        EXPECT_EQ(answerer.Answered(), 1);
    }
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(survived) << "Esc leaves the About dialog open";
    EXPECT_EQ(frame.caption, L"バージョン情報");
    EXPECT_TRUE(frame.caption_bar);
    EXPECT_FALSE(frame.systemMenu);
    EXPECT_EQ(frame.fontFace, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(frame.fontHeight, PointsToHeight(11));
    const std::vector<std::wstring> texts = {L"OK", L"<icon>", L"Zenmora", L" バージョン2.5", L"by NORIVA"};
    EXPECT_EQ(frame.texts, texts);
}

// ---------------------------------------------------------------------------
// First run and shortcuts

std::wstring FolderPath(int folderId) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, folderId, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return std::wstring();
    }
    return path;
}

std::wstring ShortcutIn(int folderId) { return FolderPath(folderId) + L"\\Zenmora.lnk"; }

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring ThisProgram() {
    wchar_t path[MAX_PATH * 4] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    return path;
}

// Where a saved shortcut points, read back through the link object; empty
// when it cannot be loaded. `byItems` reads the item list that the shell
// follows when the shortcut is opened, instead of the stored path text.
std::wstring TargetOf(const std::wstring& link, bool byItems = false) {
    std::wstring target;
    CoInitialize(nullptr);
    IShellLinkW* shellLink = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shellLink)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t path[MAX_PATH * 4] = {};
            if (SUCCEEDED(file->Load(link.c_str(), STGM_READ))) {
                LPITEMIDLIST items = nullptr;
                if (!byItems && SUCCEEDED(shellLink->GetPath(path, MAX_PATH * 4, nullptr, 0))) {
                    target = path;
                } else if (byItems && SUCCEEDED(shellLink->GetIDList(&items)) && items != nullptr) {
                    if (SHGetPathFromIDListW(items, path)) {
                        target = path;
                    }
                    CoTaskMemFree(items);
                }
            }
            file->Release();
        }
        shellLink->Release();
    }
    CoUninitialize();
    return target;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return !a.empty() && _wcsicmp(a.c_str(), b.c_str()) == 0;
}

std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class FirstRunDialog : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        settings_ = GetProgramFolderPath(kSettingsFileName);
        RemoveAll();
        shortcutChoices = ShortcutChoices{};
    }
    void TearDown() override { RemoveAll(); }

    void RemoveAll() {
        DeleteFileW(settings_.c_str());
        for (int folder : {CSIDL_DESKTOPDIRECTORY, CSIDL_PROGRAMS, CSIDL_STARTUP}) {
            DeleteFileW(ShortcutIn(folder).c_str());
        }
    }

    std::wstring settings_;
};

TEST_F(FirstRunDialog, OkMakesTheTickedShortcutsAndRecordsAllThreeChoices) {
    bool startupDisabled = false;
    FrameLook frame;
    bool boxesClearAtStart = false;
    int result = 0;
    {
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND dialog) {
            frame = FrameOf(dialog);
            boxesClearAtStart = IsDlgButtonChecked(dialog, IDC_SHORTCUT_DESKTOP) == BST_UNCHECKED &&
                                IsDlgButtonChecked(dialog, IDC_SHORTCUT_START_MENU) == BST_UNCHECKED &&
                                IsDlgButtonChecked(dialog, IDC_SHORTCUT_STARTUP) == BST_UNCHECKED;
            startupDisabled = !IsWindowEnabled(GetDlgItem(dialog, IDC_SHORTCUT_STARTUP));
            Press(dialog, IDC_SHORTCUT_DESKTOP);
            Press(dialog, IDC_SHORTCUT_START_MENU);
            Press(dialog, IDOK);
        });
        result = RunFirstRunDialog(owner());
        EXPECT_EQ(answerer.Answered(), 1);
    }
    EXPECT_EQ(result, 1);
    EXPECT_EQ(frame.caption, L"設定");
    EXPECT_FALSE(frame.systemMenu);
    EXPECT_EQ(frame.fontFace, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(frame.fontHeight, PointsToHeight(9));
    const std::vector<std::wstring> texts = {L"OK", L"ｷｬﾝｾﾙ", L"ショートカットの作成", L"デスクトップ",
                                             L"スタートメニュー", L"スタートアップ"};
    EXPECT_EQ(frame.texts, texts);
    EXPECT_TRUE(boxesClearAtStart);
    EXPECT_TRUE(startupDisabled);

    EXPECT_TRUE(SamePath(TargetOf(ShortcutIn(CSIDL_DESKTOPDIRECTORY)), ThisProgram()))
        << "desktop shortcut points at " << testing::PrintToString(TargetOf(ShortcutIn(CSIDL_DESKTOPDIRECTORY)));
    EXPECT_TRUE(SamePath(TargetOf(ShortcutIn(CSIDL_PROGRAMS)), ThisProgram()));
    EXPECT_FALSE(FileExists(ShortcutIn(CSIDL_STARTUP)));

    EXPECT_EQ(shortcutChoices.startup, 0);
    EXPECT_EQ(shortcutChoices.desktop, 1);
    EXPECT_EQ(shortcutChoices.startMenu, 1);
    EXPECT_EQ(GetSettingInt(L"ShellLink", L"STARTUP", -1, kSettingsFileName), 0);
    EXPECT_EQ(GetSettingInt(L"ShellLink", L"DESKTOP", -1, kSettingsFileName), 1);
    EXPECT_EQ(GetSettingInt(L"ShellLink", L"STARTMENU", -1, kSettingsFileName), 1);
    const std::string file = ReadBytes(settings_);
    const std::size_t startup = file.find("STARTUP=0");
    const std::size_t desktop = file.find("DESKTOP=1");
    const std::size_t startMenu = file.find("STARTMENU=1");
    ASSERT_NE(startup, std::string::npos) << file;
    ASSERT_NE(desktop, std::string::npos) << file;
    ASSERT_NE(startMenu, std::string::npos) << file;
    EXPECT_LT(startup, desktop);
    EXPECT_LT(desktop, startMenu);
}

TEST_F(FirstRunDialog, CancelAndEscMakeNothingAndWriteNothing) {
    shortcutChoices.desktop = 1;
    bool desktopTickedAtStart = false;
    int results[2] = {};
    const int cancels[2] = {IDCANCEL, VK_ESCAPE};
    for (int i = 0; i < 2; ++i) {
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND dialog) {
            desktopTickedAtStart = IsDlgButtonChecked(dialog, IDC_SHORTCUT_DESKTOP) == BST_CHECKED;
            Press(dialog, IDC_SHORTCUT_START_MENU);
            if (cancels[i] == IDCANCEL) {
                Press(dialog, IDCANCEL);
            } else {
                PostMessageW(GetDlgItem(dialog, IDC_SHORTCUT_DESKTOP), WM_KEYDOWN, VK_ESCAPE, 0);
            }
        });
        results[i] = RunFirstRunDialog(owner());
        EXPECT_EQ(answerer.Answered(), 1);
        EXPECT_TRUE(desktopTickedAtStart) << "the boxes start from the recorded choices";
    }
    EXPECT_EQ(results[0], 1);
    EXPECT_EQ(results[1], 1);
    EXPECT_FALSE(FileExists(settings_));
    EXPECT_FALSE(FileExists(ShortcutIn(CSIDL_DESKTOPDIRECTORY)));
    EXPECT_FALSE(FileExists(ShortcutIn(CSIDL_PROGRAMS)));
    EXPECT_EQ(shortcutChoices.desktop, 1);
    EXPECT_EQ(shortcutChoices.startMenu, 0);
}

TEST(ProgramShortcut, ReplacesAShortcutOfTheSameName) {
    const std::wstring link = ShortcutIn(CSIDL_DESKTOPDIRECTORY);
    DeleteFileW(link.c_str());
    ASSERT_EQ(CreateProgramShortcut(nullptr, L"Zenmora", CSIDL_DESKTOP), 1);
    EXPECT_TRUE(SamePath(TargetOf(link), ThisProgram()));

    // Something else under that name: the second run must put the shortcut back.
    {
        std::ofstream damaged(link.c_str(), std::ios::binary | std::ios::trunc);
        damaged << "not a shortcut";
    }
    ASSERT_TRUE(TargetOf(link).empty());
    EXPECT_EQ(CreateProgramShortcut(nullptr, L"Zenmora", CSIDL_DESKTOP), 1);
    EXPECT_TRUE(SamePath(TargetOf(link), ThisProgram()));
    DeleteFileW(link.c_str());
}

TEST(ProgramShortcut, FolderWithoutAPathMakesNothing) {
    // The printers folder is virtual: it has no file-system path to save into.
    EXPECT_EQ(CreateProgramShortcut(nullptr, L"Zenmora", CSIDL_PRINTERS), 0);
}

TEST(ProgramShortcut, WithoutTheComponentOrShellLibraryMakesNothing) {
    const std::wstring link = ShortcutIn(CSIDL_DESKTOPDIRECTORY);
    DeleteFileW(link.c_str());
    SystemLibrary missing(L"zmr_no_such_library.dll");
    // kernel32 loads, but has none of the functions a shortcut needs.
    SystemLibrary kernel32(L"kernel32.dll");
    EXPECT_EQ(CreateProgramShortcutFrom(missing, Shell32Library(), nullptr, L"Zenmora", CSIDL_DESKTOP), 0);
    EXPECT_EQ(CreateProgramShortcutFrom(Ole32Library(), missing, nullptr, L"Zenmora", CSIDL_DESKTOP), 0);
    EXPECT_EQ(CreateProgramShortcutFrom(kernel32, Shell32Library(), nullptr, L"Zenmora", CSIDL_DESKTOP), 0);
    EXPECT_EQ(CreateProgramShortcutFrom(Ole32Library(), kernel32, nullptr, L"Zenmora", CSIDL_DESKTOP), 0);
    EXPECT_FALSE(FileExists(link));
    // Both real libraries make it, so the zeros above are the libraries' doing.
    EXPECT_EQ(CreateProgramShortcutFrom(Ole32Library(), Shell32Library(), nullptr, L"Zenmora", CSIDL_DESKTOP), 1);
    EXPECT_TRUE(FileExists(link));
    DeleteFileW(link.c_str());
}

// Run only by the next test, from a copy of this program in a folder whose
// name the ANSI code page cannot spell.
TEST(ProgramShortcut, DISABLED_MadeByTheCopy) {
    EXPECT_EQ(CreateProgramShortcut(nullptr, L"Zenmora copy", CSIDL_DESKTOP), 1);
}

TEST(ProgramShortcut, PointsAtAProgramWhosePathIsOutsideTheAnsiCodePage) {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring folder = std::wstring(temp) + L"링크 ŵ テスト";
    const std::wstring copy = folder + L"\\dialogs_test.exe";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_NE(CopyFileW(ThisProgram().c_str(), copy.c_str(), FALSE), 0);
    const std::wstring link = ShortcutIn(CSIDL_DESKTOPDIRECTORY).substr(0, ShortcutIn(CSIDL_DESKTOPDIRECTORY).size() - 4) +
                              L" copy.lnk";
    DeleteFileW(link.c_str());

    std::wstring command = L"\"" + copy + L"\" --gtest_also_run_disabled_tests "
                           L"--gtest_filter=ProgramShortcut.DISABLED_MadeByTheCopy";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_NE(CreateProcessW(copy.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process),
              0);
    const DWORD waited = WaitForSingleObject(process.hProcess, 30000);
    DWORD exitCode = 1;
    if (waited != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(waited, WAIT_OBJECT_0) << "the copy did not finish in time";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(FileExists(link));
    EXPECT_TRUE(SamePath(TargetOf(link, true), copy))
        << "the shortcut lost the program's path: " << testing::PrintToString(TargetOf(link, true));

    DeleteFileW(link.c_str());
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
}

// ---------------------------------------------------------------------------
// Menu, version record and manifest

struct MenuRow {
    int depth;  // 0 the bar, 1 a popup of the bar, 2 a popup within that
    const wchar_t* text;
    int id;  // -1 for a popup, 0 for a separator
};

constexpr MenuRow kMenu[] = {
    {0, L"ゲーム", -1},
    {1, L"新しいゲーム F2", IDM_NEW_GAME},
    {1, L"ゲーム選択  F3", IDM_GAME_SELECT},
    {1, L"はじめから", IDM_RESTART},
    {1, L"", 0},
    {1, L"効果音", -1},
    {2, L"ON", IDM_SOUND_ON},
    {2, L"OFF", IDM_SOUND_OFF},
    {1, L"", 0},
    {1, L"ゲームを止める", IDM_QUIT},
    {0, L"一手戻る", IDM_UNDO},
    {0, L"取った牌", IDM_HISTORY},
    {0, L"ヒント", IDM_HINT},
    {0, L"答え", IDM_ANSWER},
    {0, L"ヘルプ", -1},
    {1, L"バージョン情報", IDM_ABOUT},
    {1, L"説明ファイルを読む F1", IDM_HELP_FILE},
    {1, L"作者のホームページ", IDM_HOME_PAGE},
    {0, L"★ひと休み★", IDM_SCREENSAVER},
};

// The menu flattened in the order of the table above.
void Flatten(HMENU menu, int depth, std::vector<MenuRow>& rows, std::vector<std::wstring>& texts) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 64;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        wchar_t byString[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), byString, 64, MF_BYPOSITION);
        EXPECT_STREQ(text, byString);
        texts.emplace_back(text);
        const int id = info.hSubMenu != nullptr ? -1 : (info.fType & MFT_SEPARATOR) ? 0 : static_cast<int>(info.wID);
        rows.push_back({depth, nullptr, id});
        if (info.hSubMenu != nullptr) {
            Flatten(info.hSubMenu, depth + 1, rows, texts);
        }
    }
}

TEST(Resources, MenuBarHasTheTextsAndCommandsInOrder) {
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_MAIN_MENU));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 7);
    std::vector<MenuRow> rows;
    std::vector<std::wstring> texts;
    Flatten(menu, 0, rows, texts);
    DestroyMenu(menu);
    ASSERT_EQ(rows.size(), std::size(kMenu));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].depth, kMenu[i].depth) << "row " << i;
        EXPECT_EQ(texts[i], kMenu[i].text) << "row " << i;
        EXPECT_EQ(rows[i].id, kMenu[i].id) << "row " << i;
    }
}

TEST(Resources, VersionRecordReadsBackInJapanese) {
    const std::wstring program = ThisProgram();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> record(size);
    ASSERT_NE(GetFileVersionInfoW(program.c_str(), 0, size, record.data()), 0);

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_NE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length), 0);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020005u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000003u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00020005u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u);

    WORD* translation = nullptr;
    ASSERT_NE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                             &length),
              0);
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0411) << "Japanese";

    wchar_t block[64];
    std::swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
    const struct {
        const wchar_t* key;
        const wchar_t* value;
    } strings[] = {
        {L"FileDescription", L"麻雀牌パズル"}, {L"Comments", L"麻雀牌パズル"}, {L"ProductName", L"Zenmora"},
        {L"InternalName", L"Zenmora"},         {L"OriginalFilename", L"zmr.exe"},
    };
    for (const auto& expected : strings) {
        wchar_t* value = nullptr;
        const std::wstring key = std::wstring(block) + expected.key;
        ASSERT_NE(VerQueryValueW(record.data(), key.c_str(), reinterpret_cast<void**>(&value), &length), 0)
            << testing::PrintToString(key);
        EXPECT_STREQ(value, expected.value) << testing::PrintToString(key);
    }
}

TEST(Resources, ManifestRunsAsInvokerWithTheClassicControls) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr);
    const DWORD size = SizeofResource(nullptr, found);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    ASSERT_NE(bytes, nullptr);
    const std::string manifest(bytes, size);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string::npos);
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
}

}  // namespace
