// probe.cpp -- what the browser tests and the bench read of the running game, apart from the game itself
#include <emscripten/emscripten.h>

#include "game/game_state.h"
#include "platform/web/shell.h"

namespace {

int framesDrawn = 0;     // frames drawn since the page loaded
int keysTaken = 0;       // keys the loop has taken from its queue, one a pass at most
int runStartFrame = -1;  // frame in which the latest run began
int runEndFrame = -1;    // frame in which the latest run ended
int lastRunActive = 0;

}  // namespace

void ProbePassDone(double passStart, bool keyWaiting)
{
    keysTaken += keyWaiting ? 1 : 0;
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
