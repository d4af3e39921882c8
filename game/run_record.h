// run_record.h -- the run record: a game's keys by loop pass, as a text file and as a link
//
// The game is deterministic: it counts frames, takes at most one key a pass,
// and draws its rows from the runtime's sequence from the process's first pass.
// So the keys the core took, each with its pass, replay a whole game.
//
// Text form, version 1 (one key a line, each line written whole as it is taken):
//   kestrel-forges run 1
//   game 1.0.0
//   0 enter
//   40 left
//   passes 2466
// Keys: enter left up right down help pause restart music (Escape, the quit,
// never appears). "#" comments and blank lines may stand anywhere. Passes rise
// strictly and stay below MaxRecordPasses; "passes N" is optional and last.
// A last line without its newline was cut by a kill and is dropped. The game
// line names the game that wrote it, for people: the format version decides.
//
// Link form: base64url without padding of the bytes: the format version; per key
// a varint of (pass delta << 4 | game key); a varint of (passes delta << 4), the
// low nibble 0 ending the keys (delta 0: passes unknown); CRC-16/CCITT of all
// before it, high byte first.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// One key the core took: the loop pass that took it (0 = the process's first
// pass) and the game key (GameKey from game/key_table.h).
struct RecordedKey {
    long pass;
    int key;
};

// A whole record: the keys in pass order, and the number of passes the game
// ran when it is known (written when a recorded game ends; 0 when the record
// was cut short, e.g. by a kill).
struct RunRecord {
    std::vector<RecordedKey> keys;
    long passes;
};

constexpr int RunFormatVersion = 1;

// Limits on what a record may hold: passes 0 .. MaxRecordPasses - 1 for keys
// and up to MaxRecordPasses for the count (a million passes is over nine hours
// of play); at most MaxRecordKeys keys; the text at most MaxRecordBytes, a
// link at most MaxLinkChars characters (a link holds some 20,000 keys at most).
constexpr long MaxRecordPasses = 1000000;
constexpr long MaxRecordKeys = 100000;
constexpr std::size_t MaxRecordBytes = 4u << 20;
constexpr std::size_t MaxLinkChars = 64u << 10;

// "1.0.0": the project's version, from CMake's project(VERSION).
extern const char GameVersion[];

// The header lines, each ending in '\n'.
std::string RunRecordHeader();

// One key's line, ending in '\n': the desktop writes each with one write() call
// as the key is taken. "" for a key RecordableKey refuses.
std::string RunRecordLine(const RecordedKey& key);

// The closing line written when the game ends normally.
std::string RunRecordEnd(long passes);

// Header, lines, and the end when passes > 0.
std::string FormatRunRecord(const RunRecord& record);

// Reads a record's text. On a fault returns false with one line in error,
// e.g. "line 4: unknown key \"jump\"", and leaves record alone.
bool ParseRunRecord(const std::string& text, RunRecord* record, std::string* error);

// The part of a link after "#run="; "" for a record too long for a link
// (some 20,000 keys), which is shared as a file.
std::string EncodeRunLink(const RunRecord& record);

// Reads the part of a link after "#run=", as ParseRunRecord reads the text.
// Every link it takes is the one EncodeRunLink makes of the record.
bool DecodeRunLink(const std::string& text, RunRecord* record, std::string* error);

// The keys a record may hold: every game key but Escape.
bool RecordableKey(int key);

// Whether a record that holds `kept` keys takes one more at this pass: a
// record being kept stops within the limits every reader keeps, so a game
// that outlasts them still leaves a record that plays.
bool RecordTakes(long pass, long kept);

// The passes count a record holds for a game that drew `frames` frames.
long RecordedPasses(long frames);
