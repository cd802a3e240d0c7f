// Test stand-in for the screen: records every visible effect the rules ask for, in order.
#pragma once

#include <vector>

#include "play/screen.h"

struct ScreenCall {
    enum Kind { Sound, Draw, Hide, Show, Place, Refresh, SoundChecks, StoreSound } kind;
    int value;      // the slot, sound, placement or setting
    bool flag;      // no-stop for sounds, only-if-visible for refreshes
    bool operator==(const ScreenCall&) const = default;
};

extern std::vector<ScreenCall> recordedScreenCalls;

// Face pictures of the recorder: 144 pictures of 62 rows of 44 bytes, every
// pixel of index LookNormal, like a face's background.
void ResetRecordedFaces();

// The calls of one kind, in order.
std::vector<ScreenCall> RecordedCallsOf(ScreenCall::Kind kind);
