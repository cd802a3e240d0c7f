// Synthesises the sound effects from their tone tables and writes them as WAV files.
#include "tools/assetgen/sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/assetgen/picture_files.h"

namespace {

// Short enough to keep each sound's attack crisp, long enough that neither
// end is a step a speaker would click on.
constexpr double kFadeInMs = 2.0;
constexpr double kFadeOutMs = 8.0;

// Byte by byte: GCC 12 wrongly warns of an overflow for a four-byte insert.
void PutTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

int Samples(double ms) { return static_cast<int>(std::lround(ms * kSoundRate / 1000.0)); }

double Envelope(const Tone& tone, double t) {
    const double attack = tone.attackMs > 0 ? std::min(1.0, t / tone.attackMs) : 1.0;
    const double decay = tone.decayMs > 0 ? std::exp(-t / tone.decayMs) : 1.0;
    const double left = tone.lengthMs - t;
    const double release = tone.releaseMs > 0 ? std::clamp(left / tone.releaseMs, 0.0, 1.0) : 1.0;
    return attack * decay * release;
}

// Adds one tone into `mix`; the phase follows the glide, so the pitch
// changes smoothly.
void AddTone(const Tone& tone, std::vector<double>& mix) {
    const int first = Samples(tone.startMs);
    const int count = Samples(tone.lengthMs);
    double phase = 0.0;
    for (int i = 0; i < count && first + i < static_cast<int>(mix.size()); ++i) {
        const double t = 1000.0 * i / kSoundRate;
        const double along = count > 1 ? static_cast<double>(i) / (count - 1) : 0.0;
        // A glide that is even in pitch (cents), not in hertz.
        const double hz = tone.startHz * std::pow(tone.endHz / tone.startHz, along);
        double value = std::sin(phase);
        for (size_t k = 0; k < tone.overtones.size(); ++k) value += tone.overtones[k] * std::sin(phase * (k + 2));
        mix[first + i] += tone.level * Envelope(tone, t) * value;
        phase += 2.0 * std::numbers::pi * hz / kSoundRate;
        phase = std::fmod(phase, 2.0 * std::numbers::pi);
    }
}

}  // namespace

const std::vector<SoundDesign>& SoundDesigns() {
    // clang-format off
    static const std::vector<SoundDesign> designs = {
        // A tile selected: a short bright blip that drops a little.
        {"check", 75, 0.55, {
            {0, 75, 1760, 1480, 1.0, 1.5, 22, 10, {0.35, 0.1}}}},
        // A tile let go: lower, rounder and quieter, falling.
        {"cancel", 85, 0.40, {
            {0, 85, 740, 520, 1.0, 4, 30, 15, {0.12}}}},
        // A pair taken: two bell-like notes a major third apart, the second ringing on.
        {"get", 280, 0.60, {
            {0, 150, 1046.5, 1046.5, 0.8, 2, 60, 30, {0.25, 0.08, 0.04}},
            {80, 200, 1318.5, 1318.5, 1.0, 2, 80, 60, {0.25, 0.08, 0.04}}}},
        // Deadlock: three low notes stepping down a minor phrase, the last held.
        {"tezumari", 650, 0.60, {
            {0, 210, 392.0, 392.0, 1.0, 6, 220, 40, {0.0, 0.3, 0.0, 0.12}},
            {200, 210, 311.1, 311.1, 1.0, 6, 220, 40, {0.0, 0.3, 0.0, 0.12}},
            {400, 250, 261.6, 246.9, 1.0, 6, 260, 120, {0.0, 0.3, 0.0, 0.12}}}},
        // Pairs brought back: a sweep that rises and swells, like a sound played backwards.
        {"back", 200, 0.50, {
            {0, 200, 330, 1320, 1.0, 150, 0, 45, {0.2}}}},
    };
    // clang-format on
    return designs;
}

std::vector<int16_t> Synthesise(const SoundDesign& design) {
    std::vector<double> mix(static_cast<size_t>(Samples(design.lengthMs)), 0.0);
    for (const Tone& tone : design.tones) AddTone(tone, mix);
    const int fadeIn = Samples(kFadeInMs), fadeOut = Samples(kFadeOutMs);
    const int n = static_cast<int>(mix.size());
    for (int i = 0; i < n; ++i) {
        const double in = std::min(1.0, static_cast<double>(i) / fadeIn);
        const double out = std::min(1.0, static_cast<double>(n - 1 - i) / fadeOut);
        mix[i] *= in * out;
    }
    double loudest = 0.0;
    for (double v : mix) loudest = std::max(loudest, std::abs(v));
    const double scale = loudest > 0.0 ? design.peak * 32767.0 / loudest : 0.0;
    std::vector<int16_t> samples(mix.size());
    for (size_t i = 0; i < mix.size(); ++i) samples[i] = static_cast<int16_t>(std::lround(mix[i] * scale));
    return samples;
}

std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int rate) {
    constexpr int kChannels = 1, kBits = 16, kBlockAlign = kChannels * kBits / 8;
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * kBlockAlign);
    std::vector<uint8_t> out;
    PutTag(out, "RIFF");
    Put32(out, 4 + (8 + 16) + (8 + dataBytes));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, kChannels);
    Put32(out, static_cast<uint32_t>(rate));
    Put32(out, static_cast<uint32_t>(rate * kBlockAlign));
    Put16(out, kBlockAlign);
    Put16(out, kBits);
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
    // The data is an even number of bytes, so the chunk needs no pad byte.
    return out;
}
