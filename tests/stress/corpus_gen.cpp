// corpus_gen.cpp -- writes the fuzzer's seed corpus: every replay as key bytes, plus banner texts
//
// Usage: corpus_gen <output directory> <replay.keys>... The output is the same on every run.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/stress/fuzz_input.h"
#include "tools/simulation/replay_script.h"

namespace {

struct BannerSeed {
    const char* name;
    const char* text;
};

// Texts the banner shows, and texts it never would: every glyph, characters
// without one, and more than four lines' worth.
constexpr BannerSeed BannerSeeds[] = {
    {"banner_title", "       kestrel forges hazard highway 3d         press m key for menu"},
    {"banner_victory", "       victory... score  73"},
    {"banner_glyphs", "abcdefghijklmnopqrstuvwxyz,. 0123456789"},
    {"banner_uncoded", "Score: 12! \t\x7f\xff ok"},
    {"banner_long",
     "0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789"
     "0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789"
     "0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789"
     "0123456789012345678901234567890123456789"},
};

std::string BaseName(const std::string& path)
{
    const std::string file = path.substr(path.find_last_of("/\\") + 1);
    return file.substr(0, file.rfind('.'));
}

bool WriteSeed(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    return WriteTextFile(path, std::string(bytes.begin(), bytes.end()));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: corpus_gen <output directory> <replay.keys>...\n");
        return 2;
    }
    const std::string directory = argv[1];
    for (int i = 2; i < argc; ++i) {
        std::string text;
        ReplayFrames frames;
        std::string error;
        if (!ReadTextFile(argv[i], &text) || !ParseReplayScript(text, &frames, &error)) {
            std::fprintf(stderr, "corpus_gen: %s: %s\n", argv[i], error.empty() ? "cannot read" : error.c_str());
            return 1;
        }
        if (!WriteSeed(directory + "/replay_" + BaseName(argv[i]), EncodeFuzzFrames(frames))) {
            std::fprintf(stderr, "corpus_gen: cannot write into %s\n", directory.c_str());
            return 1;
        }
    }
    for (const BannerSeed& seed : BannerSeeds) {
        if (!WriteSeed(directory + "/" + seed.name, EncodeFuzzBanner(seed.text))) {
            std::fprintf(stderr, "corpus_gen: cannot write into %s\n", directory.c_str());
            return 1;
        }
    }
    return 0;
}
