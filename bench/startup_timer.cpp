// Start-up timing of a Win32 program: from CreateProcessW until a window of a given class is visible, with the child's peak memory.
// Usage: startup_timer <runs> <window class> <program> [settle ms]
// The peak memory is read `settle ms` (default 1000) after the window shows,
// so the first paint and whatever follows the window's showing count too.
// Prints one line per run and a closing "median" line of key=value figures.
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr DWORD kTimeoutMs = 30000;

struct Search {
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (IsWindowVisible(window) && std::wstring(name) == search.className) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

std::string Narrow(const std::wstring& text) {
    char buffer[512] = {};
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, buffer, sizeof buffer - 1, nullptr, nullptr);
    return buffer;
}

struct Run {
    double ms = 0;
    double peakKb = 0;
    std::wstring caption;
};

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One start: false when the program did not start or showed no such window
// in time; the program is ended either way.
bool TimeOneStart(const std::wstring& program, const wchar_t* className, DWORD settleMs, Run* run) {
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                       &startup, &child) == 0) {
        std::fprintf(stderr, "cannot start the program (error %lu)\n", GetLastError());
        return false;
    }
    Search search{className, nullptr};
    LARGE_INTEGER now = start;
    while (search.found == nullptr && Seconds(start, now) * 1000 < kTimeoutMs &&
           WaitForSingleObject(child.hProcess, 0) == WAIT_TIMEOUT) {
        EnumThreadWindows(child.dwThreadId, FindVisible, reinterpret_cast<LPARAM>(&search));
        QueryPerformanceCounter(&now);
        if (search.found == nullptr) {
            Sleep(1);
        }
    }
    run->ms = Seconds(start, now) * 1000;
    if (search.found != nullptr) {
        Sleep(settleMs);
    }
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(child.hProcess, &memory, sizeof memory) != 0) {
        run->peakKb = static_cast<double>(memory.PeakWorkingSetSize) / 1024.0;
    }
    if (search.found != nullptr) {
        wchar_t caption[256] = {};
        GetWindowTextW(search.found, caption, 256);
        run->caption = caption;
    }
    TerminateProcess(child.hProcess, 0);
    WaitForSingleObject(child.hProcess, 5000);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return search.found != nullptr;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || (count != 4 && count != 5) || _wtoi(arguments[1]) < 1) {
        std::fprintf(stderr, "usage: startup_timer <runs> <window class> <program> [settle ms]\n");
        return 2;
    }
    const int runs = _wtoi(arguments[1]);
    const std::wstring className = arguments[2];
    const DWORD settleMs = count == 5 ? static_cast<DWORD>(_wtoi(arguments[4])) : 1000;
    std::wstring program = arguments[3];
    std::replace(program.begin(), program.end(), L'/', L'\\');
    wchar_t full[MAX_PATH * 4] = {};
    if (GetFullPathNameW(program.c_str(), MAX_PATH * 4, full, nullptr) != 0) {
        program = full;
    }
    LocalFree(arguments);

    std::vector<double> times;
    std::vector<double> peaks;
    for (int i = 0; i < runs; ++i) {
        Run run;
        if (!TimeOneStart(program, className.c_str(), settleMs, &run)) {
            std::fprintf(stderr, "run %d: no visible \"%s\" window within %lu ms\n", i + 1,
                         Narrow(className).c_str(), kTimeoutMs);
            return 1;
        }
        std::printf("run %2d: %8.1f ms  peak working set %8.0f KB  window \"%s\"\n", i + 1, run.ms, run.peakKb,
                    Narrow(run.caption).c_str());
        times.push_back(run.ms);
        peaks.push_back(run.peakKb);
    }
    std::printf("median ms=%.1f peak_kb=%.0f min_ms=%.1f max_ms=%.1f runs=%d\n", Median(times), Median(peaks),
                *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()), runs);
    return 0;
}
