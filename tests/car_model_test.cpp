// car_model_test.cpp -- checks the car's triangle table: size, extents, mirror halves, palette, lamps and winding
#include "render/model_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace {

constexpr int kTriangles = 776;
constexpr int kHalf = 388;

struct Corner {
    float x;
    float y;
    float z;
};

struct Byte3 {
    int r;
    int g;
    int b;
};

Corner CornerOf(int i, int k) {
    const ModelTable& m = carModel;
    switch (k) {
    case 0: return {m.x1[i], m.y1[i], m.z1[i]};
    case 1: return {m.x2[i], m.y2[i], m.z2[i]};
    default: return {m.x3[i], m.y3[i], m.z3[i]};
    }
}

float ByteToFloat(int k) { return static_cast<float>(k) / 255.0f; }

bool HasColour(int i, const Byte3& c) {
    return carModel.r[i] == ByteToFloat(c.r) && carModel.g[i] == ByteToFloat(c.g) && carModel.b[i] == ByteToFloat(c.b);
}

long Hundredths(float f) { return std::lround(double(f) * 100.0); }

struct Bounds {
    float lo[3] = {1e9f, 1e9f, 1e9f};
    float hi[3] = {-1e9f, -1e9f, -1e9f};
    int count = 0;
};

void Grow(Bounds& b, const Corner& p) {
    const float v[3] = {p.x, p.y, p.z};
    for (int a = 0; a < 3; ++a) {
        b.lo[a] = std::min(b.lo[a], v[a]);
        b.hi[a] = std::max(b.hi[a], v[a]);
    }
}

Bounds BoundsOf(const Byte3& colour) {
    Bounds b;
    for (int i = 0; i < carModel.n; ++i) {
        if (HasColour(i, colour)) {
            ++b.count;
            for (int k = 0; k < 3; ++k) {
                Grow(b, CornerOf(i, k));
            }
        }
    }
    return b;
}

struct PaletteEntry {
    Byte3 colour;
    int count;
    long lo[3];
    long hi[3];
};

// Colour, triangles in the whole model, and extents in hundredths.
const PaletteEntry kPalette[] = {
    {{255, 255, 255}, 528, {-200, -402, 8}, {200, 385, 208}},
    {{0, 0, 0}, 96, {-200, -396, 8}, {200, 385, 108}},
    {{178, 176, 179}, 60, {-200, -402, 83}, {200, 385, 184}},
    {{23, 59, 224}, 32, {-185, -241, 132}, {185, 193, 208}},
    {{47, 189, 190}, 16, {-200, -263, 33}, {200, 314, 83}},
    {{120, 118, 120}, 14, {-200, -390, 8}, {200, 385, 108}},
    {{190, 25, 20}, 8, {-200, 318, 108}, {200, 385, 158}},
    {{16, 41, 157}, 6, {-174, -241, 147}, {174, 150, 208}},
    {{154, 151, 154}, 4, {-200, -96, 58}, {200, 0, 83}},
    {{214, 203, 26}, 4, {-185, -385, 108}, {185, -289, 138}},
    {{136, 134, 136}, 4, {-50, 385, 108}, {50, 385, 126}},
    {{10, 24, 91}, 2, {-183, -168, 160}, {183, -96, 208}},
    {{19, 81, 177}, 2, {-183, -144, 132}, {183, -40, 208}},
};

constexpr Byte3 kWhite{255, 255, 255};
constexpr Byte3 kBlack{0, 0, 0};
constexpr Byte3 kGlass{23, 59, 224};
constexpr Byte3 kRim{47, 189, 190};
constexpr Byte3 kHub{120, 118, 120};
constexpr Byte3 kRed{190, 25, 20};
constexpr Byte3 kYellow{214, 203, 26};
constexpr Byte3 kPlate{136, 134, 136};

constexpr float kSide = 1.9971292f;
constexpr float kRear = 3.8522851f;

struct Vec {
    double x;
    double y;
    double z;
};

Vec Minus(const Corner& p, const Corner& q) { return {double(p.x) - q.x, double(p.y) - q.y, double(p.z) - q.z}; }

Vec Cross(const Vec& p, const Vec& q) {
    return {p.y * q.z - p.z * q.y, p.z * q.x - p.x * q.z, p.x * q.y - p.y * q.x};
}

