// help_state.cpp -- whether the help is shown, and the keyboard hand-back after it closes
#include "game/help_state.h"

int helpOpen = 0;
int focusRestore = 0;

void NoteHelpClosed()
{
    helpOpen = 0;
    focusRestore = 1;
}

bool TakeFocusRestore()
{
    if (helpOpen != 0 || focusRestore != 1) {
        return false;
    }
    focusRestore = 2;
    return true;
}

void ResetHelpState()
{
    helpOpen = 0;
    focusRestore = 0;
}
