// picture_test.cpp -- the title and play views through a real rasterizer: pictures and pixel checks
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "render/model_table.h"
#include "tests/bench/osmesa_platform.h"
#include "tests/support/frame_script.h"

namespace {

struct World {
    double x;
    double y;
    double z;
};

struct Screen {
    int x;
    int y;
};

const Pixel Sky{0, 232, 255};
const Pixel Ground{12, 139, 26};
const Pixel Road{54, 54, 55};
const Pixel BannerInk{0, 0, 0};
const Pixel BannerGreyPixel{128, 128, 128};
const std::vector<Pixel> HillShades{{110, 32, 3}, {140, 64, 13}, {90, 41, 8}};
const std::vector<Pixel> BlockShades{{225, 209, 16}, {202, 187, 14}, {179, 166, 12}};

// Float colours reach the buffer rounded; allow the rasterizer a little slack.
bool Near(const Pixel& p, const Pixel& q)
{
    return std::abs(p.r - q.r) <= 2 && std::abs(p.g - q.g) <= 2 && std::abs(p.b - q.b) <= 2;
}

bool NearAny(const Pixel& p, const std::vector<Pixel>& palette)
{
    return std::any_of(palette.begin(), palette.end(), [&](const Pixel& q) { return Near(p, q); });
}

std::string Show(const Pixel& p)
{
    return "(" + std::to_string(p.r) + "," + std::to_string(p.g) + "," + std::to_string(p.b) + ")";
}

// The game's camera: back 30, tilted about x, then the 16:9 frustum stretched
// over the whole screen.
Screen Project(const World& p, ViewMode view, int width, int height)
{
    const double tilt = (view == ViewTitle ? 290.0 : 274.0) * 3.14159265358979323846 / 180.0;
    const double eyeY = p.y * std::cos(tilt) - p.z * std::sin(tilt);
    const double eyeZ = p.y * std::sin(tilt) + p.z * std::cos(tilt) - 30.0;
    const double ndcX = (p.x / 1.0264) / -eyeZ;
    const double ndcY = (eyeY / 0.57735) / -eyeZ;
    return Screen{static_cast<int>(std::floor((ndcX + 1.0) / 2.0 * width)),
                  static_cast<int>(std::floor((1.0 - ndcY) / 2.0 * height))};
}

// Centre of a banner cell: the sheet starts at x -170, y 140, z 17 and leans back.
World BannerCell(int row, int column)
{
    return World{-170.0 + column + 0.5, 140.0 - row - 0.5, 17.0 - row - 0.5};
}

// The car's colours, straight from its triangle table.
std::vector<Pixel> CarPalette()
{
    std::vector<Pixel> palette;
    for (int i = 0; i < carModel.n; ++i) {
        palette.push_back(Pixel{static_cast<int>(std::lround(carModel.r[i] * 255.0f)),
                                static_cast<int>(std::lround(carModel.g[i] * 255.0f)),
                                static_cast<int>(std::lround(carModel.b[i] * 255.0f))});
    }
    return palette;
}

// Where the middle of the car's box lands when drawn turned by heading and moved.
World CarCentre(double heading, const World& offset)
{
    float low[3] = {carModel.x1[0], carModel.y1[0], carModel.z1[0]};
    float high[3] = {low[0], low[1], low[2]};
    const auto take = [&](float x, float y, float z) {
        const float corner[3] = {x, y, z};
        for (int k = 0; k < 3; ++k) {
            low[k] = std::min(low[k], corner[k]);
            high[k] = std::max(high[k], corner[k]);
        }
    };
    for (int i = 0; i < carModel.n; ++i) {
        take(carModel.x1[i], carModel.y1[i], carModel.z1[i]);
        take(carModel.x2[i], carModel.y2[i], carModel.z2[i]);
        take(carModel.x3[i], carModel.y3[i], carModel.z3[i]);
    }
    const double x = (low[0] + high[0]) / 2.0;
    const double y = (low[1] + high[1]) / 2.0;
    const double z = (low[2] + high[2]) / 2.0;
    return World{std::cos(heading) * x - std::sin(heading) * y + offset.x,
                 std::sin(heading) * x + std::cos(heading) * y + offset.y, z + offset.z};
}

long CountNear(const OsmesaCanvas& canvas, const Pixel& colour)
{
    long count = 0;
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            count += Near(PixelAt(canvas, x, y), colour) ? 1 : 0;
        }
    }
    return count;
}

struct ScreenSize {
    int width;
    int height;
    const char* name;
};

void PrintTo(const ScreenSize& screen, std::ostream* out) { *out << screen.name; }

// A wide screen and a 5:4 one, which shows the same 16:9 view stretched.
const ScreenSize Screens[] = {{1920, 1080, "1920x1080"}, {1280, 1024, "1280x1024"}};

std::string PicturePath(const std::string& view, const ScreenSize& screen)
{
    std::filesystem::create_directories(KESTREL_PICTURE_DIR);
    return std::string(KESTREL_PICTURE_DIR) + "/" + view + "_" + screen.name + ".png";
}

struct PictureTest : testing::TestWithParam<ScreenSize> {
    OsmesaCanvas canvas{};

