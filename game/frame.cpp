// frame.cpp -- one frame of the game: scene, music, logic, banner, checks, present
#include "game/frame.h"

#include "banner/banner_grid.h"
#include "banner/banner_text.h"
#include "banner/pixel_font.h"
#include "game/game_state.h"
#include "game/key_latch.h"
#include "game/platform.h"
#include "render/scene_setup.h"
#include "sound/music.h"

void RenderFrame()
{
    // Without a ready context nothing is drawn, but the frame still paces.
    if (SceneReady()) {
        BeginScene();
        StepMusic();
        stepModes();
        if (GameState.viewMode == ViewTitle) {
            stepTitle();
        } else if (GameState.pauseState == PauseRunning) {
            stepPlay();
        }
        ResetBannerGrid();
        SelectBannerText();
        StampBannerText(bannerText);
        if (GameState.viewMode == ViewTitle) {
            DrawBannerGrid();
        }
        if (GameState.viewMode == ViewPlay) {
            checkRoadBounds();
        }
        checkHits();
        ClearKeyLatch();
        EndScene();
    }
    PlatformRestoreFocus();
    PlatformFrameSleep();
}
