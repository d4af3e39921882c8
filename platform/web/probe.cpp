// probe.cpp -- what the browser tests and the bench read of the running game; linked into the test build only
#include <emscripten/emscripten.h>

#include "game/game_state.h"
#include "platform/web/shell.h"

// Bench timing (probe.js): notes a pass begun at passStart (ms, the page
// clock); bench pages first wait until WebGL has drawn it.
extern "C" void WebPassTimed(double passStart);

namespace {

int framesDrawn = 0;     // frames drawn since the page loaded
int keysTaken = 0;       // keys the loop has taken from its queue, one a pass at most
int runStartFrame = -1;  // frame in which the latest run began
int runEndFrame = -1;    // frame in which the latest run ended
int lastRunActive = 0;   // whether a run was on at the end of the last pass

// Counts the frames and the keys taken, and notes where runs begin and end.
void WatchPass(double passStart, bool inputTaken)
{
    keysTaken += inputTaken ? 1 : 0;
    if (quitRequested == 0) {
        ++framesDrawn;
        if (lastRunActive == 0 && GameState.runActive == 1) {
            runStartFrame = framesDrawn;
        }
        if (lastRunActive == 1 && GameState.runActive == 0) {
            runEndFrame = framesDrawn;
        }
        lastRunActive = GameState.runActive;
    }
    WebPassTimed(passStart);
}

// From the page's start, before the first pass.
__attribute__((constructor)) void StartWatching()
{
    web.passWatcher = WatchPass;
}

}  // namespace

// Read-only views of what the game shows, for Module.kestrel (probe.js).
extern "C" {
EMSCRIPTEN_KEEPALIVE int WebProbeFrames() { return framesDrawn; }
EMSCRIPTEN_KEEPALIVE int WebProbeKeysTaken() { return keysTaken; }
EMSCRIPTEN_KEEPALIVE int WebProbeView() { return GameState.viewMode; }
EMSCRIPTEN_KEEPALIVE int WebProbePause() { return GameState.pauseState; }
EMSCRIPTEN_KEEPALIVE int WebProbeRunStart() { return runStartFrame; }
EMSCRIPTEN_KEEPALIVE int WebProbeRunEnd() { return runEndFrame; }
EMSCRIPTEN_KEEPALIVE int WebProbeScore() { return GameState.score; }
EMSCRIPTEN_KEEPALIVE int WebProbeCarX() { return static_cast<int>(GameState.carX * 100.0f); }
EMSCRIPTEN_KEEPALIVE int WebProbeHeading() { return static_cast<int>(GameState.headingDeg); }
EMSCRIPTEN_KEEPALIVE int WebProbeHelpOpen() { return helpOpen; }
EMSCRIPTEN_KEEPALIVE int WebProbeRunning() { return loopRunning ? 1 : 0; }
}
