// icon_gen.cpp -- draws the game icon (a car on a road) at every size: the Windows .ico file, or one PNG
//
// In the .ico the small images are classic DIBs and the two 256x256 images
// PNG, as icon files have held them since Vista. The same PNG writer gives the
// Linux menu's icons and the installed web page's, one file per size. PNGs are
// deflated here by the tool itself so the output never depends on a library's
// version.
#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <numeric>
#include <vector>

namespace {

// The scene is drawn in a square of DesignUnits; 768 is divisible by every
// icon size, so whole-pixel snapping stays exact in integer arithmetic.
constexpr long long DesignUnits = 768;

struct Rgb {
    int r;
    int g;
    int b;
};

struct Point {
    long long x;
    long long y;
};

// A filled shape: a polygon when points is not empty, otherwise a rectangle
// with circular corners of the given radius.
struct Shape {
    std::vector<Point> points;
    long long left;
    long long top;
    long long right;
    long long bottom;
    long long radius;
    Rgb colour;
};

struct Picture {
    int size;
    std::vector<Rgb> colour;
    std::vector<int> alpha;
};

struct IconImage {
    int size;
    int bitsPerPixel;
};

const Rgb SkyColour{0, 232, 255};
const Rgb GrassColour{46, 178, 58};
const Rgb HillColour{28, 130, 52};
const Rgb RoadColour{104, 106, 116};
const Rgb MarkColour{255, 255, 255};
const Rgb BodyColour{250, 250, 250};
const Rgb BumperColour{178, 184, 196};
const Rgb WindowColour{28, 84, 226};
const Rgb LampColour{232, 22, 22};
const Rgb TyreColour{24, 24, 30};
const Rgb OutlineColour{20, 28, 58};
const Rgb PlateColour{250, 214, 40};

const IconImage IconImages[] = {
    {256, 8}, {48, 8}, {32, 8}, {16, 8}, {256, 32}, {64, 32}, {48, 32}, {32, 32}, {16, 32},
};

Shape Polygon(std::vector<Point> points, Rgb colour)
{
    return Shape{std::move(points), 0, 0, 0, 0, 0, colour};
}

Shape RoundRect(long long left, long long top, long long right, long long bottom, long long radius, Rgb colour)
{
    return Shape{{}, left, top, right, bottom, radius, colour};
}

long long FloorDiv(long long a, long long b)
{
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

// Rounds a design coordinate to the nearest whole pixel of the given icon
// size, so the car's edges stay crisp at the small sizes.
long long Snap(long long v, int size)
{
    long long pixel = DesignUnits / size;
    return FloorDiv(v + pixel / 2, pixel) * pixel;
}

// Perspective helpers: t runs from 0 at the horizon to 1 at the bottom edge.
constexpr long long Horizon = 288;
constexpr long long TScale = 1000;

long long YAt(long long t)
{
    return Horizon + (DesignUnits - Horizon) * t / TScale;
}

long long Lerp(long long a, long long b, long long t)
{
    return a + (b - a) * t / TScale;
}

// A painted road line between depths t0 and t1: centre and width both
// interpolate from the far value to the near value.
Shape RoadLine(int size, long long t0, long long t1, long long farX, long long nearX, long long farW,
               long long nearW, long long minW)
{
    const long long y0 = Snap(YAt(t0), size);
    const long long y1 = Snap(YAt(t1), size);
    long long w0 = std::max(Lerp(farW, nearW, t0), minW);
    long long w1 = std::max(Lerp(farW, nearW, t1), minW);
    long long x0 = Lerp(farX, nearX, t0);
    long long x1 = Lerp(farX, nearX, t1);
    return Polygon({{x0 - w0 / 2, y0}, {x0 + w0 / 2, y0}, {x1 + w1 / 2, y1}, {x1 - w1 / 2, y1}},
                   MarkColour);
}

// Builds the back-to-front shape list for one icon size. Line widths never
// drop below about one pixel so the lane marks survive at 16x16.
std::vector<Shape> BuildScene(int size)
{
    const long long pixel = DesignUnits / size;
    const long long minLine = pixel * 9 / 10;
    std::vector<Shape> scene;

    scene.push_back(RoundRect(0, 0, DesignUnits, Horizon, 0, SkyColour));
    // Distant hills only muddy the horizon at the smallest size.
    if (size > 16) {
        scene.push_back(Polygon({{-10, Horizon}, {-10, Horizon - 40}, {90, Horizon - 62}, {200, Horizon - 30},
                                 {300, Horizon - 8}, {300, Horizon}},
                                HillColour));
        scene.push_back(Polygon({{420, Horizon}, {520, Horizon - 36}, {640, Horizon - 58}, {780, Horizon - 34},
                                 {780, Horizon}},
                                HillColour));
    }
    scene.push_back(RoundRect(0, Horizon, DesignUnits, DesignUnits, 0, GrassColour));

    const long long farLeft = 300;
    const long long farRight = 348;
    const long long nearLeft = -620;
    const long long nearRight = 1100;
    scene.push_back(Polygon(
        {{farLeft, Horizon}, {farRight, Horizon}, {nearRight, DesignUnits}, {nearLeft, DesignUnits}}, RoadColour));

    const long long inset = 14;
    const long long edgeFarW = 4;
    const long long edgeNearW = 44;
    const long long nearInset = 12 * inset;
    scene.push_back(RoadLine(size, 0, TScale, farLeft + inset, nearLeft + nearInset, edgeFarW, edgeNearW, minLine));
    scene.push_back(RoadLine(size, 0, TScale, farRight - inset, nearRight - nearInset, edgeFarW, edgeNearW, minLine));

    const long long centreFar = (farLeft + farRight) / 2;
    const long long centreNear = (nearLeft + nearRight) / 2;
    const long long dashes[][2] = {{40, 80}, {130, 210}, {290, 430}, {560, 800}, {960, 1300}};
    for (const auto& dash : dashes) {
        scene.push_back(RoadLine(size, dash[0], dash[1], centreFar, centreNear, 6, 56, minLine));
    }

    // The car, seen from behind in the right-hand lane.
    const long long left = Snap(336, size);
    const long long right = Snap(712, size);
    const long long top = Snap(384, size);
    const long long bottom = Snap(744, size);
    const long long width = right - left;
    const long long outline = std::max(pixel, 12LL);
    const long long beltLine = Snap(top + 128, size);
    const long long roofInset = Snap(left + width / 5, size) - left;
    const long long hipInset = Snap(left + width / 10, size) - left;
    const long long bodyBottom = Snap(bottom - 56, size);

    const long long tyreW = Snap(left + width / 5, size) - left;
    scene.push_back(RoundRect(left - outline, beltLine - outline, right + outline, bodyBottom + outline,
                              std::min(3 * pixel, 24LL) + outline, OutlineColour));
    scene.push_back(Polygon({{left + hipInset - outline, beltLine}, {left + roofInset - outline, top - outline},
                             {right - roofInset + outline, top - outline}, {right - hipInset + outline, beltLine}},
                            OutlineColour));
    scene.push_back(RoundRect(left, bodyBottom - pixel, left + tyreW, bottom, pixel, TyreColour));
    scene.push_back(RoundRect(right - tyreW, bodyBottom - pixel, right, bottom, pixel, TyreColour));

    scene.push_back(Polygon({{left + hipInset, beltLine + pixel}, {left + roofInset, top}, {right - roofInset, top},
                             {right - hipInset, beltLine + pixel}},
                            BodyColour));
    scene.push_back(RoundRect(left, beltLine, right, bodyBottom, std::min(3 * pixel, 24LL), BodyColour));

    const long long glassTop = Snap(top + 24, size);
    const long long glassBottom = Snap(beltLine - 14, size);
    const long long glassInset = std::max(pixel, 20LL);
    scene.push_back(Polygon({{left + hipInset + glassInset, glassBottom},
                             {left + roofInset + glassInset / 2, glassTop},
                             {right - roofInset - glassInset / 2, glassTop},
                             {right - hipInset - glassInset, glassBottom}},
                            WindowColour));

    const long long bumperTop = Snap(bodyBottom - 58, size);
    scene.push_back(RoundRect(left, bumperTop, right, bodyBottom, std::min(pixel, 16LL), BumperColour));

    const long long lampTop = Snap(beltLine + 30, size);
    const long long lampBottom = std::max(Snap(beltLine + 80, size), lampTop + pixel);
    const long long lampW = Snap(left + width * 3 / 10, size) - left;
    const long long lampEdge = Snap(left + 16, size) - left;
    scene.push_back(RoundRect(left + lampEdge, lampTop, left + lampW, lampBottom, std::min(pixel, 12LL), LampColour));
    scene.push_back(RoundRect(right - lampW, lampTop, right - lampEdge, lampBottom, std::min(pixel, 12LL), LampColour));

    if (size >= 48) {
        const long long plateW = width / 5;
        const long long plateTop = bumperTop + 12;
        scene.push_back(RoundRect((left + right) / 2 - plateW / 2, plateTop, (left + right) / 2 + plateW / 2,
                                  plateTop + 34, 6, PlateColour));
    }
    return scene;
}

// Point-in-shape test on coordinates already multiplied by the sample grid's
// denominator, so everything stays in exact integer arithmetic.
bool Contains(const Shape& shape, long long x, long long y, long long scale)
{
    if (shape.points.empty()) {
        long long l = shape.left * scale;
        long long t = shape.top * scale;
        long long r = shape.right * scale;
        long long b = shape.bottom * scale;
        if (x < l || x >= r || y < t || y >= b) {
            return false;
        }
        long long rad = shape.radius * scale;
        long long cx = std::clamp(x, l + rad, r - rad);
        long long cy = std::clamp(y, t + rad, b - rad);
        long long dx = x - cx;
        long long dy = y - cy;
        return dx * dx + dy * dy <= rad * rad;
    }
    int winding = 0;
    const std::size_t n = shape.points.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point& a = shape.points[i];
        const Point& b = shape.points[(i + 1) % n];
        long long ax = a.x * scale;
        long long ay = a.y * scale;
        long long bx = b.x * scale;
        long long by = b.y * scale;
        long long cross = (bx - ax) * (y - ay) - (x - ax) * (by - ay);
        if (ay <= y) {
            if (by > y && cross > 0) {
                ++winding;
            }
        } else if (by <= y && cross < 0) {
            --winding;
        }
    }
    return winding != 0;
}

// The size whose pixel grid the shapes snap to: the size itself where it
// divides 768. A pixel of the 512 image is 1.5 design units, so that image
// takes the 256 image's shapes, whose edges fall on every second of its own
// pixel boundaries, and draws them on its finer grid.
int SnapSize(int size)
{
    return static_cast<int>(std::gcd(DesignUnits, static_cast<long long>(size)));
}

// Renders one size with an ordered supersampling grid; the icon is a rounded
// square, so samples outside it count as transparent.
Picture Render(int size)
{
    const int grid = std::clamp(1024 / size, 4, 16);
    const long long scale = 2LL * size * grid;
    const std::vector<Shape> scene = BuildScene(SnapSize(size));
    const long long corner = std::max(DesignUnits / 10, 2 * (DesignUnits / SnapSize(size)));
    const Shape frame = RoundRect(0, 0, DesignUnits, DesignUnits, corner, Rgb{0, 0, 0});

    Picture picture{size, std::vector<Rgb>(static_cast<std::size_t>(size) * size), std::vector<int>(size * size)};
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            long long sumR = 0;
            long long sumG = 0;
            long long sumB = 0;
            long long count = 0;
            for (int sy = 0; sy < grid; ++sy) {
                for (int sx = 0; sx < grid; ++sx) {
                    long long x = ((static_cast<long long>(px) * grid + sx) * 2 + 1) * DesignUnits;
                    long long y = ((static_cast<long long>(py) * grid + sy) * 2 + 1) * DesignUnits;
                    if (!Contains(frame, x, y, scale)) {
                        continue;
                    }
                    for (auto it = scene.rbegin(); it != scene.rend(); ++it) {
                        if (Contains(*it, x, y, scale)) {
                            sumR += it->colour.r;
                            sumG += it->colour.g;
                            sumB += it->colour.b;
                            ++count;
                            break;
                        }
                    }
                }
            }
            std::size_t index = static_cast<std::size_t>(py) * size + px;
            const long long samples = static_cast<long long>(grid) * grid;
            picture.alpha[index] = static_cast<int>((count * 255 + samples / 2) / samples);
            if (count > 0) {
                picture.colour[index] = Rgb{static_cast<int>((sumR + count / 2) / count),
                                            static_cast<int>((sumG + count / 2) / count),
                                            static_cast<int>((sumB + count / 2) / count)};
            } else {
                picture.colour[index] = Rgb{0, 0, 0};
            }
        }
    }
    return picture;
}

