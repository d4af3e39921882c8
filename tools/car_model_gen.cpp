// car_model_gen.cpp -- generates the car's triangle table from a readable body description
//
// Usage: car_model_gen <output .cpp path>
// Builds the right-hand (+x) half of the car from named parts, mirrors it into
// the left half, checks that the result is the car the game draws (776
// triangles, mirror-symmetric, every colour's count and extent as the views
// show them) and writes render/car_model_data.cpp. The output is identical on every run.

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Vec3 {
    float x;
    float y;
    float z;
};

struct Rgb {
    int r;
    int g;
    int b;
};

struct Tri {
    Vec3 a;
    Vec3 b;
    Vec3 c;
    Rgb colour;
};

bool operator==(const Rgb& p, const Rgb& q) { return p.r == q.r && p.g == q.g && p.b == q.b; }

// Palette, by what each colour paints.
constexpr Rgb kPaint{255, 255, 255};
constexpr Rgb kRubber{0, 0, 0};
constexpr Rgb kTrim{178, 176, 179};
constexpr Rgb kGlass{23, 59, 224};
constexpr Rgb kRim{47, 189, 190};
constexpr Rgb kHub{120, 118, 120};
constexpr Rgb kTailLamp{190, 25, 20};
constexpr Rgb kTint{16, 41, 157};
constexpr Rgb kHandle{154, 151, 154};
constexpr Rgb kHeadLamp{214, 203, 26};
constexpr Rgb kPlate{136, 134, 136};
constexpr Rgb kGlint{10, 24, 91};
constexpr Rgb kSheen{19, 81, 177};

// World anchors. The body is laid out in design units: u across from the
// centre line (0) to the flank (2), y along the car (front at -y) and v up
// from the ground (0) to the roof (2). These anchors pin the design units to
// the exact world floats the game relies on.
constexpr float kCentreX = -0.002870977f;
constexpr float kFlankX = 1.9971292f;
constexpr float kFlankU = 2.0f;
constexpr float kGroundZ = 0.07783282f;
constexpr float kRoofZ = 2.0778327f;
constexpr float kNoseY = -4.0202093f;
constexpr float kTailY = 3.8522851f;

constexpr int kHalfCount = 388;

// Positions are worked out in double and rounded once, so every platform
// lands on the same floats.
float WorldX(float u) { return u == kFlankU ? kFlankX : float(double(kCentreX) + u); }

float WorldZ(float v) { return float(kGroundZ + (double(kRoofZ) - kGroundZ) * (v / 2.0)); }

Vec3 P(float u, float y, float v) { return {WorldX(u), y, WorldZ(v)}; }

Vec3 Sub(const Vec3& p, const Vec3& q) { return {p.x - q.x, p.y - q.y, p.z - q.z}; }

Vec3 Cross(const Vec3& p, const Vec3& q) {
    return {p.y * q.z - p.z * q.y, p.z * q.x - p.x * q.z, p.x * q.y - p.y * q.x};
}

double Dot(const Vec3& p, const Vec3& q) {
    return double(p.x) * q.x + double(p.y) * q.y + double(p.z) * q.z;
}

Vec3 Normal(const Tri& t) { return Cross(Sub(t.b, t.a), Sub(t.c, t.a)); }

// Blends p to q, landing exactly on each end and keeping shared coordinates exact.
float Lerp(float p, float q, double t) { return p == q ? p : float(p * (1.0 - t) + q * t); }

Vec3 Lerp(const Vec3& p, const Vec3& q, double t) { return {Lerp(p.x, q.x, t), Lerp(p.y, q.y, t), Lerp(p.z, q.z, t)}; }

// The half being built, in drawing order.
std::vector<Tri> half;

// Adds a triangle exactly as given.
void AddTri(const Vec3& a, const Vec3& b, const Vec3& c, Rgb colour) { half.push_back({a, b, c, colour}); }

// Adds a triangle turned so that it faces along outward.
void AddFacing(const Vec3& a, const Vec3& b, const Vec3& c, Rgb colour, const Vec3& outward) {
    Tri t{a, b, c, colour};
    if (Dot(Normal(t), outward) < 0.0) {
        std::swap(t.b, t.c);
    }
    half.push_back(t);
}

// Fills a simple polygon (corners in order, either way round) by ear
// clipping on the plane that outward looks down on.
void AddPolygon(const std::vector<Vec3>& corners, Rgb colour, const Vec3& outward) {
    const float ax = std::fabs(outward.x);
    const float ay = std::fabs(outward.y);
    const float az = std::fabs(outward.z);
    std::vector<std::array<double, 2>> flat;
    for (const Vec3& p : corners) {
        if (ax >= ay && ax >= az) {
            flat.push_back({p.y, p.z});
        } else if (ay >= az) {
            flat.push_back({p.z, p.x});
        } else {
            flat.push_back({p.x, p.y});
        }
    }
    std::vector<int> ring;
    double area = 0.0;
    for (size_t i = 0; i < flat.size(); ++i) {
        const auto& p = flat[i];
        const auto& q = flat[(i + 1) % flat.size()];
        area += p[0] * q[1] - q[0] * p[1];
        ring.push_back(int(i));
    }
    if (area < 0.0) {
        std::reverse(ring.begin(), ring.end());
    }
    auto turn = [&](int i, int j, int k) {
        const auto& p = flat[i];
        const auto& q = flat[j];
        const auto& r = flat[k];
        return (q[0] - p[0]) * (r[1] - p[1]) - (q[1] - p[1]) * (r[0] - p[0]);
    };
    while (ring.size() > 3) {
        bool clipped = false;
        for (size_t n = 0; n < ring.size() && !clipped; ++n) {
            const int i = ring[(n + ring.size() - 1) % ring.size()];
            const int j = ring[n];
            const int k = ring[(n + 1) % ring.size()];
            if (turn(i, j, k) <= 1e-9) {
                continue;
            }
            bool empty = true;
            for (int m : ring) {
                if (m == i || m == j || m == k) {
                    continue;
                }
                if (turn(i, j, m) >= 0.0 && turn(j, k, m) >= 0.0 && turn(k, i, m) >= 0.0) {
                    empty = false;
                    break;
                }
            }
            if (empty) {
                AddFacing(corners[i], corners[j], corners[k], colour, outward);
                ring.erase(ring.begin() + long(n));
                clipped = true;
            }
        }
        if (!clipped) {
            std::fprintf(stderr, "car_model_gen: cannot fill a polygon of %zu corners\n", corners.size());
            std::exit(1);
        }
    }
    AddFacing(corners[ring[0]], corners[ring[1]], corners[ring[2]], colour, outward);
}

