// Test stand-in for the screen: records every visible effect the rules ask for, in order.
#include "play/screen_recorder.h"

#include <algorithm>
#include <array>

#include "play/looks.h"

std::vector<ScreenCall> recordedScreenCalls;

namespace {

constexpr int kFaceBytes = 44 * 62;
std::array<std::array<unsigned char, kFaceBytes>, 144> faces;

void Record(ScreenCall::Kind kind, int value, bool flag = false) {
    recordedScreenCalls.push_back({kind, value, flag});
}

}  // namespace

void ResetRecordedFaces() {
    for (auto& face : faces) {
        face.fill(LookNormal);
    }
}

std::vector<ScreenCall> RecordedCallsOf(ScreenCall::Kind kind) {
    std::vector<ScreenCall> calls;
    std::copy_if(recordedScreenCalls.begin(), recordedScreenCalls.end(), std::back_inserter(calls),
                 [kind](const ScreenCall& call) { return call.kind == kind; });
    return calls;
}

void PlaySoundEffect(Sound sound, bool noStop) { Record(ScreenCall::Sound, static_cast<int>(sound), noStop); }
unsigned char* FacePixels(int face) {
    return face >= 0 && face < 144 ? faces[static_cast<std::size_t>(face)].data() : nullptr;
}
void DrawTile(int slot) { Record(ScreenCall::Draw, slot); }
void HideTile(int slot) { Record(ScreenCall::Hide, slot); }
void ShowTile(int slot) { Record(ScreenCall::Show, slot); }
void PlaceTiles(TilePlacementKind placement) { Record(ScreenCall::Place, static_cast<int>(placement)); }
void RefreshHistory(bool onlyIfVisible) { Record(ScreenCall::Refresh, 0, onlyIfVisible); }
void ShowSoundChecks(int soundOn) { Record(ScreenCall::SoundChecks, soundOn); }
void StoreSoundSetting(int soundOn) { Record(ScreenCall::StoreSound, soundOn); }
