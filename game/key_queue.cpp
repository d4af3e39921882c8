// key_queue.cpp -- input waiting for its loop pass: folding repeats and motion, one input a pass, the key table's actions, recorded runs
#include "game/key_queue.h"

#include <algorithm>
#include <deque>

#include "game/key_table.h"
#include "game/main_loop.h"
#include "game/platform.h"

namespace {

struct QueuedInput {
    int kind;  // QueuedInputKind
    int key;   // the game key of a key-down
};

// Inputs waiting for their pass, oldest first.
std::deque<QueuedInput> waiting;

// The last input queued was a repeat folded into its key-down: its character goes too.
bool repeatFolded = false;

struct RecordedKeyDown {
    long pass;
    int key;
};

// Keys of a recorded run still to play, in pass order.
std::deque<RecordedKeyDown> recorded;

// Where the keys taken go: the run's record, or nowhere.
TakenKeyWatcher takenKeyWatcher = nullptr;

bool Waits(int kind, int key)
{
    return std::any_of(waiting.begin(), waiting.end(),
                       [kind, key](const QueuedInput& input) { return input.kind == kind && input.key == key; });
}

void Queue(int kind, int key)
{
    repeatFolded = false;
    if (loopRunning) {
        waiting.push_back(QueuedInput{kind, key});
    }
}

// A key-down through the key table, and its action to the platform; a key
// played from a record shows no help.
void PressKey(int key, bool fromRecord)
{
    const int action = PressGameKey(key);
    if (takenKeyWatcher != nullptr && key != GameKeyNone && key != GameKeyEscape) {
        takenKeyWatcher(passNumber, key);
    }
    if (action == KeyActionQuit) {
        PlatformQuit(EscapeExitCode);
    } else if (action == KeyActionShowHelp && !fromRecord) {
        PlatformShowHelp();
    }
}

// A pass while a record plays: the player's input can only quit, and the
// record's key for this pass, if any, is pressed.
bool TakeRecordedKey()
{
    int quitCode = -1;
    for (const QueuedInput& input : waiting) {
        if (quitCode < 0 && input.kind == InputKeyDown && input.key == GameKeyEscape) {
            quitCode = EscapeExitCode;
        } else if (quitCode < 0 && input.kind == InputCloseRequest) {
            quitCode = CloseExitCode;
        }
    }
    waiting.clear();
    repeatFolded = false;
    if (quitCode >= 0) {
        PlatformQuit(quitCode);
        return true;
    }
    if (recorded.front().pass != passNumber) {
        return false;
    }
    const int key = recorded.front().key;
    recorded.pop_front();
    PressKey(key, true);
    return true;
}

}  // namespace

void QueueKeyDown(int key, bool repeat)
{
    if (repeat && Waits(InputKeyDown, key)) {
        repeatFolded = true;
        return;
    }
    Queue(InputKeyDown, key);
}

void QueueTypedText()
{
    if (repeatFolded) {
        repeatFolded = false;
        return;
    }
    Queue(InputText, GameKeyNone);
}

void QueuePointerMotion()
{
    if (Waits(InputPointer, GameKeyNone)) {
        repeatFolded = false;
        return;
    }
    Queue(InputPointer, GameKeyNone);
}

void QueueOtherInput()
{
    Queue(InputOther, GameKeyNone);
}

void QueueCloseRequest()
{
    Queue(InputCloseRequest, GameKeyNone);
}

bool InputWaiting()
{
    return !waiting.empty();
}

bool TakeQueuedInput()
{
    if (!recorded.empty()) {
        return TakeRecordedKey();
    }
    if (waiting.empty()) {
        return false;
    }
    const QueuedInput input = waiting.front();
    waiting.pop_front();
    if (input.kind == InputCloseRequest) {
        PlatformQuit(CloseExitCode);
    } else if (input.kind == InputKeyDown) {
        PressKey(input.key, false);
    }
    return true;
}

void ResetKeyQueue()
{
    waiting.clear();
    repeatFolded = false;
    recorded.clear();
    takenKeyWatcher = nullptr;
}

void WatchTakenKeys(TakenKeyWatcher watcher)
{
    takenKeyWatcher = watcher;
}

void QueueRecordedKey(long pass, int key)
{
    // A key whose pass has gone by can no longer be played as it was taken.
    if (pass >= passNumber && (recorded.empty() || pass > recorded.back().pass)) {
        recorded.push_back(RecordedKeyDown{pass, key});
    }
}

bool PlayingRecord()
{
    return !recorded.empty();
}
