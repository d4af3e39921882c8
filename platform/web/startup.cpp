// startup.cpp -- the page's canvas, its WebGL context and first render state, the audio, and the input
#include "platform/web/shell.h"
#include "render/scene_setup.h"

WebShell web = {0, false, nullptr, {{}, 0}, false, false};

bool StartUp()
{
    int width = 0;
    int height = 0;
    if (!WebCreateContext(&width, &height)) {
        WebShowNoWebGL();
        return false;
    }
    SetUpRenderContext(width, height);
    // Browsers block audio until the player's first gesture; the tune itself
    // is fetched once the first frame is out (WebStartMusic).
    WebUnblockAudioOnGesture();
    ListenForInput();
    StartRecord();
    return true;
}
