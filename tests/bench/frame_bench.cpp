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

// A drawn triangle or quad as the models and the banner send it: push, colour,
// begin, corners, end, pop.
struct Primitive {
    GLenum mode;
    GLfloat colour[4];
    int corners;
};

// A stretch of the floor: some state calls, then some primitives.
struct FloorStep {
    int stateOps;
    int primitives;
};

// A frame's calls laid out for the cheapest replay: primitives as plain
// corner arrays, everything else as single calls.
struct Floor {
    std::vector<GlOp> stateOps;
    std::vector<Primitive> primitives;
    std::vector<GLfloat> corners;  // x, y, z of every primitive's corners, in order
    std::vector<FloorStep> steps;
    std::size_t calls;
};

bool Named(const std::vector<GlCall>& calls, std::size_t at, const char* name)
{
    return at < calls.size() && std::strcmp(calls[at].name, name) == 0;
}

// Length of the primitive starting at calls[at], or 0 if none starts there.
std::size_t PrimitiveLength(const std::vector<GlCall>& calls, std::size_t at)
{
    if (!Named(calls, at, "glPushMatrix") || !Named(calls, at + 1, "glColor4f") || !Named(calls, at + 2, "glBegin")) {
        return 0;
    }
    std::size_t end = at + 3;
    while (Named(calls, end, "glVertex3f")) {
        ++end;
    }
    if (end == at + 3 || !Named(calls, end, "glEnd") || !Named(calls, end + 1, "glPopMatrix")) {
        return 0;
    }
    return end + 2 - at;
}

// Turns one captured call into a replayable one; false on a call the floor
// cannot replay (a steady frame never sets the frustum).
bool DecodeOp(const GlCall& call, GlOp& op)
{
    const auto known = std::find_if(std::begin(OpNames), std::end(OpNames),
                                    [&](const OpName& n) { return std::strcmp(n.name, call.name) == 0; });
    if (known == std::end(OpNames)) {
        return false;
    }
    op = GlOp{};
    op.code = known->code;
    const auto& a = call.args;
    switch (op.code) {
    case OpVertex:
    case OpColor:
    case OpClearColor:
    case OpTranslate:
    case OpRotate:
        for (std::size_t k = 0; k < 4; ++k) {
            op.f[k] = static_cast<GLfloat>(a[k]);
        }
        break;
    case OpDepthRange:
    case OpClearDepth:
        op.d[0] = a[0];
        op.d[1] = a[1];
        break;
    case OpViewport:
        for (std::size_t k = 0; k < 4; ++k) {
            op.i[k] = static_cast<GLint>(a[k]);
        }
        break;
    default:
        op.e[0] = static_cast<GLenum>(a[0]);
        op.e[1] = static_cast<GLenum>(a[1]);
        break;
    }
    return true;
}

bool Decode(const std::vector<GlCall>& calls, Floor& floor)
{
    floor = Floor{};
    floor.calls = calls.size();
    std::size_t at = 0;
    while (at < calls.size()) {
        FloorStep step{0, 0};
        for (; at < calls.size() && PrimitiveLength(calls, at) == 0; ++at) {
            GlOp op;
            if (!DecodeOp(calls[at], op)) {
                return false;
            }
            floor.stateOps.push_back(op);
            ++step.stateOps;
        }
        for (std::size_t length = PrimitiveLength(calls, at); length != 0; length = PrimitiveLength(calls, at)) {
            const auto& colour = calls[at + 1].args;
            floor.primitives.push_back(Primitive{static_cast<GLenum>(calls[at + 2].args[0]),
                                                 {static_cast<GLfloat>(colour[0]), static_cast<GLfloat>(colour[1]),
                                                  static_cast<GLfloat>(colour[2]), static_cast<GLfloat>(colour[3])},
                                                 static_cast<int>(length - 5)});
            for (std::size_t k = at + 3; k < at + length - 2; ++k) {
                for (std::size_t axis = 0; axis < 3; ++axis) {
                    floor.corners.push_back(static_cast<GLfloat>(calls[k].args[axis]));
                }
            }
            ++step.primitives;
            at += length;
        }
        floor.steps.push_back(step);
    }
    return true;
}

void ReplayOp(const GlOp& op)
{
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

// The floor: the frame's OpenGL calls with the frame's values, and nothing else.
void Replay(const Floor& floor)
{
    const GlOp* op = floor.stateOps.data();
    const Primitive* primitive = floor.primitives.data();
    const GLfloat* corner = floor.corners.data();
    for (const FloorStep& step : floor.steps) {
        for (int k = 0; k < step.stateOps; ++k, ++op) {
            ReplayOp(*op);
        }
        for (int k = 0; k < step.primitives; ++k, ++primitive) {
            glPushMatrix();
            glColor4f(primitive->colour[0], primitive->colour[1], primitive->colour[2], primitive->colour[3]);
            glBegin(primitive->mode);
            for (int c = 0; c < primitive->corners; ++c, corner += 3) {
                glVertex3f(corner[0], corner[1], corner[2]);
            }
            glEnd();
            glPopMatrix();
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

bool SameCalls(const std::vector<GlCall>& made, const std::vector<GlCall>& expected)
{
    return std::equal(made.begin(), made.end(), expected.begin(), expected.end(), [](const GlCall& p, const GlCall& q) {
        return std::strcmp(p.name, q.name) == 0 && p.args == q.args;
    });
}

// Prepares the view and captures one frame's calls as the floor, checked by
// capturing the floor's own calls.
bool PrepareWithFloor(const FrameKind& kind, Floor& floor, benchmark::State& state)
{
    if (!kind.prepare()) {
        state.SkipWithError("no OpenGL context");
        return false;
    }
    StartGlCapture();
    kind.frame();
    const std::vector<GlCall> frameCalls = StopGlCapture();
    if (!Decode(frameCalls, floor)) {
        state.SkipWithError("the frame made an OpenGL call the floor cannot replay");
        return false;
    }
    StartGlCapture();
    Replay(floor);
    if (!SameCalls(StopGlCapture(), frameCalls)) {
        state.SkipWithError("the floor does not make the frame's OpenGL calls");
        return false;
    }
    state.SetLabel(BackendName());
    return true;
}

// Game and floor timed in alternating blocks on the process clock, so drift
// and the rasterizer's threads weigh on both alike.
void CompareWithFloor(const FrameKind& kind, const Floor& floor, benchmark::State& state)
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
    state.counters["gl_calls"] = static_cast<double>(floor.calls);
}

void GameFrame(benchmark::State& state, const FrameKind& kind)
{
    Floor floor;
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
    Floor floor;
    if (!PrepareWithFloor(kind, floor, state)) {
        return;
    }
    for (auto _ : state) {
        Replay(floor);
    }
    state.counters["gl_calls"] = static_cast<double>(floor.calls);
}

}  // namespace

BENCHMARK_CAPTURE(GameFrame, title, Title)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FloorFrame, title, Title)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(GameFrame, play, Play)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FloorFrame, play, Play)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
