// main_loop.cpp -- the browser side of the loop: the key queue, one pass per timer tick, quitting
#include <algorithm>
#include <deque>

#include <emscripten/emscripten.h>

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
        ShowHelpDialog();
        break;
    default:
        break;
    }
}

}  // namespace

PassWatcher passWatcher = nullptr;

void QueueGameKey(int key, bool repeat)
{
    // Windows folds a held key's repeat into its key-down still waiting.
    const bool folded = repeat && std::find(keyQueue.begin(), keyQueue.end(), key) != keyQueue.end();
    if (loopRunning && !folded) {
        keyQueue.push_back(key);
    }
}

void RunPassOnTimer(void* /*unused*/)
{
    const double passStart = emscripten_get_now();
    ReadPadsForThePass();
    const bool keyWaiting = !keyQueue.empty();
    RunLoopPass(TakeQueuedKey);
    if (passWatcher != nullptr) {
        passWatcher(passStart, keyWaiting);
    }
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
