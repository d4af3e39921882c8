// input.cpp -- the page's key presses and touch buttons to game keys, and the help dialog's OK button
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include "platform/web/shell.h"

namespace {

EM_BOOL OnKeyDown(int /*eventType*/, const EmscriptenKeyboardEvent* event, void* /*userData*/)
{
    // Browser shortcuts (Ctrl+R, Alt+Left, ...) stay the browser's.
    if (event->ctrlKey || event->altKey || event->metaKey) {
        return EM_FALSE;
    }
    // While the dialog has the focus its keys are its own; the game takes
    // them again once the player has clicked or touched the game.
    const bool toDialog = WebDialogHasFocus() != 0;
    // Space means nothing to the game, but must not scroll the page; in the
    // dialog it presses the focused OK button, as on Windows.
    if (event->keyCode == ' ') {
        return toDialog ? EM_FALSE : EM_TRUE;
    }
    const int key = GameKeyFromVirtualKey(event->keyCode);
    if (key == GameKeyNone) {
        return EM_FALSE;
    }
    if (!toDialog) {
        QueueGameKey(key, false);
    }
    // Enter and Escape must not close the dialog either: no default action.
    return EM_TRUE;
}

}  // namespace

void ListenForInput()
{
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnKeyDown);
    WebListenForTouch();
}

extern "C" {
// A touch button's press or, while it is held, its repeat; `code` is the key's
// virtual-key code, as a key press would report it.
EMSCRIPTEN_KEEPALIVE void WebPressKey(int code, int repeat)
{
    QueueGameKey(GameKeyFromVirtualKey(static_cast<unsigned long long>(code)), repeat != 0);
}

// The dialog's OK button: the next frame hands the keyboard back.
EMSCRIPTEN_KEEPALIVE void WebHelpClosed()
{
    NoteHelpClosed();
}
}
