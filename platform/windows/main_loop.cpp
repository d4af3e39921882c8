// main_loop.cpp -- the polling message loop and the quit sequence
#include "platform/windows/shell.h"
#include "game/frame.h"
#include "game/key_latch.h"
#include "game/platform.h"

bool loopRunning = true;
int quitRequested = 0;
int quitArmed = 1;

void RunLoopPass(MSG* message, HACCEL accelerators)
{
    InputGate = GateOpen;
    if (PeekMessageW(message, nullptr, 0, 0, PM_REMOVE)) {
        // No dialog keyboard handling: the help dialog's messages go the same way.
        if (TranslateAcceleratorW(message->hwnd, accelerators, message) == 0) {
            TranslateMessage(message);
            DispatchMessageW(message);
        }
    }
    InputGate = GateClosed;
    // The quit sequence may have run inside the dispatch and released the context.
    if (quitRequested == 0) {
        RenderFrame();
    }
}

int RunMainLoop(HACCEL accelerators)
{
    MSG message = {};
    // The loop starts once a first message has arrived; that message is dropped.
    GetMessageW(&message, nullptr, 0, 0);
    while (loopRunning) {
        RunLoopPass(&message, accelerators);
    }
    // The last message retrieved gives the exit code: 27 after Escape.
    return static_cast<int>(static_cast<DWORD>(message.wParam & 0xFFFFFFFFu));
}

void RunQuitSequence(HWND window)
{
    if (quitArmed != 1) {
        return;
    }
    quitArmed = 2;
    loopRunning = false;
    quitRequested = 1;
    SetThreadExecutionState(ES_CONTINUOUS);
    PlatformStopMusic();
    if (helpDialog != nullptr) {
        EndDialog(helpDialog, 0);
    }
    ReleaseDC(window, mainDC);
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(glContext);
    DestroyWindow(window);
}
