// key_queue.h -- input waiting for its loop pass, for the ports: one input a pass, repeats folded as Windows folds them
//
// The Windows game's queue is the system's message queue. The desktop and the
// browser queue here what Windows would have posted as messages, and each
// pass takes the oldest, as the Windows loop fetches one message a pass.
#pragma once

// What a waiting input is.
enum QueuedInputKind : int {
    InputKeyDown = 1,      // a key press or a held key's repeat; the game key, GameKeyNone for another key
    InputText = 2,         // the character a key types
    InputPointer = 3,      // pointer motion
    InputOther = 4,        // a key let go, a click, the wheel
    InputCloseRequest = 5, // Alt+F4: the window is asked to close, in its turn
};

// A key press for a pass of its own; `repeat` marks a held key's, touch
// button's or pad direction's repeat. A repeat folds into a key-down of the
// same key still waiting, so a hold never builds a backlog; a fresh press
// always waits its turn, even behind a press of the same key. Nothing is
// queued once the game is quitting. Fits ReadPads as the pads' key sink.
void QueueKeyDown(int key, bool repeat);

// The character of the key-down queued last; it goes with that key-down when
// the key-down was a folded repeat.
void QueueTypedText();

// Pointer motion: at most one waits, as Windows keeps one mouse-move message.
void QueuePointerMotion();

// Any other input that takes a pass but means nothing to the game.
void QueueOtherInput();

// Alt+F4: quits with the close request's exit code when its pass comes.
void QueueCloseRequest();

// Whether an input waits for a pass.
bool InputWaiting();

// The pass's input: takes the oldest waiting input, if any. A key-down goes
// through the key table, and what the key table leaves to the shell (quit,
// help) goes to the platform's answer. Returns false when nothing waited.
bool TakeQueuedInput();

// Forgets every waiting input and recorded key, and the record's watcher, as at start-up.
void ResetKeyQueue();

// A recorded run. Told of every game key the queue takes through the key
// table, with the pass that took it: a record being kept. Escape, which quits,
// is never told.
using TakenKeyWatcher = void (*)(long pass, int key);
void WatchTakenKeys(TakenKeyWatcher watcher);

// A key of a recorded run to play, added in pass order before the first pass:
// its pass takes it instead of the player's input, as the player's key took
// it. Meanwhile the player's input does nothing but quit (Escape, a close
// request), and the help does not open from the record. After the last
// recorded key the player's input counts again.
void QueueRecordedKey(long pass, int key);

// True while recorded keys remain to be played.
bool PlayingRecord();
