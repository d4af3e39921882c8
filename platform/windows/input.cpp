// input.cpp -- the game window's procedure: key-downs to the key table, close and destroy
#include "game/key_table.h"
#include "platform/windows/shell.h"

namespace {

void HandleKeyDown(HWND window, WPARAM key)
{
    switch (PressGameKey(GameKeyFromVirtualKey(key))) {
    case KeyActionQuit:
        RunQuitSequence(window);
        break;
    case KeyActionShowHelp:
        ShowHelpDialog();
        break;
    default:
        break;
    }
}

}  // namespace

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_CLOSE:
        // Alt+F4 and other close requests: the window goes only through quitting.
        RunQuitSequence(window);
        return 0;
    case WM_KEYDOWN:
        HandleKeyDown(window, wParam);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