// Fills the four-sided patch a-b-c-d (in order round its edge) with an
// across x along grid of cells, each split on its a-c diagonal.
void AddPatch(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& d, int across, int along, Rgb colour,
              const Vec3& outward) {
    auto at = [&](int i, int j) {
        const double s = double(i) / across;
        const double t = double(j) / along;
        return Lerp(Lerp(a, b, s), Lerp(d, c, s), t);
    };
    for (int j = 0; j < along; ++j) {
        for (int i = 0; i < across; ++i) {
            AddFacing(at(i, j), at(i + 1, j), at(i + 1, j + 1), colour, outward);
            AddFacing(at(i, j), at(i + 1, j + 1), at(i, j + 1), colour, outward);
        }
    }
}

const Vec3 kUp{0, 0, 1};
const Vec3 kDown{0, 0, -1};
const Vec3 kOut{1, 0, 0};
const Vec3 kAhead{0, -1, 0};
const Vec3 kBehind{0, 1, 0};

// ---------------------------------------------------------------------------
// Body description (design units unless a point is given in world units).

// Wheels: centres along the car, with the rim spokes reaching nearly to the tyre.
struct Wheel {
    float y;
    float spoke;
};
constexpr Wheel kFrontWheel{-2.16f, 0.47f};
constexpr Wheel kRearWheel{2.66f, 0.48f};
constexpr float kWheelV = 0.5f;
constexpr float kTyreRadius = 0.5f;
constexpr float kRimTall = 0.25f;
constexpr float kHubHalf = 0.1f;

// Heights of the body's horizontal lines.
constexpr float kBumperLowV = 0.75f;
constexpr float kBumperTopV = 1.0f;
constexpr float kBeltV = 1.24f;
constexpr float kCowlV = 1.39f;
constexpr float kDeckV = 1.5f;
constexpr float kRoofV = 2.0f;
constexpr float kWingLowV = 1.70f;
constexpr float kWingTopV = 1.76f;
constexpr float kLipV = 0.12f;
constexpr float kIntakeTopV = 0.5f;
constexpr float kPlateTopV = 1.18f;
constexpr float kGlintLowV = 1.52f;

// Stations along the car.
constexpr float kBonnetFrontY = -3.85f;
constexpr float kValanceY = -3.90f;
constexpr float kLipY = -3.96f;
constexpr float kFrontWrapY = -3.60f;
constexpr float kCowlY = -2.41f;
constexpr float kScreenTopY = -1.30f;
constexpr float kRoofRearY = 0.9630713f;
constexpr float kTintEdgeY = 1.50f;
constexpr float kQuarterY = 1.93f;
constexpr float kRearWrapY = 3.40f;
constexpr float kGlintFrontY = -1.68f;
constexpr float kSheenFrontY = -1.44f;
constexpr float kGlintRearY = -0.96f;
constexpr float kPillarFrontY = -0.40f;
constexpr float kPillarRearY = -0.25f;
constexpr float kRoofMidY = 0.0f;
constexpr float kHandleFrontY = -0.96f;
constexpr float kHandleRearY = 0.0f;
constexpr float kHandleLowV = 0.5f;
constexpr float kHandleTopV = 0.75f;

// Widths.
constexpr float kDiffuserU = 0.3f;
constexpr float kIntakeU = 0.9f;
constexpr float kPlateU = 0.5f;
constexpr float kTailLensU = 1.2f;
constexpr float kHeadLampFrontU = 1.6f;
constexpr float kCabinU = 1.833f;
constexpr float kScreenCornerU = 1.853f;
constexpr float kScreenBaseU = 1.74f;

// The octagonal tyre outline on the flank, corner k at 45k degrees. The sill
// runs along the level of the tyre's lower diagonal corners.
constexpr float kTyreDiagonal = 0.35355339f;

float SillV() { return kWheelV - kTyreDiagonal; }

Vec3 TyreCorner(const Wheel& w, int k) {
    switch (k % 8) {
    case 0: return P(kFlankU, w.y + kTyreRadius, kWheelV);
    case 1: return P(kFlankU, w.y + kTyreDiagonal, kWheelV + kTyreDiagonal);
    case 2: return P(kFlankU, w.y, kWheelV + kTyreRadius);
    case 3: return P(kFlankU, w.y - kTyreDiagonal, kWheelV + kTyreDiagonal);
    case 4: return P(kFlankU, w.y - kTyreRadius, kWheelV);
    case 5: return P(kFlankU, w.y - kTyreDiagonal, SillV());
    case 6: return P(kFlankU, w.y, kWheelV - kTyreRadius);
    default: return P(kFlankU, w.y + kTyreDiagonal, SillV());
    }
}

