// random_source.cpp -- the random draws behind the waves: the C runtime on Windows, its recipe elsewhere
#include "game/random_source.h"

#include <cstdlib>

int NextRuntimeDraw(unsigned* state)
{
    *state = *state * 214013u + 2531011u;
    return static_cast<int>((*state >> 16) & 0x7FFFu);
}

#if defined(_WIN32)

int DrawRandom()
{
    return std::rand();
}

void SeedRandom(unsigned seed)
{
    std::srand(seed);
}

#else

namespace {

// The state of an unseeded runtime.
unsigned randomState = 1;

}  // namespace

int DrawRandom()
{
    return NextRuntimeDraw(&randomState);
}

void SeedRandom(unsigned seed)
{
    randomState = seed;
}

#endif
