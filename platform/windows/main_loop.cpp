// main_loop.cpp -- the Windows loop: one message per pass, the exit code, and the quit sequence's releases
#include "game/main_loop.h"
#include "game/platform.h"
#include "platform/windows/shell.h"

MessagePump messagePump = {nullptr, nullptr};

void RunLoopPass(MSG* message, HACCEL accelerators)
{
    messagePump = MessagePump{message, accelerators};
    RunLoopPass(TakeOneInput);
}

int RunMainLoop(HACCEL accelerators)
{
    MSG message = {};
    // The loop starts once a first message has arrived; that message is dropped.
    GetMessageW(&message, nullptr, 0, 0);
    messagePump = MessagePump{&message, accelerators};
    RunLoop(TakeOneInput);
    // The last message retrieved gives the exit code: 27 after Escape.
    return static_cast<int>(static_cast<DWORD>(message.wParam & 0xFFFFFFFFu));
}

void PlatformQuit(int /*exitCode*/)
{
    if (!BeginQuitSequence()) {
        return;
    }
    SetThreadExecutionState(ES_CONTINUOUS);
    PlatformStopMusic();
    CloseHelp();
    ReleaseDC(mainWindow, mainDC);
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(glContext);
    DestroyWindow(mainWindow);
}
