// help_state.h -- whether the help is shown, and the keyboard hand-back after it closes, for every shell
#pragma once

// Whether the help is up: M shows it only while it is down.
extern int helpOpen;      // 0 hidden (at start), 1 shown
// Where the keyboard's way back to the game stands after the help closes.
extern int focusRestore;  // 0 no help closed yet, 1 closed and the next frame hands the keys back, 2 handed back

// The help has closed through OK or its close box: the end of the next frame
// hands the keyboard back to the game.
void NoteHelpClosed();

// True once after the help has closed, while it is not shown again: the
// frame's tail then gives the game window the keyboard back.
bool TakeFocusRestore();

// The help hidden and never closed, as at start-up.
void ResetHelpState();
