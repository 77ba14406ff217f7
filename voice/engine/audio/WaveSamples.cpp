#include "WaveSamples.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double kSampleTime = 0.000125; // one sample at 8000 Hz
constexpr double kReferenceArea = 3.68634375;
constexpr double kLevelScale = 50.0;
constexpr int32_t kLargestSample = 32767;

// The area between the curve and zero from one sample to the next.
double PairArea(int32_t b, int32_t c)
{
    if ((b < 0) == (c < 0)) {
        const int32_t low = std::min(b, c);
        const int32_t high = std::max(b, c);
        return std::abs(low) * kSampleTime + (high - low / 2) * kSampleTime;
    }
    // Opposite signs: the curve crosses zero after d seconds.
    const double d = (-b * kSampleTime) / (b - c);
    return std::fabs(b * d) / 2 + std::fabs((kSampleTime - d) * c) / 2;
}

} // namespace

int32_t WaveSamples::Level(const int16_t* samples, size_t count)
{
    double sum = 0;
    for (size_t i = 1; i < count; ++i)
        sum += PairArea(samples[i - 1], samples[i]);
    // No area has no logarithm: that is silence.
    if (!(sum > 0))
        return kSilentLevel;
    return static_cast<int32_t>(kLevelScale * std::log10(sum / (count * kReferenceArea)));
}

void WaveSamples::MixIn(int16_t* into, const int16_t* from, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const int32_t mixed = int32_t{into[i]} + int32_t{from[i]};
        into[i] = static_cast<int16_t>(std::clamp(mixed, -kLargestSample, kLargestSample));
    }
}
