// key_table.cpp -- the key table: latch a key, toggle the music, or hand quit and help to the shell
#include "game/key_table.h"

#include "game/key_latch.h"
#include "sound/music.h"

int PressGameKey(int key)
{
    if (key == GameKeyEscape) {
        return KeyActionQuit;
    }
    // A key the table does not know does nothing, not even close the gate.
    if (key <= GameKeyNone || key > GameKeyS || !TakeGatedKey()) {
        return KeyActionNone;
    }
    switch (key) {
    case GameKeyEnter:
        KeyLatch.enter = 1;
        break;
    case GameKeyLeft:
        KeyLatch.left = 1;
        break;
    case GameKeyUp:
        KeyLatch.up = 1;
        break;
    case GameKeyRight:
        KeyLatch.right = 1;
        break;
    case GameKeyM:
        return KeyActionShowHelp;
    case GameKeyP:
        KeyLatch.pause = 1;
        break;
    case GameKeyR:
        KeyLatch.restart = 1;
        break;
    case GameKeyS:
        PressMusicKey();
        break;
    default:
        // Down: takes the gate and does nothing else.
        break;
    }
    return KeyActionNone;
}
