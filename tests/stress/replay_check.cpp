// replay_check.cpp -- plays each replay script through the game and checks every frame's invariants
#include <cstddef>
#include <cstdio>
#include <string>

#include "tests/stress/invariants.h"
#include "tests/stress/replay_script.h"
#include "tests/support/frame_script.h"

namespace {

// Plays one script; prints the first broken rule and returns false, or adds its frames to checked.
bool CheckScript(const std::string& path, long* checked)
{
    std::string text;
    ReplayFrames frames;
    std::string error;
    if (!ReadTextFile(path, &text)) {
        std::printf("%s: cannot read\n", path.c_str());
        return false;
    }
    if (!ParseReplayScript(text, &frames, &error)) {
        std::printf("%s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    StartFresh();
    InvariantWatch watch = FreshWatch();
    for (std::size_t frame = 0; frame < frames.size(); ++frame) {
        Frame(frames[frame]);
        const std::string broken = CheckFrame(&watch, frames[frame]);
        if (!broken.empty()) {
            std::printf("%s: frame %zu (keys \"%s\"): %s\n  %s\n", path.c_str(), frame, frames[frame].c_str(),
                        broken.c_str(), TraceLine().c_str());
            return false;
        }
    }
    std::printf("%s: %zu frames, every invariant held; last: %s\n", path.c_str(), frames.size(),
                TraceLine().c_str());
    *checked += static_cast<long>(frames.size());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: replay_check <script.keys>...\n");
        return 2;
    }
    int failed = 0;
    long checked = 0;
    for (int i = 1; i < argc; ++i) {
        if (!CheckScript(argv[i], &checked)) {
            ++failed;
        }
    }
    std::printf("%d of %d scripts passed, %ld frames checked\n", argc - 1 - failed, argc - 1, checked);
    return failed == 0 ? 0 : 1;
}
