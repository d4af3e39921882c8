// frame_bench.cpp -- processor time of a title and a play frame, next to the bare cost of their OpenGL calls
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <vector>

#include "game/frame.h"
#include "game/game_state.h"
#include "render/opengl.h"
#include "tests/bench/bench_backend.h"
#include "tests/support/frame_script.h"

namespace {

// One OpenGL call ready to replay: which function and its arguments in the
// types the function takes, so the floor converts nothing.
enum GlOpCode : std::uint8_t {
    OpBegin, OpEnd, OpVertex, OpColor, OpPushMatrix, OpPopMatrix, OpClearColor, OpViewport,
    OpMatrixMode, OpLoadIdentity, OpEnable, OpDisable, OpDepthFunc, OpDepthRange, OpClearDepth,
    OpClear, OpTranslate, OpRotate, OpBlendFunc, OpDepthMask, OpFinish,
};

struct GlOp {
    GlOpCode code;
    union {
        GLfloat f[4];
        GLdouble d[2];
        GLenum e[2];
        GLint i[4];
    };
};

struct OpName {
    const char* name;
    GlOpCode code;
};

const OpName OpNames[] = {
    {"glBegin", OpBegin}, {"glEnd", OpEnd}, {"glVertex3f", OpVertex}, {"glColor4f", OpColor},
    {"glPushMatrix", OpPushMatrix}, {"glPopMatrix", OpPopMatrix}, {"glClearColor", OpClearColor},
    {"glViewport", OpViewport}, {"glMatrixMode", OpMatrixMode}, {"glLoadIdentity", OpLoadIdentity},
    {"glEnable", OpEnable}, {"glDisable", OpDisable}, {"glDepthFunc", OpDepthFunc},
    {"glDepthRange", OpDepthRange}, {"glClearDepth", OpClearDepth}, {"glClear", OpClear},
    {"glTranslatef", OpTranslate}, {"glRotatef", OpRotate}, {"glBlendFunc", OpBlendFunc},
    {"glDepthMask", OpDepthMask}, {"glFinish", OpFinish},
};

// Turns captured calls into replayable ones; false on a call the floor cannot
// replay (a steady frame never sets the frustum).
bool Decode(const std::vector<GlCall>& calls, std::vector<GlOp>& ops)
{
    ops.clear();
    for (const GlCall& call : calls) {
        const auto known = std::find_if(std::begin(OpNames), std::end(OpNames),
                                        [&](const OpName& n) { return std::strcmp(n.name, call.name) == 0; });
        if (known == std::end(OpNames)) {
            return false;
        }
        GlOp op{};
        op.code = known->code;
        const auto& a = call.args;
        switch (op.code) {
        case OpVertex:
        case OpColor:
        case OpClearColor:
        case OpTranslate:
        case OpRotate:
            for (int k = 0; k < 4; ++k) {
                op.f[k] = static_cast<GLfloat>(a[static_cast<std::size_t>(k)]);
            }
            break;
        case OpDepthRange:
        case OpClearDepth:
            op.d[0] = a[0];
            op.d[1] = a[1];
            break;
        case OpViewport:
            for (int k = 0; k < 4; ++k) {
                op.i[k] = static_cast<GLint>(a[static_cast<std::size_t>(k)]);
            }
            break;
        default:
            op.e[0] = static_cast<GLenum>(a[0]);
            op.e[1] = static_cast<GLenum>(a[1]);
            break;
        }
        ops.push_back(op);
    }
    return true;
}

// The floor: the frame's OpenGL calls with the frame's values, and nothing else.
void Replay(const std::vector<GlOp>& ops)
{
    for (const GlOp& op : ops) {
        switch (op.code) {
        case OpBegin: glBegin(op.e[0]); break;
        case OpEnd: glEnd(); break;
        case OpVertex: glVertex3f(op.f[0], op.f[1], op.f[2]); break;
        case OpColor: glColor4f(op.f[0], op.f[1], op.f[2], op.f[3]); break;
        case OpPushMatrix: glPushMatrix(); break;
        case OpPopMatrix: glPopMatrix(); break;
        case OpClearColor: glClearColor(op.f[0], op.f[1], op.f[2], op.f[3]); break;
        case OpViewport: glViewport(op.i[0], op.i[1], op.i[2], op.i[3]); break;
        case OpMatrixMode: glMatrixMode(op.e[0]); break;
        case OpLoadIdentity: glLoadIdentity(); break;
        case OpEnable: glEnable(op.e[0]); break;
        case OpDisable: glDisable(op.e[0]); break;
        case OpDepthFunc: glDepthFunc(op.e[0]); break;
        case OpDepthRange: glDepthRange(op.d[0], op.d[1]); break;
        case OpClearDepth: glClearDepth(op.d[0]); break;
        case OpClear: glClear(op.e[0]); break;
        case OpTranslate: glTranslatef(op.f[0], op.f[1], op.f[2]); break;
        case OpRotate: glRotatef(op.f[0], op.f[1], op.f[2], op.f[3]); break;
        case OpBlendFunc: glBlendFunc(op.e[0], op.e[1]); break;
        case OpDepthMask: glDepthMask(static_cast<GLboolean>(op.e[0])); break;
        case OpFinish: glFinish(); break;
        }
    }
}

// The play frame starts from the same state every time, so its two rows are
// always drawn at y 40 and 120.
GameStateRecord playStart;

void TitleFrame() { RenderFrame(); }

void PlayFrame()
{
    GameState = playStart;
    RenderFrame();
}

// A steady title view: the first frame has set the frustum.
bool PrepareTitle()
{
    if (!StartBackend()) {
        return false;
    }
    Frame();
    return true;
}

// A run in progress with an EdgePair row and a single block ahead of the car,
// one step before y 40 and 120, and a wave too young to spawn or change.
bool PreparePlay()
{
    if (!StartBackend()) {
        return false;
    }
    Frame("E");
    Frame("U");
    for (ObstacleRow& row : GameState.rows) {
        row.hidden = 1;
    }
    GameState.rows[EdgePair] = ObstacleRow{47.0f, 0, 0.0f};
    GameState.rows[RandomA] = ObstacleRow{127.0f, 0, 3.5f};
    GameState.waveKind = RandomA;
    GameState.waveTimer = 5;
    playStart = GameState;
    return true;
}

struct FrameKind {
    bool (*prepare)();
    void (*frame)();
};

const FrameKind Title{PrepareTitle, TitleFrame};
const FrameKind Play{PreparePlay, PlayFrame};

// Prepares the view and captures one frame's calls as the floor.
bool PrepareWithFloor(const FrameKind& kind, std::vector<GlOp>& floor, benchmark::State& state)
{
    if (!kind.prepare()) {
        state.SkipWithError("no OpenGL context");
        return false;
    }
    StartGlCapture();
    kind.frame();
    if (!Decode(StopGlCapture(), floor)) {
        state.SkipWithError("the frame made an OpenGL call the floor cannot replay");
        return false;
    }
    state.SetLabel(BackendName());
    return true;
}

// Game and floor timed in alternating blocks on the process clock, so drift
// and the rasterizer's threads weigh on both alike.
void CompareWithFloor(const FrameKind& kind, const std::vector<GlOp>& floor, benchmark::State& state)
{
    constexpr int Rounds = 4;
    const long perRound = std::max<long>(1, static_cast<long>(state.iterations()) / Rounds);
    std::clock_t gameTicks = 0;
    std::clock_t floorTicks = 0;
    for (int round = 0; round < Rounds; ++round) {
        const std::clock_t start = std::clock();
        for (long i = 0; i < perRound; ++i) {
            kind.frame();
        }
        const std::clock_t middle = std::clock();
        for (long i = 0; i < perRound; ++i) {
            Replay(floor);
        }
        floorTicks += std::clock() - middle;
        gameTicks += middle - start;
    }
    const double nsPerTick = 1e9 / CLOCKS_PER_SEC / (Rounds * static_cast<double>(perRound));
    state.counters["game_ns"] = static_cast<double>(gameTicks) * nsPerTick;
    state.counters["floor_ns"] = static_cast<double>(floorTicks) * nsPerTick;
    if (floorTicks > 0) {
        state.counters["ratio"] = static_cast<double>(gameTicks) / static_cast<double>(floorTicks);
    }
    state.counters["gl_calls"] = static_cast<double>(floor.size());
}

void GameFrame(benchmark::State& state, const FrameKind& kind)
{
    std::vector<GlOp> floor;
    if (!PrepareWithFloor(kind, floor, state)) {
        return;
    }
    for (auto _ : state) {
        kind.frame();
    }
    CompareWithFloor(kind, floor, state);
}

void FloorFrame(benchmark::State& state, const FrameKind& kind)
{
    std::vector<GlOp> floor;
    if (!PrepareWithFloor(kind, floor, state)) {
        return;
    }
    for (auto _ : state) {
        Replay(floor);
    }
    state.counters["gl_calls"] = static_cast<double>(floor.size());
}

}  // namespace

BENCHMARK_CAPTURE(GameFrame, title, Title)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FloorFrame, title, Title)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(GameFrame, play, Play)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FloorFrame, play, Play)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
