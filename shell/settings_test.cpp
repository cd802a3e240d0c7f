// The settings file under Wine: damaged values, a file beside the program that takes no writes, and the order in which sections are written.
#include "shell/settings.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/window_harness.h"

namespace {

// Each test has a file of its own beside the test program, removed before
// and after, so no test reads another's leftovers or the game's own file.
class SettingsFile {
public:
    explicit SettingsFile(const wchar_t* name) : name_(name), path_(GetProgramFolderPath(name)) { Remove(); }
    ~SettingsFile() { Remove(); }

    const wchar_t* name() const { return name_; }
    const std::wstring& path() const { return path_; }

    void WriteBytes(const std::string& bytes) const {
        HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        ASSERT_EQ(written, bytes.size());
    }

    // The file's lines without their CR LF, blank lines left out.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        const std::string bytes = harness::ReadWholeFile(path_);
        std::size_t start = 0;
        while (start < bytes.size()) {
            std::size_t end = bytes.find('\n', start);
            if (end == std::string::npos) {
                end = bytes.size();
            }
            std::string line = bytes.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            if (!line.empty()) {
                lines.push_back(line);
            }
            start = end + 1;
        }
        return lines;
    }

private:
    void Remove() const {
        DeleteFileW(path_.c_str());
        RemoveDirectoryW(path_.c_str());
        // The profile functions may cache a file; make them forget it.
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, path_.c_str());
    }

    const wchar_t* name_;
    std::wstring path_;
};

}  // namespace

TEST(Settings, DamagedValuesGiveTheDefaultAndLeaveTheRestReadable) {
    SettingsFile file(L"settings_test_damaged.ini");
    std::string bytes;
    bytes += std::string("\x00\xff\xfe\x01junk\x80\x81", 10) + "\r\n";
    bytes += "[Pos]\r\n";
    bytes += "letters=abc\r\n";
    bytes += "empty=\r\n";
    bytes += "huge=99999999999999999999\r\n";
    bytes += "justOver=2147483648\r\n";
    bytes += "lowest=-2147483648\r\n";
    bytes += "negative=-42\r\n";
    bytes += "trailing=12abc\r\n";
    bytes += "long=" + std::string(100 * 1024, '7') + "\r\n";
    bytes += "binary=" + std::string("\x01\x02\xff\x7f", 4) + "\r\n";
    bytes += "X=212\r\n";
    bytes += "[SOUND]\r\n";
    bytes += "sound=0\r\n";
    file.WriteBytes(bytes);

    for (const wchar_t* key : {L"letters", L"empty", L"huge", L"justOver", L"trailing", L"long", L"binary", L"missing"}) {
        SCOPED_TRACE(testing::Message() << std::string(key, key + wcslen(key)));
        EXPECT_EQ(GetSettingInt(L"Pos", key, 100, file.name()), 100);
        EXPECT_EQ(GetSettingInt(L"Pos", key, -7, file.name()), -7);
    }
    // An empty value is there; a key missing from its section (though another has it) is not.
    EXPECT_EQ(GetSettingText(L"POS", L"EMPTY", file.name()), std::wstring());
    for (const wchar_t* key : {L"missing", L"emp", L"sound"}) {
        EXPECT_EQ(GetSettingText(L"Pos", key, file.name()), std::nullopt) << harness::Narrow(key);
    }
    EXPECT_EQ(GetSettingInt(L"Pos", L"negative", 0, file.name()), -42);
    EXPECT_EQ(GetSettingInt(L"Pos", L"lowest", 0, file.name()), INT_MIN);
    // Keys after the damage, the 100 KB line among it, still read.
    EXPECT_EQ(GetSettingInt(L"Pos", L"X", 0, file.name()), 212);
    EXPECT_EQ(GetSettingInt(L"pos", L"x", 0, file.name()), 212);
    EXPECT_EQ(GetSettingInt(L"SOUND", L"sound", 1, file.name()), 0);
    EXPECT_EQ(GetSettingInt(L"Missing", L"X", 5, file.name()), 5);
    EXPECT_EQ(FileExistsInProgramFolder(file.name()), 1);
}

namespace {

// %APPDATA% for one test: a throwaway folder beside the test program, or
// not set at all; the process's own value comes back afterwards.
class UserFolder {
public:
    explicit UserFolder(bool set) : saved_(Variable()), root_(GetProgramFolderPath(L"settings_test_appdata")) {
        CreateDirectoryW(root_.c_str(), nullptr);
        SetEnvironmentVariableW(L"APPDATA", set ? root_.c_str() : nullptr);
    }
    ~UserFolder() {
        for (const wchar_t* name : {L"settings_test_folder.ini", L"settings_test_locked.ini"}) {
            DeleteFileW(File(name).c_str());
            WritePrivateProfileStringW(nullptr, nullptr, nullptr, File(name).c_str());
        }
        RemoveDirectoryW((root_ + L"\\Zenmora").c_str());
        RemoveDirectoryW(root_.c_str());
        SetEnvironmentVariableW(L"APPDATA", saved_.empty() ? nullptr : saved_.c_str());
    }
    // The user's own settings file of that name.
    std::wstring File(const wchar_t* name) const { return root_ + L"\\Zenmora\\" + name; }

private:
    static std::wstring Variable() {
        wchar_t value[1024] = {};
        const DWORD length = GetEnvironmentVariableW(L"APPDATA", value, 1024);
        return length > 0 && length < 1024 ? value : L"";
    }
    std::wstring saved_;
    std::wstring root_;
};

}  // namespace

