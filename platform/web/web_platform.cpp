// web_platform.cpp -- the frame's platform calls in the browser
#include "game/platform.h"
#include "platform/web/web_shell.h"

int helpOpen = 0;
int focusRestore = 0;

void PlatformPresentFrame()
{
    // The browser shows the canvas once this pass returns to it.
    WebFinishFrame();
    ++framesDrawn;
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
    if (helpOpen != 0 || focusRestore != 1) {
        return;
    }
    WebFocusGame();
    focusRestore = 2;
}

void PlatformFrameSleep()
{
    // No sleeping in a page: the browser's timer starts the next pass.
    ScheduleNextPass();
}
