// bench_null_gl.cpp -- frame benchmarks through the recording OpenGL with recording off: calls only counted
#include "tests/bench/bench_backend.h"

#include "render/opengl.h"
#include "render/scene_setup.h"
#include "tests/support/frame_script.h"

namespace {

constexpr int ScreenWidth = 1920;
constexpr int ScreenHeight = 1080;

}  // namespace

// The recorder has no glFinish; the floor's replay needs one to link against.
extern "C" void APIENTRY glFinish() {}

const char* BackendName() { return "null-gl"; }

bool StartBackend()
{
    StartFresh();
    SetUpRenderContext(ScreenWidth, ScreenHeight);
    return true;
}

void StartGlCapture()
{
    ResetGlRecord();
    glRecord.keepCalls = true;
}

std::vector<GlCall> StopGlCapture()
{
    glRecord.keepCalls = false;
    std::vector<GlCall> calls = glRecord.calls;
    ResetGlRecord();
    return calls;
}
