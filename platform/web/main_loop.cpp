// main_loop.cpp -- the browser side of the loop: the key queue, one pass per timer tick, quitting
#include <deque>

#include <emscripten/emscripten.h>

#include "game/gamepad.h"
#include "game/platform.h"
#include "platform/web/shell.h"

namespace {

// Key presses waiting for their loop pass, oldest first; one is taken per pass.
std::deque<int> keyQueue;

void TakeQueuedKey()
{
    if (keyQueue.empty()) {
        return;
    }
    const int key = keyQueue.front();
    keyQueue.pop_front();
    switch (PressGameKey(key)) {
    case KeyActionQuit:
        RunQuitSequence();
        break;
    case KeyActionShowHelp:
        WebShowHelp(HelpCaption, UpperHelpText, LowerHelpText);
        helpOpen = 1;
        break;
    default:
        break;
    }
}

}  // namespace

void QueueGameKey(int key, bool repeat)
{
    if (loopRunning && !(repeat && !keyQueue.empty())) {
        keyQueue.push_back(key);
    }
}

void ReadPadsForThePass()
{
    float stickX = 0.0f;
    const unsigned held = WebReadGamepads(&stickX);
    ReadPads(PadReading{held, stickX}, emscripten_get_now(), QueueGameKey);
}

void RunPassOnTimer(void* /*unused*/)
{
    const double passStart = emscripten_get_now();
    ReadPadsForThePass();
    const bool keyWaiting = !keyQueue.empty();
    RunLoopPass(TakeQueuedKey);
    ProbePassDone(passStart, keyWaiting);
}

void ScheduleNextPass()
{
    emscripten_async_call(RunPassOnTimer, nullptr, FramePauseMilliseconds);
}

void RunQuitSequence()
{
    if (!BeginQuitSequence()) {
        return;
    }
    keyQueue.clear();
    PlatformStopMusic();
    WebShowEnded();
}
