// Test stand-in for the saver window: records every effect the animation asks for, in order.
#include "tests/support/saver_platform_recorder.h"

std::vector<SaverCall> recordedSaverCalls;
std::vector<ScreenRect> recordedShownParts;

std::vector<SaverCall> RecordedSaverCallsOf(SaverCall::Kind kind) {
    std::vector<SaverCall> calls;
    for (const SaverCall& call : recordedSaverCalls) {
        if (call.kind == kind) calls.push_back(call);
    }
    return calls;
}

void PlaySaverSound(SaverSound sound) { recordedSaverCalls.push_back({SaverCall::Sound, static_cast<int>(sound)}); }
void ShowCanvas(const uint8_t*, const ScreenRect& changed) {
    recordedSaverCalls.push_back({SaverCall::Show, 0});
    recordedShownParts.push_back(changed);
}
void StartAnimationTimer(int periodMs) { recordedSaverCalls.push_back({SaverCall::StartTimer, periodMs}); }
void StopAnimationTimer() { recordedSaverCalls.push_back({SaverCall::StopTimer, 0}); }
void PauseOneSecond() { recordedSaverCalls.push_back({SaverCall::Pause, 0}); }