double Dot(const Vec& p, const Vec& q) { return p.x * q.x + p.y * q.y + p.z * q.z; }

Vec NormalOf(int i) { return Cross(Minus(CornerOf(i, 1), CornerOf(i, 0)), Minus(CornerOf(i, 2), CornerOf(i, 0))); }

// Faces a ray from origin along dir passes through, leaving out triangle skip.
int Crossings(int skip, const Vec& origin, const Vec& dir) {
    int hits = 0;
    for (int i = 0; i < carModel.n; ++i) {
        if (i == skip) {
            continue;
        }
        const Corner a = CornerOf(i, 0);
        const Vec e1 = Minus(CornerOf(i, 1), a);
        const Vec e2 = Minus(CornerOf(i, 2), a);
        const Vec p = Cross(dir, e2);
        const double det = Dot(e1, p);
        if (std::fabs(det) < 1e-12) {
            continue;
        }
        const Vec s{origin.x - a.x, origin.y - a.y, origin.z - a.z};
        const double u = Dot(s, p) / det;
        const Vec q = Cross(s, e1);
        const double v = Dot(dir, q) / det;
        if (u < 0.0 || v < 0.0 || u + v > 1.0) {
            continue;
        }
        if (Dot(e2, q) / det > 0.0) {
            ++hits;
        }
    }
    return hits;
}

TEST(CarModelShape, HasItsTriangleCount) {
    EXPECT_EQ(carModel.n, kTriangles);
}

TEST(CarModelShape, ExtentsAreExact) {
    ASSERT_EQ(carModel.n, kTriangles);
    Bounds all;
    for (int i = 0; i < carModel.n; ++i) {
        for (int k = 0; k < 3; ++k) {
            Grow(all, CornerOf(i, k));
        }
    }
    EXPECT_EQ(all.lo[0], -1.9971292f);
    EXPECT_EQ(all.hi[0], 1.9971292f);
    EXPECT_EQ(all.lo[1], -4.0202093f);
    EXPECT_EQ(all.hi[1], 3.8522851f);
    EXPECT_EQ(all.lo[2], 0.07783282f);
    EXPECT_EQ(all.hi[2], 2.0778327f);
}

TEST(CarModelShape, NoTriangleIsDegenerate) {
    for (int i = 0; i < carModel.n; ++i) {
        const Vec n = NormalOf(i);
        EXPECT_GT(Dot(n, n), 1e-10) << "triangle " << i;
    }
}

TEST(CarModelMirror, SecondHalfMirrorsTheFirst) {
    ASSERT_EQ(carModel.n, kTriangles);
    for (int i = 0; i < kHalf; ++i) {
        const int j = i + kHalf;
        const Corner a = CornerOf(i, 0);
        const Corner b = CornerOf(i, 1);
        const Corner c = CornerOf(i, 2);
        const Corner ma = CornerOf(j, 0);
        const Corner mb = CornerOf(j, 1);
        const Corner mc = CornerOf(j, 2);
        EXPECT_TRUE(ma.x == -a.x && ma.y == a.y && ma.z == a.z) << "triangle " << j;
        EXPECT_TRUE(mb.x == -c.x && mb.y == c.y && mb.z == c.z) << "triangle " << j;
        EXPECT_TRUE(mc.x == -b.x && mc.y == b.y && mc.z == b.z) << "triangle " << j;
        EXPECT_EQ(carModel.r[j], carModel.r[i]);
        EXPECT_EQ(carModel.g[j], carModel.g[i]);
        EXPECT_EQ(carModel.b[j], carModel.b[i]);
    }
}

TEST(CarModelMirror, EachHalfKeepsToItsSide) {
    ASSERT_EQ(carModel.n, kTriangles);
    for (int i = 0; i < kTriangles; ++i) {
        for (int k = 0; k < 3; ++k) {
            const float x = CornerOf(i, k).x;
            if (i < kHalf) {
                EXPECT_GE(x, -0.0029f) << "triangle " << i;
            } else {
                EXPECT_LE(x, 0.0029f) << "triangle " << i;
            }
        }
    }
}

