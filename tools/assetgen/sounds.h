// The game's five sound effects: a small additive synthesiser and a WAV writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Every sound is mono 16-bit PCM at this rate.
constexpr int kSoundRate = 22050;

// One tone of a sound: a pitch that glides from `startHz` to `endHz`, with
// overtones at whole multiples, shaped by a linear attack, an exponential
// decay and a linear release that reaches silence at the tone's end.
struct Tone {
    double startMs;
    double lengthMs;
    double startHz;
    double endHz;
    double level;
    double attackMs;
    double decayMs;  // time constant of the decay; 0 holds the level
    double releaseMs;
    std::vector<double> overtones;  // levels of partials 2, 3, ... relative to the fundamental
};

struct SoundDesign {
    std::string name;  // the name the game plays it by
    double lengthMs;
    double peak;  // the loudest sample, as a fraction of full scale
    std::vector<Tone> tones;
};

// The five sounds, in the order the game's sound table lists them.
const std::vector<SoundDesign>& SoundDesigns();

// The samples of a sound: the tones summed, faded in and out over a few
// milliseconds so it starts and ends at silence, scaled to its peak.
std::vector<int16_t> Synthesise(const SoundDesign& design);

// A RIFF/WAVE file: a 16-byte PCM "fmt " chunk and a "data" chunk, mono, 16 bits.
std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int rate);
