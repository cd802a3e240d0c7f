// The settings file "zmr.ini", and finding files beside the program.
//
// The settings file stands beside the program wherever that folder takes
// writes. Where it does not (a folder the user may not write to, a read-only
// medium), each user keeps one in "%APPDATA%\Zenmora", with the same
// sections and keys, made when first written; until then the file beside the
// program, if any, gives the values. The screensaver reads by the same rule,
// so the game's sound switch reaches it either way.
#pragma once

#include <optional>
#include <string>

inline constexpr wchar_t kSettingsFileName[] = L"zmr.ini";

// The running program's full path, however long; empty if it cannot be had.
std::wstring GetProgramPath();

// The program's folder, found from the running program's own path (never the
// working folder), with `name` appended after a backslash when given. Any
// length and any characters: the path is built in wide characters.
std::wstring GetProgramFolderPath(const wchar_t* name = nullptr);

// The text of `key` in `section` of the settings file `fileName`, whole
// however long, or nothing when the file or the key is missing.
std::optional<std::wstring> GetSettingText(const wchar_t* section, const wchar_t* key, const wchar_t* fileName);

// A whole signed decimal 32-bit number, with spaces or tabs around it
// allowed; false for anything else (letters, an empty value, a number out of
// range).
bool ParseSettingInt(const std::wstring& text, int& value);

// The integer value of `key` in `section` of the settings file `fileName`;
// `defaultValue` when the file or the key is missing or the value cannot be
// read.
int GetSettingInt(const wchar_t* section, const wchar_t* key, int defaultValue, const wchar_t* fileName);

// Writes `value` as the text of `key` in `section` of the settings file
// `fileName`, creating the file or the section as needed. Failures (no
// folder takes the file) are silent: the setting is simply not kept.
void WriteSetting(const wchar_t* section, const wchar_t* key, const wchar_t* value, const wchar_t* fileName);

// WriteSetting with an integer written as signed decimal text.
void WriteSettingInt(const wchar_t* section, const wchar_t* key, int value, const wchar_t* fileName);

// 1 when a file (not a folder) of that name exists beside the program, else 0.
int FileExistsInProgramFolder(const wchar_t* name);

// 1 when the settings file `fileName` that the reads above use exists, else
// 0: on a first start, or a first start of this user where the program's
// folder takes no writes and holds no settings file.
int SettingsFileExists(const wchar_t* fileName);

// The player's answers in the first-run shortcut dialog: 1 ticked, 0 not,
// 100 when read back from a file that lacks the key.
struct ShortcutChoices {
    int startup = 0;
    int desktop = 0;
    int startMenu = 0;
};
extern ShortcutChoices shortcutChoices;

// Reads "STARTUP", "DESKTOP" and "STARTMENU" of "ShellLink" into
// shortcutChoices (100 for a missing key); 100 when all three were missing,
// else 0.
int LoadShortcutChoices(const wchar_t* fileName);

// Writes the three choices in the order "STARTUP", "DESKTOP", "STARTMENU".
void SaveShortcutChoices(const wchar_t* fileName);
