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

// What the program's manifest lacks: running as the invoking user, aware of
// each monitor's scale, each system from Vista to 11 named as supported (else
// Windows treats it as a legacy program and redirects its writes into
// protected folders), and being taken by the system's manifest reader (else
// it does not start).
inline std::vector<std::string> Problems() {
    constexpr const char* kRequired[] = {
        "level=\"asInvoker\"",
        "supportedOS Id=\"{e2011457-1546-43c5-a5fe-008deee3d3f0}\"",  // Vista
        "supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"",  // 7
        "supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"",  // 8
        "supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"",  // 8.1
        "supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"",  // 10 and 11
        // Drawn sharp at every display scale rather than stretched by the system.
        ">PerMonitorV2, PerMonitor</dpiAwareness>",
        ">true/pm</dpiAware>",
    };
    const std::string manifest = ProgramManifest();
    std::vector<std::string> problems;
    for (const char* entry : kRequired) {
        if (manifest.find(entry) == std::string::npos) problems.emplace_back(entry);
    }
    ACTCTXW context = {};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.hModule = GetModuleHandleW(nullptr);
    context.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE reader = CreateActCtxW(&context);
    if (reader == INVALID_HANDLE_VALUE) problems.emplace_back("refused by the manifest reader");
    else ReleaseActCtx(reader);
    return problems;
}

}  // namespace manifest_testing
