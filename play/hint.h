// The hint: every free pair of one kind shown in turn on a worker thread, and "手詰まりです。" when there is none.
#pragma once

#include <chrono>
#include <mutex>

// How long a pair stays green, and the pause before the next one.
struct HintTiming {
    std::chrono::milliseconds shown{1000};
    std::chrono::milliseconds pause{500};
};
extern HintTiming hintTiming;

// Drops the selections and starts the worker (after stopping one that runs).
void StartHint();

// Ends a running worker at once, also during its waits, and returns when it
// has ended; then every green tile looks normal again. 1 if a hint was
// running, else 0. Never call it while holding the look lock.
int StopHint();

// 1 while a worker is still showing pairs, 0 once it has ended (by itself or stopped).
int HintIsRunning();

// The number of the hint run now in force; every start and stop moves it
// on, so a report from a run that has been stopped can be told apart.
int CurrentHintRun();

// Held while a pair is taken, so that no hint starts in the middle of a
// take; StopHintHolding is StopHint for the holder.
std::unique_lock<std::mutex> LockHintControl();
int StopHintHolding(std::unique_lock<std::mutex>& control);
