// System libraries loaded on first use from the system folder, once per process, with typed access to their functions.
#pragma once

#include <windows.h>

#include <mutex>

// One library of the system, named by its file name ("winmm.dll"). The first
// call to Module, from any thread, loads it by its full path in the system
// folder, so a file of that name beside the program is never picked up;
// every later call gives the same module. A library that cannot be loaded
// stays missing for the life of the process: the features that need it
// stay silent. A loaded library is never freed, since an asynchronous call
// into it (a sound still playing) may outlive its caller.
class SystemLibrary {
public:
    explicit constexpr SystemLibrary(const wchar_t* fileName) : fileName_(fileName) {}
    SystemLibrary(const SystemLibrary&) = delete;
    SystemLibrary& operator=(const SystemLibrary&) = delete;

    const wchar_t* fileName() const { return fileName_; }
    // Null when the library cannot be loaded.
    HMODULE Module();
    // The exported function `name`; null when the library or the function is missing.
    FARPROC Procedure(const char* name);

private:
    const wchar_t* fileName_;
    std::once_flag loadOnce_;
    HMODULE module_ = nullptr;
};

// The function `name` of `library` as a pointer of its declared type, for
// example FindSystemFunction<decltype(PlaySoundW)>(winmm, "PlaySoundW");
// null when it cannot be had.
template <typename Signature>
Signature* FindSystemFunction(SystemLibrary& library, const char* name) {
    // Through the generic function-pointer type, which the compiler accepts
    // as a cast between unrelated function types.
    return reinterpret_cast<Signature*>(reinterpret_cast<void (*)()>(library.Procedure(name)));
}

// The libraries that neither program needs before its first window: sounds,
// shortcuts, the shell's documents and programs, and the common controls of
// the status bar. Linking them would make every start load and initialise
// them first.
SystemLibrary& WinmmLibrary();     // winmm.dll
SystemLibrary& Shell32Library();   // shell32.dll
SystemLibrary& Ole32Library();     // ole32.dll
SystemLibrary& Comctl32Library();  // comctl32.dll
SystemLibrary& Imm32Library();     // imm32.dll

// Takes the input method away from a window of the game and its present
// children, which take no text: with a Japanese input method on, a window
// with an input context gets its keys as VK_PROCESSKEY of a composition, not
// as themselves.
void DetachInputMethod(HWND window);
