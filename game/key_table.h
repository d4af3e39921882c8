// key_table.h -- what each game key does, written once for every platform
#pragma once

// The keys the game knows. Each shell maps its own key codes to these; a key
// it does not know becomes GameKeyNone.
enum GameKey : int {
    GameKeyNone = 0,
    GameKeyEnter = 1,
    GameKeyEscape = 2,
    GameKeyLeft = 3,
    GameKeyUp = 4,
    GameKeyRight = 5,
    GameKeyDown = 6,
    GameKeyM = 7,
    GameKeyP = 8,
    GameKeyR = 9,
    GameKeyS = 10,
};

// The game key for a Windows virtual-key code; browsers report the same codes
// for these keys. Any other code is GameKeyNone.
int GameKeyFromVirtualKey(unsigned long long code);

// What the shell must do after a key press; everything else the key table
// does itself (latch flags, the music toggle).
enum KeyAction : int {
    KeyActionNone = 0,
    KeyActionQuit = 1,      // run the quit sequence (Escape, never gated)
    KeyActionShowHelp = 2,  // show the help (M while it is not shown)
};

// One key-down, every auto-repeat included. Escape bypasses the input gate;
// every other known key takes the gate first and is dropped when it is not
// open. Returns the action left to the shell.
int PressGameKey(int key);
