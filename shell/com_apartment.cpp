// Starts COM in the single-threaded apartment for the shell's calls, and ends only the starts that succeeded.
#include "shell/com_apartment.h"

ComApartment::ComApartment(SystemLibrary& ole32) {
    auto* initialize = FindSystemFunction<decltype(CoInitializeEx)>(ole32, "CoInitializeEx");
    auto* uninitialize = FindSystemFunction<decltype(CoUninitialize)>(ole32, "CoUninitialize");
    if (initialize == nullptr || uninitialize == nullptr) return;
    // Without the old DDE of OLE 1, as ShellExecute asks of its callers.
    if (SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
        uninitialize_ = uninitialize;
    }
}

ComApartment::~ComApartment() {
    if (uninitialize_ != nullptr) uninitialize_();
}
