// What a program started from the driver plays, read from Wine's trace of its sound calls.
#include "tests/e2e/sound_trace.h"

#include <windows.h>

namespace e2e {

namespace {

constexpr char kWitness[] = "MULTIMEDIA_PlaySound";

}  // namespace

bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

SoundTrace::SoundTrace(const std::wstring& log) : log_(log), start_(ReadAll().size()) {
    SetEnvironmentVariableW(L"WINEDEBUG", L"-all,+winmm");
}

SoundTrace::~SoundTrace() { SetEnvironmentVariableW(L"WINEDEBUG", nullptr); }

bool SoundTrace::Usable() const { return !log_.empty() && UnderWine(); }

int SoundTrace::PlayCount() const {
    const std::string text = ReadAll();
    int count = 0;
    for (std::size_t at = text.find(kWitness, start_); at != std::string::npos; at = text.find(kWitness, at + 1)) {
        ++count;
    }
    return count;
}

std::string SoundTrace::ReadAll() const {
    if (log_.empty()) return {};
    HANDLE file = CreateFileW(log_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    return text;
}

}  // namespace e2e
