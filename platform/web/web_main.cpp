// web_main.cpp -- the browser shell: start-up, key queue, loop passes, quitting
//
// Platform: a web page (WebAssembly built with emscripten). Libraries:
// emscripten's runtime (its timer call) and HTML5 API (keys); WebGL, Web Audio
// and the page's own dialog through web_page.js. Differences from the Windows game: the
// browser's timer runs the loop (a pass, then 34 ms); the help dialog is an
// HTML dialog; browsers block audio until a user gesture, so when the first
// start is blocked the tune begins with the first key press; Escape ends the
// game with a line on the page instead of closing a window.
#include <deque>

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include "game/frame.h"
#include "game/game_state.h"
#include "game/help_text.h"
#include "game/key_latch.h"
#include "game/key_table.h"
#include "platform/web/web_shell.h"
#include "render/scene_setup.h"

bool loopRunning = true;
int framesDrawn = 0;

namespace {

// Key presses waiting for their loop pass, oldest first; one is taken per pass.
std::deque<int> keyQueue;

// What the state probe reports about the last run.
int runStartFrame = -1;  // frame in which the latest run began
int runEndFrame = -1;    // frame in which the latest run ended
int lastRunActive = 0;

EM_BOOL OnKeyDown(int /*eventType*/, const EmscriptenKeyboardEvent* event, void* /*userData*/)
{
    if (event->ctrlKey || event->altKey || event->metaKey) {
        return EM_FALSE;
    }
    // Space means nothing to the game, but must not scroll the page; it still
    // presses the dialog's focused OK button, as on Windows.
    if (event->keyCode == ' ') {
        return helpOpen == 0 ? EM_TRUE : EM_FALSE;
    }
    const int key = GameKeyFromVirtualKey(event->keyCode);
    if (key == GameKeyNone) {
        return EM_FALSE;
    }
    WebUnblockMusic();
    // While the dialog is shown its keys are its own; Enter and Escape must
    // still not close it, so their default actions are suppressed too.
    if (loopRunning && helpOpen == 0) {
        keyQueue.push_back(key);
    }
    return EM_TRUE;
}

// Notes the frames in which runs begin and end, for the state probe.
void NoteRunEdges()
{
    if (lastRunActive == 0 && GameState.runActive == 1) {
        runStartFrame = framesDrawn;
    }
    if (lastRunActive == 1 && GameState.runActive == 0) {
        runEndFrame = framesDrawn;
    }
    lastRunActive = GameState.runActive;
}

void RunQuitSequence()
{
    loopRunning = false;
    keyQueue.clear();
    WebStopMusic();
    WebShowEnded();
}

void HandleKey(int key)
{
    switch (PressGameKey(key)) {
    case KeyActionQuit:
        RunQuitSequence();
        break;
    case KeyActionShowHelp:
        // An M while the dialog is shown has only closed the gate.
        if (helpOpen == 0) {
            WebShowHelp(HelpCaption, UpperHelpText, LowerHelpText);
            helpOpen = 1;
        }
        break;
    default:
        break;
    }
}

void RunLoopPass(void* /*unused*/)
{
    if (!loopRunning) {
        return;
    }
    const double passStart = emscripten_get_now();
    InputGate = GateOpen;
    if (!keyQueue.empty()) {
        const int key = keyQueue.front();
        keyQueue.pop_front();
        HandleKey(key);
    }
    InputGate = GateClosed;
    // Quitting inside the key ends the loop before another frame.
    if (loopRunning) {
        RenderFrame();
        NoteRunEdges();
    }
    WebFrameDone(passStart);
}

}  // namespace

// The next pass, 34 ms after this one's work (the frame sleep).
void ScheduleNextPass()
{
    if (loopRunning) {
        emscripten_async_call(RunLoopPass, nullptr, 34);
    }
}

// The state probe for tests: read-only views of what the game shows.
extern "C" {
EMSCRIPTEN_KEEPALIVE int WebProbeFrames() { return framesDrawn; }
EMSCRIPTEN_KEEPALIVE int WebProbeView() { return GameState.viewMode; }
EMSCRIPTEN_KEEPALIVE int WebProbePause() { return GameState.pauseState; }
EMSCRIPTEN_KEEPALIVE int WebProbeRunStart() { return runStartFrame; }
EMSCRIPTEN_KEEPALIVE int WebProbeRunEnd() { return runEndFrame; }
EMSCRIPTEN_KEEPALIVE int WebProbeScore() { return GameState.score; }
EMSCRIPTEN_KEEPALIVE int WebProbeHelpOpen() { return helpOpen; }
EMSCRIPTEN_KEEPALIVE int WebProbeRunning() { return loopRunning ? 1 : 0; }

// The dialog's OK button: the next frame hands the keyboard back.
EMSCRIPTEN_KEEPALIVE void WebHelpClosed()
{
    helpOpen = 0;
    focusRestore = 1;
}
}

int main()
{
    int width = 0;
    int height = 0;
    if (!WebCreateContext(&width, &height)) {
        return 1;
    }
    SetUpRenderContext(width, height);
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnKeyDown);
    emscripten_async_call(RunLoopPass, nullptr, 0);
    // The runtime stays alive for the timer passes after main returns.
    emscripten_exit_with_live_runtime();
    return 0;
}
