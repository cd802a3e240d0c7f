// COM on the calling thread for the shell's calls, in the single-threaded apartment they ask for.
#pragma once

#include <windows.h>
#include <objbase.h>

#include "shell/system_library.h"

// For its lifetime COM is up on the calling thread: started in the
// single-threaded apartment, or as the thread already had it. Each start
// that succeeded (S_OK, or S_FALSE where the thread was already in that
// apartment) is ended again; a thread already in the multithreaded
// apartment (RPC_E_CHANGED_MODE) keeps it, and the calls go on there. The
// component library `ole32` is loaded at the first; where it cannot be had,
// nothing is started and the calls go on without COM.
class ComApartment {
public:
    explicit ComApartment(SystemLibrary& ole32);
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    decltype(CoUninitialize)* uninitialize_ = nullptr;  // set only when a start is ours to end
};
