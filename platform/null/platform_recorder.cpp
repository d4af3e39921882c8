// platform_recorder.cpp -- a recording platform: no window, no sound, no sleep
#include "platform/null/platform_recorder.h"

#include "game/help_state.h"
#include "game/main_loop.h"
#include "game/platform.h"

PlatformRecord platformRecord = {0, 0, 0, {}, {}, 0, 0, 0};

void ResetPlatformRecord()
{
    platformRecord = PlatformRecord{0, 0, 0, {}, {}, 0, 0, 0};
}

void PlatformPresentFrame()
{
    ++platformRecord.presents;
    platformRecord.tail = {"present"};
}

void PlatformStartMusic() { platformRecord.music.emplace_back("start"); }
void PlatformStopMusic() { platformRecord.music.emplace_back("stop"); }

void PlatformRestoreFocus()
{
    ++platformRecord.focusChecks;
    platformRecord.tail.emplace_back("focus");
}

void PlatformFrameSleep()
{
    ++platformRecord.sleeps;
    platformRecord.tail.emplace_back("sleep");
}

void PlatformQuit(int exitCode)
{
    if (BeginQuitSequence()) {
        ++platformRecord.quits;
        platformRecord.exitCode = exitCode;
    }
}

void PlatformShowHelp()
{
    ++platformRecord.helpShown;
    helpOpen = 1;
}
