// platform_win32.cpp -- the frame's operating-system calls on Windows
#include <chrono>
#include <thread>

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
    if (helpOpen != 0 || focusRestore != 1) {
        return;
    }
    SetForegroundWindow(mainWindow);
    SetFocus(mainWindow);
    // One click at (30, 30) so the game window is active for the keyboard again.
    SendMessageW(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, 0x001E001E);
    focusRestore = 2;
}

void PlatformFrameSleep()
{
    // The frame's own time is not subtracted: a frame lasts its work plus 34 ms.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(34);
    while (std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_until(deadline);
    }
}
