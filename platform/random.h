// The real random source: a 64-bit Mersenne Twister reseeded from the high-resolution
// clock mixed with a counter, so two reseeds in a row never replay the same fractions.
#pragma once

#include <cstdint>
#include <functional>
#include <random>

#include "engine/random_source.h"

namespace dz
{

class ClockRandom : public RandomSource
{
public:
    using Clock = std::function<std::uint64_t()>;

    ClockRandom();
    // For tests: a clock that may stand still, as a coarse system clock does.
    explicit ClockRandom(Clock clock);
    void Randomize() override;
    double Rnd() override;

private:
    Clock clock_;
    std::mt19937_64 engine_;
    std::uint64_t reseeds_ = 0;
};

} // namespace dz
