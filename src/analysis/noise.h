#pragma once
// The point-to-point noise of a curve, estimated robustly.

#include <cstddef>

// Standard deviation of white noise on the values: 1.4826 times the median
// absolute deviation of the second differences, over sqrt(6). Second
// differences cancel a sloped baseline, and a peak spread over many points
// adds little to them; the median ignores the few points where it does.
// Long curves are sampled at evenly spaced points. A curve whose differences
// are mostly equal (quantized, without noise) takes the mean deviation
// instead. Fewer than 3 values give 0.
double estimateNoise(const double *values, std::size_t count);
