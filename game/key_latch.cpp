// key_latch.cpp -- the key latch and the one-key-per-pass input gate
#include "game/key_latch.h"

KeyLatchFlags KeyLatch = {0, 0, 0, 0, 0, 0};
int InputGate = GateUnopened;

bool TakeGatedKey()
{
    if (InputGate != GateOpen) {
        return false;
    }
    InputGate = GateClosed;
    return true;
}

void ClearKeyLatch()
{
    KeyLatch = KeyLatchFlags{0, 0, 0, 0, 0, 0};
}

void ResetKeyLatch()
{
    ClearKeyLatch();
    InputGate = GateUnopened;
}
