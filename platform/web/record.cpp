// record.cpp -- the browser's record of the current game, kept in memory and offered as a link and a file, and a linked run played
#include <emscripten/emscripten.h>

#include <cstdlib>
#include <string>

#include "game/game_state.h"
#include "game/key_queue.h"
#include "platform/web/shell.h"

namespace {

void KeepTakenKey(long pass, int key)
{
    if (RecordTakes(pass, static_cast<long>(web.record.keys.size()))) {
        web.record.keys.push_back(RecordedKey{pass, key});
    }
}

// The record as it stands, with the frames drawn so far.
RunRecord CurrentRecord()
{
    RunRecord record = web.record;
    record.passes = RecordedPasses(FramesDrawn());
    return record;
}

}  // namespace

void StartRecord()
{
    WatchTakenKeys(KeepTakenKey);
    char* linked = WebLinkedRun();
    if (linked == nullptr) {
        return;
    }
    RunRecord run = {{}, 0};
    std::string error;
    if (DecodeRunLink(linked, &run, &error)) {
        for (const RecordedKey& key : run.keys) {
            QueueRecordedKey(key.pass, key.key);
        }
        web.playing = PlayingRecord();
        if (web.playing) {
            WebShowRunNote("A shared run is playing. Your keys count again once it ends; Escape ends the game.");
        }
    } else {
        WebShowRunNote(("This link's run cannot be played: " + error + ". The game starts as usual.").c_str());
    }
    std::free(linked);
}

void WatchRecord()
{
    if (web.playing && !PlayingRecord()) {
        web.playing = false;
        WebShowRunNote("");
    }
    // A run has ended, or the game: the record can be shared.
    if (!web.shareOffered && (GameState.gameOver == 1 || quitRequested != 0)) {
        web.shareOffered = true;
        WebOfferShare();
    }
}

extern "C" {
// The link's part after "#run=" and the file's text of the current game; each
// stays valid until the next call. A game too long for a link has "" for one.
EMSCRIPTEN_KEEPALIVE const char* WebRunLink()
{
    static std::string link;
    link = EncodeRunLink(CurrentRecord());
    return link.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* WebRunText()
{
    static std::string text;
    text = FormatRunRecord(CurrentRecord());
    return text.c_str();
}
}
