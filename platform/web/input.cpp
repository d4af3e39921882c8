// input.cpp -- the page's key presses to game keys, and the help dialog's OK button
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
        QueueGameKey(key);
    }
    // Enter and Escape must not close the dialog either: no default action.
    return EM_TRUE;
}

}  // namespace

void ListenForKeys()
{
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnKeyDown);
}

extern "C" {
// The dialog's OK button: the next frame hands the keyboard back.
EMSCRIPTEN_KEEPALIVE void WebHelpClosed()
{
    NoteHelpClosed();
}
}
