// input.cpp -- the page's key presses, touch buttons and game pads into the game's key queue, one key a pass
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include "game/gamepad.h"
#include "game/key_queue.h"
#include "platform/web/shell.h"

namespace {

// Where the pads' keys go while the help dialog has the keys: nowhere.
void DropPadKey(int /*key*/, bool /*repeat*/) {}

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
        QueueKeyDown(key, event->repeat != 0);
    }
    // Enter and Escape must not close the dialog either: no default action.
    return EM_TRUE;
}

void ReadPadsForThePass()
{
    float stickX = 0.0f;
    const unsigned held = WebReadGamepads(&stickX);
    // While the help dialog has the keys, it has the pads too: A presses its
    // focused OK, as Space does, and nothing reaches the game. They are read
    // all the same, so a button held across the change acts once.
    const bool dialogHasPads = WebDialogHasFocus() != 0;
    if (dialogHasPads && (held & ~web.padsHeld & (1u << PadSouth)) != 0) {
        WebPressFocusedButton();
    }
    web.padsHeld = held;
    ReadPads(PadReading{held, stickX}, emscripten_get_now(), dialogHasPads ? DropPadKey : QueueKeyDown);
}

}  // namespace

void TakeOneInput()
{
    ReadPadsForThePass();
    web.inputTaken = TakeQueuedInput();
}

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
    QueueKeyDown(GameKeyFromVirtualKey(static_cast<unsigned long long>(code)), repeat != 0);
}
}
