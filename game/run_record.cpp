// run_record.cpp -- the run record: a game's keys by loop pass, as a text file and as a link
#include "game/run_record.h"

#include <algorithm>
#include <cstdint>

#include "game/key_table.h"

const char GameVersion[] = KESTREL_GAME_VERSION;

namespace {

struct KeyName {
    int key;
    const char* name;
};

constexpr KeyName KeyNames[] = {
    {GameKeyEnter, "enter"}, {GameKeyLeft, "left"},   {GameKeyUp, "up"},
    {GameKeyRight, "right"}, {GameKeyDown, "down"},   {GameKeyM, "help"},
    {GameKeyP, "pause"},     {GameKeyR, "restart"},   {GameKeyS, "music"},
};

const char* const Magic = "kestrel-forges";

std::string Number(long value)
{
    return std::to_string(value);
}

// A word of the input as an error shows it: short, quoted, printable, so the
// message stays one readable line whatever a hostile file holds.
std::string Quoted(const std::string& word)
{
    constexpr std::size_t Shown = 24;
    std::string shown;
    for (std::size_t i = 0; i < word.size() && i < Shown; ++i) {
        const char c = word[i];
        shown += c >= ' ' && c <= '~' ? c : '?';
    }
    return "\"" + shown + (word.size() > Shown ? "...\"" : "\"");
}

// A plain decimal below limit, else -1. Stops before a long run of digits overflows.
long ReadNumber(const std::string& word, long limit)
{
    if (word.empty()) {
        return -1;
    }
    long value = 0;
    for (const char digit : word) {
        if (digit < '0' || digit > '9') {
            return -1;
        }
        value = value * 10 + (digit - '0');
        if (value >= limit) {
            return -1;
        }
    }
    return value;
}

std::vector<std::string> Words(const std::string& line)
{
    std::vector<std::string> words;
    std::string word;
    for (const char c : line) {
        if (c == ' ' || c == '\t' || c == '\r') {
            if (!word.empty()) {
                words.push_back(word);
                word.clear();
            }
        } else {
            word += c;
        }
    }
    if (!word.empty()) {
        words.push_back(word);
    }
    return words;
}

std::string NewerGame(long version, const char* what)
{
    return std::string(what) + " was made by a newer game (run format " + Number(version) + "; this game reads " +
           Number(RunFormatVersion) + ")";
}

// Where the text reader stands: the two header lines, then keys, then nothing after the count.
enum TextPart { PartMagic, PartGame, PartKeys, PartEnded };

// Reads one line's words into record; the fault without its line number, or "".
std::string ReadLine(const std::vector<std::string>& words, TextPart* part, RunRecord* record)
{
    if (*part == PartMagic) {
        const std::string expected = Magic + std::string(" run ") + Number(RunFormatVersion);
        if (words.size() != 3 || words[0] != Magic || words[1] != "run") {
            return "not a run record (expected \"" + expected + "\")";
        }
        const long version = ReadNumber(words[2], 1000);
        if (version > RunFormatVersion) {
            return NewerGame(version, "the record");
        }
        if (version != RunFormatVersion) {
            return "unknown run format " + Quoted(words[2]);
        }
        *part = PartGame;
        return "";
    }
    if (*part == PartGame) {
        if (words.size() != 2 || words[0] != "game") {
            return "expected \"game <version>\"";
        }
        *part = PartKeys;
        return "";
    }
    if (*part == PartEnded) {
        return "unexpected " + Quoted(words[0]) + " after the passes count";
    }
    const long last = record->keys.empty() ? -1 : record->keys.back().pass;
    if (words[0] == "passes") {
        const long passes = words.size() == 2 ? ReadNumber(words[1], MaxRecordPasses + 1) : -1;
        if (passes < 0) {
            return "expected a passes count up to " + Number(MaxRecordPasses) + " after passes";
        }
        if (passes <= last || passes == 0) {
            return "the passes count " + Number(passes) + " must be above " + Number(last < 0 ? 0 : last);
        }
        record->passes = passes;
        *part = PartEnded;
        return "";
    }
    const long pass = ReadNumber(words[0], MaxRecordPasses);
    if (pass < 0) {
        return "expected a pass number below " + Number(MaxRecordPasses) + ", not " + Quoted(words[0]);
    }
    if (words.size() != 2) {
        return "expected one key after pass " + words[0];
    }
    int key = GameKeyNone;
    for (const KeyName& name : KeyNames) {
        if (words[1] == name.name) {
            key = name.key;
        }
    }
    if (key == GameKeyNone) {
        return "unknown key " + Quoted(words[1]);
    }
    if (pass <= last) {
        return "pass " + Number(pass) + " does not come after pass " + Number(last);
    }
    if (static_cast<long>(record->keys.size()) >= MaxRecordKeys) {
        return "more than " + Number(MaxRecordKeys) + " keys";
    }
    record->keys.push_back(RecordedKey{pass, key});
    return "";
}

constexpr char Base64Url[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

int Base64Value(char c)
{
    for (int value = 0; value < 64; ++value) {
        if (Base64Url[value] == c) {
            return value;
        }
    }
    return -1;
}

// CRC-16/CCITT (polynomial 0x1021, start 0xFFFF).
unsigned Checksum(const std::vector<std::uint8_t>& bytes, std::size_t count)
{
    unsigned crc = 0xFFFF;
    for (std::size_t i = 0; i < count; ++i) {
        crc ^= static_cast<unsigned>(bytes[i]) << 8;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x8000) != 0 ? (crc << 1) ^ 0x1021 : crc << 1;
        }
        crc &= 0xFFFF;
    }
    return crc;
}