// The 256-colour palette: black first (the colour under transparent pixels),
// then every scene colour, then blends between each pair of them so the
// smoothed edges have something close to map to, then a grey ramp.
std::vector<Rgb> BuildPalette()
{
    const Rgb base[] = {SkyColour,  GrassColour, HillColour, RoadColour,    MarkColour,  BodyColour,
                        BumperColour, WindowColour, LampColour, TyreColour, OutlineColour, PlateColour};
    std::vector<Rgb> palette{Rgb{0, 0, 0}};
    for (const Rgb& c : base) {
        palette.push_back(c);
    }
    const int steps = 4;
    const std::size_t baseCount = sizeof(base) / sizeof(base[0]);
    for (std::size_t i = 0; i < baseCount; ++i) {
        for (std::size_t j = i + 1; j < baseCount; ++j) {
            for (int s = 1; s < steps; ++s) {
                palette.push_back(Rgb{(base[i].r * (steps - s) + base[j].r * s + steps / 2) / steps,
                                      (base[i].g * (steps - s) + base[j].g * s + steps / 2) / steps,
                                      (base[i].b * (steps - s) + base[j].b * s + steps / 2) / steps});
            }
        }
    }
    const std::size_t ramp = 256 - palette.size();
    for (std::size_t k = 0; k < ramp; ++k) {
        int v = static_cast<int>(255 * (k + 1) / (ramp + 1));
        palette.push_back(Rgb{v, v, v});
    }
    return palette;
}

