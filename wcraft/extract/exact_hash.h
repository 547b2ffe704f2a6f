// Hashing of exact coordinates for the tables that find records by sheet
// and point: equal doubles give equal bits, and every bit reaches the low
// ones that pick a table slot.
#pragma once

#include <cstdint>
#include <cstring>

namespace wcraft {

// The bits of a coordinate; -0.0 is taken as 0.0, which it equals.
inline uint64_t coordinate_bits(double v) {
    if (v == 0.0) v = 0.0;
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

// Mixes every bit of h into the low ones: whole coordinates and short
// binary fractions leave a double's low bits zero.
inline uint64_t spread_bits(uint64_t h) {
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 33);
}

}  // namespace wcraft