// The four-pointed rim around the hub, point k at 45k degrees: spokes on even
// k, hub corners on odd k.
Vec3 RimCorner(const Wheel& w, int k) {
    switch (k % 8) {
    case 0: return P(kFlankU, w.y + w.spoke, kWheelV);
    case 1: return P(kFlankU, w.y + kHubHalf, kWheelV + kHubHalf);
    case 2: return P(kFlankU, w.y, kWheelV + kRimTall);
    case 3: return P(kFlankU, w.y - kHubHalf, kWheelV + kHubHalf);
    case 4: return P(kFlankU, w.y - w.spoke, kWheelV);
    case 5: return P(kFlankU, w.y - kHubHalf, kWheelV - kHubHalf);
    case 6: return P(kFlankU, w.y, kWheelV - kRimTall);
    default: return P(kFlankU, w.y + kHubHalf, kWheelV - kHubHalf);
    }
}

// Lamp corners, given in world units.
const Vec3 kHeadLampInner{1.3148261f, -3.6745787f, 1.1346741f};
const Vec3 kHeadLampOuter{1.8521281f, -3.2917328f, 1.1175195f};
const Vec3 kHeadLampRear{1.7871016f, -2.8892138f, 1.3759571f};
const Vec3 kTailLampInner{1.4971291f, 3.5982811f, WorldZ(kBumperTopV)};
const Vec3 kTailLampOuter{1.888487f, 3.1794415f, WorldZ(kBumperTopV)};
const Vec3 kTailLampTop{kFlankX, kTailY, WorldZ(kDeckV)};

Vec3 TailLampBase() { return {kTailLampInner.x, kTailY, kTailLampInner.z}; }
Vec3 TailLampCorner() { return P(kFlankU, kTailY, kBumperTopV); }

// The flank's top edge from the nose back to the tail lamp corner.
std::vector<Vec3> ShoulderLine() {
    return {P(kFlankU, kNoseY, kBumperTopV),
            P(kFlankU, kBonnetFrontY, kBumperTopV),
            P(kFlankU, kFrontWrapY, kBumperTopV),
            {kFlankX, kHeadLampOuter.y, kHeadLampOuter.z},
            {kFlankX, kHeadLampRear.y, kHeadLampRear.z},
            P(kFlankU, kCowlY, kBeltV),
            P(kFlankU, kHandleRearY, kBeltV),
            P(kFlankU, kQuarterY, kDeckV),
            kTailLampTop};
}

// The glass columns: where the windscreen and rear window are cut, from the
// centre line out to the roof's edge.
const std::vector<float> kGlassColumns{0.0f, 0.5f, 0.9f, kCabinU};

// The roof, cut along the glass columns and the side window lines so that
// its edges meet the glass corner to corner; across picks some columns.
void AddRoof(const std::vector<float>& across) {
    const std::vector<float> rows{kRoofRearY, kRoofMidY, kPillarRearY, kPillarFrontY, kGlintRearY, kScreenTopY};
    for (size_t j = 0; j + 1 < rows.size(); ++j) {
        const float back = rows[j];
        const float front = rows[j + 1];
        for (size_t i = 0; i + 1 < across.size(); ++i) {
            const float in = across[i];
            const float out = across[i + 1];
            AddTri(P(in, back, kRoofV), P(out, front, kRoofV), P(out, back, kRoofV), kPaint);
            AddTri(P(in, back, kRoofV), P(in, front, kRoofV), P(out, front, kRoofV), kPaint);
        }
    }
}

void AddNumberPlate() {
    AddPolygon({P(0.0f, kTailY, kBumperTopV), P(kPlateU, kTailY, kBumperTopV), P(kPlateU, kTailY, kPlateTopV),
                P(0.0f, kTailY, kPlateTopV)},
               kPlate, kBehind);
}

// The tail lamp wraps under the rear corner of the deck: a pocket opening
// on the tail panel, lit on its roof and inner wall, with a lens above it.
void AddTailLamp() {
    AddFacing(P(kTailLensU, kTailY, kDeckV), TailLampBase(), kTailLampTop, kTailLamp, kBehind);
    AddTri(kTailLampInner, kTailLampTop, kTailLampOuter, kTailLamp);
    AddFacing(TailLampBase(), kTailLampTop, kTailLampInner, kTailLamp, {1, 0, -1});
    AddFacing(kTailLampOuter, kTailLampTop, TailLampCorner(), kTailLamp, {-1, 0.2f, 0});
    AddPolygon({TailLampCorner(), TailLampBase(), kTailLampInner, kTailLampOuter}, kTrim, kUp);
}

// The tail panel's top edge carries the deck's grid corners.
void AddTailPanel() {
    AddPolygon({P(0.0f, kTailY, kPlateTopV), P(kPlateU, kTailY, kPlateTopV), P(kPlateU, kTailY, kBumperTopV),
                TailLampBase(), P(kTailLensU, kTailY, kDeckV), P(1.0f, kTailY, kDeckV), P(0.5f, kTailY, kDeckV),
                P(0.0f, kTailY, kDeckV)},
               kPaint, kBehind);
}

// Below the bumper: a centre diffuser between black valance ends.

void AddTailValance() {
    AddPolygon({P(0.0f, kTailY, 0.0f), P(kDiffuserU, kTailY, 0.0f), P(kDiffuserU, kTailY, kBumperTopV),
                P(0.0f, kTailY, kBumperTopV)},
               kHub, kBehind);
    AddPolygon({P(kDiffuserU, kTailY, 0.0f), P(kFlankU, kTailY, 0.0f), P(kFlankU, kTailY, kBumperLowV),
                P(kDiffuserU, kTailY, kBumperLowV)},
               kRubber, kBehind);
    AddPolygon({P(kDiffuserU, kTailY, kBumperLowV), P(kFlankU, kTailY, kBumperLowV), TailLampCorner(),
                P(kDiffuserU, kTailY, kBumperTopV)},
               kTrim, kBehind);
}

