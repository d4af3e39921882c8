// main_loop.cpp -- the browser loop: one pass per timer tick, quitting
#include <emscripten/emscripten.h>

#include "game/platform.h"
#include "platform/web/shell.h"

void RunMainLoop()
{
    // No first message to wait for and drop: the first pass runs at once.
    emscripten_async_call(RunPassOnTimer, nullptr, 0);
}

void RunPassOnTimer(void* /*unused*/)
{
    const double passStart = emscripten_get_now();
    RunLoopPass(TakeOneInput);
    WatchRecord();
    if (web.passWatcher != nullptr) {
        web.passWatcher(passStart, web.inputTaken);
    }
}

void ScheduleNextPass()
{
    emscripten_async_call(RunPassOnTimer, nullptr, FramePauseMilliseconds);
}

void PlatformQuit(int /*exitCode*/)
{
    if (!BeginQuitSequence()) {
        return;
    }
    PlatformStopMusic();
    WebShowEnded();
}
