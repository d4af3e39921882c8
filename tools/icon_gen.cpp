// icon_gen.cpp -- draws the game icon (a car on a road) at every size and writes it as one .ico file
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iostream>
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

// Renders one size with an ordered supersampling grid; the icon is a rounded
// square, so samples outside it count as transparent.
Picture Render(int size)
{
    const int grid = std::clamp(1024 / size, 4, 16);
    const long long scale = 2LL * size * grid;
    const std::vector<Shape> scene = BuildScene(size);
    const long long corner = std::max(DesignUnits / 10, 2 * (DesignUnits / size));
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

int NearestIndex(const std::vector<Rgb>& palette, const Rgb& c)
{
    int best = 0;
    long long bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
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
                PutU8(out, opaque ? static_cast<unsigned>(NearestIndex(palette, c)) : 0U);
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
    std::vector<std::vector<std::uint8_t>> dibs;
    for (const IconImage& image : IconImages) {
        auto found = std::find_if(pictures.begin(), pictures.end(),
                                  [&](const Picture& p) { return p.size == image.size; });
        if (found == pictures.end()) {
            pictures.push_back(Render(image.size));
            found = pictures.end() - 1;
        }
        dibs.push_back(EncodeDib(*found, image.bitsPerPixel, palette));
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
        PutU32(out, static_cast<std::uint32_t>(dibs[i].size()));
        PutU32(out, static_cast<std::uint32_t>(offset));
        offset += dibs[i].size();
    }
    for (const auto& dib : dibs) {
        out.insert(out.end(), dib.begin(), dib.end());
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: icon_gen <output.ico>\n";
        return 2;
    }
    const std::vector<std::uint8_t> icon = BuildIcon();
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(icon.data()), static_cast<std::streamsize>(icon.size()));
    file.close();
    if (!file) {
        std::cerr << "icon_gen: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
