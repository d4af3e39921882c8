// fuzz_input.h -- the fuzzer's input bytes as frames of keys, and replays back into bytes
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/simulation/replay_script.h"

// First byte's low two bits pick what the rest is: frames of keys, banner
// text, a run record's text or a run link.
constexpr std::uint8_t ModeBits = 3;
constexpr std::uint8_t KeyMode = 0;
constexpr std::uint8_t BannerMode = 1;
constexpr std::uint8_t RecordMode = 2;
constexpr std::uint8_t LinkMode = 3;

// No input plays longer than this, so every execution stays short.
constexpr std::size_t MaxFuzzFrames = 3000;

// Key mode: each byte after the first is a group of frames. Bits 0..5 are the
// keys E L U R P X held in every frame of the group; bits 6..7 pick its
// length, 1, 2, 8 or 32 frames, so long waits need few bytes.
ReplayFrames DecodeFuzzFrames(const std::uint8_t* data, std::size_t size);

// The key-mode bytes that decode to exactly these frames.
std::vector<std::uint8_t> EncodeFuzzFrames(const ReplayFrames& frames);

// The bytes of a mode (banner, record or link) whose rest is this text.
std::vector<std::uint8_t> EncodeFuzzText(std::uint8_t mode, const std::string& text);
