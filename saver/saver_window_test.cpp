// The saver's sound switch under Wine: read from "zmr.ini" beside the program, on only for a missing file or key or exactly 1.
#include "saver/saver_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "shell/settings.h"

namespace {

// Writes (or, for nothing, removes) the settings file beside the test
// program, which stands where the saver's own would.
void PutSettingsFile(const std::optional<std::string>& bytes) {
    const std::wstring path = GetProgramFolderPath(kSettingsFileName);
    DeleteFileW(path.c_str());
    if (bytes) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &written, nullptr);
        CloseHandle(file);
    }
    // The profile functions may cache the file; make them forget it.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
}

struct SwitchCase {
    std::optional<std::string> file;
    int expected;
};

const SwitchCase kCases[] = {
    {std::nullopt, 1},
    {"[Pos]\r\nX=10\r\n", 1},                       // no section "SOUND"
    {"[SOUND]\r\nvolume=0\r\n", 1},                 // no key "sound"
    {"[SOUND]\r\nsound=1\r\n", 1},
    {"[sound]\r\nSOUND= 1 \r\n", 1},                // names fold case; blanks around the number
    {"[SOUND]\r\nsound=0\r\n", 0},
    {"[SOUND]\r\nsound=2\r\n", 0},
    {"[SOUND]\r\nsound=-1\r\n", 0},
    {"[SOUND]\r\nsound=on\r\n", 0},
    {"[SOUND]\r\nsound=\r\n", 0},
    {"[SOUND]\r\nsound=1abc\r\n", 0},
    {"[SOUND]\r\nsound=4294967297\r\n", 0},         // 2^32 + 1 must not wrap onto 1
    {"[SOUND]\r\nsound=1" + std::string(200, ' ') + "x\r\n", 0},  // not cut off into a 1
};

}  // namespace

TEST(SaverSoundSwitch, OnOnlyWhenMissingOrExactlyOne) {
    for (const SwitchCase& c : kCases) {
        PutSettingsFile(c.file);
        EXPECT_EQ(ReadSaverSoundSwitch(), c.expected) << (c.file ? *c.file : std::string("no file"));
    }
    PutSettingsFile(std::nullopt);
}
