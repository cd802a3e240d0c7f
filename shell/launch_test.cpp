// Starting the screensaver under Wine: a recorder named mahjong.scr beside the test shows the saver is asked for full screen, and that the game does not wait for it.
#include "shell/launch.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "shell/settings.h"
#include "tests/support/window_harness.h"

namespace {

// The recorder's file: the command line in UTF-16.
std::wstring ReadRecord(const std::wstring& path) {
    const std::string bytes = harness::ReadWholeFile(path);
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

std::wstring Lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
    return text;
}

// Puts the recorder in the screensaver's place for one test, and takes it
// away afterwards.
class RecorderAsScreensaver {
public:
    RecorderAsScreensaver()
        : saver_(GetProgramFolderPath(kScreensaverFileName)),
          record_(GetProgramFolderPath(L"recorded_command_line.txt")) {
        DeleteFileW(record_.c_str());
        copied_ = CopyFileW(GetProgramFolderPath(L"command_line_recorder.exe").c_str(), saver_.c_str(), FALSE) != 0;
    }
    ~RecorderAsScreensaver() {
        // The recorder may still be lingering; its file cannot go until it ends.
        harness::PumpUntil([&] { return DeleteFileW(saver_.c_str()) != 0; }, 10000);
        DeleteFileW(record_.c_str());
    }

    bool copied() const { return copied_; }
    const std::wstring& record() const { return record_; }

private:
    std::wstring saver_;
    std::wstring record_;
    bool copied_ = false;
};

}  // namespace

TEST(StartScreensaver, AsksForFullScreenAndDoesNotWait) {
    RecorderAsScreensaver recorder;
    ASSERT_TRUE(recorder.copied());

    const DWORD start = GetTickCount();
    StartScreensaver();
    const DWORD took = GetTickCount() - start;
    // The recorder lingers 5 s after writing; a launcher that waited for it
    // would take at least that long.
    EXPECT_LT(took, 4000u);

    std::wstring commandLine;
    ASSERT_TRUE(harness::PumpUntil(
        [&] {
            commandLine = ReadRecord(recorder.record());
            return !commandLine.empty();
        },
        15000))
        << "the screensaver was not started";
    const std::wstring lower = Lower(commandLine);
    EXPECT_NE(lower.find(L"mahjong.scr"), std::wstring::npos);
    // The mode comes after the program's name: full screen, not configuration.
    const std::size_t afterName = lower.find(L"mahjong.scr") + 11;
    EXPECT_NE(lower.find(L"/s", afterName), std::wstring::npos);
    EXPECT_EQ(lower.find(L"/c", afterName), std::wstring::npos);
}

TEST(StartScreensaver, MissingSaverIsSilent) {
    DeleteFileW(GetProgramFolderPath(kScreensaverFileName).c_str());
    const DWORD start = GetTickCount();
    StartScreensaver();
    EXPECT_LT(GetTickCount() - start, 4000u);
    // No message box or other window of the game's appears.
    harness::PumpFor(500);
    EXPECT_EQ(harness::FindDialogOfThread(GetCurrentThreadId()), nullptr);
}

TEST(StartScreensaver, WithoutTheShellNothingIsOpenedOrStarted) {
    RecorderAsScreensaver recorder;
    ASSERT_TRUE(recorder.copied());
    SystemLibrary missing(L"zmr_no_such_library.dll");
    // kernel32 loads, but has no ShellExecuteW.
    SystemLibrary kernel32(L"kernel32.dll");
    for (SystemLibrary* shell32 : {&missing, &kernel32}) {
        EXPECT_FALSE(StartScreensaverFrom(*shell32)) << harness::Narrow(shell32->fileName());
        EXPECT_FALSE(OpenHelpFileFrom(*shell32)) << harness::Narrow(shell32->fileName());
        EXPECT_FALSE(OpenHomePageFrom(*shell32)) << harness::Narrow(shell32->fileName());
    }
    harness::PumpFor(1500);
    EXPECT_TRUE(ReadRecord(recorder.record()).empty()) << "the screensaver was started all the same";
    EXPECT_EQ(harness::FindDialogOfThread(GetCurrentThreadId()), nullptr);
}
