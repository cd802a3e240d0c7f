// Shortcuts to the running program, made through the shell's link object with its wide interfaces.
#include "shell/shell_links.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "shell/com_apartment.h"
#include "shell/settings.h"

namespace {

// What making a shortcut needs of the component and shell libraries.
struct LinkFunctions {
    decltype(CoCreateInstance)* createInstance;
    decltype(CoTaskMemFree)* freeMemory;
    decltype(SHGetSpecialFolderLocation)* specialFolderLocation;
    decltype(SHGetPathFromIDListW)* pathFromItems;

    // False when any of them is missing.
    bool Find(SystemLibrary& ole32, SystemLibrary& shell32) {
        createInstance = FindSystemFunction<decltype(CoCreateInstance)>(ole32, "CoCreateInstance");
        freeMemory = FindSystemFunction<decltype(CoTaskMemFree)>(ole32, "CoTaskMemFree");
        specialFolderLocation =
            FindSystemFunction<decltype(SHGetSpecialFolderLocation)>(shell32, "SHGetSpecialFolderLocation");
        pathFromItems = FindSystemFunction<decltype(SHGetPathFromIDListW)>(shell32, "SHGetPathFromIDListW");
        return createInstance != nullptr && freeMemory != nullptr && specialFolderLocation != nullptr &&
               pathFromItems != nullptr;
    }
};

// The file-system path of a special folder; empty when it has none.
std::wstring SpecialFolderPath(const LinkFunctions& functions, HWND owner, int folderId) {
    LPITEMIDLIST items = nullptr;
    if (FAILED(functions.specialFolderLocation(owner, folderId, &items)) || items == nullptr) {
        return std::wstring();
    }
    wchar_t folder[MAX_PATH] = {};
    const BOOL found = functions.pathFromItems(items, folder);
    functions.freeMemory(items);
    return found ? std::wstring(folder) : std::wstring();
}

int SaveShortcut(const LinkFunctions& functions, HWND owner, const wchar_t* baseName, int folderId) {
    IShellLinkW* link = nullptr;
    if (FAILED(functions.createInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                        reinterpret_cast<void**>(&link)))) {
        return 0;
    }
    IPersistFile* file = nullptr;
    int made = 0;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        const std::wstring target = GetProgramPath();
        const std::wstring folder = SpecialFolderPath(functions, owner, folderId);
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

int CreateProgramShortcutFrom(SystemLibrary& ole32, SystemLibrary& shell32, HWND owner, const wchar_t* baseName,
                              int folderId) {
    LinkFunctions functions{};
    if (!functions.Find(ole32, shell32)) {
        return 0;
    }
    // The link object works in a multithreaded apartment too, so a thread
    // already there keeps it.
    const ComApartment apartment(ole32);
    return SaveShortcut(functions, owner, baseName, folderId);
}

int CreateProgramShortcut(HWND owner, const wchar_t* baseName, int folderId) {
    return CreateProgramShortcutFrom(Ole32Library(), Shell32Library(), owner, baseName, folderId);
}
