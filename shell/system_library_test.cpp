// System libraries under Wine: loaded from the system folder only, once for all threads, and a missing library or function keeps each feature silent.
#include "shell/system_library.h"

#include <windows.h>
#include <mmsystem.h>
#include <winver.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/services_test_window.h"
#include "shell/settings.h"
#include "shell/sound_effects.h"
#include "shell/status_bar.h"
#include "tests/support/window_harness.h"

namespace {

constexpr wchar_t kNoSuchLibrary[] = L"zmr_no_such_library.dll";

std::wstring Lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
    return text;
}

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return folder;
}

std::wstring ModulePath(HMODULE module) {
    wchar_t path[MAX_PATH * 4] = {};
    GetModuleFileNameW(module, path, MAX_PATH * 4);
    return path;
}

}  // namespace

TEST(SystemLibrary, LoadsFromTheSystemFolderTheSameModuleEveryTime) {
    SystemLibrary version(L"version.dll");
    HMODULE module = version.Module();
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(Lower(ModulePath(module)), Lower(SystemFolder() + L"\\version.dll"));
    EXPECT_EQ(version.Module(), module);
    EXPECT_NE(FindSystemFunction<decltype(GetFileVersionInfoSizeW)>(version, "GetFileVersionInfoSizeW"), nullptr);
}

TEST(SystemLibrary, NeverTakesALibraryFromTheProgramFolder) {
    // A real library beside the program, under a name the system folder does
    // not have: loading by name alone would find it there.
    const std::wstring beside = GetProgramFolderPath(L"zmr_beside_the_program.dll");
    ASSERT_NE(CopyFileW((SystemFolder() + L"\\version.dll").c_str(), beside.c_str(), FALSE), 0);
    HMODULE byName = LoadLibraryW(L"zmr_beside_the_program.dll");
    EXPECT_NE(byName, nullptr) << "the copy beside the program should be loadable by name";
    if (byName != nullptr) {
        FreeLibrary(byName);
    }
    SystemLibrary library(L"zmr_beside_the_program.dll");
    EXPECT_EQ(library.Module(), nullptr);
    EXPECT_EQ(library.Procedure("GetFileVersionInfoSizeW"), nullptr);
    DeleteFileW(beside.c_str());
}

TEST(SystemLibrary, ThreadsAskingAtOnceShareOneLoad) {
    SystemLibrary winmm(L"winmm.dll");
    std::vector<HMODULE> seen(8, nullptr);
    std::vector<std::thread> threads;
    for (HMODULE& module : seen) {
        threads.emplace_back([&winmm, &module] { module = winmm.Module(); });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    ASSERT_NE(seen[0], nullptr);
    for (HMODULE module : seen) {
        EXPECT_EQ(module, seen[0]);
    }
}

TEST(SystemLibrary, MissingLibraryOrFunctionGivesNull) {
    SystemLibrary missing(kNoSuchLibrary);
    EXPECT_EQ(missing.Module(), nullptr);
    EXPECT_EQ(missing.Procedure("PlaySoundW"), nullptr);
    // Asked again, it stays missing rather than failing some other way.
    EXPECT_EQ(missing.Module(), nullptr);

    SystemLibrary kernel32(L"kernel32.dll");
    ASSERT_NE(kernel32.Module(), nullptr);
    EXPECT_EQ(FindSystemFunction<decltype(PlaySoundW)>(kernel32, "PlaySoundW"), nullptr);
}

// The features: each one's own library missing, or standing in for it a
// library without its function, leaves it silent and the caller running.

TEST(SilentWithoutTheirLibrary, SoundPlaysNothing) {
    SystemLibrary missing(kNoSuchLibrary);
    EXPECT_FALSE(PlayNamedSoundFrom(missing, L"check", false));
    SystemLibrary kernel32(L"kernel32.dll");
    EXPECT_FALSE(PlayNamedSoundFrom(kernel32, L"check", true));
    // The real one hands the sound on (there is no audio device here, so
    // nothing is heard either way).
    EXPECT_TRUE(PlayNamedSoundFrom(WinmmLibrary(), L"tezumari", false));
}

TEST(SilentWithoutTheirLibrary, StatusBarIsNotMadeAndItsTextsGoNowhere) {
    services_test::GameLikeWindow main;
    SystemLibrary missing(kNoSuchLibrary);
    EXPECT_EQ(CreateStatusBarFrom(missing, main.window()), nullptr);
    SystemLibrary kernel32(L"kernel32.dll");
    EXPECT_EQ(CreateStatusBarFrom(kernel32, main.window()), nullptr);
    EXPECT_EQ(FindWindowExW(main.window(), nullptr, L"msctls_statusbar32", nullptr), nullptr);
    // What the game does with its bar afterwards must not fail.
    SetStatusText(L"help");
    ShowClock();
    main.Show();
    harness::PumpFor(100);
    EXPECT_TRUE(IsWindow(main.window()));

    // The real library makes the bar, so the checks above are not vacuous.
    HWND bar = CreateStatusBarFrom(Comctl32Library(), main.window());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetParent(bar), main.window());
    SetStatusText(L"help");
    EXPECT_EQ(services_test::StatusText(bar), L"help");
}
