// scene_setup.cpp -- projection, camera and the render state around every drawn frame
#include "render/scene_setup.h"

#include "game/game_state.h"
#include "game/platform.h"
#include "render/opengl.h"

int glStage = 0;

namespace {

constexpr int StageContextReady = 3;
constexpr int StageFrustumApplied = 5;

// A 60 degree vertical field of view on a 16:9 screen; other screens stretch.
constexpr double FrustumHalfWidth = 1.0264;
constexpr double FrustumHalfHeight = 0.57735;
constexpr double FrustumNear = 1.0;
constexpr double FrustumFar = 1000.0;

constexpr float TitleCameraTilt = 290.0f;
constexpr float PlayCameraTilt = 274.0f;

}  // namespace

void SetUpRenderContext(int screenWidth, int screenHeight)
{
    glClearColor(0.0f, 0.91f, 1.0f, 1.0f);
    glViewport(0, 0, screenWidth, screenHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glStage = StageContextReady;
}

bool SceneReady()
{
    return glStage == StageContextReady || glStage == StageFrustumApplied;
}

void BeginScene()
{
    if (glStage == StageContextReady) {
        glFrustum(-FrustumHalfWidth, FrustumHalfWidth, -FrustumHalfHeight, FrustumHalfHeight,
                  FrustumNear, FrustumFar);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glStage = StageFrustumApplied;
    }

    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthRange(0.1, 100.0);
    glClearDepth(1.0);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    // The camera follows the view the frame starts in.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -30.0f);
    if (GameState.viewMode == ViewTitle) {
        glRotatef(TitleCameraTilt, 1.0f, 0.0f, 0.0f);
    }
    if (GameState.viewMode == ViewPlay) {
        glRotatef(PlayCameraTilt, 1.0f, 0.0f, 0.0f);
    }

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_TRUE);
}

void EndScene()
{
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    PlatformPresentFrame();
}

void ResetSceneSetup()
{
    glStage = 0;
}
