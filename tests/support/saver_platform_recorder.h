// Test stand-in for the saver window: records every effect the animation asks for, in order.
#pragma once

#include <vector>

#include "saver/saver_platform.h"

struct SaverCall {
    enum Kind { Sound, Show, StartTimer, StopTimer, Pause } kind;
    int value;  // the sound, or the timer period; 0 otherwise
    bool operator==(const SaverCall&) const = default;
};

extern std::vector<SaverCall> recordedSaverCalls;
// The part of the canvas each Show call named, in order; never cleared by the recorder.
extern std::vector<ScreenRect> recordedShownParts;

// The calls of one kind, in order.
std::vector<SaverCall> RecordedSaverCallsOf(SaverCall::Kind kind);
