// soak.cpp -- a million frames of seeded random keys: invariants every frame, steady memory, repeatable runs
//
// Usage: stress_soak <frames per seed>. KESTREL_SOAK_SEED=<n> replays that one seed.
#include <malloc.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "banner/banner_text.h"
#include "game/game_state.h"
#include "game/key_latch.h"
#include "platform/null/gl_recorder.h"
#include "platform/null/platform_recorder.h"
#include "sound/music.h"
#include "tests/stress/invariants.h"
#include "tests/support/frame_script.h"

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's own count of the bytes its allocator has handed out and
// not taken back; g++ ships no header for it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

constexpr std::uint32_t DefaultSeeds[] = {1, 7, 42, 1234, 99991};
// Heap bytes the second half of a seed may add: far below one byte per frame.
constexpr long AllowedGrowth = 1024;

enum Style { Quiet, Drive, Chaos, Pausing };

// A stretch of frames played in one style, like a player's moods.
struct KeyPlan {
    Style style;
    int left;   // frames still to play in this style
    int frame;  // frames already played in it
};

void PickStyle(std::mt19937& rng, KeyPlan* plan)
{
    std::discrete_distribution<int> style({2, 5, 1, 2});
    plan->style = static_cast<Style>(style(rng));
    const int longest = plan->style == Drive ? 400 : 120;
    plan->left = std::uniform_int_distribution<int>(1, longest)(rng);
    plan->frame = 0;
}

std::string NextKeys(std::mt19937& rng, KeyPlan* plan)
{
    if (plan->left == 0) {
        PickStyle(rng, plan);
    }
    --plan->left;
    const bool first = plan->frame++ == 0;
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    std::string keys;
    switch (plan->style) {
    case Quiet:
        break;
    case Drive:
        // Into the play view and off: Enter then Up, then steering.
        if (first || chance(rng) < 0.02) {
            keys += "EU";
        }
        if (chance(rng) < 0.25) {
            keys += 'L';
        } else if (chance(rng) < 0.33) {
            keys += 'R';
        }
        break;
    case Chaos:
        for (const char key : std::string("ELURPX")) {
            if (chance(rng) < 0.15) {
                keys += key;
            }
        }
        break;
    case Pausing:
        if (first || chance(rng) < 0.03) {
            keys += 'P';
        }
        if (chance(rng) < 0.03) {
            keys += 'X';
        }
        if (chance(rng) < 0.02) {
            keys += 'E';
        }
        break;
    }
    return keys;
}

struct Fnv {
    std::uint64_t hash;
};

void Mix(Fnv* fnv, const void* data, std::size_t size)
{
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        fnv->hash = (fnv->hash ^ bytes[i]) * 1099511628211ull;
    }
}

void MixState(Fnv* fnv)
{
    const std::string line = TraceLine();
    Mix(fnv, line.data(), line.size());
    Mix(fnv, bannerText.data(), bannerText.size());
    const int extra[] = {InputGate, SoundState, soundHoldFrames};
    Mix(fnv, extra, sizeof extra);
}

// Bytes in use on the heap. Under AddressSanitizer glibc's counters see none
// of the program's blocks: the sanitizer's allocator keeps them.
long HeapInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long>(__sanitizer_get_current_allocated_bytes());
#else
    return static_cast<long>(mallinfo2().uordblks);
#endif
}

struct SeedResult {
    bool passed;
    std::uint64_t hash;            // of the state after the last frame
    std::uint64_t checkpointHash;  // the same, as it stood after the checkpoint frame
};

