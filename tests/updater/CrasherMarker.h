#pragma once
// Bytes that the crasher puts on the stack of the function that throws; the test looks for
// them in the dump to see that it was written before the stack was unwound.
#include <cstddef>

constexpr size_t kThrowSiteMarkerLength = 48;

inline char ThrowSiteMarkerByte(size_t i) { return static_cast<char>(0x40 + (i * 37 + 11) % 60); }
