// tune_test.cpp -- checks the shipped background tune is a well-formed, audible, click-free looping WAV
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string TunePath()
{
    if (const char* fromEnvironment = std::getenv("KESTREL_TUNE")) {
        return fromEnvironment;
    }
#ifdef KESTREL_TUNE_PATH
    return KESTREL_TUNE_PATH;
#else
    return "";
#endif
}

uint32_t ReadLittleEndian(const std::vector<uint8_t>& bytes, size_t offset, int width)
{
    uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = (value << 8) | bytes.at(offset + static_cast<size_t>(i));
    }
    return value;
}

std::string ReadTag(const std::vector<uint8_t>& bytes, size_t offset)
{
    return std::string(bytes.begin() + static_cast<long>(offset), bytes.begin() + static_cast<long>(offset) + 4);
}

struct Tune {
    std::vector<uint8_t> bytes;
    int channels = 0;
    int sampleRate = 0;
    std::vector<std::vector<int>> samples;  // one vector per channel
};

// Loaded once: every check reads the same file.
const Tune& LoadedTune()
{
    static const Tune tune = [] {
        Tune loaded;
        std::ifstream file(TunePath(), std::ios::binary);
        loaded.bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        if (loaded.bytes.size() < 44) {
            return loaded;
        }
        loaded.channels = static_cast<int>(ReadLittleEndian(loaded.bytes, 22, 2));
        loaded.sampleRate = static_cast<int>(ReadLittleEndian(loaded.bytes, 24, 4));
        if (loaded.channels < 1 || loaded.channels > 2) {
            return loaded;
        }
        loaded.samples.resize(static_cast<size_t>(loaded.channels));
        const size_t frameBytes = 2 * static_cast<size_t>(loaded.channels);
        for (size_t at = 44; at + frameBytes <= loaded.bytes.size(); at += frameBytes) {
            for (int c = 0; c < loaded.channels; ++c) {
                const uint32_t raw = ReadLittleEndian(loaded.bytes, at + 2 * static_cast<size_t>(c), 2);
                loaded.samples[static_cast<size_t>(c)].push_back(static_cast<int16_t>(static_cast<uint16_t>(raw)));
            }
        }
        return loaded;
    }();
    return tune;
}

class TuneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(TunePath().empty()) << "set KESTREL_TUNE to the tune's path";
        ASSERT_GE(LoadedTune().bytes.size(), 44u) << "missing or truncated: " << TunePath();
        ASSERT_FALSE(LoadedTune().samples.empty()) << "unsupported channel count";
        ASSERT_FALSE(LoadedTune().samples[0].empty()) << "no audio in " << TunePath();
    }
};

double Rms(const std::vector<int>& samples, size_t begin, size_t end)
{
    double sum = 0.0;
    for (size_t i = begin; i < end; ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
    }
    return std::sqrt(sum / static_cast<double>(end - begin));
}

TEST_F(TuneTest, HeaderIsCanonicalPcmAndMatchesFileLength)
{
    const Tune& tune = LoadedTune();
    const std::vector<uint8_t>& bytes = tune.bytes;
    EXPECT_EQ(ReadTag(bytes, 0), "RIFF");
    EXPECT_EQ(ReadLittleEndian(bytes, 4, 4), bytes.size() - 8);
    EXPECT_EQ(ReadTag(bytes, 8), "WAVE");
    EXPECT_EQ(ReadTag(bytes, 12), "fmt ");
    EXPECT_EQ(ReadLittleEndian(bytes, 16, 4), 16u);
    EXPECT_EQ(ReadLittleEndian(bytes, 20, 2), 1u) << "format tag must be plain PCM";
    EXPECT_EQ(tune.sampleRate, 22050);
    const uint32_t blockAlign = 2 * static_cast<uint32_t>(tune.channels);
    EXPECT_EQ(ReadLittleEndian(bytes, 28, 4), static_cast<uint32_t>(tune.sampleRate) * blockAlign);
    EXPECT_EQ(ReadLittleEndian(bytes, 32, 2), blockAlign);
    EXPECT_EQ(ReadLittleEndian(bytes, 34, 2), 16u);
    EXPECT_EQ(ReadTag(bytes, 36), "data");
    const uint32_t dataBytes = ReadLittleEndian(bytes, 40, 4);
    EXPECT_EQ(dataBytes, bytes.size() - 44);
    EXPECT_EQ(dataBytes % blockAlign, 0u);
}

TEST_F(TuneTest, LengthAndSizeSuitALoopingBackgroundTrack)
{
    const Tune& tune = LoadedTune();
    const double seconds = static_cast<double>(tune.samples[0].size()) / tune.sampleRate;
    EXPECT_GE(seconds, 20.0);
    EXPECT_LE(seconds, 40.0);
    EXPECT_LE(tune.bytes.size(), 1500000u);
}

TEST_F(TuneTest, LevelsAreAudibleUnclippedAndCentred)
{
    const Tune& tune = LoadedTune();
    for (const std::vector<int>& channel : tune.samples) {
        int peak = 0;
        long long sum = 0;
        for (int sample : channel) {
            peak = std::max(peak, std::abs(sample));
            sum += sample;
        }
        // -0.5 dBFS leaves headroom; a clipped or unscaled mix reaches full scale.
        EXPECT_LE(peak, 30934);
        EXPECT_GE(peak, 16384) << "mix should be normalised near full scale";
        EXPECT_GT(Rms(channel, 0, channel.size()), 0.05 * 32768);
        EXPECT_LT(std::abs(static_cast<double>(sum) / channel.size()), 0.01 * 32768) << "DC offset";
    }
}

TEST_F(TuneTest, NoStretchOfTheTuneFallsSilent)
{
    const Tune& tune = LoadedTune();
    // Quarter-second windows, overlapping, so a dropout cannot hide across a window edge.
    const size_t window = static_cast<size_t>(tune.sampleRate) / 4;
    const size_t hop = window / 5;
    for (const std::vector<int>& channel : tune.samples) {
        for (size_t begin = 0; begin + window <= channel.size(); begin += hop) {
            EXPECT_GT(Rms(channel, begin, begin + window), 0.02 * 32768)
                << "near-silent stretch starting at sample " << begin;
        }
    }
}

// The value below which the given percent of the values lie.
int Percentile(std::vector<int> values, int percent)
{
    const size_t rank = values.size() * static_cast<size_t>(percent) / 100;
    std::nth_element(values.begin(), values.begin() + static_cast<long>(rank), values.end());
    return values[rank];
}

TEST_F(TuneTest, LoopPointIsAsSmoothAsTheMusicItself)
{
    const Tune& tune = LoadedTune();
    for (const std::vector<int>& channel : tune.samples) {
        ASSERT_GE(channel.size(), 3u);
        // Measured around the ring, so the wrap from the end back to the start is one more neighbour.
        const size_t n = channel.size();
        const auto at = [&](size_t i) { return channel[i % n]; };
        std::vector<int> steps;
        std::vector<int> bends;
        for (size_t i = 0; i < n; ++i) {
            steps.push_back(std::abs(at(i + 1) - at(i)));
            bends.push_back(std::abs(at(i + 2) - 2 * at(i + 1) + at(i)));
        }
        EXPECT_LE(steps[n - 1], Percentile(steps, 99)) << "wrapping from the last sample to the first jumps";
        // A jump in slope clicks too, even when the values happen to meet.
        EXPECT_LE(bends[n - 2], Percentile(bends, 99)) << "slope breaks entering the loop point";
        EXPECT_LE(bends[n - 1], Percentile(bends, 99)) << "slope breaks leaving the loop point";
    }
}

}  // namespace
