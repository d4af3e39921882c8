// music.cpp -- the looping background tune and its S-key toggle
#include "sound/music.h"

#include "game/platform.h"

int SoundState = SoundStartPending;
int soundHoldFrames = 0;

namespace {

// A hold ends in the frame that finds the counter past this, about 2 s.
constexpr int HoldFrames = 60;

}  // namespace

void StepMusic()
{
    if (SoundState == SoundStartPending) {
        PlatformStartMusic();
        SoundState = SoundPlayingHold;
        soundHoldFrames = 1;
        return;
    }
    if (SoundState == SoundStopPending) {
        PlatformStopMusic();
        SoundState = SoundStoppedHold;
        soundHoldFrames = 1;
        return;
    }
    const int n = soundHoldFrames;
    if (n > HoldFrames && SoundState == SoundPlayingHold) {
        SoundState = SoundPlaying;
        soundHoldFrames = 1;
    } else if (n > HoldFrames && SoundState == SoundStoppedHold) {
        SoundState = SoundStopped;
        soundHoldFrames = 1;
    } else if (SoundState == SoundPlayingHold || SoundState == SoundStoppedHold) {
        // Only the holds need the count; leaving it alone in the settled
        // states keeps it from ever running past the int range.
        soundHoldFrames = n + 1;
    }
}

void PressMusicKey()
{
    if (SoundState == SoundStopped) {
        SoundState = SoundStartPending;
    } else if (SoundState == SoundPlaying) {
        SoundState = SoundStopPending;
    }
}

void ResetMusic()
{
    SoundState = SoundStartPending;
    soundHoldFrames = 0;
}
