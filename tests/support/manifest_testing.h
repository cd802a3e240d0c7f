// Test helper: the manifest the running program carries as a resource, and what each of our programs must declare.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace manifest_testing {

// The manifest Windows reads when it starts the program (resource 1 of type
// RT_MANIFEST), as its text; empty when there is none.
inline std::string ProgramManifest() {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    if (found == nullptr) return std::string();
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    return bytes != nullptr ? std::string(bytes, SizeofResource(nullptr, found)) : std::string();
}

// Running as the invoking user, and each system named as supported (Vista,
// 7, 8, 8.1, 10 and 11): without them Windows treats the program as a
// legacy one and redirects its writes into protected folders.
inline constexpr const char* kRequiredEntries[] = {
    "level=\"asInvoker\"",
    "supportedOS Id=\"{e2011457-1546-43c5-a5fe-008deee3d3f0}\"",
    "supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"",
    "supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"",
    "supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"",
    "supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"",
};

// The entries above that `manifest` lacks.
inline std::vector<std::string> MissingEntries(const std::string& manifest) {
    std::vector<std::string> missing;
    for (const char* entry : kRequiredEntries) {
        if (manifest.find(entry) == std::string::npos) missing.emplace_back(entry);
    }
    return missing;
}

// True when the system's manifest reader takes the program's manifest (a
// malformed one stops the program from starting on Windows).
inline bool ActivationContextAccepts() {
    ACTCTXW context = {};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.hModule = GetModuleHandleW(nullptr);
    context.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE handle = CreateActCtxW(&context);
    if (handle == INVALID_HANDLE_VALUE) return false;
    ReleaseActCtx(handle);
    return true;
}

}  // namespace manifest_testing