TEST(CarModelPalette, CountsAndExtentsPerColour) {
    int total = 0;
    for (const PaletteEntry& entry : kPalette) {
        const Bounds b = BoundsOf(entry.colour);
        SCOPED_TRACE(testing::Message() << entry.colour.r << "," << entry.colour.g << "," << entry.colour.b);
        EXPECT_EQ(b.count, entry.count);
        total += b.count;
        for (int a = 0; a < 3; ++a) {
            EXPECT_EQ(Hundredths(b.lo[a]), entry.lo[a]) << "axis " << a;
            EXPECT_EQ(Hundredths(b.hi[a]), entry.hi[a]) << "axis " << a;
        }
    }
    EXPECT_EQ(total, kTriangles) << "every triangle uses a palette colour given as byte / 255";
}

TEST(CarModelPalette, HalvesShareTheColoursEqually) {
    for (const PaletteEntry& entry : kPalette) {
        int first = 0;
        for (int i = 0; i < kHalf; ++i) {
            first += HasColour(i, entry.colour) ? 1 : 0;
        }
        EXPECT_EQ(first * 2, entry.count) << entry.colour.r << "," << entry.colour.g << "," << entry.colour.b;
    }
}

TEST(CarModelPalette, RimsLieOnTheFlanksAtTheWheels) {
    int rims = 0;
    for (int i = 0; i < carModel.n; ++i) {
        if (!HasColour(i, kRim)) {
            continue;
        }
        ++rims;
        for (int k = 0; k < 3; ++k) {
            const Corner p = CornerOf(i, k);
            EXPECT_EQ(std::fabs(p.x), kSide) << "triangle " << i;
            const long y = Hundredths(p.y);
            EXPECT_TRUE((y >= -263 && y <= -169) || (y >= 218 && y <= 314)) << "triangle " << i << " y " << p.y;
        }
    }
    EXPECT_EQ(rims, 16);
}

TEST(CarModelPalette, NumberPlateLiesOnTheTailPanel) {
    int plates = 0;
    for (int i = 0; i < carModel.n; ++i) {
        if (HasColour(i, kPlate)) {
            ++plates;
            for (int k = 0; k < 3; ++k) {
                EXPECT_EQ(CornerOf(i, k).y, kRear) << "triangle " << i;
            }
        }
    }
    EXPECT_EQ(plates, 4);
}

TEST(CarModelLamps, HeadlampsAtTheFrontTailLampsAtTheBack) {
    const Bounds head = BoundsOf(kYellow);
    EXPECT_EQ(head.count, 4);
    EXPECT_EQ(Hundredths(head.lo[1]), -385);
    EXPECT_EQ(Hundredths(head.hi[1]), -289);
    EXPECT_EQ(Hundredths(head.lo[2]), 108);
    EXPECT_EQ(Hundredths(head.hi[2]), 138);

    const Bounds tail = BoundsOf(kRed);
    EXPECT_EQ(tail.count, 8);
    EXPECT_EQ(Hundredths(tail.lo[1]), 318);
    EXPECT_EQ(Hundredths(tail.hi[1]), 385);
    EXPECT_EQ(Hundredths(tail.lo[2]), 108);
    EXPECT_EQ(Hundredths(tail.hi[2]), 158);
}

TEST(CarModelRows, SampleRowsAreExact) {
    ASSERT_EQ(carModel.n, kTriangles);
    struct Row {
        int index;
        Corner corners[3];
        Byte3 colour;
    };
    const Row rows[] = {
        {0, {{-0.002870977f, 0.9630713f, 2.0778327f}, {0.49712902f, 0.0f, 2.0778327f}, {0.49712902f, 0.9630713f, 2.0778327f}},
         kWhite},
        {23, {{1.4971291f, 3.5982811f, 1.0778327f}, {1.9971292f, 3.8522851f, 1.5778327f}, {1.888487f, 3.1794415f, 1.0778327f}},
         kRed},
        {120,
         {{1.3148261f, -3.6745787f, 1.1346741f}, {1.8521281f, -3.2917328f, 1.1175195f}, {1.7871016f, -2.8892138f, 1.3759571f}},
         kYellow},
        {388, {{0.002870977f, 0.9630713f, 2.0778327f}, {-0.49712902f, 0.9630713f, 2.0778327f}, {-0.49712902f, 0.0f, 2.0778327f}},
         kWhite},
    };
    for (const Row& row : rows) {
        for (int k = 0; k < 3; ++k) {
            const Corner p = CornerOf(row.index, k);
            EXPECT_EQ(p.x, row.corners[k].x) << "triangle " << row.index << " corner " << k + 1;
            EXPECT_EQ(p.y, row.corners[k].y) << "triangle " << row.index << " corner " << k + 1;
            EXPECT_EQ(p.z, row.corners[k].z) << "triangle " << row.index << " corner " << k + 1;
        }
        EXPECT_TRUE(HasColour(row.index, row.colour)) << "triangle " << row.index;
    }
}

