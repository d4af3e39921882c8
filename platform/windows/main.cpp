// main.cpp -- the Windows game's entry point
//
// Platform: 64-bit Windows. Libraries: Win32 (user32, kernel32, gdi32), OpenGL
// 1.1 through WGL, winmm's PlaySoundW for the tune, the C runtime's rand().
// This is the reference every other shell follows: a modeless "MENU" dialog
// behind which the game runs on, one message per loop pass after a first
// message that is dropped, the exit code taken from the last message fetched
// (27 after Escape), and "gamesound.wav" found in the folder the game starts in.
#include "platform/windows/shell.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand)
{
    HACCEL accelerators = nullptr;
    if (!StartUp(instance, showCommand, &accelerators)) {
        // No window, no game: whoever started us must not read that as success.
        return 1;
    }
    return RunMainLoop(accelerators);
}