// The rear window runs from the roof down to the deck; its upper inner part
// is tinted.
void AddRearWindow() {
    const Vec3 lean{0, 1, 1};
    const float tintV = kRoofV + (kDeckV - kRoofV) * ((kTintEdgeY - kRoofRearY) / (kQuarterY - kRoofRearY));
    const Vec3 topIn = P(0.0f, kRoofRearY, kRoofV);
    const Vec3 topMid = P(kGlassColumns[2], kRoofRearY, kRoofV);
    const Vec3 topOut = P(kCabinU, kRoofRearY, kRoofV);
    const Vec3 tintIn = P(0.0f, kTintEdgeY, tintV);
    const Vec3 tintOut = P(kGlassColumns[2], kTintEdgeY, tintV);
    AddFacing(topIn, tintOut, tintIn, kTint, lean);
    AddFacing(topIn, topMid, tintOut, kTint, lean);
    AddPolygon({topMid, topOut, P(kScreenCornerU, kQuarterY, kDeckV), P(0.0f, kQuarterY, kDeckV), tintIn, tintOut},
               kGlass, lean);
}

// The windscreen leans back from the cowl to the roof, wrapping round to the
// side glass at its lower corner; a tinted streak runs up its outer column.
void AddWindscreen() {
    const Vec3 lean{0, -1, 1};
    const std::vector<float>& top = kGlassColumns;
    std::vector<float> base = kGlassColumns;
    base.back() = kScreenBaseU;
    for (size_t i = 0; i + 1 < top.size(); ++i) {
        const Vec3 baseIn = P(base[i], kCowlY, kCowlV);
        const Vec3 baseOut = P(base[i + 1], kCowlY, kCowlV);
        const Vec3 topIn = P(top[i], kScreenTopY, kRoofV);
        const Vec3 topOut = P(top[i + 1], kScreenTopY, kRoofV);
        AddFacing(baseIn, baseOut, topIn, i == 2 ? kTint : kGlass, lean);
        AddFacing(baseOut, topOut, topIn, kGlass, lean);
    }
    AddFacing(P(kScreenBaseU, kCowlY, kCowlV), P(kScreenCornerU, kCowlY, kBeltV), P(kCabinU, kScreenTopY, kRoofV),
              kGlass, lean);
}

// Upright side glass: the front door window carries two reflection streaks,
// then the pillar, then the rear window reaching back to the deck.
void AddSideGlass() {
    const Vec3 a = P(kScreenCornerU, kCowlY, kBeltV);
    const Vec3 b = P(kCabinU, kScreenTopY, kRoofV);
    const Vec3 c = P(kCabinU, kGlintFrontY, kGlintLowV);
    const Vec3 d = P(kCabinU, kGlintRearY, kRoofV);
    const Vec3 e = P(kCabinU, kSheenFrontY, kBeltV);
    const Vec3 f = P(kCabinU, kPillarFrontY, kBeltV);
    const Vec3 g = P(kCabinU, kPillarFrontY, kRoofV);
    AddFacing(a, e, c, kGlass, kOut);
    AddFacing(e, d, c, kGlass, kOut);
    AddFacing(d, b, c, kGlint, kOut);
    AddFacing(b, a, c, kGlass, kOut);
    AddFacing(e, f, d, kSheen, kOut);
    AddFacing(f, g, d, kGlass, kOut);
    AddPolygon({f, P(kCabinU, kPillarRearY, kBeltV), P(kCabinU, kPillarRearY, kRoofV), g}, kPaint, kOut);
    AddPolygon({P(kCabinU, kPillarRearY, kBeltV), P(kScreenCornerU, kQuarterY, kDeckV),
                P(kCabinU, kRoofRearY, kRoofV), P(kCabinU, kPillarRearY, kRoofV)},
               kGlass, kOut);
}

// The ledge along the flank between the side glass and the body's edge.
void AddBeltLedge() {
    AddPolygon({P(kScreenCornerU, kCowlY, kBeltV), P(kFlankU, kCowlY, kBeltV), P(kFlankU, kHandleFrontY, kBeltV),
                P(kFlankU, kHandleRearY, kBeltV), P(kCabinU, kPillarRearY, kBeltV), P(kCabinU, kPillarFrontY, kBeltV),
                P(kCabinU, kSheenFrontY, kBeltV)},
               kPaint, kUp);
    const Vec3 pillar = P(kCabinU, kPillarRearY, kBeltV);
    AddFacing(pillar, P(kFlankU, kHandleRearY, kBeltV), P(kFlankU, kQuarterY, kDeckV), kPaint, kUp);
    AddFacing(pillar, P(kFlankU, kQuarterY, kDeckV), P(kScreenCornerU, kQuarterY, kDeckV), kPaint, kUp);
}

// The deck, gridded to meet the tail panel's top edge corner to corner.
void AddDeck() {
    AddPatch(P(0.0f, kQuarterY, kDeckV), P(kFlankU, kQuarterY, kDeckV), kTailLampTop, P(0.0f, kTailY, kDeckV), 4, 6,
             kPaint, kUp);
}

// Door mirrors stand just clear of the belt ledge behind the windscreen.
void AddMirror() {
    const float in = 1.87f;
    const float out = 1.99f;
    const float front = -2.25f;
    const float back = -2.05f;
    const float low = 1.26f;
    const float top = 1.50f;
    AddPatch(P(in, front, top), P(out, front, top), P(out, back, top), P(in, back, top), 1, 1, kPaint, kUp);
    AddPatch(P(in, front, low), P(out, front, low), P(out, back, low), P(in, back, low), 1, 1, kPaint, kDown);
    AddPatch(P(in, front, low), P(out, front, low), P(out, front, top), P(in, front, top), 1, 1, kPaint, kAhead);
    AddPatch(P(in, back, low), P(out, back, low), P(out, back, top), P(in, back, top), 1, 1, kPaint, kBehind);
    AddPatch(P(out, front, low), P(out, back, low), P(out, back, top), P(out, front, top), 1, 1, kPaint, kOut);
    AddPatch(P(in, front, low), P(in, back, low), P(in, back, top), P(in, front, top), 1, 1, kPaint, {-1, 0, 0});
}

