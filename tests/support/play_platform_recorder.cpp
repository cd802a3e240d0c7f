// Test stand-in for the screen: records every visible effect the rules ask for, in order, from any thread.
#include "tests/support/play_platform_recorder.h"

#include <algorithm>
#include <array>
#include <mutex>

#include "board/tile_slots.h"
#include "play/looks.h"

std::vector<ScreenCall> recordedScreenCalls;
int recordedAnswerChoice = 1001;

namespace {

constexpr int kFaceBytes = 44 * 62;
std::array<std::array<unsigned char, kFaceBytes>, 144> faces;
std::array<bool, 144> shown;
// The hint worker records too.
std::mutex recordMutex;

void Record(ScreenCall::Kind kind, int value, bool flag = false) {
    std::lock_guard<std::mutex> lock(recordMutex);
    recordedScreenCalls.push_back({kind, value, flag});
    if (value >= 0 && value < 144 && (kind == ScreenCall::Show || kind == ScreenCall::Hide)) {
        shown[static_cast<std::size_t>(value)] = kind == ScreenCall::Show;
    }
}

}  // namespace

void ResetRecordedFaces() {
    for (auto& face : faces) {
        face.fill(LookNormal);
    }
}

void ForgetRecordedCalls() {
    std::lock_guard<std::mutex> lock(recordMutex);
    recordedScreenCalls.clear();
}

void ClearRecordedScreen() {
    std::lock_guard<std::mutex> lock(recordMutex);
    recordedScreenCalls.clear();
    shown.fill(true);
}

bool RecordedTileShown(int slot) {
    std::lock_guard<std::mutex> lock(recordMutex);
    return shown[static_cast<std::size_t>(slot)];
}

std::vector<ScreenCall> RecordedCallsOf(ScreenCall::Kind kind) {
    std::lock_guard<std::mutex> lock(recordMutex);
    std::vector<ScreenCall> calls;
    std::copy_if(recordedScreenCalls.begin(), recordedScreenCalls.end(), std::back_inserter(calls),
                 [kind](const ScreenCall& call) { return call.kind == kind; });
    return calls;
}

void PlaySoundEffect(Sound sound, bool noStop) { Record(ScreenCall::Sound, static_cast<int>(sound), noStop); }
unsigned char* FacePixels(int face) {
    return face >= 0 && face < 144 ? faces[static_cast<std::size_t>(face)].data() : nullptr;
}
// The recorder draws at 96 DPI.
unsigned char* LargeFacePixels(int) { return nullptr; }
// A draw notes whether the tile was in the hint's green.
void DrawTile(int slot) {
    const unsigned char* face = slot >= 0 && slot < 144 ? FacePixels(tileSlots[slot].face) : nullptr;
    const bool green = face != nullptr && std::find(face + kLookFirstOffset, face + kLookEndOffset, LookHint) !=
                                              face + kLookEndOffset;
    Record(ScreenCall::Draw, slot, green);
}
void HideTile(int slot) { Record(ScreenCall::Hide, slot); }
void ShowTile(int slot) { Record(ScreenCall::Show, slot); }
void ShowCursorFrame(int slot) { Record(ScreenCall::CursorFrame, slot); }
void HideCursorFrame() { Record(ScreenCall::HideCursor, 0); }
void PlaceTiles(TilePlacementKind placement) { Record(ScreenCall::Place, static_cast<int>(placement)); }
void RefreshHistory(bool onlyIfVisible) { Record(ScreenCall::Refresh, 0, onlyIfVisible); }
void ShowSoundChecks(int soundOn) { Record(ScreenCall::SoundChecks, soundOn); }
void StoreSoundSetting(int soundOn) { Record(ScreenCall::StoreSound, soundOn); }
void ShowDeadlockPicture(int takesBack) { Record(ScreenCall::DeadlockPicture, takesBack); }
void ShowVictoryPicture() { Record(ScreenCall::VictoryPicture, 0); }
void HidePictures() { Record(ScreenCall::HidePictures, 0); }
void FlushTileDrawing() {}
void ReportHintDeadlock(int run) { Record(ScreenCall::HintDeadlock, run); }
void ShowThreadFailure() { Record(ScreenCall::ThreadFailure, 0); }
void ShowAnswerRefusal(bool neverPlayed) { Record(ScreenCall::AnswerRefusal, 0, neverPlayed); }
int AskAnswerStart(bool answerRunning) {
    Record(ScreenCall::AnswerAsked, 0, answerRunning);
    return recordedAnswerChoice;
}