void PutVarint(std::vector<std::uint8_t>* bytes, unsigned long value)
{
    while (value >= 0x80) {
        bytes->push_back(static_cast<std::uint8_t>(value | 0x80));
        value >>= 7;
    }
    bytes->push_back(static_cast<std::uint8_t>(value));
}

// A varint of at most four bytes in its shortest form (the only one Encode writes), else false.
bool GetVarint(const std::vector<std::uint8_t>& bytes, std::size_t end, std::size_t* at, unsigned long* value)
{
    *value = 0;
    for (int shift = 0; shift < 28 && *at < end; shift += 7) {
        const std::uint8_t byte = bytes[(*at)++];
        *value |= static_cast<unsigned long>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) {
            return byte != 0 || shift == 0;
        }
    }
    return false;
}

// The link's bytes, or the fault of its letters.
std::string LinkBytes(const std::string& text, std::vector<std::uint8_t>* bytes)
{
    unsigned bits = 0;
    int held = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int value = Base64Value(text[i]);
        if (value < 0) {
            const long position = static_cast<long>(i) + 1;
            return "the run link has a bad character " + Quoted(text.substr(i, 1)) + " at " + Number(position);
        }
        bits = (bits << 6 | static_cast<unsigned>(value)) & 0xFFF;
        held += 6;
        if (held >= 8) {
            held -= 8;
            bytes->push_back(static_cast<std::uint8_t>(bits >> held));
        }
    }
    // Leftover bits must be Encode's zero filler: one link per record.
    if (held >= 6 || (bits & ((1u << held) - 1)) != 0) {
        return "the run link is cut short or corrupt";
    }
    return "";
}

// Reads the checked bytes after the version into record; the fault, or "".
std::string ReadLinkKeys(const std::vector<std::uint8_t>& bytes, std::size_t end, RunRecord* record)
{
    std::size_t at = 1;
    long last = 0;
    while (at < end) {
        const std::size_t start = at;
        unsigned long value = 0;
        if (!GetVarint(bytes, end, &at, &value)) {
            return "the run link has a bad number at byte " + Number(static_cast<long>(start));
        }
        const int code = static_cast<int>(value & 15);
        const long pass = last + static_cast<long>(value >> 4);
        if (code == 0) {
            if (at != end) {
                return "the run link goes on after its passes count";
            }
            if (pass > MaxRecordPasses) {
                return "the run link's passes count " + Number(pass) + " is above " + Number(MaxRecordPasses);
            }
            record->passes = pass == last ? 0 : pass;
            return "";
        }
        if (!RecordableKey(code)) {
            return "the run link has an unknown key " + Number(code) + " at byte " + Number(static_cast<long>(start));
        }
        if (pass == last && !record->keys.empty()) {
            return "the run link has two keys at pass " + Number(pass);
        }
        if (pass >= MaxRecordPasses) {
            return "the run link's pass " + Number(pass) + " is not below " + Number(MaxRecordPasses);
        }
        if (static_cast<long>(record->keys.size()) >= MaxRecordKeys) {
            return "the run link has more than " + Number(MaxRecordKeys) + " keys";
        }
        record->keys.push_back(RecordedKey{pass, code});
        last = pass;
    }
    return "the run link is cut short before its passes count";
}

}  // namespace

bool RecordableKey(int key)
{
    return key > GameKeyNone && key <= GameKeyS && key != GameKeyEscape;
}

std::string RunRecordHeader()
{
    return Magic + std::string(" run ") + Number(RunFormatVersion) + "\ngame " + GameVersion + "\n";
}

