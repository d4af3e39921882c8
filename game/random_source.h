// random_source.h -- the game's only random source: draws of 0..32767
#pragma once

// The next draw, 0..32767. The game never seeds it, so every start plays the
// same waves. The Windows build asks the C runtime's rand(); every other build
// runs the same recipe itself, so all builds draw the same sequence.
int DrawRandom();

// Starts the sequence again from a seed (1 is where an unseeded game starts).
// Only tools and tests call it.
void SeedRandom(unsigned seed);

// One step of the C runtime's recipe on a given state: the state advances by
// state * 214013 + 2531011 (mod 2^32) and the draw is its bits 16 to 30.
int NextRuntimeDraw(unsigned* state);
