// Test stand-in for the screen: records every visible effect the rules ask for, in order, from any thread.
#pragma once

#include <vector>

#include "play/play_platform.h"

struct ScreenCall {
    enum Kind {
        Sound, Draw, Hide, Show, Place, Refresh, SoundChecks, StoreSound,
        DeadlockPicture, VictoryPicture, HidePictures, HintDeadlock, ThreadFailure, AnswerRefusal, AnswerAsked,
        CursorFrame, HideCursor,
    } kind;
    int value;      // the slot, sound, placement, setting or hint run
    // No-stop for sounds, only-if-visible for refreshes, never-played for
    // refusals, drawn green (the hint's look) for draws.
    bool flag;
    bool operator==(const ScreenCall&) const = default;
};

// The calls so far; read them only while no hint worker runs.
extern std::vector<ScreenCall> recordedScreenCalls;

// Face pictures of the recorder: 144 pictures of 62 rows of 44 bytes, every
// pixel of index LookNormal, like a face's background.
void ResetRecordedFaces();

// The calls of one kind, in order.
std::vector<ScreenCall> RecordedCallsOf(ScreenCall::Kind kind);

// Clears the record of calls, keeping what is shown.
void ForgetRecordedCalls();

// Clears the record, and shows every tile window again.
void ClearRecordedScreen();

// Whether the slot's tile window is shown, after the Show and Hide calls so far.
bool RecordedTileShown(int slot);

// What AskAnswerStart answers (1001 or 2).
extern int recordedAnswerChoice;
