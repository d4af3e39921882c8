// steering.cpp -- sideways steps of the car, the road edges and the block hit tests
#include "game/game_state.h"
#include "game/key_latch.h"

namespace {

constexpr float SteeringStep = 0.15f;
constexpr float RoadHalfWidth = 8.2f;
constexpr float CarCentreOffset = 10.0f;
constexpr float SidewaysReach = 2.9f;
constexpr float LengthwiseReach = 8.3f;

// A blocked span of x carried by one row, tested against the car.
struct BlockedSpan {
    int row;
    float lo;
    float hi;
};

bool Touches(const BlockedSpan& span)
{
    const float carX = GameState.carX;
    const float centre = GameState.carRow - CarCentreOffset;
    const float y = GameState.rows[span.row].y;
    return carX + SidewaysReach >= span.lo && carX - SidewaysReach <= span.hi &&
           y <= centre + LengthwiseReach && y >= centre - LengthwiseReach &&
           GameState.runActive == 1;
}

}  // namespace

void stepSteering()
{
    if (KeyLatch.right != 0 && GameState.runActive == 1) {
        GameState.carX += SteeringStep;
    }
    if (KeyLatch.left != 0 && GameState.runActive == 1) {
        GameState.carX -= SteeringStep;
    }
}

void checkRoadBounds()
{
    if ((GameState.carX > RoadHalfWidth && GameState.runActive == 1) ||
        (GameState.carX < -RoadHalfWidth && GameState.runActive == 1)) {
        endRun();
    }
}

void checkHits()
{
    const float randomAX = GameState.rows[RandomA].x;
    const float randomBX = GameState.rows[RandomB].x;
    const BlockedSpan spans[] = {
        {RandomA, randomAX, randomAX},
        {RandomB, randomBX, randomBX},
        {RightPair, 2.1f, 8.2f},
        {LeftPair, -8.2f, -2.1f},
        {EdgePair, 7.1f, 7.1f},
        {EdgePair, -7.1f, -7.1f},
    };
    // Every test is evaluated; after a hit none can fire since the run is over.
    for (const BlockedSpan& span : spans) {
        if (Touches(span)) {
            endRun();
        }
    }
}