// A rear wing on a single post each side.
void AddWing() {
    const float in = 0.0f;
    const float out = 1.85f;
    const float front = 3.35f;
    const float back = 3.80f;
    AddPatch(P(in, front, kWingTopV), P(out, front, kWingTopV), P(out, back, kWingTopV), P(in, back, kWingTopV),
             1, 1, kTrim, kUp);
    AddPatch(P(in, front, kWingLowV), P(out, front, kWingLowV), P(out, back, kWingLowV), P(in, back, kWingLowV),
             1, 1, kTrim, kDown);
    AddPatch(P(in, front, kWingLowV), P(out, front, kWingLowV), P(out, front, kWingTopV), P(in, front, kWingTopV),
             1, 1, kTrim, kAhead);
    AddPatch(P(in, back, kWingLowV), P(out, back, kWingLowV), P(out, back, kWingTopV), P(in, back, kWingTopV), 1,
             1, kTrim, kBehind);
    AddPatch(P(out, front, kWingLowV), P(out, back, kWingLowV), P(out, back, kWingTopV), P(out, front, kWingTopV),
             1, 1, kTrim, kOut);
    const float postIn = 1.15f;
    const float postOut = 1.35f;
    const float postFront = 3.45f;
    const float postBack = 3.65f;
    AddPatch(P(postOut, postFront, kDeckV), P(postOut, postBack, kDeckV), P(postOut, postBack, kWingLowV),
             P(postOut, postFront, kWingLowV), 1, 1, kTrim, kOut);
    AddPatch(P(postIn, postFront, kDeckV), P(postIn, postBack, kDeckV), P(postIn, postBack, kWingLowV),
             P(postIn, postFront, kWingLowV), 1, 1, kTrim, {-1, 0, 0});
    AddPatch(P(postIn, postFront, kDeckV), P(postOut, postFront, kDeckV), P(postOut, postFront, kWingLowV),
             P(postIn, postFront, kWingLowV), 1, 1, kTrim, kAhead);
    AddPatch(P(postIn, postBack, kDeckV), P(postOut, postBack, kDeckV), P(postOut, postBack, kWingLowV),
             P(postIn, postBack, kWingLowV), 1, 1, kTrim, kBehind);
}

// A wheel painted on the flank: tyre ring, four-pointed rim and hub. The
// tyre's two lowest ring cells belong to the sill.
void AddWheel(const Wheel& w) {
    for (int k = 0; k < 8; ++k) {
        if (k == 5 || k == 6) {
            continue;
        }
        AddPolygon({TyreCorner(w, k), TyreCorner(w, k + 1), RimCorner(w, k + 1), RimCorner(w, k)}, kRubber, kOut);
    }
    for (int k = 0; k < 8; k += 2) {
        AddFacing(RimCorner(w, k + 7), RimCorner(w, k), RimCorner(w, k + 1), kRim, kOut);
    }
    AddPolygon({RimCorner(w, 1), RimCorner(w, 3), RimCorner(w, 5), RimCorner(w, 7)}, kHub, kOut);
}

// Black along the flank's foot: front valance end, sill under both wheels
// and the rear valance end.
void AddSill() {
    std::vector<Vec3> edge{P(kFlankU, kLipY, 0.0f), P(kFlankU, kTailY, 0.0f), P(kFlankU, kTailY, kBumperLowV),
                           P(kFlankU, kRearWrapY, kBumperLowV), P(kFlankU, kRearWrapY, SillV())};
    for (const Wheel& w : {kRearWheel, kFrontWheel}) {
        edge.push_back(TyreCorner(w, 7));
        edge.push_back(RimCorner(w, 7));
        edge.push_back(RimCorner(w, 6));
        edge.push_back(RimCorner(w, 5));
        edge.push_back(TyreCorner(w, 5));
    }
    edge.push_back(P(kFlankU, kFrontWrapY, SillV()));
    edge.push_back(P(kFlankU, kFrontWrapY, kBumperLowV));
    edge.push_back(P(kFlankU, kValanceY, kBumperLowV));
    edge.push_back(P(kFlankU, kValanceY, kLipV));
    AddPolygon(edge, kRubber, kOut);
}

// The white flank around the wheels, the door handle and the bumper ends.
void AddFlankPanels() {
    std::vector<Vec3> front{P(kFlankU, kFrontWrapY, SillV())};
    for (int k = 5; k >= -1; --k) {
        front.push_back(TyreCorner(kFrontWheel, (k + 8) % 8));
    }
    front.push_back(P(kFlankU, kHandleFrontY, SillV()));
    front.push_back(P(kFlankU, kHandleFrontY, kBeltV));
    const std::vector<Vec3> shoulder = ShoulderLine();
    front.push_back(shoulder[5]);
    front.push_back(shoulder[4]);
    front.push_back(shoulder[3]);
    front.push_back(shoulder[2]);
    AddPolygon(front, kPaint, kOut);

    AddPatch(P(kFlankU, kHandleFrontY, SillV()), P(kFlankU, kHandleRearY, SillV()),
             P(kFlankU, kHandleRearY, kHandleLowV), P(kFlankU, kHandleFrontY, kHandleLowV), 2, 2, kPaint, kOut);
    AddPatch(P(kFlankU, kHandleFrontY, kHandleTopV), P(kFlankU, kHandleRearY, kHandleTopV),
             P(kFlankU, kHandleRearY, kBeltV), P(kFlankU, kHandleFrontY, kBeltV), 2, 2, kPaint, kOut);
    AddPolygon({P(kFlankU, kHandleFrontY, kHandleLowV), P(kFlankU, kHandleRearY, kHandleLowV),
                P(kFlankU, kHandleRearY, kHandleTopV), P(kFlankU, kHandleFrontY, kHandleTopV)},
               kHandle, kOut);

    std::vector<Vec3> rear{P(kFlankU, kHandleRearY, SillV())};
    for (int k = 5; k >= -1; --k) {
        rear.push_back(TyreCorner(kRearWheel, (k + 8) % 8));
    }
    rear.push_back(P(kFlankU, kRearWrapY, SillV()));
    rear.push_back(P(kFlankU, kRearWrapY, kBumperTopV));
    rear.push_back(TailLampCorner());
    rear.push_back(shoulder[8]);
    rear.push_back(shoulder[7]);
    rear.push_back(shoulder[6]);
    AddPolygon(rear, kPaint, kOut);

    AddPolygon({P(kFlankU, kNoseY, kBumperLowV), P(kFlankU, kFrontWrapY, kBumperLowV),
                P(kFlankU, kFrontWrapY, kBumperTopV), P(kFlankU, kNoseY, kBumperTopV)},
               kTrim, kOut);
    AddPolygon({P(kFlankU, kRearWrapY, kBumperLowV), P(kFlankU, kTailY, kBumperLowV), TailLampCorner(),
                P(kFlankU, kRearWrapY, kBumperTopV)},
               kTrim, kOut);
}