std::string RunRecordLine(const RecordedKey& key)
{
    for (const KeyName& name : KeyNames) {
        if (name.key == key.key) {
            return Number(key.pass) + " " + name.name + "\n";
        }
    }
    return "";
}

std::string RunRecordEnd(long passes)
{
    return "passes " + Number(passes) + "\n";
}

std::string FormatRunRecord(const RunRecord& record)
{
    std::string text = RunRecordHeader();
    for (const RecordedKey& key : record.keys) {
        text += RunRecordLine(key);
    }
    if (record.passes > 0) {
        text += RunRecordEnd(record.passes);
    }
    return text;
}

bool ParseRunRecord(const std::string& text, RunRecord* record, std::string* error)
{
    if (text.size() > MaxRecordBytes) {
        *error = "the record is " + Number(static_cast<long>(text.size())) + " bytes, over the limit of " +
                 Number(static_cast<long>(MaxRecordBytes));
        return false;
    }
    RunRecord read{{}, 0};
    TextPart part = PartMagic;
    long lineNumber = 0;
    // A last line without its newline was cut mid-write: the record ends before it.
    const std::size_t whole = text.rfind('\n') + 1;
    for (std::size_t start = 0; start < whole; ++lineNumber) {
        const std::size_t end = std::min(text.find('\n', start), whole);
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        const std::vector<std::string> words = Words(line.substr(0, line.find('#')));
        const std::string fault = words.empty() ? "" : ReadLine(words, &part, &read);
        if (!fault.empty()) {
            *error = "line " + Number(lineNumber + 1) + ": " + fault;
            return false;
        }
    }
    if (part == PartMagic || part == PartGame) {
        *error = text.empty() ? "the record is empty" : "the record ends inside its header";
        return false;
    }
    *record = read;
    return true;
}

std::string EncodeRunLink(const RunRecord& record)
{
    std::vector<std::uint8_t> bytes = {static_cast<std::uint8_t>(RunFormatVersion)};
    long last = 0;
    for (const RecordedKey& key : record.keys) {
        PutVarint(&bytes, static_cast<unsigned long>(key.pass - last) << 4 | static_cast<unsigned long>(key.key));
        last = key.pass;
    }
    PutVarint(&bytes, record.passes > 0 ? static_cast<unsigned long>(record.passes - last) << 4 : 0);
    const unsigned crc = Checksum(bytes, bytes.size());
    bytes.push_back(static_cast<std::uint8_t>(crc >> 8));
    bytes.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    std::string text;
    unsigned bits = 0;
    int held = 0;
    for (const std::uint8_t byte : bytes) {
        bits = (bits << 8 | byte) & 0xFFFF;
        held += 8;
        while (held >= 6) {
            held -= 6;
            text += Base64Url[(bits >> held) & 63];
        }
    }
    if (held > 0) {
        text += Base64Url[(bits << (6 - held)) & 63];
    }
    // A link no reader takes is no link: such a game is shared as a file.
    return text.size() <= MaxLinkChars ? text : std::string();
}

bool DecodeRunLink(const std::string& text, RunRecord* record, std::string* error)
{
    if (text.size() > MaxLinkChars) {
        *error = "the run link is " + Number(static_cast<long>(text.size())) + " characters, over the limit of " +
                 Number(static_cast<long>(MaxLinkChars));
        return false;
    }
    if (text.empty()) {
        *error = "the run link is empty";
        return false;
    }
    std::vector<std::uint8_t> bytes;
    std::string fault = LinkBytes(text, &bytes);
    const std::size_t end = bytes.size() - 2;
    if (fault.empty() && (bytes.size() < 4 || Checksum(bytes, end) != (bytes[end] * 256u + bytes[end + 1]))) {
        fault = "the run link is cut short or corrupt (its checksum does not match)";
    }
    if (fault.empty() && bytes[0] != RunFormatVersion) {
        fault = bytes[0] > RunFormatVersion ? NewerGame(bytes[0], "the run link")
                                            : "the run link has an unknown run format 0";
    }
    RunRecord read{{}, 0};
    if (fault.empty()) {
        fault = ReadLinkKeys(bytes, end, &read);
    }
    if (!fault.empty()) {
        *error = fault;
        return false;
    }
    *record = read;
    return true;
}

bool RecordTakes(long pass, long kept)
{
    return pass < MaxRecordPasses && kept < MaxRecordKeys;
}

long RecordedPasses(long frames)
{
    return frames < MaxRecordPasses ? frames : MaxRecordPasses;
}
