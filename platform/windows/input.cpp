// input.cpp -- one message a pass, and the game window's procedure: key-downs to the key table, close and destroy
#include "game/key_table.h"
#include "game/platform.h"
#include "platform/windows/shell.h"

namespace {

void HandleKeyDown(WPARAM key)
{
    switch (PressGameKey(GameKeyFromVirtualKey(key))) {
    case KeyActionQuit:
        PlatformQuit(EscapeExitCode);
        break;
    case KeyActionShowHelp:
        PlatformShowHelp();
        break;
    default:
        break;
    }
}

}  // namespace

void TakeOneInput()
{
    MSG* message = messagePump.message;
    if (PeekMessageW(message, nullptr, 0, 0, PM_REMOVE)) {
        // No dialog keyboard handling: the help dialog's messages go the same way.
        if (TranslateAcceleratorW(message->hwnd, messagePump.accelerators, message) == 0) {
            TranslateMessage(message);
            DispatchMessageW(message);
        }
    }
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_CLOSE:
        // Alt+F4 and other close requests: the window goes only through quitting.
        PlatformQuit(CloseExitCode);
        return 0;
    case WM_KEYDOWN:
        HandleKeyDown(wParam);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
