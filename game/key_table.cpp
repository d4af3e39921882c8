// key_table.cpp -- virtual keys to game keys, and what each key does: latch, music, or quit and help
#include "game/key_table.h"

#include "game/help_state.h"
#include "game/key_latch.h"
#include "sound/music.h"

int GameKeyFromVirtualKey(unsigned long long code)
{
    switch (code) {
    case 0x0D:
        return GameKeyEnter;
    case 0x1B:
        return GameKeyEscape;
    case 0x25:
        return GameKeyLeft;
    case 0x26:
        return GameKeyUp;
    case 0x27:
        return GameKeyRight;
    case 0x28:
        return GameKeyDown;
    case 'M':
        return GameKeyM;
    case 'P':
        return GameKeyP;
    case 'R':
        return GameKeyR;
    case 'S':
        return GameKeyS;
    default:
        return GameKeyNone;
    }
}

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
        // While the help is shown, M only closes the gate.
        return helpOpen == 0 ? KeyActionShowHelp : KeyActionNone;
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
