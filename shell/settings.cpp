// The settings file "zmr.ini": beside the program where that folder takes writes, else in the user's own application-data folder; and finding files beside the program.
#include "shell/settings.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cwchar>
#include <string>

#include "shell/texts.h"

ShortcutChoices shortcutChoices;

std::wstring GetProgramPath() {
    // The path may exceed the old 260-character limit: grow until it fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return std::wstring();
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

namespace {

// Paths at or past the old limit reach the file functions only in their
// extended form; shorter ones stay as they are.
std::wstring ForFileFunctions(const std::wstring& path) {
    if (path.size() < MAX_PATH || path.rfind(L"\\\\", 0) == 0) {
        return path;
    }
    return L"\\\\?\\" + path;
}

// True when the file beside the program takes writes: it opens for writing,
// or, where there is none yet, a file can be made beside it. Found by trying,
// for attributes do not tell (a folder the user may not write to, a locked
// file, a folder in the file's place, a read-only medium).
bool CanWriteBesideProgram(const std::wstring& path) {
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
        // A probe of this process's own, so that no other program ever sees
        // the settings file itself come and go; it goes when it is closed.
        const std::wstring probe = path + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
        file = CreateFileW(probe.c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
    }
    CloseHandle(file);
    return true;
}

// %APPDATA%\Zenmora, or empty when the variable is not set.
std::wstring UserSettingsFolder() {
    const DWORD size = GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
    if (size <= 1) return std::wstring();
    std::wstring folder(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", folder.data(), size);
    if (length == 0 || length >= size) return std::wstring();
    folder.resize(length);
    if (folder.back() != L'\\') folder += L'\\';
    return folder + kProductName;
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Where a setting is read: the file beside the program while it takes
// writes; otherwise the user's own file once there is one, and until then
// the file beside the program, whose values are the starting values (an
// administrator may have put one there).
std::wstring SettingsPathForReading(const wchar_t* fileName) {
    const std::wstring beside = ForFileFunctions(GetProgramFolderPath(fileName));
    if (CanWriteBesideProgram(beside)) return beside;
    const std::wstring folder = UserSettingsFolder();
    if (!folder.empty()) {
        const std::wstring own = ForFileFunctions(folder + L"\\" + fileName);
        if (IsFile(own)) return own;
    }
    return beside;
}

// Where a setting is written; empty when it cannot be kept anywhere. The
// user's folder is made when first needed, and the user's file starts as a
// copy of the one beside the program, if there is one.
std::wstring SettingsPathForWriting(const wchar_t* fileName) {
    const std::wstring beside = ForFileFunctions(GetProgramFolderPath(fileName));
    if (CanWriteBesideProgram(beside)) return beside;
    const std::wstring folder = UserSettingsFolder();
    if (folder.empty()) return std::wstring();
    const std::wstring longFolder = ForFileFunctions(folder);
    // The folder's absence shows as the write's failure, which is silent.
    CreateDirectoryW(longFolder.c_str(), nullptr);
    const std::wstring own = ForFileFunctions(folder + L"\\" + fileName);
    if (!IsFile(own) && IsFile(beside)) {
        // Without the copy the user's file would start from the defaults; a
        // failed copy leaves it so.
        CopyFileW(beside.c_str(), own.c_str(), TRUE);
    }
    return own;
}

// What GetPrivateProfileStringW gives for `key` (an empty default), or for
// a null key the section's key names, each ended by a null character;
// whole however long. A text cut off fills the buffer to one character
// short of its end, or two for the names, so that is read again larger.
std::wstring ReadProfileWhole(const wchar_t* section, const wchar_t* key, const std::wstring& path) {
    std::wstring buffer(64, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetPrivateProfileStringW(section, key, L"", buffer.data(), size, path.c_str());
        if (length + 2 < size) {
            buffer.resize(length);
            return buffer;
        }
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

// True when `section` holds `key`, found in the section's key names, as
// names are matched: ignoring case. Only this tells a missing key from an
// empty value; a default text marking the missing one would lose its
// trailing blanks, which the system strips from it.
bool SectionHasKey(const wchar_t* section, const wchar_t* key, const std::wstring& path) {
    const std::wstring names = ReadProfileWhole(section, nullptr, path);
    for (std::size_t start = 0; start < names.size();) {
        const std::size_t end = std::min(names.find(L'\0', start), names.size());
        if (CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, names.data() + start, static_cast<int>(end - start),
                           key, -1) == CSTR_EQUAL) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace

std::wstring GetProgramFolderPath(const wchar_t* name) {
    std::wstring folder = GetProgramPath();
    const std::size_t slash = folder.find_last_of(L"\\/");
    folder.resize(slash == std::wstring::npos ? 0 : slash);
    if (name != nullptr) {
        if (!folder.empty() && folder.back() != L'\\') {
            folder += L'\\';
        }
        folder += name;
    }
    return folder;
}

std::optional<std::wstring> GetSettingText(const wchar_t* section, const wchar_t* key, const wchar_t* fileName) {
    const std::wstring path = SettingsPathForReading(fileName);
    std::wstring text = ReadProfileWhole(section, key, path);
    if (text.empty() && !SectionHasKey(section, key, path)) return std::nullopt;
    return text;
}

bool ParseSettingInt(const std::wstring& text, int& value) {
    std::size_t i = text.find_first_not_of(L" \t");
    if (i == std::wstring::npos) {
        return false;
    }
    bool negative = false;
    if (text[i] == L'+' || text[i] == L'-') {
        negative = text[i] == L'-';
        ++i;
    }
    long long magnitude = 0;
    std::size_t digits = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i, ++digits) {
        magnitude = magnitude * 10 + (text[i] - L'0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1) {
            return false;
        }
    }
    if (digits == 0 || text.find_first_not_of(L" \t", i) != std::wstring::npos) {
        return false;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT_MAX) {
        return false;
    }
    value = static_cast<int>(signedValue);
    return true;
}

int GetSettingInt(const wchar_t* section, const wchar_t* key, int defaultValue, const wchar_t* fileName) {
    const std::optional<std::wstring> text = GetSettingText(section, key, fileName);
    int value = 0;
    return text && ParseSettingInt(*text, value) ? value : defaultValue;
}

void WriteSetting(const wchar_t* section, const wchar_t* key, const wchar_t* value, const wchar_t* fileName) {
    const std::wstring path = SettingsPathForWriting(fileName);
    // Where even the user's own folder takes no writes, the setting is not kept.
    if (!path.empty()) WritePrivateProfileStringW(section, key, value, path.c_str());
}

void WriteSettingInt(const wchar_t* section, const wchar_t* key, int value, const wchar_t* fileName) {
    WriteSetting(section, key, std::to_wstring(value).c_str(), fileName);
}

int FileExistsInProgramFolder(const wchar_t* name) {
    return IsFile(ForFileFunctions(GetProgramFolderPath(name))) ? 1 : 0;
}

int SettingsFileExists(const wchar_t* fileName) { return IsFile(SettingsPathForReading(fileName)) ? 1 : 0; }

int LoadShortcutChoices(const wchar_t* fileName) {
    constexpr int kMissing = 100;
    shortcutChoices.startup = GetSettingInt(L"ShellLink", L"STARTUP", kMissing, fileName);
    shortcutChoices.desktop = GetSettingInt(L"ShellLink", L"DESKTOP", kMissing, fileName);
    shortcutChoices.startMenu = GetSettingInt(L"ShellLink", L"STARTMENU", kMissing, fileName);
    const bool allMissing = shortcutChoices.startup == kMissing && shortcutChoices.desktop == kMissing &&
                            shortcutChoices.startMenu == kMissing;
    return allMissing ? kMissing : 0;
}

void SaveShortcutChoices(const wchar_t* fileName) {
    WriteSettingInt(L"ShellLink", L"STARTUP", shortcutChoices.startup, fileName);
    WriteSettingInt(L"ShellLink", L"DESKTOP", shortcutChoices.desktop, fileName);
    WriteSettingInt(L"ShellLink", L"STARTMENU", shortcutChoices.startMenu, fileName);
}
