// fuzz_input.cpp -- the fuzzer's input bytes as frames of keys, and replays back into bytes
#include "tests/stress/fuzz_input.h"

namespace {

constexpr char KeyLetters[] = "ELURPX";
constexpr int KeyCount = 6;
constexpr std::size_t GroupLengths[] = {1, 2, 8, 32};

std::uint8_t KeyBits(const std::string& keys)
{
    std::uint8_t bits = 0;
    for (int k = 0; k < KeyCount; ++k) {
        if (keys.find(KeyLetters[k]) != std::string::npos) {
            bits = static_cast<std::uint8_t>(bits | (1u << k));
        }
    }
    return bits;
}

std::string KeyString(std::uint8_t bits)
{
    std::string keys;
    for (int k = 0; k < KeyCount; ++k) {
        if ((bits >> k) & 1u) {
            keys += KeyLetters[k];
        }
    }
    return keys;
}

}  // namespace

ReplayFrames DecodeFuzzFrames(const std::uint8_t* data, std::size_t size)
{
    ReplayFrames frames;
    for (std::size_t i = 1; i < size && frames.size() < MaxFuzzFrames; ++i) {
        const std::string keys = KeyString(data[i]);
        const std::size_t length = GroupLengths[data[i] >> 6];
        for (std::size_t n = 0; n < length && frames.size() < MaxFuzzFrames; ++n) {
            frames.push_back(keys);
        }
    }
    return frames;
}

std::vector<std::uint8_t> EncodeFuzzFrames(const ReplayFrames& frames)
{
    std::vector<std::uint8_t> bytes = {0};
    std::size_t i = 0;
    while (i < frames.size() && i < MaxFuzzFrames) {
        const std::uint8_t bits = KeyBits(frames[i]);
        std::size_t same = 1;
        while (i + same < frames.size() && i + same < MaxFuzzFrames && KeyBits(frames[i + same]) == bits) {
            ++same;
        }
        i += same;
        // Longest groups first; any rest is made of shorter ones.
        for (int code = 3; code >= 0; --code) {
            while (same >= GroupLengths[code]) {
                bytes.push_back(static_cast<std::uint8_t>(bits | (code << 6)));
                same -= GroupLengths[code];
            }
        }
    }
    return bytes;
}

std::vector<std::uint8_t> EncodeFuzzText(std::uint8_t mode, const std::string& text)
{
    std::vector<std::uint8_t> bytes(text.size() + 1, mode);
    for (std::size_t i = 0; i < text.size(); ++i) {
        bytes[i + 1] = static_cast<std::uint8_t>(text[i]);
    }
    return bytes;
}
