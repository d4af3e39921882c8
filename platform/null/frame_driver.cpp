// frame_driver.cpp -- plays the game frame by frame without a window: keys in, state out
#include "platform/null/frame_driver.h"

#include <cstdio>
#include <cstdlib>

#include "banner/banner_text.h"
#include "game/frame.h"
#include "game/gamepad.h"
#include "game/game_state.h"
#include "game/help_state.h"
#include "game/main_loop.h"
#include "game/random_source.h"
#include "game/key_latch.h"
#include "game/key_queue.h"
#include "game/key_table.h"
#include "render/scene_composition.h"
#include "render/scene_setup.h"
#include "sound/music.h"
#include "platform/null/gl_recorder.h"
#include "platform/null/platform_recorder.h"

void StartFresh()
{
    ResetGameState();
    ResetKeyLatch();
    ResetKeyQueue();
    ResetLoop();
    ResetHelpState();
    ResetPads();
    ResetMusic();
    ResetBannerText();
    ResetSceneComposition();
    ResetSceneSetup();
    // The null shell's start-up: a rendering context ready for the first frame.
    glStage = 3;
    // An unseeded runtime behaves as if seeded with 1.
    SeedRandom(1);
    ResetGlRecord();
    ResetPlatformRecord();
}

namespace {

struct FrameKey {
    char letter;
    int key;
};

constexpr FrameKey FrameKeys[] = {
    {'E', GameKeyEnter}, {'L', GameKeyLeft}, {'U', GameKeyUp}, {'R', GameKeyRight}, {'D', GameKeyDown},
    {'M', GameKeyM},     {'P', GameKeyP},    {'X', GameKeyR},  {'S', GameKeyS},
};

}  // namespace

char FrameKeyLetter(int key)
{
    for (const FrameKey& frameKey : FrameKeys) {
        if (frameKey.key == key) {
            return frameKey.letter;
        }
    }
    return '\0';
}

void Frame(const std::string& keys)
{
    // Each key reaches the key table in a pass of its own, as the loop delivers it.
    for (const char letter : keys) {
        int key = GameKeyNone;
        for (const FrameKey& frameKey : FrameKeys) {
            if (frameKey.letter == letter) {
                key = frameKey.key;
            }
        }
        if (key == GameKeyNone) {
            std::abort();
        }
        InputGate = GateOpen;
        // This shell shows no help, as playback shows none: M's request is let go.
        const int action = PressGameKey(key);
        const bool expected = action == KeyActionNone || (key == GameKeyM && action == KeyActionShowHelp);
        if (!expected || InputGate != GateClosed) {
            std::fprintf(stderr, "key %c: the key table did not take it through the open gate\n", letter);
            std::abort();
        }
    }
    InputGate = GateClosed;
    RenderFrame();
}

void Frames(int count)
{
    for (int i = 0; i < count; ++i) {
        Frame();
    }
}

std::string TraceLine()
{
    const GameStateRecord& s = GameState;
    char line[512];
    int used = std::snprintf(line, sizeof line,
                             "view=%d pause=%d pf=%d run=%d over=%d score=%d timer=%d kind=%d carX=%.9g heading=%.9g",
                             s.viewMode, s.pauseState, s.pauseFrames, s.runActive, s.gameOver, s.score,
                             s.waveTimer, s.waveKind, static_cast<double>(s.carX),
                             static_cast<double>(s.headingDeg));
    for (const ObstacleRow& row : s.rows) {
        used += std::snprintf(line + used, sizeof line - static_cast<size_t>(used), " %.9g/%d/%.9g",
                              static_cast<double>(row.y), row.hidden, static_cast<double>(row.x));
    }
    return line;
}
