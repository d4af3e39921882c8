// tune_gen.cpp -- composes the looping background tune as a score and synthesises it into gamesound.wav
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// All synthesis is integer arithmetic (fixed-point phases, Q15 levels), so the
// bytes are identical whichever compiler, libm or CPU regenerates the file.

namespace {

constexpr int SampleRate = 22050;
constexpr int BeatsPerMinute = 150;
constexpr int StepsPerBeat = 4;
constexpr int StepsPerBar = 16;
constexpr int StepSamples = SampleRate * 60 / (BeatsPerMinute * StepsPerBeat);
static_assert(SampleRate * 60 % (BeatsPerMinute * StepsPerBeat) == 0,
              "a sixteenth must be a whole number of samples so bars line up exactly");
constexpr int BarSamples = StepSamples * StepsPerBar;

constexpr int TableBits = 12;
constexpr int TableSize = 1 << TableBits;
constexpr int64_t Unity = 32768;        // Q15 one
constexpr int64_t PeakTarget = 29204;   // -1 dBFS of 32767

int MsToSamples(int ms) { return SampleRate * ms / 1000; }

// ---------------------------------------------------------------- the score
// G major, 150 BPM, 16 bars: A (the hook, stated then answered) and
// B (a syncopated climb that turns on D back into the hook).
// Notes are name+octave:length in sixteenths, "-" is a rest; one bar per line.
const std::vector<std::string> LeadBars = {
    "D5:2 G5:2 B5:2 D6:4 B5:2 C6:2 D6:2",
    "E6:4 D6:2 B5:2 G5:4 B5:2 A5:2",
    "G5:2 E5:2 G5:2 C6:4 B5:2 A5:2 G5:2",
    "A5:4 B5:2 A5:2 F#5:4 D5:4",
    "D5:2 G5:2 B5:2 D6:4 B5:2 C6:2 D6:2",
    "G6:4 F#6:2 E6:2 D6:4 B5:2 G5:2",
    "E6:2 D6:2 C6:2 G5:2 F#5:2 A5:2 D6:2 C6:2",
    "B5:6 A5:2 G5:8",
    "E5:2 G5:2 C6:3 B5:3 C6:2 E6:4",
    "D6:2 C6:2 A5:3 F#5:3 A5:2 D6:4",
    "D6:2 B5:2 F#5:3 B5:3 D6:2 F#6:4",
    "E6:6 D6:2 B5:4 G5:4",
    "E5:2 G5:2 C6:3 B5:3 C6:2 G6:4",
    "F#6:2 E6:2 D6:3 A5:3 D6:2 F#6:4",
    "G6:4 E6:2 C6:2 A5:4 C6:2 E6:2",
    "D6:4 F#6:2 E6:2 D6:2 C6:2 A5:2 F#5:2",
};

// Harmony, one bar per entry, chord:length in sixteenths.
const std::vector<std::string> ChordBars = {
    "G:16", "Em:16", "C:16", "D:16", "G:16", "Em:16", "C:8 D:8", "G:16",
    "C:16", "D:16",  "Bm:16", "Em:16", "C:16", "D:16", "Am7:16", "D:16",
};

struct Chord {
    std::string name;
    std::string bassRoot;
    std::vector<std::string> arpTones;  // voiced close together so the arpeggio glides between chords
};

const std::vector<Chord> Chords = {
    {"G", "G2", {"G3", "B3", "D4", "G4"}},
    {"Em", "E2", {"G3", "B3", "E4", "G4"}},
    {"C", "C3", {"G3", "C4", "E4", "G4"}},
    {"D", "D3", {"A3", "D4", "F#4", "A4"}},
    {"Bm", "B2", {"B3", "D4", "F#4", "B4"}},
    {"Am7", "A2", {"A3", "C4", "E4", "G4"}},
};

// Bass plays eighths, bouncing between the root and its octave.
const std::vector<int> BassOffsets = {0, 12, 0, 12, 0, 12, 7, 12};
// Arpeggio plays sixteenths through the chord's tones.
const std::vector<int> ArpOrder = {0, 1, 2, 3, 2, 1, 2, 3};
// The arpeggio joins at bar 5, so the hook is first heard bare.
constexpr int ArpFirstBar = 4;

// Drums, one character per sixteenth: X loud, x soft, o open hat, - nothing.
struct DrumBar {
    std::string kick;
    std::string snare;
    std::string hat;
};

const DrumBar Groove = {
    "X---X---X---X---",
    "----X-------X---",
    "x-X-x-X-x-X-x-X-",
};
const DrumBar Fill = {
    "X---X---X---X-X-",
    "----X-----X-xxXX",
    "x-X-x-X-x-o-----",
};
// Fills close each eight-bar half.
bool IsFillBar(int bar) { return bar % 8 == 7; }

// ---------------------------------------------------------------- mixing levels (percent)
constexpr int LeadGain = 44;
constexpr int LeadEchoPercent = 28;
constexpr int LeadEchoSteps = 3;  // a dotted eighth behind the lead
constexpr int ArpGain = 16;
constexpr int BassGain = 36;
constexpr int KickGain = 50;
constexpr int SnareGain = 40;
constexpr int HatGain = 16;

// ---------------------------------------------------------------- fixed-point oscillators

[[noreturn]] void Fail(const std::string& message)
{
    std::cerr << "tune_gen: " << message << "\n";
    std::exit(1);
}

// Rounds numerator/denominator to nearest, halves away from zero; denominator > 0.
int64_t RoundedDivide(int64_t numerator, int64_t denominator)
{
    if (numerator >= 0) {
        return (numerator + denominator / 2) / denominator;
    }
    return -((-numerator + denominator / 2) / denominator);
}

// Full-cycle sine in Q15, built from a fixed-point Taylor series on the first
// quarter and mirrored, so no platform sine is involved.
std::vector<int32_t> BuildSineTable()
{
    constexpr int64_t One = int64_t{1} << 28;
    constexpr int64_t TwoPi = 1686629713;  // 2*pi in Q28
    std::vector<int32_t> quarter(TableSize / 4 + 1);
    for (int i = 0; i <= TableSize / 4; ++i) {
        const int64_t x = TwoPi * i / TableSize;
        const int64_t xSquared = x * x / One;
        int64_t term = x;
        int64_t sum = x;
        for (int n = 1; n <= 8; ++n) {
            term = -(term * xSquared / One) / ((2 * n) * (2 * n + 1));
            sum += term;
        }
        quarter[i] = static_cast<int32_t>(RoundedDivide(sum * 32767, One));
    }
    std::vector<int32_t> table(TableSize);
    for (int i = 0; i < TableSize; ++i) {
        const int inHalf = i % (TableSize / 2);
        const int mirrored = inHalf <= TableSize / 4 ? inHalf : TableSize / 2 - inHalf;
        table[i] = i < TableSize / 2 ? quarter[mirrored] : -quarter[mirrored];
    }
    return table;
}

const std::vector<int32_t>& SineTable()
{
    static const std::vector<int32_t> table = BuildSineTable();
    return table;
}

// Reads a single-cycle table at a 32-bit phase with linear interpolation.
int64_t Lookup(const std::vector<int32_t>& table, uint32_t phase)
{
    const uint32_t index = phase >> (32 - TableBits);
    const int64_t fraction = (phase >> (16 - TableBits)) & 0xFFFF;
    const int64_t a = table[index];
    const int64_t b = table[(index + 1) & (TableSize - 1)];
    return a + (b - a) * fraction / 65536;
}

uint32_t IncrementForMilliHertz(int64_t milliHertz)
{
    return static_cast<uint32_t>(RoundedDivide(milliHertz << 32, int64_t{SampleRate} * 1000));
}

// Equal-tempered pitches of octave 7 (A4 = 440 Hz) in millihertz.
constexpr int64_t TopOctaveMilliHertz[12] = {
    2093005, 2217461, 2349318, 2489016, 2637020, 2793826,
    2959955, 3135963, 3322438, 3520000, 3729310, 3951066,
};

int64_t NoteMilliHertz(int midi)
{
    const int octave = midi / 12 - 1;
    if (octave < 0 || octave > 7) {
        Fail("note out of range: " + std::to_string(midi));
    }
    return TopOctaveMilliHertz[midi % 12] >> (7 - octave);
}

uint32_t NoteIncrement(int midi) { return IncrementForMilliHertz(NoteMilliHertz(midi)); }

// Parses names such as "F#5" or "Bb3" into MIDI numbers (C4 = 60).
int NoteNumber(const std::string& name)
{
    static const std::map<char, int> letters = {
        {'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11},
    };
    const auto letter = name.empty() ? letters.end() : letters.find(name[0]);
    if (letter == letters.end()) {
        Fail("bad note name: " + name);
    }
    size_t pos = 1;
    int semitone = letter->second;
    if (pos < name.size() && (name[pos] == '#' || name[pos] == 'b')) {
        semitone += name[pos] == '#' ? 1 : -1;
        ++pos;
    }
    if (pos + 1 != name.size() || name[pos] < '0' || name[pos] > '9') {
        Fail("bad note name: " + name);
    }
    return (name[pos] - '0' + 1) * 12 + semitone;
}

enum class Timbre { Pulse, Square, Triangle };

// One band-limited cycle of the timbre at this pitch: harmonics stop below
// the cutoff so high notes stay free of aliasing at 22 kHz.
std::vector<int32_t> BuildWave(Timbre timbre, int midi, int64_t cutoffMilliHertz)
{
    const std::vector<int32_t>& sine = SineTable();
    const int64_t fundamental = NoteMilliHertz(midi);
    const int64_t highest = cutoffMilliHertz / fundamental > 1 ? cutoffMilliHertz / fundamental : 1;
    std::vector<int64_t> amplitude(highest + 1, 0);
    for (int64_t k = 1; k <= highest; ++k) {
        switch (timbre) {
        case Timbre::Pulse:  // quarter duty cycle: reedy chiptune lead
            amplitude[k] = sine[(k * TableSize / 8) % TableSize] * int64_t{1024} / k;
            break;
        case Timbre::Square:
            amplitude[k] = k % 2 == 1 ? Unity * 1024 / k : 0;
            break;
        case Timbre::Triangle:
            amplitude[k] = k % 2 == 1 ? (k % 4 == 1 ? 1 : -1) * Unity * 1024 / (k * k) : 0;
            break;
        }
    }
    std::vector<int64_t> cycle(TableSize, 0);
    int64_t peak = 1;
    for (int j = 0; j < TableSize; ++j) {
        for (int64_t k = 1; k <= highest; ++k) {
            cycle[j] += amplitude[k] * sine[(k * j) % TableSize];
        }
        peak = std::max(peak, cycle[j] < 0 ? -cycle[j] : cycle[j]);
    }
    std::vector<int32_t> wave(TableSize);
    for (int j = 0; j < TableSize; ++j) {
        wave[j] = static_cast<int32_t>(RoundedDivide(cycle[j] * 32767, peak));
    }
    return wave;
}

const std::vector<int32_t>& Wave(Timbre timbre, int midi)
{
    static std::map<std::pair<Timbre, int>, std::vector<int32_t>> cache;
    const auto key = std::make_pair(timbre, midi);
    auto found = cache.find(key);
    if (found == cache.end()) {
        const int64_t cutoff = timbre == Timbre::Pulse ? 7500000 : timbre == Timbre::Square ? 5000000 : 4000000;
        found = cache.emplace(key, BuildWave(timbre, midi, cutoff)).first;
    }
    return found->second;
}

// ---------------------------------------------------------------- voices

struct Envelope {
    int attack;
    int decay;
    int64_t sustain;  // Q15
    int release;
};

int64_t HeldLevel(const Envelope& envelope, int t)
{
    if (t < envelope.attack) {
        return Unity * t / envelope.attack;
    }
    t -= envelope.attack;
    if (t < envelope.decay) {
        return Unity - (Unity - envelope.sustain) * t / envelope.decay;
    }
    return envelope.sustain;
}

int64_t Level(const Envelope& envelope, int t, int gate)
{
    if (t < gate) {
        return HeldLevel(envelope, t);
    }
    const int intoRelease = t - gate;
    return HeldLevel(envelope, gate) * (envelope.release - intoRelease) / envelope.release;
}

// The loop buffer: anything rendered past the end wraps onto the start, so
// release tails and echoes of the last bar sound under the first one and the
// loop point is seamless.
struct Loop {
    std::vector<int64_t> samples;
    void Add(int64_t position, int64_t value)
    {
        samples[static_cast<size_t>(position % static_cast<int64_t>(samples.size()))] += value;
    }
};

struct Note {
    int start;
    int length;
    int midi;
};

void RenderNote(Loop& out, const Note& note, Timbre timbre, const Envelope& envelope, int gate, int gain,
                bool vibrato)
{
    const std::vector<int32_t>& wave = Wave(timbre, note.midi);
    const std::vector<int32_t>& sine = SineTable();
    const uint32_t increment = NoteIncrement(note.midi);
    const uint32_t vibratoIncrement = IncrementForMilliHertz(5500);
    const int vibratoDelay = MsToSamples(150);
    const int vibratoRamp = MsToSamples(250);
    uint32_t phase = 0;
    uint32_t vibratoPhase = 0;
    for (int t = 0; t < gate + envelope.release; ++t) {
        const int64_t sample = Lookup(wave, phase) * Level(envelope, t, gate) / Unity * gain / 100;
        out.Add(int64_t{note.start} + t, sample);
        int64_t step = increment;
        if (vibrato && t > vibratoDelay) {
            // Long notes waver by about a twelfth of a semitone.
            const int64_t depth = t > vibratoDelay + vibratoRamp ? Unity : Unity * (t - vibratoDelay) / vibratoRamp;
            step += step * Lookup(sine, vibratoPhase) / Unity * depth / Unity * 5 / 1000;
            vibratoPhase += vibratoIncrement;
        }
        phase += static_cast<uint32_t>(step);
    }
}

uint32_t NextNoise(uint32_t& state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

int64_t NoiseSample(uint32_t& state) { return static_cast<int64_t>(NextNoise(state) >> 16) - 32768; }

// (remaining/length)^power in Q15: the drums' quick, rounded decay.
int64_t Decay(int t, int length, int power)
{
    const int64_t linear = Unity * (length - t) / length;
    int64_t level = Unity;
    for (int i = 0; i < power; ++i) {
        level = level * linear / Unity;
    }
    return level;
}

void RenderKick(Loop& out, int start, int gain)
{
    const int length = MsToSamples(220);
    const int drop = MsToSamples(50);
    const int64_t high = IncrementForMilliHertz(165000);
    const int64_t low = IncrementForMilliHertz(50000);
    uint32_t phase = 0;
    for (int t = 0; t < length; ++t) {
        out.Add(int64_t{start} + t, Lookup(SineTable(), phase) * Decay(t, length, 2) / Unity * gain / 100);
        const int64_t sweep = t < drop ? Decay(t, drop, 2) : 0;
        phase += static_cast<uint32_t>(low + (high - low) * sweep / Unity);
    }
}

void RenderSnare(Loop& out, int start, int gain, uint32_t seed)
{
    const int length = MsToSamples(150);
    const int bodyLength = MsToSamples(60);
    const uint32_t bodyIncrement = IncrementForMilliHertz(185000);
    uint32_t noise = seed;
    uint32_t phase = 0;
    int64_t smoothed = 0;
    for (int t = 0; t < length; ++t) {
        // A gentle low-pass takes the fizz off the rattle.
        smoothed += (NoiseSample(noise) - smoothed) / 2;
        int64_t sample = smoothed * Decay(t, length, 3) / Unity;
        if (t < bodyLength) {
            sample += Lookup(SineTable(), phase) * Decay(t, bodyLength, 2) / Unity;
        }
        out.Add(int64_t{start} + t, sample * gain / 100);
        phase += bodyIncrement;
    }
}

void RenderHat(Loop& out, int start, int gain, bool open, uint32_t seed)
{
    const int length = MsToSamples(open ? 140 : 35);
    uint32_t noise = seed;
    int64_t previous = 0;
    for (int t = 0; t < length; ++t) {
        // Differencing the noise keeps only its hiss.
        const int64_t current = NoiseSample(noise);
        out.Add(int64_t{start} + t, (current - previous) / 2 * Decay(t, length, 2) / Unity * gain / 100);
        previous = current;
    }
}

// ---------------------------------------------------------------- reading the score

std::vector<std::pair<std::string, int>> ParseBar(const std::string& bar)
{
    std::vector<std::pair<std::string, int>> tokens;
    std::istringstream words(bar);
    std::string word;
    int total = 0;
    while (words >> word) {
        const size_t colon = word.find(':');
        if (colon == std::string::npos || colon + 1 == word.size()) {
            Fail("bad score entry: " + word);
        }
        const int length = std::atoi(word.c_str() + colon + 1);
        if (length <= 0) {
            Fail("bad length in: " + word);
        }
        tokens.emplace_back(word.substr(0, colon), length);
        total += length;
    }
    if (total != StepsPerBar) {
        Fail("bar does not fill 16 sixteenths: " + bar);
    }
    return tokens;
}

std::vector<Note> LeadNotes()
{
    std::vector<Note> notes;
    for (size_t bar = 0; bar < LeadBars.size(); ++bar) {
        int step = 0;
        for (const auto& [name, length] : ParseBar(LeadBars[bar])) {
            if (name != "-") {
                notes.push_back({static_cast<int>(bar) * BarSamples + step * StepSamples, length * StepSamples,
                                 NoteNumber(name)});
            }
            step += length;
        }
    }
    return notes;
}

const Chord& FindChord(const std::string& name)
{
    for (const Chord& chord : Chords) {
        if (chord.name == name) {
            return chord;
        }
    }
    Fail("unknown chord: " + name);
}

// The chord sounding on each sixteenth of the tune.
std::vector<const Chord*> ChordPerStep()
{
    std::vector<const Chord*> steps;
    for (const std::string& bar : ChordBars) {
        for (const auto& [name, length] : ParseBar(bar)) {
            steps.insert(steps.end(), static_cast<size_t>(length), &FindChord(name));
        }
    }
    return steps;
}

std::vector<int64_t> Compose()
{
    if (LeadBars.size() != ChordBars.size()) {
        Fail("lead and chords differ in length");
    }
    const int bars = static_cast<int>(LeadBars.size());
    Loop mix{std::vector<int64_t>(static_cast<size_t>(bars) * BarSamples, 0)};
    Loop lead{mix.samples};

    const Envelope leadEnvelope{MsToSamples(5), MsToSamples(100), Unity * 7 / 10, MsToSamples(60)};
    for (const Note& note : LeadNotes()) {
        RenderNote(lead, note, Timbre::Pulse, leadEnvelope, note.length - MsToSamples(20), LeadGain, true);
    }

    const std::vector<const Chord*> chords = ChordPerStep();
    const Envelope bassEnvelope{MsToSamples(3), MsToSamples(100), Unity * 8 / 10, MsToSamples(20)};
    const Envelope arpEnvelope{MsToSamples(2), MsToSamples(120), 0, MsToSamples(20)};
    for (int step = 0; step < static_cast<int>(chords.size()); ++step) {
        const int start = step * StepSamples;
        if (step % 2 == 0) {
            const int offset = BassOffsets[static_cast<size_t>(step / 2) % BassOffsets.size()];
            const Note bass{start, 2 * StepSamples, NoteNumber(chords[step]->bassRoot) + offset};
            RenderNote(mix, bass, Timbre::Triangle, bassEnvelope, bass.length * 8 / 10, BassGain, false);
        }
        if (step / StepsPerBar >= ArpFirstBar) {
            const std::string& tone = chords[step]->arpTones[ArpOrder[static_cast<size_t>(step) % ArpOrder.size()]];
            const Note arp{start, StepSamples, NoteNumber(tone)};
            RenderNote(mix, arp, Timbre::Square, arpEnvelope, StepSamples, ArpGain, false);
        }
    }

    for (int bar = 0; bar < bars; ++bar) {
        const DrumBar& drums = IsFillBar(bar) ? Fill : Groove;
        for (int step = 0; step < StepsPerBar; ++step) {
            const int start = bar * BarSamples + step * StepSamples;
            const uint32_t seed = 0x9E3779B9u ^ static_cast<uint32_t>(bar * StepsPerBar + step + 1);
            const auto accent = [](char hit, int gain) { return hit == 'X' ? gain : gain * 6 / 10; };
            if (drums.kick[step] != '-') {
                RenderKick(mix, start, accent(drums.kick[step], KickGain));
            }
            if (drums.snare[step] != '-') {
                RenderSnare(mix, start, accent(drums.snare[step], SnareGain), seed);
            }
            if (drums.hat[step] != '-') {
                RenderHat(mix, start, accent(drums.hat[step], HatGain), drums.hat[step] == 'o', seed * 2654435761u);
            }
        }
    }

    const int64_t echoDelay = int64_t{LeadEchoSteps} * StepSamples;
    for (size_t i = 0; i < lead.samples.size(); ++i) {
        mix.Add(static_cast<int64_t>(i), lead.samples[i]);
        mix.Add(static_cast<int64_t>(i) + echoDelay, lead.samples[i] * LeadEchoPercent / 100);
    }
    return mix.samples;
}

// Scales the mix so its loudest sample sits at -1 dBFS.
std::vector<int16_t> Normalise(const std::vector<int64_t>& mix)
{
    int64_t peak = 1;
    for (int64_t sample : mix) {
        peak = std::max(peak, sample < 0 ? -sample : sample);
    }
    std::vector<int16_t> pcm(mix.size());
    for (size_t i = 0; i < mix.size(); ++i) {
        pcm[i] = static_cast<int16_t>(RoundedDivide(mix[i] * PeakTarget, peak));
    }
    return pcm;
}

void PutLittleEndian(std::string& bytes, uint32_t value, int width)
{
    for (int i = 0; i < width; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

std::string WaveFile(const std::vector<int16_t>& pcm)
{
    const uint32_t dataBytes = static_cast<uint32_t>(pcm.size() * 2);
    std::string bytes = "RIFF";
    PutLittleEndian(bytes, 36 + dataBytes, 4);
    bytes += "WAVEfmt ";
    PutLittleEndian(bytes, 16, 4);
    PutLittleEndian(bytes, 1, 2);  // PCM
    PutLittleEndian(bytes, 1, 2);  // mono
    PutLittleEndian(bytes, SampleRate, 4);
    PutLittleEndian(bytes, SampleRate * 2, 4);
    PutLittleEndian(bytes, 2, 2);
    PutLittleEndian(bytes, 16, 2);
    bytes += "data";
    PutLittleEndian(bytes, dataBytes, 4);
    for (int16_t sample : pcm) {
        PutLittleEndian(bytes, static_cast<uint16_t>(sample), 2);
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: tune_gen OUTPUT.wav\n";
        return 1;
    }
    const std::string bytes = WaveFile(Normalise(Compose()));
    std::ofstream file(argv[1], std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        std::cerr << "tune_gen: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
