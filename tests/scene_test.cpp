// scene_test.cpp -- projection, camera, the triangle drawer and what each view draws
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "platform/null/gl_recorder.h"
#include "platform/null/platform_recorder.h"
#include "render/model_table.h"
#include "render/opengl.h"
#include "render/scene_composition.h"
#include "render/scene_setup.h"
#include "tests/support/frame_script.h"

namespace {

class Scene : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartFresh();
        glRecord.keepCalls = true;
    }
    void TearDown() override { glRecord.keepCalls = false; }

    // The rotation angle of the camera set in the last frame recorded.
    static double CameraTilt()
    {
        const std::vector<GlCall> rotations = CallsNamed("glRotatef");
        EXPECT_EQ(rotations.size(), 1U);
        return rotations.empty() ? 0.0 : rotations[0].args[0];
    }

    static std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        for (const GlCall& call : glRecord.calls) {
            names.emplace_back(call.name);
        }
        return names;
    }
};

TEST_F(Scene, TheFirstFrameAppliesTheFrustumOnceAndEveryFrameSetsTheSameState)
{
    Frame();
    // The 16:9 frustum first, then a clear of colour and depth and the camera 30 back.
    ASSERT_FALSE(glRecord.calls.empty());
    EXPECT_EQ(glRecord.calls[0].name, std::string("glFrustum"));
    EXPECT_EQ(glRecord.calls[0].args, (std::array<double, 6>{-1.0264, 1.0264, -0.57735, 0.57735, 1.0, 1000.0}));
    EXPECT_EQ(CallsNamed("glClear").at(0).args[0], GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    EXPECT_EQ(CallsNamed("glTranslatef").at(0).args[2], -30.0);
    EXPECT_EQ(CallsNamed("glDepthRange").at(0).args[1], 100.0);
    EXPECT_EQ(glStage, 5);
    // The frame ends with blending and depth off, then present, focus, sleep.
    EXPECT_EQ(glRecord.calls[glRecord.calls.size() - 2].args[0], GL_BLEND);
    EXPECT_EQ(glRecord.calls.back().args[0], GL_DEPTH_TEST);
    EXPECT_EQ(platformRecord.tail, (std::vector<std::string>{"present", "focus", "sleep"}));

    Frames(5);
    EXPECT_EQ(glRecord.frustums, 1);

    // The context's set-up: the sky colour, the whole screen, the projection matrix.
    ResetGlRecord();
    glRecord.keepCalls = true;
    SetUpRenderContext(1920, 1080);
    EXPECT_EQ(Names(), (std::vector<std::string>{"glClearColor", "glViewport", "glMatrixMode", "glLoadIdentity"}));
    ASSERT_EQ(glRecord.calls.size(), 4U);
    EXPECT_EQ(glRecord.calls[0].args, (std::array<double, 6>{0.0, 0.91f, 1.0, 1.0, 0.0, 0.0}));
    EXPECT_EQ(glRecord.calls[1].args, (std::array<double, 6>{0.0, 0.0, 1920.0, 1080.0, 0.0, 0.0}));
    EXPECT_EQ(glRecord.calls[2].args[0], GL_PROJECTION);
    EXPECT_EQ(glStage, 3);
}

TEST_F(Scene, TheCameraFollowsTheViewAtTheStartOfTheFrame)
{
    Frame();
    EXPECT_EQ(CameraTilt(), 290.0);
    ResetGlRecord();
    Frame("E");  // drawn as a play frame under the title camera
    EXPECT_EQ(CameraTilt(), 290.0);
    EXPECT_EQ(glRecord.quads, 0);
    ResetGlRecord();
    Frame();
    EXPECT_EQ(CameraTilt(), 274.0);
    ResetGlRecord();
    Frame("P");  // the pause's first frame: title scene under the play camera
    EXPECT_EQ(CameraTilt(), 274.0);
    EXPECT_EQ(glRecord.quads, 3200);
    ResetGlRecord();
    Frame();
    EXPECT_EQ(CameraTilt(), 290.0);
}

TEST_F(Scene, DrawModelTurnsAndMovesEveryCornerOnTheProcessor)
{
    DrawModel(blockModel, 0.0f, 2.0f, 3.0f, 4.0f);
    std::vector<GlCall> corners = CallsNamed("glVertex3f");
    ASSERT_EQ(corners.size(), 36U);
    EXPECT_EQ(corners[0].args[0], -1.0000001f + 2.0f);
    EXPECT_EQ(corners[0].args[1], 1.6095042f + 3.0f);
    EXPECT_EQ(corners[0].args[2], 1.0000001f + 4.0f);
    // Every triangle in its own push, colour, begin, three corners, end, pop.
    const std::vector<std::string> names = Names();
    for (std::size_t i = 0; i < names.size(); i += 8) {
        EXPECT_EQ(names[i], "glPushMatrix");
        EXPECT_EQ(names[i + 1], "glColor4f");
        EXPECT_EQ(names[i + 2], "glBegin");
        EXPECT_EQ(names[i + 6], "glEnd");
        EXPECT_EQ(names[i + 7], "glPopMatrix");
        EXPECT_EQ(glRecord.calls[i + 1].args[3], 1.0);
    }
    EXPECT_EQ(glRecord.calls[1].args[0], 225.0f / 255.0f);

    ResetGlRecord();
    const float heading = 3.1415904f;
    DrawModel(groundModel, heading, 0.0f, 0.0f, -6.4f);
    corners = CallsNamed("glVertex3f");
    ASSERT_EQ(corners.size(), 6U);
    const float c = std::cos(heading);
    const float s = std::sin(heading);
    EXPECT_EQ(c, -1.0f);
    EXPECT_NEAR(s, 2.2968e-6f, 1e-9f);
    EXPECT_EQ(corners[0].args[0], c * 980.25507f - s * -943.10614f);
    EXPECT_EQ(corners[0].args[1], s * 980.25507f + c * -943.10614f);
    for (const GlCall& corner : corners) {
        EXPECT_EQ(corner.args[2], -6.4f);
    }
}

TEST_F(Scene, TitleAndPlayFramesDrawTheirModelsInOrder)
{
    Frame();
    EXPECT_EQ(glRecord.triangles, 778);
    EXPECT_NEAR(carHeading, 5.7596f, 1e-4f);
    ResetGlRecord();
    Frame("E");
    EXPECT_EQ(glRecord.triangles, 792);  // car, ground, scenery; no blocks before Up
    EXPECT_EQ(carHeading, 180.0f * 0.01745328f);

    // The play car: heading 3.1415904 at carX, y placed by carRow then -10.
    ResetGlRecord();
    GameState.carX = 1.5f;
    Frame();
    const std::vector<GlCall> corners = CallsNamed("glVertex3f");
    const float c = std::cos(3.1415904f);
    const float s = std::sin(3.1415904f);
    const float x = carModel.x1[0];
    const float y = carModel.y1[0];
    EXPECT_EQ(corners[0].args[0], c * x - s * y + 1.5f);
    EXPECT_EQ(corners[0].args[1], (s * x + c * y + -3.2f) - 10.0f);
    EXPECT_EQ(corners[0].args[2], (carModel.z1[0] + -11.2f) + 5.0f);
    // The ground follows the car, then the scenery.
    EXPECT_EQ(corners[3 * 776].args[1], -943.10614f + 380.0f);
    EXPECT_EQ(corners[3 * 778].args[1], -703.62805f + 320.0f);
}

TEST_F(Scene, BlockRowsAddTwelveTrianglesPerBlock)
{
    Frame("E");
    QuietRun(1);
    GameState.rows[RandomB] = ObstacleRow{300.0f, 0, 1.0f};
    ResetGlRecord();
    Frame();
    EXPECT_EQ(glRecord.triangles, 792 + 12);
    GameState.rows[EdgePair] = ObstacleRow{300.0f, 0, 0.0f};
    ResetGlRecord();
    Frame();
    EXPECT_EQ(glRecord.triangles, 792 + 12 + 24);
    // The edge pair's blocks: left first, both at the row's y.
    const std::vector<GlCall> corners = CallsNamed("glVertex3f");
    EXPECT_EQ(corners[36].args[0], -1.0000001f + -7.1f);
    EXPECT_EQ(corners[72].args[0], -1.0000001f + 7.1f);
    EXPECT_EQ(corners[36].args[1], 1.6095042f + 293.0f);
    EXPECT_EQ(corners[72].args[1], 1.6095042f + 293.0f);

    // Every kind in play: the pairs' blocks sit where their free lanes end.
    GameState.rows[RightPair] = ObstacleRow{300.0f, 0, 0.0f};
    GameState.rows[LeftPair] = ObstacleRow{300.0f, 0, 0.0f};
    ResetGlRecord();
    Frame();
    const std::vector<GlCall> all = CallsNamed("glVertex3f");
    ASSERT_EQ(all.size(), 3U * (792 + 12 + 6 * 12));
    const float blockX[] = {6.1f, 2.1f, -6.1f, -2.1f, -7.1f, 7.1f};
    for (std::size_t block = 0; block < 6; ++block) {
        EXPECT_EQ(all[36 * (block + 1)].args[0], -1.0000001f + blockX[block]) << block;
    }
}

TEST_F(Scene, AFrameWithoutAReadyContextDrawsNothingButStillPaces)
{
    glStage = 0;
    Frame("E");
    EXPECT_TRUE(glRecord.calls.empty());
    EXPECT_EQ(GameState.viewMode, ViewTitle);
    EXPECT_EQ(platformRecord.presents, 0);
    EXPECT_EQ(platformRecord.focusChecks, 1);
    EXPECT_EQ(platformRecord.sleeps, 1);
}

}  // namespace