// Plays frames of this seed's keys; checkpoint (1..frames) is the frame count
// after which checkpointHash is taken.
SeedResult RunSeed(std::uint32_t seed, long frames, long checkpoint)
{
    std::mt19937 rng(seed);
    KeyPlan plan = {Quiet, 0, 0};
    StartFresh();
    glRecord.keepCalls = false;
    InvariantWatch watch = FreshWatch();
    Fnv fnv = {14695981039346656037ull};
    long heapAtHalf = 0;
    std::uint64_t checkpointHash = 0;
    long runs = 0;
    int bestScore = 0;
    for (long frame = 0; frame < frames; ++frame) {
        if (frame == frames / 2) {
            heapAtHalf = HeapInUse();
        }
        const std::string keys = NextKeys(rng, &plan);
        const int wasRunning = GameState.runActive;
        Frame(keys);
        const std::string broken = CheckFrame(&watch, keys);
        if (!broken.empty()) {
            std::printf("seed %u frame %ld (keys \"%s\"): %s\n  %s\n", seed, frame, keys.c_str(), broken.c_str(),
                        TraceLine().c_str());
            return {false, 0, 0};
        }
        runs += wasRunning == 0 && GameState.runActive == 1 ? 1 : 0;
        bestScore = GameState.score > bestScore ? GameState.score : bestScore;
        if (frame % 64 == 0) {
            MixState(&fnv);
        }
        if (frame + 1 == checkpoint) {
            Fnv atCheckpoint = fnv;
            MixState(&atCheckpoint);
            checkpointHash = atCheckpoint.hash;
        }
    }
    MixState(&fnv);
    const long growth = HeapInUse() - heapAtHalf;
    std::printf("seed %u: %ld frames, %ld runs, best score %d, heap growth %ld bytes, state hash %016llx\n", seed,
                frames, runs, bestScore, growth, static_cast<unsigned long long>(fnv.hash));
    // Keys never include S: the tune is started once and never stopped.
    const bool steady = growth <= AllowedGrowth && platformRecord.music.size() == 1 && platformRecord.tail.size() == 3;
    if (!steady) {
        std::printf("seed %u: not steady (heap growth %ld, music calls %zu)\n", seed, growth,
                    platformRecord.music.size());
    }
    if (runs == 0) {
        std::printf("seed %u: no run was ever started\n", seed);
    }
    return {steady && runs > 0, fnv.hash, checkpointHash};
}

}  // namespace

int main(int argc, char** argv)
{
    const long frames = argc == 2 ? std::atol(argv[1]) : 0;
    if (frames <= 0) {
        std::fprintf(stderr, "usage: stress_soak <frames per seed>\n");
        return 2;
    }
    std::vector<std::uint32_t> seeds(std::begin(DefaultSeeds), std::end(DefaultSeeds));
    if (const char* only = std::getenv("KESTREL_SOAK_SEED")) {
        seeds = {static_cast<std::uint32_t>(std::strtoul(only, nullptr, 10))};
    }
    const auto start = std::chrono::steady_clock::now();
    // The first seed is played a second time, up to a fifth of its frames: the
    // same keys must lead to the same state as on the first pass.
    const long checkpoint = frames / 5 > 0 ? frames / 5 : 1;
    bool passed = true;
    std::uint64_t firstCheckpointHash = 0;
    for (const std::uint32_t seed : seeds) {
        std::printf("seed %u ...\n", seed);
        std::fflush(stdout);
        const SeedResult result = RunSeed(seed, frames, checkpoint);
        passed = passed && result.passed;
        firstCheckpointHash = seed == seeds.front() ? result.checkpointHash : firstCheckpointHash;
    }
    std::printf("seed %u again, %ld frames ...\n", seeds.front(), checkpoint);
    const SeedResult again = RunSeed(seeds.front(), checkpoint, checkpoint);
    if (again.hash != firstCheckpointHash) {
        std::printf("seed %u: state hash %016llx after %ld frames differs from the first pass's %016llx\n",
                    seeds.front(), static_cast<unsigned long long>(again.hash), checkpoint,
                    static_cast<unsigned long long>(firstCheckpointHash));
        passed = false;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s: %zu seeds x %ld frames and a repeat of %ld in %.1f s\n", passed ? "passed" : "FAILED",
                seeds.size(), frames, checkpoint, seconds);
    return passed ? 0 : 1;
}
