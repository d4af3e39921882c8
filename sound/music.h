// music.h -- the looping background tune and its S-key toggle
#pragma once

// Music states; each start or stop is followed by a hold before S works again.
enum SoundCode : int {
    SoundStartPending = 0,  // silent; the next frame starts the tune
    SoundPlayingHold = 1,   // playing; S locked out
    SoundPlaying = 2,       // playing; S stops it
    SoundStopPending = 3,   // playing; the next frame stops it
    SoundStoppedHold = 4,   // silent; S locked out
    SoundStopped = 5,       // silent; S starts it
};

extern int SoundState;
// Frames since the last start or stop call; counts the holds.
extern int soundHoldFrames;

// The frame's music step: start or stop the tune, or count a hold.
void StepMusic();

// The S key, once it has passed the input gate: Playing stops, Stopped starts.
void PressMusicKey();

// The tune waiting for the first frame to start it, as at start-up.
void ResetMusic();
