// frame.h -- one frame of the game: scene, music, logic, banner, checks, present
#pragma once

// Runs one whole frame in its fixed order and ends with the frame sleep.
void RenderFrame();