// A ray leaving a face along its normal must cross the closed body an even
// number of times, so that every face looks outward.
TEST(CarModelWinding, EveryFaceLooksOutward) {
    for (int i = 0; i < carModel.n; ++i) {
        const Vec n = NormalOf(i);
        const double len = std::sqrt(Dot(n, n));
        const Vec dir{n.x / len + 0.0123, n.y / len + 0.0071, n.z / len + 0.0097};
        Vec start{0.0, 0.0, 0.0};
        for (int k = 0; k < 3; ++k) {
            const Corner p = CornerOf(i, k);
            start.x += p.x / 3.0;
            start.y += p.y / 3.0;
            start.z += p.z / 3.0;
        }
        start = {start.x + dir.x * 1e-4, start.y + dir.y * 1e-4, start.z + dir.z * 1e-4};
        EXPECT_EQ(Crossings(i, start, dir) % 2, 0) << "triangle " << i << " faces into the body";
    }
}

TEST(CarModelWinding, RoofFacesUpAndTailFacesBack) {
    for (int i = 0; i < carModel.n; ++i) {
        const Corner a = CornerOf(i, 0);
        const Corner b = CornerOf(i, 1);
        const Corner c = CornerOf(i, 2);
        const Vec n = NormalOf(i);
        if (a.z == 2.0778327f && b.z == 2.0778327f && c.z == 2.0778327f) {
            EXPECT_GT(n.z, 0.0) << "roof triangle " << i;
        }
        if (a.y == kRear && b.y == kRear && c.y == kRear) {
            EXPECT_GT(n.y, 0.0) << "tail triangle " << i;
        }
    }
}

// Plausibility: a white roof on top, a cabin narrower than the body, glass
// above the wheels, and dark hubs at both wheel stations on each flank.
TEST(CarModelLooks, ReadsAsACar) {
    float glassWidth = 0.0f;
    float glassLow = 1e9f;
    int roofWhite = 0;
    int hubsFront = 0;
    int hubsRear = 0;
    for (int i = 0; i < carModel.n; ++i) {
        for (int k = 0; k < 3; ++k) {
            const Corner p = CornerOf(i, k);
            if (HasColour(i, kGlass)) {
                glassWidth = std::max(glassWidth, std::fabs(p.x));
                glassLow = std::min(glassLow, p.z);
            }
        }
        const Corner a = CornerOf(i, 0);
        if (HasColour(i, kWhite) && a.z == 2.0778327f && CornerOf(i, 1).z == a.z && CornerOf(i, 2).z == a.z) {
            ++roofWhite;
        }
        if (HasColour(i, kHub) && std::fabs(a.x) == kSide) {
            hubsFront += a.y > -2.7f && a.y < -1.6f ? 1 : 0;
            hubsRear += a.y > 2.1f && a.y < 3.2f ? 1 : 0;
        }
    }
    EXPECT_GT(roofWhite, 0);
    EXPECT_LT(glassWidth, kSide - 0.1f);
    EXPECT_GT(glassLow, 1.08f);
    EXPECT_GE(hubsFront, 2);
    EXPECT_GE(hubsRear, 2);

    int tyreCorners = 0;
    for (int i = 0; i < carModel.n; ++i) {
        if (!HasColour(i, kBlack)) {
            continue;
        }
        for (int k = 0; k < 3; ++k) {
            const Corner p = CornerOf(i, k);
            const bool nearWheel = std::fabs(p.y + 2.16f) <= 0.51f || std::fabs(p.y - 2.66f) <= 0.51f;
            tyreCorners += std::fabs(p.x) == kSide && nearWheel ? 1 : 0;
        }
    }
    EXPECT_GT(tyreCorners, 40) << "black tyres on both flanks at both wheels";
}

}  // namespace
