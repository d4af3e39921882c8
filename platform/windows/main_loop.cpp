// main_loop.cpp -- the Windows side of the loop: one message per pass, the exit code, and the quit sequence's releases
#include "platform/windows/shell.h"
#include "game/main_loop.h"
#include "game/platform.h"

namespace {

// The loop's message record, which every retrieval overwrites, and the
// accelerator table from start-up.
MSG* loopMessage = nullptr;
HACCEL loopAccelerators = nullptr;

// The pass's one message, fetched without waiting while the gate is open.
void PumpOneMessage()
{
    if (PeekMessageW(loopMessage, nullptr, 0, 0, PM_REMOVE)) {
        // No dialog keyboard handling: the help dialog's messages go the same way.
        if (TranslateAcceleratorW(loopMessage->hwnd, loopAccelerators, loopMessage) == 0) {
            TranslateMessage(loopMessage);
            DispatchMessageW(loopMessage);
        }
    }
}

}  // namespace

void RunLoopPass(MSG* message, HACCEL accelerators)
{
    loopMessage = message;
    loopAccelerators = accelerators;
    RunLoopPass(PumpOneMessage);
}

int RunMainLoop(HACCEL accelerators)
{
    MSG message = {};
    // The loop starts once a first message has arrived; that message is dropped.
    GetMessageW(&message, nullptr, 0, 0);
    loopMessage = &message;
    loopAccelerators = accelerators;
    RunLoop(PumpOneMessage);
    // The last message retrieved gives the exit code: 27 after Escape.
    return static_cast<int>(static_cast<DWORD>(message.wParam & 0xFFFFFFFFu));
}

void RunQuitSequence(HWND window)
{
    if (!BeginQuitSequence()) {
        return;
    }
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
