// Loads system libraries by their full path in the system folder on first use, and looks their functions up.
#include "shell/system_library.h"

#include <imm.h>

#include <string>

namespace {

// The full path of `fileName` in the system folder; empty when the folder
// cannot be had, so nothing is loaded by a bare name from the search path.
std::wstring SystemFolderPath(const wchar_t* fileName) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return std::wstring();
    }
    std::wstring path(folder, length);
    if (path.back() != L'\\') {
        path += L'\\';
    }
    return path + fileName;
}

// Constant-initialised, so they are ready before any code of the program runs.
constinit SystemLibrary soundLibrary(L"winmm.dll");
constinit SystemLibrary shellLibrary(L"shell32.dll");
constinit SystemLibrary comLibrary(L"ole32.dll");
constinit SystemLibrary controlsLibrary(L"comctl32.dll");
constinit SystemLibrary inputMethodLibrary(L"imm32.dll");

}  // namespace

HMODULE SystemLibrary::Module() {
    std::call_once(loadOnce_, [this] {
        const std::wstring path = SystemFolderPath(fileName_);
        if (!path.empty()) {
            module_ = LoadLibraryW(path.c_str());
        }
    });
    return module_;
}

FARPROC SystemLibrary::Procedure(const char* name) {
    HMODULE module = Module();
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

SystemLibrary& WinmmLibrary() { return soundLibrary; }
SystemLibrary& Shell32Library() { return shellLibrary; }
SystemLibrary& Ole32Library() { return comLibrary; }
SystemLibrary& Comctl32Library() { return controlsLibrary; }
SystemLibrary& Imm32Library() { return inputMethodLibrary; }

void DetachInputMethod(HWND window) {
    // Without the library there is no input method to come between the keys and the window.
    auto* associate = FindSystemFunction<decltype(ImmAssociateContextEx)>(Imm32Library(), "ImmAssociateContextEx");
    if (associate != nullptr) {
        // No context for the window itself (flags 0), then for its children;
        // a failure leaves a window as it was.
        associate(window, nullptr, 0);
        associate(window, nullptr, IACE_CHILDREN);
    }
}
