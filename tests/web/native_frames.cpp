// native_frames.cpp -- the desktop rasterizer's side of the web bench: frame work and pictures through Mesa
//
// Usage: native_frames <width> <height> <picture folder> <frames>
// Plays the title view, then the play view with a run, on an off-screen Mesa
// canvas; prints the wall and processor time of a title and of a play frame
// (each frame ends with glFinish) and writes the still title and play views as PNGs for
// the browser's pictures to be compared with.
//
// Usage: native_frames <width> <height> <picture> --play <run record>
// Plays the record's frames as the simulator does, writes the last as the
// picture and prints its trace line: what a shell playing the record shows.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game/run_record.h"
#include "platform/null/frame_driver.h"
#include "tests/bench/osmesa_platform.h"
#include "tests/support/frame_script.h"

namespace {

// One view's cost: the median wall time of a frame (other builds share this
// machine, and a median keeps their bursts out) and the processor time of a
// frame, every thread of the process counted (Mesa draws on several).
struct ViewCost {
    double wallMs;
    double processorMs;
};

// Plays `frames` frames, the first with the given keys.
ViewCost MeasureFrames(int frames, const char* keysFirst)
{
    std::vector<double> spent;
    const std::clock_t processorStart = std::clock();
    for (int i = 0; i < frames; ++i) {
        const auto start = std::chrono::steady_clock::now();
        Frame(i == 0 ? keysFirst : "");
        const std::chrono::duration<double, std::milli> frame = std::chrono::steady_clock::now() - start;
        spent.push_back(frame.count());
    }
    const double processorMs = 1000.0 * static_cast<double>(std::clock() - processorStart) / CLOCKS_PER_SEC;
    std::sort(spent.begin(), spent.end());
    return ViewCost{spent[spent.size() / 2], processorMs / frames};
}

// The record's frames up to its passes, its last as a picture; 0 when all went well.
int PlayRecord(int width, int height, const std::string& picture, const char* path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    RunRecord record = {{}, 0};
    std::string error;
    if (!file || !ParseRunRecord(text.str(), &record, &error) || record.passes <= 0) {
        std::fprintf(stderr, "native_frames: %s: %s\n", path, file ? error.c_str() : "cannot read");
        return 2;
    }
    OsmesaCanvas canvas{};
    if (!StartOnCanvas(canvas, width, height)) {
        std::fprintf(stderr, "native_frames: no Mesa canvas of %dx%d\n", width, height);
        return 1;
    }
    std::size_t next = 0;
    for (long pass = 0; pass < record.passes; ++pass) {
        std::string keys;
        if (next < record.keys.size() && record.keys[next].pass == pass) {
            keys = FrameKeyLetter(record.keys[next++].key);
        }
        Frame(keys);
    }
    const bool written = WritePng(canvas, picture);
    CloseCanvas(canvas);
    std::printf("%s\n", TraceLine().c_str());
    return written ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 6 && std::string(argv[4]) == "--play") {
        return PlayRecord(std::atoi(argv[1]), std::atoi(argv[2]), argv[3], argv[5]);
    }
    if (argc != 5) {
        std::fprintf(stderr, "usage: native_frames <width> <height> <picture folder> <frames>\n"
                     "       native_frames <width> <height> <picture> --play <run record>\n");
        return 2;
    }
    const int width = std::atoi(argv[1]);
    const int height = std::atoi(argv[2]);
    const std::string folder = argv[3];
    const int frames = std::atoi(argv[4]);
    OsmesaCanvas canvas{};
    if (width <= 0 || height <= 0 || frames <= 0 || !StartOnCanvas(canvas, width, height)) {
        std::fprintf(stderr, "native_frames: no Mesa canvas of %dx%d\n", width, height);
        return 1;
    }
    // Title frames are alike; the first also applies the frustum.
    Frames(3);
    const ViewCost title = MeasureFrames(frames, "");
    const bool titleWritten = WritePng(canvas, folder + "/native-title.png");
    // Enter, then the still road before Up, then a run with rows coming.
    Frame("E");
    Frames(2);
    const bool playWritten = WritePng(canvas, folder + "/native-play.png");
    const ViewCost play = MeasureFrames(frames, "U");
    CloseCanvas(canvas);
    std::printf("{\"title_ms\": %.3f, \"play_ms\": %.3f, \"title_processor_ms\": %.3f, \"play_processor_ms\": %.3f}\n",
                title.wallMs, play.wallMs, title.processorMs, play.processorMs);
    return titleWritten && playWritten ? 0 : 1;
}
