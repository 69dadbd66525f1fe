// The real random source: a 64-bit Mersenne Twister reseeded from the high-resolution
// clock mixed with a counter, so two reseeds in a row never replay the same fractions.
#pragma once

#include <cstdint>
#include <random>

#include "engine/random_source.h"

namespace dz {

class ClockRandom : public RandomSource
{
public:
    ClockRandom();
    void Randomize() override;
    double Rnd() override;

private:
    std::mt19937_64 engine_;
    std::uint64_t reseeds_ = 0;
};

} // namespace dz
