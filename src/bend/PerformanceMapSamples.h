#pragma once
// The samples of the performance map: ad hoc cases drawn at random over the
// performance chart's ranges, each solved in both states and judged against
// the design's curvature limit 1/ABR.

#include <cstdint>
#include <functional>
#include <random>
#include <string>

namespace umbrinex {

class TBend;

enum class TSampleOutcome : std::uint8_t {
  Within,   // every state's curvature at or below 1/ABR at every station
  Exceeds,  // somewhere above it
  Failed,   // the solve raised an error
  Skipped,  // the results were not calculated (they had been marked failed)
};

struct TMapSample {
  double Angle = 0.0;
  double Tension = 0.0;
  TSampleOutcome Outcome = TSampleOutcome::Skipped;
};

// Draws count samples from random (angle first, then tension, sample after
// sample), solves them on every thread (ParallelFor; with one thread on the
// model's load case results) and hands them to onSample on the calling
// thread, in order. The running progress display is updated before every
// step-th sample (50 for a linear calculation, 10 for a non-linear one) as
// the one-thread loop does it, so that a cancellation raises the silent abort
// after exactly the samples before that update have been handed on.
// Returns the message of the last sample that failed, empty when none did.
std::string SamplePerformanceMap(TBend& bend, int count, std::mt19937_64& random,
                                 const std::function<void(const TMapSample&)>& onSample);

}  // namespace umbrinex