// The palette entry closest to c, searched from index first on.
int NearestIndex(const std::vector<Rgb>& palette, const Rgb& c, std::size_t first)
{
    int best = 0;
    long long bestDistance = -1;
    for (std::size_t i = first; i < palette.size(); ++i) {
        long long dr = palette[i].r - c.r;
        long long dg = palette[i].g - c.g;
        long long db = palette[i].b - c.b;
        long long d = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

void PutU8(std::vector<std::uint8_t>& out, unsigned v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
}

void PutU16(std::vector<std::uint8_t>& out, unsigned v)
{
    PutU8(out, v);
    PutU8(out, v >> 8);
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

std::size_t RowBytes(int width, int bitsPerPixel)
{
    return static_cast<std::size_t>((width * bitsPerPixel + 31) / 32 * 4);
}

void PutU32BigEndian(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    PutU8(out, v >> 24);
    PutU8(out, v >> 16);
    PutU8(out, v >> 8);
    PutU8(out, v);
}

// The CRC-32 that closes every PNG chunk.
std::uint32_t Crc32(const std::vector<std::uint8_t>& bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

// The checksum that closes a zlib stream.
std::uint32_t Adler32(const std::vector<std::uint8_t>& bytes)
{
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::uint8_t byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

// Deflate's bit order: fields from the lowest bit up, Huffman codes from their
// highest bit down.
struct BitWriter {
    std::vector<std::uint8_t> bytes;
    std::uint32_t pending = 0;
    int pendingCount = 0;
};

void PutBits(BitWriter& writer, std::uint32_t value, int count)
{
    writer.pending |= value << writer.pendingCount;
    writer.pendingCount += count;
    while (writer.pendingCount >= 8) {
        writer.bytes.push_back(static_cast<std::uint8_t>(writer.pending & 0xFF));
        writer.pending >>= 8;
        writer.pendingCount -= 8;
    }
}

void PutCode(BitWriter& writer, std::uint32_t code, int length)
{
    std::uint32_t reversed = 0;
    for (int i = 0; i < length; ++i) {
        reversed |= ((code >> i) & 1u) << (length - 1 - i);
    }
    PutBits(writer, reversed, length);
}

// A literal, the end marker or a length symbol in deflate's fixed code.
void PutSymbol(BitWriter& writer, unsigned symbol)
{
    if (symbol < 144) {
        PutCode(writer, 0x30 + symbol, 8);
    } else if (symbol < 256) {
        PutCode(writer, 0x190 + symbol - 144, 9);
    } else if (symbol < 280) {
        PutCode(writer, symbol - 256, 7);
    } else {
        PutCode(writer, 0xC0 + symbol - 280, 8);
    }
}

constexpr unsigned LengthBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                   31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int LengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr unsigned DistanceBase[] = {1,   2,   3,   4,    5,    7,    9,    13,   17,   25,    33,    49,    65,    97,    129,
                                     193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int DistanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

template <std::size_t N>
std::size_t BaseIndex(const unsigned (&bases)[N], unsigned value)
{
    std::size_t index = 0;
    while (index + 1 < N && bases[index + 1] <= value) {
        ++index;
    }
    return index;
}

void PutMatch(BitWriter& writer, unsigned length, unsigned distance)
{
    const std::size_t lengthIndex = BaseIndex(LengthBase, length);
    PutSymbol(writer, 257 + static_cast<unsigned>(lengthIndex));
    PutBits(writer, length - LengthBase[lengthIndex], LengthExtra[lengthIndex]);
    const std::size_t distanceIndex = BaseIndex(DistanceBase, distance);
    PutCode(writer, static_cast<std::uint32_t>(distanceIndex), 5);
    PutBits(writer, distance - DistanceBase[distanceIndex], DistanceExtra[distanceIndex]);
}

// One fixed-code deflate block with greedy matches found through hash chains.
// The icon is mostly flat colour, so long repeats carry almost all of it.
std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& data)
{
    constexpr std::size_t Window = 32768;
    constexpr std::size_t MaxMatch = 258;
    constexpr int MaxChain = 128;
    const std::size_t n = data.size();
    std::vector<long> head(1 << 15, -1);
    std::vector<long> previous(n, -1);
    auto hashAt = [&](std::size_t i) {
        return static_cast<std::size_t>((data[i] << 10) ^ (data[i + 1] << 5) ^ data[i + 2]) & 0x7FFF;
    };
    auto remember = [&](std::size_t i) {
        if (i + 2 < n) {
            const std::size_t hash = hashAt(i);
            previous[i] = head[hash];
            head[hash] = static_cast<long>(i);
        }
    };

    BitWriter writer;
    PutBits(writer, 1, 1);  // the last block
    PutBits(writer, 1, 2);  // fixed Huffman codes
    std::size_t i = 0;
    while (i < n) {
        std::size_t bestLength = 0;
        std::size_t bestDistance = 0;
        if (i + 2 < n) {
            const std::size_t limit = std::min(MaxMatch, n - i);
            long candidate = head[hashAt(i)];
            for (int chain = 0; candidate >= 0 && chain < MaxChain; ++chain) {
                const std::size_t from = static_cast<std::size_t>(candidate);
                if (i - from > Window) {
                    break;
                }
                std::size_t length = 0;
                while (length < limit && data[from + length] == data[i + length]) {
                    ++length;
                }
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = i - from;
                    if (length == limit) {
                        break;
                    }
                }
                candidate = previous[from];
            }
        }
        if (bestLength >= 3) {
            PutMatch(writer, static_cast<unsigned>(bestLength), static_cast<unsigned>(bestDistance));
            for (std::size_t k = 0; k < bestLength; ++k) {
                remember(i + k);
            }
            i += bestLength;
        } else {
            PutSymbol(writer, data[i]);
            remember(i);
            ++i;
        }
    }
    PutSymbol(writer, 256);
    PutBits(writer, 0, 7);
    return writer.bytes;
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data)
{
    std::vector<std::uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    PutU32BigEndian(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), body.begin(), body.end());
    PutU32BigEndian(out, Crc32(body));
}

// The Paeth predictor of PNG's filter type 4.
int Paeth(int left, int up, int upLeft)
{
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left);
    const int toUp = std::abs(estimate - up);
    const int toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft) {
        return left;
    }
    return toUp <= toUpLeft ? up : upLeft;
}

// Filters one row with each of PNG's five filters and keeps the one whose
// bytes, read as signed, sum smallest: the usual guess at what deflates best.
void PutFilteredRow(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& row,
                    const std::vector<std::uint8_t>& above, std::size_t pixelBytes)
{
    std::vector<std::uint8_t> best;
    long bestCost = -1;
    for (int filter = 0; filter < 5; ++filter) {
        std::vector<std::uint8_t> filtered{static_cast<std::uint8_t>(filter)};
        long cost = 0;
        for (std::size_t x = 0; x < row.size(); ++x) {
            const int left = x >= pixelBytes ? row[x - pixelBytes] : 0;
            const int up = above[x];
            const int upLeft = x >= pixelBytes ? above[x - pixelBytes] : 0;
            const int predictions[] = {0, left, up, (left + up) / 2, Paeth(left, up, upLeft)};
            const auto value = static_cast<std::uint8_t>(row[x] - predictions[filter]);
            filtered.push_back(value);
            cost += value < 128 ? value : 256 - value;
        }
        if (bestCost < 0 || cost < bestCost) {
            bestCost = cost;
            best = filtered;
        }
    }
    out.insert(out.end(), best.begin(), best.end());
}

// One picture as PNG: RGBA with the coverage as alpha, or 8-bit keeping the
// palette, with black at index 0 as the one see-through entry and opaque
// pixels mapped to the others.
std::vector<std::uint8_t> EncodePng(const Picture& picture, int bitsPerPixel, const std::vector<Rgb>& palette)
{
    const int size = picture.size;
    const std::size_t pixelBytes = bitsPerPixel == 8 ? 1 : 4;
    std::vector<std::uint8_t> raw;
    std::vector<std::uint8_t> above(pixelBytes * size, 0);
    for (int y = 0; y < size; ++y) {
        std::vector<std::uint8_t> row;
        for (int x = 0; x < size; ++x) {
            const std::size_t index = static_cast<std::size_t>(y) * size + x;
            const Rgb& c = picture.colour[index];
            if (bitsPerPixel == 8) {
                PutU8(row, picture.alpha[index] >= 128 ? static_cast<unsigned>(NearestIndex(palette, c, 1)) : 0U);
            } else {
                PutU8(row, static_cast<unsigned>(c.r));
                PutU8(row, static_cast<unsigned>(c.g));
                PutU8(row, static_cast<unsigned>(c.b));
                PutU8(row, static_cast<unsigned>(picture.alpha[index]));
            }
        }
        // Palette indices are no quantities to predict: those rows go unfiltered.
        if (bitsPerPixel == 8) {
            raw.push_back(0);
            raw.insert(raw.end(), row.begin(), row.end());
        } else {
            PutFilteredRow(raw, row, above, pixelBytes);
        }
        above = row;
    }

    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutU32BigEndian(header, static_cast<std::uint32_t>(size));
    PutU32BigEndian(header, static_cast<std::uint32_t>(size));
    PutU8(header, 8);                          // bits per sample
    PutU8(header, bitsPerPixel == 8 ? 3 : 6);  // palette, or RGBA
    PutU8(header, 0);                          // deflate
    PutU8(header, 0);                          // the five row filters
    PutU8(header, 0);                          // not interlaced
    PutChunk(out, "IHDR", header);
    if (bitsPerPixel == 8) {
        std::vector<std::uint8_t> colours;
        for (const Rgb& c : palette) {
            PutU8(colours, static_cast<unsigned>(c.r));
            PutU8(colours, static_cast<unsigned>(c.g));
            PutU8(colours, static_cast<unsigned>(c.b));
        }
        PutChunk(out, "PLTE", colours);
        PutChunk(out, "tRNS", {0});
    }
    std::vector<std::uint8_t> stream = {0x78, 0xDA};
    const std::vector<std::uint8_t> deflated = Deflate(raw);
    stream.insert(stream.end(), deflated.begin(), deflated.end());
    PutU32BigEndian(stream, Adler32(raw));
    PutChunk(out, "IDAT", stream);
    PutChunk(out, "IEND", {});
    return out;
}

// One icon image as a classic DIB: BITMAPINFOHEADER with doubled height,
// optional palette, bottom-up colour rows, then the 1-bit AND mask.
std::vector<std::uint8_t> EncodeDib(const Picture& picture, int bitsPerPixel, const std::vector<Rgb>& palette)
{
    const int size = picture.size;
    const std::size_t colourRow = RowBytes(size, bitsPerPixel);
    const std::size_t maskRow = RowBytes(size, 1);
    const std::size_t imageBytes = (colourRow + maskRow) * size;

    std::vector<std::uint8_t> out;
    PutU32(out, 40);
    PutU32(out, static_cast<std::uint32_t>(size));
    PutU32(out, static_cast<std::uint32_t>(2 * size));
    PutU16(out, 1);
    PutU16(out, static_cast<unsigned>(bitsPerPixel));
    PutU32(out, 0);
    PutU32(out, static_cast<std::uint32_t>(imageBytes));
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    if (bitsPerPixel == 8) {
        for (const Rgb& c : palette) {
            PutU8(out, static_cast<unsigned>(c.b));
            PutU8(out, static_cast<unsigned>(c.g));
            PutU8(out, static_cast<unsigned>(c.r));
            PutU8(out, 0);
        }
    }

    // A pixel under half coverage is see-through in the mask; with only a
    // mask to go on, the 8-bit images also paint it black.
    for (int row = size - 1; row >= 0; --row) {
        std::size_t start = out.size();
        for (int x = 0; x < size; ++x) {
            std::size_t index = static_cast<std::size_t>(row) * size + x;
            const Rgb& c = picture.colour[index];
            bool opaque = picture.alpha[index] >= 128;
            if (bitsPerPixel == 8) {
                PutU8(out, opaque ? static_cast<unsigned>(NearestIndex(palette, c, 0)) : 0U);
            } else {
                PutU8(out, static_cast<unsigned>(c.b));
                PutU8(out, static_cast<unsigned>(c.g));
                PutU8(out, static_cast<unsigned>(c.r));
                PutU8(out, static_cast<unsigned>(picture.alpha[index]));
            }
        }
        out.resize(start + colourRow, 0);
    }
    for (int row = size - 1; row >= 0; --row) {
        std::vector<std::uint8_t> bits(maskRow, 0);
        for (int x = 0; x < size; ++x) {
            if (picture.alpha[static_cast<std::size_t>(row) * size + x] < 128) {
                bits[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), bits.begin(), bits.end());
    }
    return out;
}

std::vector<std::uint8_t> BuildIcon()
{
    const std::vector<Rgb> palette = BuildPalette();
    std::vector<Picture> pictures;
    const std::size_t count = sizeof(IconImages) / sizeof(IconImages[0]);
    std::vector<std::vector<std::uint8_t>> images;
    for (const IconImage& image : IconImages) {
        auto found = std::find_if(pictures.begin(), pictures.end(),
                                  [&](const Picture& p) { return p.size == image.size; });
        if (found == pictures.end()) {
            pictures.push_back(Render(image.size));
            found = pictures.end() - 1;
        }
        images.push_back(image.size == 256 ? EncodePng(*found, image.bitsPerPixel, palette)
                                           : EncodeDib(*found, image.bitsPerPixel, palette));
    }

    std::vector<std::uint8_t> out;
    PutU16(out, 0);
    PutU16(out, 1);
    PutU16(out, static_cast<unsigned>(count));
    std::size_t offset = 6 + 16 * count;
    for (std::size_t i = 0; i < count; ++i) {
        const IconImage& image = IconImages[i];
        PutU8(out, image.size >= 256 ? 0U : static_cast<unsigned>(image.size));
        PutU8(out, image.size >= 256 ? 0U : static_cast<unsigned>(image.size));
        PutU8(out, 0);
        PutU8(out, 0);
        PutU16(out, 1);
        PutU16(out, static_cast<unsigned>(image.bitsPerPixel));
        PutU32(out, static_cast<std::uint32_t>(images[i].size()));
        PutU32(out, static_cast<std::uint32_t>(offset));
        offset += images[i].size();
    }
    for (const auto& bytes : images) {
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

// Sizes the art is drawn at exactly: whole design units per pixel, or per two
// pixels (512, the web page's large icon).
bool ArtSupports(long size)
{
    return size >= 16 && size <= DesignUnits && 2 * DesignUnits % size == 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::uint8_t> bytes;
    char* end = nullptr;
    const long size = argc == 3 ? std::strtol(argv[2], &end, 10) : 0;
    if (argc == 2) {
        bytes = BuildIcon();
    } else if (argc == 3 && end != argv[2] && *end == '\0' && ArtSupports(size)) {
        bytes = EncodePng(Render(static_cast<int>(size)), 32, {});
    } else {
        std::cerr << "usage: icon_gen <output.ico>\n"
                     "       icon_gen <output.png> <size>   (a size that divides "
                  << DesignUnits << ", at least 16, or 512)\n";
        return 2;
    }
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        std::cerr << "icon_gen: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
