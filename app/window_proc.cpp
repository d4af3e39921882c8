// window_proc.cpp -- the game window's procedure: the key table, close and destroy
#include "app/shell.h"
#include "game/key_latch.h"
#include "sound/music.h"

namespace {

// The key table. Every key but Escape passes the input gate first, so at most
// one takes effect per loop pass; a key the table does not know is ignored.
void HandleKeyDown(HWND window, WPARAM key)
{
    switch (key) {
    case VK_ESCAPE:
        RunQuitSequence(window);
        break;
    case VK_RETURN:
        if (TakeGatedKey()) {
            KeyLatch.enter = 1;
        }
        break;
    case VK_LEFT:
        if (TakeGatedKey()) {
            KeyLatch.left = 1;
        }
        break;
    case VK_UP:
        if (TakeGatedKey()) {
            KeyLatch.up = 1;
        }
        break;
    case VK_RIGHT:
        if (TakeGatedKey()) {
            KeyLatch.right = 1;
        }
        break;
    case VK_DOWN:
        TakeGatedKey();
        break;
    case 'M':
        if (TakeGatedKey() && helpOpen == 0) {
            ShowHelpDialog();
        }
        break;
    case 'P':
        if (TakeGatedKey()) {
            KeyLatch.pause = 1;
        }
        break;
    case 'R':
        if (TakeGatedKey()) {
            KeyLatch.restart = 1;
        }
        break;
    case 'S':
        if (TakeGatedKey()) {
            PressMusicKey();
        }
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
