// win_main.cpp -- the program's entry point
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
