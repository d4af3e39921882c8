// scene_models.cpp -- the obstacle block, the ground plane and the road-and-hills scenery
#include "render/model_table.h"

namespace {

// Colours are stored as the float nearest to byte / 255.
constexpr float Byte(int k)
{
    return static_cast<float>(k) / 255.0f;
}

// The block: a closed box, two triangles per face, shaded per face direction
// (top and bottom brightest, the sides darkest) in place of lighting.
constexpr float BX = 1.0000001f;
constexpr float BY = 1.6095042f;
constexpr float BZ = 1.0000001f;
constexpr float TopShade[3] = {Byte(225), Byte(209), Byte(16)};
constexpr float EndShade[3] = {Byte(202), Byte(187), Byte(14)};
constexpr float SideShade[3] = {Byte(179), Byte(166), Byte(12)};

constexpr float blockX1[] = {-BX, BX, -BX, BX, BX, -BX, -BX, BX, -BX, BX, BX, -BX};
constexpr float blockY1[] = {BY, -BY, -BY, BY, BY, BY, BY, -BY, -BY, BY, BY, BY};
constexpr float blockZ1[] = {BZ, BZ, BZ, -BZ, BZ, BZ, BZ, BZ, BZ, -BZ, BZ, BZ};
constexpr float blockX2[] = {BX, -BX, -BX, -BX, BX, BX, -BX, -BX, -BX, BX, BX, BX};
constexpr float blockY2[] = {-BY, -BY, BY, -BY, -BY, BY, -BY, -BY, BY, -BY, -BY, BY};
constexpr float blockZ2[] = {BZ, -BZ, -BZ, -BZ, -BZ, -BZ, BZ, BZ, BZ, -BZ, BZ, BZ};
constexpr float blockX3[] = {BX, BX, -BX, -BX, BX, -BX, BX, -BX, -BX, -BX, BX, BX};
constexpr float blockY3[] = {BY, -BY, -BY, BY, BY, BY, -BY, -BY, BY, -BY, -BY, BY};
constexpr float blockZ3[] = {BZ, -BZ, -BZ, -BZ, -BZ, -BZ, BZ, -BZ, -BZ, -BZ, -BZ, -BZ};
constexpr float blockR[] = {TopShade[0], EndShade[0], SideShade[0], TopShade[0], SideShade[0], EndShade[0],
                            TopShade[0], EndShade[0], SideShade[0], TopShade[0], SideShade[0], EndShade[0]};
constexpr float blockG[] = {TopShade[1], EndShade[1], SideShade[1], TopShade[1], SideShade[1], EndShade[1],
                            TopShade[1], EndShade[1], SideShade[1], TopShade[1], SideShade[1], EndShade[1]};
constexpr float blockB[] = {TopShade[2], EndShade[2], SideShade[2], TopShade[2], SideShade[2], EndShade[2],
                            TopShade[2], EndShade[2], SideShade[2], TopShade[2], SideShade[2], EndShade[2]};

// The ground: one green rectangle far larger than anything the camera sees.
constexpr float GX = 980.25507f;
constexpr float GY = 943.10614f;
constexpr float groundX1[] = {GX, GX};
constexpr float groundY1[] = {-GY, -GY};
constexpr float groundX2[] = {-GX, GX};
constexpr float groundY2[] = {GY, GY};
constexpr float groundX3[] = {-GX, -GX};
constexpr float groundY3[] = {-GY, GY};
constexpr float groundZ[] = {0.0f, 0.0f};
constexpr float groundR[] = {Byte(12), Byte(12)};
constexpr float groundG[] = {Byte(139), Byte(139)};
constexpr float groundB[] = {Byte(26), Byte(26)};

// The scenery: triangles 0 and 8 are the dark road strip, the other twelve the
// brown hills behind its far end.
constexpr float sceneryX1[] = {10.23131f, 186.68855f, 915.2252f, -345.29218f, -76.23091f, -76.23091f, -104.66238f,
                               -284.9698f, 10.23131f, 186.68855f, 915.2252f, -345.29218f, -76.23091f, -104.66238f};
constexpr float sceneryY1[] = {-703.62805f, 224.1108f, 249.4558f, 255.79205f, 236.7833f, 236.7833f, 262.1283f,
                               262.12827f, -703.62805f, 224.1108f, 249.4558f, 255.79205f, 236.7833f, 262.1283f};
constexpr float sceneryZ1[] = {0.0f, 0.083634734f, 53.32086f, 106.9106f, 32.135757f, 32.135757f, 133.96536f,
                               276.06195f, 0.0f, 0.083634734f, 53.32086f, 106.9106f, 32.135757f, 133.96536f};
constexpr float sceneryX2[] = {-10.122043f, -10.122043f, -76.23091f, 915.2252f, 186.68855f, -585.922f, 656.73083f,
                               -104.66238f, 10.23131f, -612.1797f, -585.922f, -585.922f, -612.1797f, -345.29218f};
constexpr float sceneryY2[] = {211.4383f, 211.4383f, 236.7833f, 249.4558f, 224.1108f, 249.4558f, 255.79205f,
                               262.1283f, 211.4383f, 224.1108f, 249.4558f, 249.4558f, 224.1108f, 255.79205f};
constexpr float sceneryZ2[] = {0.0f, 0.0f, 32.135757f, 53.32086f, 0.083634734f, 79.855835f, 174.94797f,
                               133.96536f, 0.0f, 0.31398767f, 79.855835f, 79.855835f, 0.31398767f, 106.9106f};
constexpr float sceneryX3[] = {-10.122043f, 10.23131f, 912.90576f, 656.73083f, 912.90576f, -612.1797f, 398.2365f,
                               -585.922f, -10.122043f, -10.122043f, -76.23091f, 915.2252f, 186.68855f, 656.73083f};
constexpr float sceneryY3[] = {-703.62805f, 211.4383f, 236.7833f, 255.79205f, 236.7833f, 224.1108f, 262.1283f,
                               249.4558f, 211.4383f, 211.4383f, 236.7833f, 249.4558f, 224.1108f, 255.79205f};
constexpr float sceneryZ3[] = {0.0f, 0.0f, 0.16726947f, 174.94797f, 0.16726947f, 0.31398767f, 296.57507f,
                               79.855835f, 0.0f, 0.0f, 32.135757f, 53.32086f, 0.083634734f, 174.94797f};
constexpr float sceneryR[] = {Byte(54), Byte(110), Byte(140), Byte(90), Byte(110), Byte(90), Byte(140),
                              Byte(140), Byte(54), Byte(110), Byte(140), Byte(90), Byte(110), Byte(140)};
constexpr float sceneryG[] = {Byte(54), Byte(32), Byte(64), Byte(41), Byte(32), Byte(41), Byte(64),
                              Byte(64), Byte(54), Byte(32), Byte(64), Byte(41), Byte(32), Byte(64)};
constexpr float sceneryB[] = {Byte(55), Byte(3), Byte(13), Byte(8), Byte(3), Byte(8), Byte(13),
                              Byte(13), Byte(55), Byte(3), Byte(13), Byte(8), Byte(3), Byte(13)};

}  // namespace

const ModelTable blockModel = {12,      blockX1, blockY1, blockZ1, blockX2, blockY2, blockZ2,
                               blockX3, blockY3, blockZ3, blockR,  blockG,  blockB};

const ModelTable groundModel = {2,        groundX1, groundY1, groundZ,  groundX2, groundY2, groundZ,
                                groundX3, groundY3, groundZ,  groundR,  groundG,  groundB};

const ModelTable sceneryModel = {14,        sceneryX1, sceneryY1, sceneryZ1, sceneryX2, sceneryY2, sceneryZ2,
                                 sceneryX3, sceneryY3, sceneryZ3, sceneryR,  sceneryG,  sceneryB};
