// osmesa_platform.cpp -- the game on an off-screen Mesa canvas: platform, canvas, pixels and pictures
#include "tests/bench/osmesa_platform.h"

#include <array>
#include <cstddef>
#include <fstream>

#include "game/platform.h"
#include "platform/null/gl_recorder.h"
#include "platform/null/platform_recorder.h"
#include "render/opengl.h"
#include "render/scene_setup.h"
#include "tests/support/frame_script.h"

// Presenting waits for the rasterizer, so a frame's pixels are final when it returns.
void PlatformPresentFrame() { glFinish(); }

// No window, no sound, no pacing: frames run back to back.
void PlatformStartMusic() {}
void PlatformStopMusic() {}
void PlatformRestoreFocus() {}
void PlatformFrameSleep() {}

// Frames only: no key reaches the key table's quit or help here.
void PlatformQuit(int /*exitCode*/) {}
void PlatformShowHelp() {}

// A fresh start resets the recorders; on a real rasterizer nothing is recorded.
void ResetGlRecord() {}
void ResetPlatformRecord() {}

bool OpenCanvas(OsmesaCanvas& canvas, int width, int height)
{
    canvas.context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
    if (canvas.context == nullptr) {
        return false;
    }
    canvas.width = width;
    canvas.height = height;
    canvas.rgba.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
    if (!OSMesaMakeCurrent(canvas.context, canvas.rgba.data(), GL_UNSIGNED_BYTE, width, height)) {
        CloseCanvas(canvas);
        return false;
    }
    return true;
}

void CloseCanvas(OsmesaCanvas& canvas)
{
    if (canvas.context != nullptr) {
        OSMesaDestroyContext(canvas.context);
        canvas.context = nullptr;
    }
}

bool StartOnCanvas(OsmesaCanvas& canvas, int width, int height)
{
    if (!OpenCanvas(canvas, width, height)) {
        return false;
    }
    StartFresh();
    SetUpRenderContext(width, height);
    return true;
}

Pixel PixelAt(const OsmesaCanvas& canvas, int x, int y)
{
    const std::size_t row = static_cast<std::size_t>(canvas.height - 1 - y);
    const std::size_t at = (row * static_cast<std::size_t>(canvas.width) + static_cast<std::size_t>(x)) * 4;
    return Pixel{canvas.rgba[at], canvas.rgba[at + 1], canvas.rgba[at + 2]};
}

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

void PutBig32(Bytes& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void PutChunk(Bytes& out, const char* type, const Bytes& data)
{
    PutBig32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBig32(out, Crc32(out.data() + typeAt, out.size() - typeAt));
}

// A zlib stream of stored blocks: no compression, so no compressor to trust.
Bytes StoredZlib(const Bytes& raw)
{
    constexpr std::size_t MaxBlock = 65535;
    Bytes out{0x78, 0x01};
    std::size_t done = 0;
    do {
        const std::size_t size = raw.size() - done < MaxBlock ? raw.size() - done : MaxBlock;
        const bool last = done + size == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(size));
        out.push_back(static_cast<std::uint8_t>(size >> 8));
        out.push_back(static_cast<std::uint8_t>(~size));
        out.push_back(static_cast<std::uint8_t>(~size >> 8));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(done),
                   raw.begin() + static_cast<std::ptrdiff_t>(done + size));
        done += size;
    } while (done < raw.size());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(out, (b << 16) | a);
    return out;
}

}  // namespace

bool WritePng(const OsmesaCanvas& canvas, const std::string& path)
{
    Bytes raw;
    raw.reserve(static_cast<std::size_t>(canvas.height) * (static_cast<std::size_t>(canvas.width) * 3 + 1));
    for (int y = 0; y < canvas.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < canvas.width; ++x) {
            const Pixel p = PixelAt(canvas, x, y);
            raw.push_back(static_cast<std::uint8_t>(p.r));
            raw.push_back(static_cast<std::uint8_t>(p.g));
            raw.push_back(static_cast<std::uint8_t>(p.b));
        }
    }
    Bytes header;
    PutBig32(header, static_cast<std::uint32_t>(canvas.width));
    PutBig32(header, static_cast<std::uint32_t>(canvas.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});

    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", Bytes{});

    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(file);
}
