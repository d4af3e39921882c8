// main_loop.cpp -- the loop pass, the once-only quit guard and the frame sleep, written once for every shell
#include "game/main_loop.h"

#include <chrono>
#include <thread>

#include "game/frame.h"
#include "game/key_latch.h"

bool loopRunning = true;
int quitRequested = 0;
int quitArmed = 1;
long passNumber = 0;

void RunLoopPass(PassInput takeInput)
{
    InputGate = GateOpen;
    takeInput();
    InputGate = GateClosed;
    // The quit sequence may have run inside the input and released the context.
    if (quitRequested == 0) {
        RenderFrame();
    }
    ++passNumber;
}

void RunLoop(PassInput takeInput)
{
    while (loopRunning) {
        RunLoopPass(takeInput);
    }
}

long FramesDrawn()
{
    return quitRequested != 0 ? passNumber - 1 : passNumber;
}

bool BeginQuitSequence()
{
    if (quitArmed != 1) {
        return false;
    }
    quitArmed = 2;
    loopRunning = false;
    quitRequested = 1;
    return true;
}

void SleepOneFramePause()
{
    // The frame's own time is not subtracted: a frame lasts its work plus 34 ms.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(FramePauseMilliseconds);
    while (std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_until(deadline);
    }
}

void ResetLoop()
{
    loopRunning = true;
    quitRequested = 0;
    quitArmed = 1;
    passNumber = 0;
}
