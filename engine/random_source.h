// The two operations the computer opponent draws through. The program uses a real
// generator (platform/random.h); tests script the fractions.
#pragma once

namespace dz
{

class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // Reseed from the clock.
    virtual void Randomize() = 0;
    // Next fraction, uniform in [0, 1).
    virtual double Rnd() = 0;
};

} // namespace dz