    void TearDown() override { CloseCanvas(canvas); }

    Pixel At(const World& point, ViewMode view) const
    {
        const Screen s = Project(point, view, canvas.width, canvas.height);
        EXPECT_GE(s.x, 0);
        EXPECT_LT(s.x, canvas.width);
        EXPECT_GE(s.y, 0);
        EXPECT_LT(s.y, canvas.height);
        return PixelAt(canvas, std::clamp(s.x, 0, canvas.width - 1), std::clamp(s.y, 0, canvas.height - 1));
    }
};

TEST_P(PictureTest, TitleViewShowsTurntableCarGroundSkyAndBanner)
{
    const ScreenSize screen = GetParam();
    ASSERT_TRUE(StartOnCanvas(canvas, screen.width, screen.height));
    Frame();
    ASSERT_EQ(GameState.viewMode, ViewTitle);
    ASSERT_TRUE(WritePng(canvas, PicturePath("title", screen)));

    const Pixel sky = At(World{-100.0, 400.0, 70.0}, ViewTitle);
    EXPECT_TRUE(Near(sky, Sky)) << Show(sky);
    const Pixel ground = At(World{-20.0, -5.0, -5.0}, ViewTitle);
    EXPECT_TRUE(Near(ground, Ground)) << Show(ground);

    const double heading = TitleHeadingDeg * 0.01745328;
    const Pixel car = At(CarCentre(heading, World{0.0, -13.0, 5.0}), ViewTitle);
    EXPECT_TRUE(NearAny(car, CarPalette())) << Show(car);
    EXPECT_FALSE(Near(car, Ground)) << Show(car);

    const Pixel ink = At(BannerCell(2, 29), ViewTitle);
    EXPECT_TRUE(Near(ink, BannerInk)) << Show(ink);
    const Pixel grey = At(BannerCell(2, 32), ViewTitle);
    EXPECT_TRUE(Near(grey, BannerGreyPixel)) << Show(grey);
    // The grey sheet spans most of the screen's width, several rows deep.
    EXPECT_GT(CountNear(canvas, BannerGreyPixel), static_cast<long>(screen.width) * 4);
}

TEST_P(PictureTest, PlayViewShowsCarFromBehindRoadHillsAndTwoBlockRows)
{
    const ScreenSize screen = GetParam();
    ASSERT_TRUE(StartOnCanvas(canvas, screen.width, screen.height));
    Frame("E");
    Frame("U");
    ASSERT_EQ(GameState.viewMode, ViewPlay);
    ASSERT_EQ(GameState.runActive, 1);

    // Two rows in play, placed one step before where this frame draws them;
    // the others parked, and a wave young enough that nothing spawns.
    constexpr float RandomBlockX = 3.5f;
    for (ObstacleRow& row : GameState.rows) {
        row.hidden = 1;
    }
    GameState.rows[EdgePair] = ObstacleRow{47.0f, 0, 0.0f};
    GameState.rows[RandomA] = ObstacleRow{127.0f, 0, RandomBlockX};
    GameState.waveKind = RandomA;
    GameState.waveTimer = 5;
    Frame();
    ASSERT_EQ(GameState.runActive, 1);
    ASSERT_EQ(GameState.rows[EdgePair].y, 40.0f);
    ASSERT_EQ(GameState.rows[RandomA].y, 120.0f);
    ASSERT_TRUE(WritePng(canvas, PicturePath("play", screen)));

    const Pixel sky = At(World{0.0, 900.0, 300.0}, ViewPlay);
    EXPECT_TRUE(Near(sky, Sky)) << Show(sky);
    const Pixel ground = At(World{-30.0, 60.0, -6.4}, ViewPlay);
    EXPECT_TRUE(Near(ground, Ground)) << Show(ground);
    const Pixel road = At(World{-4.0, 80.0, -6.3}, ViewPlay);
    EXPECT_TRUE(Near(road, Road)) << Show(road);
    const Pixel hills = At(World{0.0, 570.0, 20.0}, ViewPlay);
    EXPECT_TRUE(NearAny(hills, HillShades)) << Show(hills);

    const Pixel car = At(CarCentre(3.1415904, World{0.0, -13.2, -6.2}), ViewPlay);
    EXPECT_TRUE(NearAny(car, CarPalette())) << Show(car);
    EXPECT_FALSE(Near(car, Road)) << Show(car);
    EXPECT_FALSE(Near(car, Ground)) << Show(car);

    for (const World& block : {World{-7.1, 40.0, -5.2}, World{7.1, 40.0, -5.2}, World{RandomBlockX, 120.0, -5.2}}) {
        const Pixel face = At(block, ViewPlay);
        EXPECT_TRUE(NearAny(face, BlockShades)) << "block at x " << block.x << " y " << block.y << ": " << Show(face);
    }

    // No banner in play: not one pixel of its grey.
    EXPECT_EQ(CountNear(canvas, BannerGreyPixel), 0);
}

INSTANTIATE_TEST_SUITE_P(Screens, PictureTest, testing::ValuesIn(Screens),
                         [](const testing::TestParamInfo<ScreenSize>& info) { return std::string(info.param.name); });

}  // namespace