// The bonnet rises from the nose to the cowl, with a headlamp set into each
// front corner.
void AddBonnet() {
    const Vec3 inner = kHeadLampInner;
    const Vec3 outer = kHeadLampOuter;
    const Vec3 rear = kHeadLampRear;
    const Vec3 front = P(kHeadLampFrontU, kBonnetFrontY, kBumperTopV);
    AddTri(inner, outer, rear, kHeadLamp);
    AddFacing(inner, front, outer, kHeadLamp, kUp);
    const std::vector<Vec3> shoulder = ShoulderLine();
    AddPolygon({front, shoulder[1], shoulder[2], shoulder[3], shoulder[4], shoulder[5],
                P(kScreenCornerU, kCowlY, kBeltV), P(kScreenBaseU, kCowlY, kCowlV), rear, outer},
               kPaint, kUp);
    AddPolygon({P(0.0f, kBonnetFrontY, kBumperTopV), front, inner, rear, P(kScreenBaseU, kCowlY, kCowlV),
                P(0.0f, kCowlY, kCowlV)},
               kPaint, kUp);
}

// The nose: bumper, valance with its intake, and the chin lip.
void AddNose() {
    AddPolygon({P(0.0f, kNoseY, kBumperTopV), P(kFlankU, kNoseY, kBumperTopV),
                P(kFlankU, kBonnetFrontY, kBumperTopV), P(kHeadLampFrontU, kBonnetFrontY, kBumperTopV),
                P(0.0f, kBonnetFrontY, kBumperTopV)},
               kPaint, kUp);
    AddPolygon({P(0.0f, kNoseY, kBumperLowV), P(kFlankU, kNoseY, kBumperLowV), P(kFlankU, kNoseY, kBumperTopV),
                P(0.0f, kNoseY, kBumperTopV)},
               kTrim, kAhead);
    AddPolygon({P(0.0f, kNoseY, kBumperLowV), P(kFlankU, kNoseY, kBumperLowV), P(kFlankU, kValanceY, kBumperLowV),
                P(0.0f, kValanceY, kBumperLowV)},
               kTrim, kDown);
    AddPolygon({P(0.0f, kValanceY, kLipV), P(kIntakeU, kValanceY, kLipV), P(0.0f, kValanceY, kIntakeTopV)}, kHub,
               kAhead);
    AddPolygon({P(kIntakeU, kValanceY, kLipV), P(kFlankU, kValanceY, kLipV), P(kFlankU, kValanceY, kBumperLowV),
                P(0.0f, kValanceY, kBumperLowV), P(0.0f, kValanceY, kIntakeTopV)},
               kRubber, kAhead);
    AddPolygon({P(0.0f, kLipY, 0.0f), P(kFlankU, kLipY, 0.0f), P(kFlankU, kValanceY, kLipV),
                P(0.0f, kValanceY, kLipV)},
               kRubber, {0, -1, 0.5f});
}

// The underside, gridded finely enough to bring the paint to its full count.
void AddFloor(int across, int along) {
    AddPatch(P(0.0f, kLipY, 0.0f), P(kFlankU, kLipY, 0.0f), P(kFlankU, kTailY, 0.0f), P(0.0f, kTailY, 0.0f), across,
             along, kPaint, kDown);
}

// ---------------------------------------------------------------------------
// Checks of the finished table: its size, its symmetry, and the count and
// extent of every colour, so that a change to a part cannot quietly reshape
// the car the views show.

int failures = 0;

void Expect(bool ok, const std::string& what) {
    if (!ok) {
        std::fprintf(stderr, "car_model_gen: %s\n", what.c_str());
        ++failures;
    }
}

Vec3 Mirror(const Vec3& p) { return {-p.x, p.y, p.z}; }

long Hundredths(float f) { return std::lround(double(f) * 100.0); }

struct Box {
    float lo[3] = {1e9f, 1e9f, 1e9f};
    float hi[3] = {-1e9f, -1e9f, -1e9f};
    int count = 0;
};

void Grow(Box& box, const Vec3& p) {
    const float v[3] = {p.x, p.y, p.z};
    for (int i = 0; i < 3; ++i) {
        box.lo[i] = std::min(box.lo[i], v[i]);
        box.hi[i] = std::max(box.hi[i], v[i]);
    }
}

Box Extent(const std::vector<Tri>& model, Rgb colour) {
    Box box;
    for (const Tri& t : model) {
        if (t.colour == colour) {
            ++box.count;
            Grow(box, t.a);
            Grow(box, t.b);
            Grow(box, t.c);
        }
    }
    return box;
}

