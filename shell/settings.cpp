// The settings file "zmr.ini" beside the program, and finding files beside the program.
#include "shell/settings.h"

#include <windows.h>

#include <climits>
#include <cwchar>
#include <string>

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

std::wstring SettingsPath(const wchar_t* fileName) {
    return ForFileFunctions(GetProgramFolderPath(fileName));
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
    // A value is one line, so a line break never stands for one: it marks a
    // missing key.
    constexpr wchar_t kMissing[] = L"\n";
    const std::wstring path = SettingsPath(fileName);
    std::wstring buffer(64, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetPrivateProfileStringW(section, key, kMissing, buffer.data(), size, path.c_str());
        if (length + 1 < size) {
            buffer.resize(length);
            break;
        }
        buffer.assign(buffer.size() * 2, L'\0');  // cut off: read it again whole
    }
    if (buffer == kMissing) return std::nullopt;
    return buffer;
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
    // A read-only folder or a folder in the file's place: the setting is not kept.
    WritePrivateProfileStringW(section, key, value, SettingsPath(fileName).c_str());
}

void WriteSettingInt(const wchar_t* section, const wchar_t* key, int value, const wchar_t* fileName) {
    WriteSetting(section, key, std::to_wstring(value).c_str(), fileName);
}

int FileExistsInProgramFolder(const wchar_t* name) {
    const DWORD attributes = GetFileAttributesW(ForFileFunctions(GetProgramFolderPath(name)).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ? 1 : 0;
}

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
