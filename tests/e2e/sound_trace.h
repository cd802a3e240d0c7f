// What a program started from the driver plays, read from Wine's trace of its sound calls.
#pragma once

#include <string>

namespace e2e {

// True when the driver runs under Wine.
bool UnderWine();

// Wine's trace of the sound functions is the witness of what a program
// plays. The run's standard error, which a started program shares, goes to a
// file named on the driver's command line; a trace counts the sounds logged
// after it began, by programs started while it stands. Without that file (or
// off Wine) nothing can be counted: `Usable` says whether it can.
class SoundTrace {
public:
    explicit SoundTrace(const std::wstring& log);
    ~SoundTrace();
    SoundTrace(const SoundTrace&) = delete;
    SoundTrace& operator=(const SoundTrace&) = delete;

    bool Usable() const;
    int PlayCount() const;

private:
    std::string ReadAll() const;

    std::wstring log_;
    std::size_t start_;
};

}  // namespace e2e
