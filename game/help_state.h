// help_state.h -- whether the help is shown, and the keyboard hand-back after it closes, for every shell
#pragma once

extern int helpOpen;      // 1 while the help is shown; M shows it only while this is 0
extern int focusRestore;  // 1: the help has just closed and the game window must take the keyboard back; 2: done

// The help has closed through OK or its close box: the end of the next frame
// hands the keyboard back to the game.
void NoteHelpClosed();

// True once after the help has closed, while it is not shown again: the
// frame's tail then gives the game window the keyboard back.
bool TakeFocusRestore();
