// COM for the shell's calls under Wine: the single-threaded apartment while needed, each thread left as it was.
#include "shell/com_apartment.h"

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <thread>

namespace {

enum class Apartment { kNone, kSingle, kMulti };

// The calling thread's apartment, found by asking for the multithreaded one
// and ending that start again where it succeeded.
Apartment CurrentApartment() {
    const HRESULT started = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(started)) CoUninitialize();
    return started == S_OK ? Apartment::kNone : started == S_FALSE ? Apartment::kMulti : Apartment::kSingle;
}

}  // namespace

// A start left unended keeps COM up after the call; an end the guard did not
// own takes down the caller's multithreaded apartment.
TEST(ComApartment, SingleThreadedWhileItLastsAndTheThreadLeftAsItWas) {
    constexpr DWORD kNoCom = ~DWORD{0};
    const struct {
        const char* name;
        DWORD before;
        Apartment inside;
    } cases[] = {{"no COM", kNoCom, Apartment::kSingle},
                 {"single-threaded", COINIT_APARTMENTTHREADED, Apartment::kSingle},
                 {"multithreaded", COINIT_MULTITHREADED, Apartment::kMulti}};
    for (const auto& c : cases) {
        std::thread([&c] {
            const bool started = c.before != kNoCom && SUCCEEDED(CoInitializeEx(nullptr, c.before));
            const Apartment was = CurrentApartment();
            {
                const ComApartment apartment(Ole32Library());
                EXPECT_EQ(CurrentApartment(), c.inside) << c.name;
            }
            EXPECT_EQ(CurrentApartment(), was) << c.name;
            if (started) CoUninitialize();
            EXPECT_EQ(CurrentApartment(), Apartment::kNone) << c.name << ": a start was left unended";
        }).join();
    }
}