// The user's folder takes such settings (the game's end-to-end run shows it);
// with no %APPDATA% they are not kept, and nothing fails.
TEST(Settings, AFolderInTheFilesPlaceAndNoUsersFolderKeepNothing) {
    SettingsFile file(L"settings_test_folder.ini");
    ASSERT_NE(CreateDirectoryW(file.path().c_str(), nullptr), 0);
    {
        UserFolder nowhere(false);
        EXPECT_EQ(SettingsFileExists(file.name()), 0);
        WriteSettingInt(L"Pos", L"X", 212, file.name());
        shortcutChoices = {1, 1, 1};
        SaveShortcutChoices(file.name());
        EXPECT_EQ(GetSettingInt(L"Pos", L"X", 0, file.name()), 0);
        EXPECT_EQ(LoadShortcutChoices(file.name()), 100);
        EXPECT_EQ(shortcutChoices.desktop, 100);
        EXPECT_EQ(SettingsFileExists(file.name()), 0);
    }
    const DWORD attributes = GetFileAttributesW(file.path().c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(FileExistsInProgramFolder(file.name()), 0);
    EXPECT_EQ(FileExistsInProgramFolder(L"no_such_settings_file.ini"), 0);
    EXPECT_EQ(FileExistsInProgramFolder(L"shell_services_test.exe"), 1);
}

TEST(Settings, AFileBesideTheProgramThatTakesNoWritesGivesTheUsersFileItsStartingValues) {
    SettingsFile file(L"settings_test_locked.ini");
    file.WriteBytes("[Pos]\r\nX=7\r\nY=9\r\n[SOUND]\r\nsound=0\r\n");
    UserFolder user(true);
    // Held open for reading only, as another program might: readable, but
    // it cannot be opened for writing.
    HANDLE lock = CreateFileW(file.path().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);

    EXPECT_EQ(SettingsFileExists(file.name()), 1);
    EXPECT_EQ(GetSettingInt(L"SOUND", L"sound", 1, file.name()), 0);
    WriteSettingInt(L"Pos", L"X", 150, file.name());
    EXPECT_EQ(GetSettingInt(L"Pos", L"X", 0, file.name()), 150);
    EXPECT_EQ(GetSettingInt(L"Pos", L"Y", 0, file.name()), 9);
    EXPECT_EQ(GetSettingInt(L"SOUND", L"sound", 1, file.name()), 0);
    CloseHandle(lock);

    // The file beside the program is as it was; once it takes writes again,
    // it is the one used.
    const std::vector<std::string> beside = {"[Pos]", "X=7", "Y=9", "[SOUND]", "sound=0"};
    EXPECT_EQ(file.Lines(), beside);
    EXPECT_EQ(GetSettingInt(L"Pos", L"X", 0, file.name()), 7);
    EXPECT_NE(GetFileAttributesW(user.File(file.name()).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Settings, SectionsStandInTheOrderTheyWereFirstWritten) {
    SettingsFile file(L"settings_test_order.ini");
    EXPECT_EQ(FileExistsInProgramFolder(file.name()), 0);
    EXPECT_EQ(LoadShortcutChoices(file.name()), 100);

    // A first run: the shortcut dialog's OK, then the exit.
    shortcutChoices = {0, 1, 1};
    SaveShortcutChoices(file.name());
    WriteSettingInt(L"Pos", L"X", 212, file.name());
    WriteSettingInt(L"Pos", L"Y", 144, file.name());
    WriteSettingInt(L"SOUND", L"sound", 1, file.name());
    const std::vector<std::string> firstRun = {"[ShellLink]", "STARTUP=0", "DESKTOP=1", "STARTMENU=1",
                                               "[Pos]",       "X=212",     "Y=144",     "[SOUND]",
                                               "sound=1"};
    EXPECT_EQ(file.Lines(), firstRun);
    EXPECT_EQ(FileExistsInProgramFolder(file.name()), 1);

    // A later exit replaces the values where they stand.
    WriteSettingInt(L"Pos", L"X", -5, file.name());
    WriteSettingInt(L"SOUND", L"sound", 0, file.name());
    std::vector<std::string> later = firstRun;
    later[5] = "X=-5";
    later[8] = "sound=0";
    EXPECT_EQ(file.Lines(), later);

    shortcutChoices = {};
    EXPECT_EQ(LoadShortcutChoices(file.name()), 0);
    EXPECT_EQ(shortcutChoices.startup, 0);
    EXPECT_EQ(shortcutChoices.desktop, 1);
    EXPECT_EQ(shortcutChoices.startMenu, 1);
    EXPECT_EQ(GetSettingInt(L"Pos", L"X", 0, file.name()), -5);
}

TEST(Settings, SoundToggledBeforeTheFirstExitComesFirst) {
    SettingsFile file(L"settings_test_sound_first.ini");
    WriteSettingInt(L"SOUND", L"sound", 0, file.name());
    WriteSettingInt(L"Pos", L"X", 30, file.name());
    WriteSettingInt(L"Pos", L"Y", 40, file.name());
    WriteSettingInt(L"SOUND", L"sound", 0, file.name());
    const std::vector<std::string> expected = {"[SOUND]", "sound=0", "[Pos]", "X=30", "Y=40"};
    EXPECT_EQ(file.Lines(), expected);
}
