// The About and first-run dialogs as the program carries them, driven from a second thread, and the shortcuts the first-run dialog makes.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "shell/dialogs.h"
#include "shell/resource.h"
#include "shell/settings.h"
#include "shell/shell_links.h"
#include "tests/support/dialog_testing.h"
#include "tests/support/window_harness.h"

namespace {

using namespace dialog_testing;

// ---------------------------------------------------------------------------
// About

using AboutDialog = DialogTest;

TEST_F(AboutDialog, ShowsTheVersionAndClosesOnlyWithOk) {
    harness::FrameLook frame;
    bool survived = false;
    int result = 0;
    {
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND dialog) {
            frame = harness::FrameOf(dialog);
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
    EXPECT_TRUE(frame.captionBar);
    EXPECT_FALSE(frame.systemMenu);
    EXPECT_EQ(frame.fontFace, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(frame.fontHeight, harness::PointsToHeight(11));
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
    harness::FrameLook frame;
    bool boxesClearAtStart = false;
    int result = 0;
    {
        harness::DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND dialog) {
            frame = harness::FrameOf(dialog);
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
    EXPECT_EQ(frame.fontHeight, harness::PointsToHeight(9));
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

}  // namespace