struct ColourFact {
    Rgb colour;
    int count;
    long lo[3];
    long hi[3];
};

// Counts and two-decimal extents per colour over the whole model.
const ColourFact kColourFacts[] = {
    {kPaint, 528, {-200, -402, 8}, {200, 385, 208}},
    {kRubber, 96, {-200, -396, 8}, {200, 385, 108}},
    {kTrim, 60, {-200, -402, 83}, {200, 385, 184}},
    {kGlass, 32, {-185, -241, 132}, {185, 193, 208}},
    {kRim, 16, {-200, -263, 33}, {200, 314, 83}},
    {kHub, 14, {-200, -390, 8}, {200, 385, 108}},
    {kTailLamp, 8, {-200, 318, 108}, {200, 385, 158}},
    {kTint, 6, {-174, -241, 147}, {174, 150, 208}},
    {kHandle, 4, {-200, -96, 58}, {200, 0, 83}},
    {kHeadLamp, 4, {-185, -385, 108}, {185, -289, 138}},
    {kPlate, 4, {-50, 385, 108}, {50, 385, 126}},
    {kGlint, 2, {-183, -168, 160}, {183, -96, 208}},
    {kSheen, 2, {-183, -144, 132}, {183, -40, 208}},
};

bool Same(const Vec3& p, const Vec3& q) { return p.x == q.x && p.y == q.y && p.z == q.z; }

// Counts how many faces a ray from origin along dir passes through.
int Crossings(const std::vector<Tri>& model, size_t skip, const Vec3& origin, const Vec3& dir) {
    int hits = 0;
    for (size_t i = 0; i < model.size(); ++i) {
        if (i == skip) {
            continue;
        }
        const Tri& t = model[i];
        const double e1[3] = {double(t.b.x) - t.a.x, double(t.b.y) - t.a.y, double(t.b.z) - t.a.z};
        const double e2[3] = {double(t.c.x) - t.a.x, double(t.c.y) - t.a.y, double(t.c.z) - t.a.z};
        const double d[3] = {dir.x, dir.y, dir.z};
        const double p[3] = {d[1] * e2[2] - d[2] * e2[1], d[2] * e2[0] - d[0] * e2[2], d[0] * e2[1] - d[1] * e2[0]};
        const double det = e1[0] * p[0] + e1[1] * p[1] + e1[2] * p[2];
        if (std::fabs(det) < 1e-12) {
            continue;
        }
        const double s[3] = {double(origin.x) - t.a.x, double(origin.y) - t.a.y, double(origin.z) - t.a.z};
        const double u = (s[0] * p[0] + s[1] * p[1] + s[2] * p[2]) / det;
        if (u < 0.0 || u > 1.0) {
            continue;
        }
        const double q[3] = {s[1] * e1[2] - s[2] * e1[1], s[2] * e1[0] - s[0] * e1[2], s[0] * e1[1] - s[1] * e1[0]};
        const double v = (d[0] * q[0] + d[1] * q[1] + d[2] * q[2]) / det;
        if (v < 0.0 || u + v > 1.0) {
            continue;
        }
        const double dist = (e2[0] * q[0] + e2[1] * q[1] + e2[2] * q[2]) / det;
        if (dist > 0.0) {
            ++hits;
        }
    }
    return hits;
}

void CheckModel(const std::vector<Tri>& model) {
    Expect(model.size() == 2 * kHalfCount, "the model has " + std::to_string(model.size()) + " triangles, not 776");
    const int halfCount = int(model.size() / 2);
    for (int i = 0; i < halfCount; ++i) {
        const Tri& t = model[size_t(i)];
        const Tri& m = model[size_t(i + halfCount)];
        Expect(Same(m.a, Mirror(t.a)) && Same(m.b, Mirror(t.c)) && Same(m.c, Mirror(t.b)) && m.colour == t.colour,
               "triangle " + std::to_string(i + halfCount) + " must mirror triangle " + std::to_string(i));
        for (const Vec3& p : {t.a, t.b, t.c}) {
            Expect(p.x >= kCentreX, "triangle " + std::to_string(i) + " strays past the centre line");
        }
    }

    Box all;
    for (const Tri& t : model) {
        Grow(all, t.a);
        Grow(all, t.b);
        Grow(all, t.c);
        const Vec3 n = Normal(t);
        Expect(Dot(n, n) > 1e-10, "a triangle has no area");
    }
    const float wantLo[3] = {-kFlankX, kNoseY, kGroundZ};
    const float wantHi[3] = {kFlankX, kTailY, kRoofZ};
    for (int i = 0; i < 3; ++i) {
        Expect(all.lo[i] == wantLo[i] && all.hi[i] == wantHi[i], "overall extent is off on axis " + std::to_string(i));
    }

    int total = 0;
    for (const ColourFact& fact : kColourFacts) {
        const Box box = Extent(model, fact.colour);
        const std::string name = std::to_string(fact.colour.r) + "," + std::to_string(fact.colour.g) + "," +
                                 std::to_string(fact.colour.b);
        Expect(box.count == fact.count, "colour " + name + " has " + std::to_string(box.count) + " triangles");
        total += box.count;
        for (int i = 0; i < 3; ++i) {
            Expect(Hundredths(box.lo[i]) == fact.lo[i] && Hundredths(box.hi[i]) == fact.hi[i],
                   "colour " + name + " extent is off on axis " + std::to_string(i) + ": " +
                       std::to_string(box.lo[i]) + " .. " + std::to_string(box.hi[i]));
        }
    }
    Expect(total == int(model.size()), "some triangles use a colour outside the palette");

    for (const Tri& t : model) {
        if (t.colour == kRim) {
            for (const Vec3& p : {t.a, t.b, t.c}) {
                const long y = Hundredths(p.y);
                Expect(std::fabs(p.x) == kFlankX, "a rim corner is off the flank");
                Expect((y >= -263 && y <= -169) || (y >= 218 && y <= 314), "a rim corner is away from the wheels");
            }
        }
        if (t.colour == kPlate) {
            for (const Vec3& p : {t.a, t.b, t.c}) {
                Expect(p.y == kTailY, "a number plate corner is off the tail panel");
            }
        }
    }

    const Tri samples[] = {
        {{-0.002870977f, 0.9630713f, 2.0778327f}, {0.49712902f, 0.0f, 2.0778327f}, {0.49712902f, 0.9630713f, 2.0778327f},
         kPaint},
        {{1.4971291f, 3.5982811f, 1.0778327f}, {1.9971292f, 3.8522851f, 1.5778327f}, {1.888487f, 3.1794415f, 1.0778327f},
         kTailLamp},
        {{1.3148261f, -3.6745787f, 1.1346741f}, {1.8521281f, -3.2917328f, 1.1175195f},
         {1.7871016f, -2.8892138f, 1.3759571f}, kHeadLamp},
        {{0.002870977f, 0.9630713f, 2.0778327f}, {-0.49712902f, 0.9630713f, 2.0778327f}, {-0.49712902f, 0.0f, 2.0778327f},
         kPaint},
    };
    const int sampleIndex[] = {0, 23, 120, 388};
    for (int s = 0; s < 4 && model.size() == 2 * kHalfCount; ++s) {
        const Tri& t = model[size_t(sampleIndex[s])];
        Expect(Same(t.a, samples[s].a) && Same(t.b, samples[s].b) && Same(t.c, samples[s].c) &&
                   t.colour == samples[s].colour,
               "sample triangle " + std::to_string(sampleIndex[s]) + " is off");
    }

    // Each face must look out of the body: a ray leaving it along its normal
    // crosses the closed body surface an even number of times.
    for (size_t i = 0; i < model.size(); ++i) {
        const Tri& t = model[i];
        const Vec3 n = Normal(t);
        const double len = std::sqrt(Dot(n, n));
        const Vec3 dir{float(n.x / len + 0.0123), float(n.y / len + 0.0071), float(n.z / len + 0.0097)};
        const Vec3 centre{(t.a.x + t.b.x + t.c.x) / 3.0f, (t.a.y + t.b.y + t.c.y) / 3.0f,
                          (t.a.z + t.b.z + t.c.z) / 3.0f};
        const Vec3 start{centre.x + dir.x * 1e-4f, centre.y + dir.y * 1e-4f, centre.z + dir.z * 1e-4f};
        Expect(Crossings(model, i, start, dir) % 2 == 0, "triangle " + std::to_string(i) + " faces into the body");
    }
}

