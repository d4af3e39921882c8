// platform.cpp -- the frame's platform calls in the browser
#include "game/platform.h"
#include "platform/web/shell.h"

void PlatformPresentFrame()
{
    // The browser shows the canvas once this pass returns to it.
    WebFinishFrame();
}

void PlatformStartMusic()
{
    WebStartMusic();
}

void PlatformStopMusic()
{
    WebStopMusic();
}

void PlatformRestoreFocus()
{
    if (TakeFocusRestore()) {
        WebFocusGame();
    }
}

void PlatformFrameSleep()
{
    // A page cannot sleep: the browser's timer starts the next pass.
    ScheduleNextPass();
}
