// platform.cpp -- the frame's operating-system calls on Windows
#include "platform/windows/shell.h"
#include "game/platform.h"

#include <mmsystem.h>

void PlatformPresentFrame()
{
    SwapBuffers(mainDC);
}

void PlatformStartMusic()
{
    // A bare name: the sound system finds the tune in the current folder.
    PlaySoundW(L"gamesound.wav", nullptr, SND_FILENAME | SND_LOOP | SND_ASYNC);
}

void PlatformStopMusic()
{
    PlaySoundW(nullptr, nullptr, SND_PURGE);
}

void PlatformRestoreFocus()
{
    if (!TakeFocusRestore()) {
        return;
    }
    SetForegroundWindow(mainWindow);
    SetFocus(mainWindow);
    // One click at (30, 30) so the game window is active for the keyboard again.
    SendMessageW(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, 0x001E001E);
}

void PlatformFrameSleep()
{
    SleepOneFramePause();
}
