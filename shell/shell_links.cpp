// Shortcuts to the running program, made through the shell's link object with its wide interfaces.
#include "shell/shell_links.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "shell/settings.h"

namespace {

// The file-system path of a special folder; empty when it has none.
std::wstring SpecialFolderPath(HWND owner, int folderId) {
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(owner, folderId, &items)) || items == nullptr) {
        return std::wstring();
    }
    wchar_t folder[MAX_PATH] = {};
    const BOOL found = SHGetPathFromIDListW(items, folder);
    CoTaskMemFree(items);
    return found ? std::wstring(folder) : std::wstring();
}

int SaveShortcut(HWND owner, const wchar_t* baseName, int folderId) {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return 0;
    }
    IPersistFile* file = nullptr;
    int made = 0;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        const std::wstring target = GetProgramPath();
        const std::wstring folder = SpecialFolderPath(owner, folderId);
        if (!target.empty() && !folder.empty() && SUCCEEDED(link->SetPath(target.c_str()))) {
            std::wstring path = folder;
            if (path.back() != L'\\') {
                path += L'\\';
            }
            path += baseName;
            path += L".lnk";
            // TRUE: the link object takes the file as its own; an existing
            // shortcut of that name is replaced.
            made = SUCCEEDED(file->Save(path.c_str(), TRUE)) ? 1 : 0;
        }
        file->Release();
    }
    link->Release();
    return made;
}

}  // namespace

int CreateProgramShortcut(HWND owner, const wchar_t* baseName, int folderId) {
    // A thread already in the multithreaded apartment keeps it; the link
    // object works there too, and that initialisation is not ours to undo.
    const HRESULT initialised = CoInitialize(nullptr);
    const int made = SaveShortcut(owner, baseName, folderId);
    if (SUCCEEDED(initialised)) {
        CoUninitialize();
    }
    return made;
}
