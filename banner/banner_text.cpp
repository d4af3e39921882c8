// banner_text.cpp -- which message the banner holds in each frame
#include "banner/banner_text.h"

#include "game/game_state.h"
#include "game/key_latch.h"

std::string bannerText;

namespace {

// Lower case only: the banner font has no capitals.
const char* const TitleMessage = "       kestrel forges hazard highway 3d         press m key for menu";
const char* const ShortTitleMessage = "       kestrel forges hazard highway 3d";
const char* const PausedMessage = "       game paused";
const char* const ScorePrefix = "       score  ";
const char* const VictoryPrefix = "       victory... score  ";

}  // namespace

void SelectBannerText()
{
    const bool running = GameState.pauseState == PauseRunning;
    // Later rules replace what earlier ones chose in the same frame.
    if (GameState.viewMode == ViewTitle && running) {
        bannerText = TitleMessage;
    }
    if (GameState.viewMode == ViewTitle && GameState.pauseState == PausePausing) {
        bannerText = PausedMessage;
    }
    if (KeyLatch.restart == 1 && GameState.pauseState == PausePaused) {
        bannerText = ShortTitleMessage;
    }
    if (GameState.gameOver == 1 && running && GameState.score < VictoryScore) {
        bannerText = ScorePrefix + std::to_string(GameState.score);
    }
    if (GameState.gameOver == 1 && running && GameState.score >= VictoryScore) {
        bannerText = VictoryPrefix + std::to_string(GameState.score);
    }
}

void ResetBannerText()
{
    bannerText.clear();
}
