// corpus_gen.cpp -- writes the fuzzer's seed corpus: every replay as key bytes, plus banner texts
//
// A replay that presses at most one key a frame is also written as a run record
// and as a run link, frame N being pass N.
//
// Usage: corpus_gen <output directory> <replay.keys>... The output is the same on every run.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "game/run_record.h"
#include "platform/null/frame_driver.h"
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
        RunRecord record{{}, 0};
        const std::string name = BaseName(argv[i]);
        const bool recorded = ReplayAsRecord(frames, &record);
        const std::string path = directory + "/";
        if (!WriteSeed(path + "replay_" + name, EncodeFuzzFrames(frames)) ||
            (recorded && !WriteSeed(path + "record_" + name, EncodeFuzzText(RecordMode, FormatRunRecord(record)))) ||
            (recorded && !WriteSeed(path + "link_" + name, EncodeFuzzText(LinkMode, EncodeRunLink(record))))) {
            std::fprintf(stderr, "corpus_gen: cannot write into %s\n", directory.c_str());
            return 1;
        }
    }
    for (const BannerSeed& seed : BannerSeeds) {
        if (!WriteSeed(directory + "/" + seed.name, EncodeFuzzText(BannerMode, seed.text))) {
            std::fprintf(stderr, "corpus_gen: cannot write into %s\n", directory.c_str());
            return 1;
        }
    }
    return 0;
}
