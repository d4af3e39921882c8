// scene_setup.h -- projection, camera and the render state around every drawn frame
#pragma once

// Progress of the OpenGL set-up: 0 no context, 3 context current with an
// identity projection, 5 frustum applied by the first frame. Never goes back.
extern int glStage;

// The first render state on a fresh context: sky clear colour, a viewport of
// the whole screen and the projection matrix selected and reset; glStage 3.
void SetUpRenderContext(int screenWidth, int screenHeight);

// True when glStage lets a frame be drawn (3 or 5).
bool SceneReady();

// Projection on the first frame, depth state, clear, the camera of the
// current view, blending.
void BeginScene();

// Blending and depth test off, then the frame is presented.
void EndScene();

// No rendering context yet, as before start-up.
void ResetSceneSetup();