// ---------------------------------------------------------------------------
// Output.

std::string Literal(float f) {
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, f);
    std::string text(buf, result.ptr);
    if (text.find_first_of(".e") == std::string::npos) {
        text += ".0";
    }
    return text + "f";
}

void WriteArray(std::ostringstream& out, const char* name, const std::vector<float>& values) {
    out << "static const float " << name << "[" << values.size() << "] = {\n";
    for (size_t i = 0; i < values.size(); i += 6) {
        out << "   ";
        for (size_t j = i; j < std::min(values.size(), i + 6); ++j) {
            out << ' ' << Literal(values[j]) << ',';
        }
        out << '\n';
    }
    out << "};\n\n";
}

std::string Source(const std::vector<Tri>& model) {
    std::vector<float> cols[12];
    for (const Tri& t : model) {
        const float corners[9] = {t.a.x, t.a.y, t.a.z, t.b.x, t.b.y, t.b.z, t.c.x, t.c.y, t.c.z};
        for (int i = 0; i < 9; ++i) {
            cols[i].push_back(corners[i]);
        }
        cols[9].push_back(static_cast<float>(t.colour.r) / 255.0f);
        cols[10].push_back(static_cast<float>(t.colour.g) / 255.0f);
        cols[11].push_back(static_cast<float>(t.colour.b) / 255.0f);
    }
    const char* names[12] = {"carX1", "carY1", "carZ1", "carX2", "carY2", "carZ2",
                             "carX3", "carY3", "carZ3", "carR",  "carG",  "carB"};
    std::ostringstream out;
    out << "// car_model_data.cpp -- the car's triangle table, written by tools/car_model_gen.cpp; do not edit\n";
    out << "#include \"render/model_table.h\"\n\n";
    for (int i = 0; i < 12; ++i) {
        WriteArray(out, names[i], cols[i]);
    }
    out << "const ModelTable carModel = {\n    " << model.size() << ",\n";
    for (int i = 0; i < 12; ++i) {
        out << "    " << names[i] << (i < 11 ? ",\n" : "\n");
    }
    out << "};\n";
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: car_model_gen <output .cpp>\n");
        return 2;
    }

    AddRoof({0.0f, 0.5f});
    AddRearWindow();
    AddTailPanel();
    AddTailLamp();
    AddNumberPlate();
    AddRoof({0.5f, 0.9f, kCabinU});
    AddDeck();
    AddMirror();
    AddSideGlass();
    AddBonnet();
    AddWindscreen();
    AddBeltLedge();
    AddTailValance();
    AddWing();
    AddWheel(kRearWheel);
    AddWheel(kFrontWheel);
    AddSill();
    AddFlankPanels();
    AddNose();
    AddFloor(4, 13);

    std::vector<Tri> model = half;
    for (const Tri& t : half) {
        model.push_back({Mirror(t.a), Mirror(t.c), Mirror(t.b), t.colour});
    }
    CheckModel(model);
    if (failures > 0) {
        std::fprintf(stderr, "car_model_gen: %d check(s) failed; nothing written\n", failures);
        return 1;
    }

    std::ofstream file(argv[1], std::ios::binary);
    file << Source(model);
    if (!file) {
        std::fprintf(stderr, "car_model_gen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
