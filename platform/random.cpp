#include "platform/random.h"

#include <chrono>

namespace dz
{

ClockRandom::ClockRandom()
    : ClockRandom([] {
          return static_cast<std::uint64_t>(
              std::chrono::high_resolution_clock::now().time_since_epoch().count());
      })
{
}

ClockRandom::ClockRandom(Clock clock) : clock_(std::move(clock))
{
    Randomize();
}

void ClockRandom::Randomize()
{
    const std::uint64_t n = clock_();
    ++reseeds_;
    std::seed_seq seq{static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(n >> 32),
                      static_cast<std::uint32_t>(reseeds_),
                      static_cast<std::uint32_t>(reseeds_ >> 32)};
    engine_.seed(seq);
}

double ClockRandom::Rnd()
{
    // 53 random bits: uniform in [0, 1), never 1.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

} // namespace dz
