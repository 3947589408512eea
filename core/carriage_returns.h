#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Where the CRs stand among the 64 bytes from bytes on: bit i for bytes[i].
// Lines are found a mask at a time, rather than by a search per line.
inline std::uint64_t carriageReturns(const char* bytes)
{
    constexpr char CarriageReturn = '\r';
#if defined(__SSE2__)
    const __m128i carriageReturns = _mm_set1_epi8(CarriageReturn);
    std::uint64_t found = 0;
    for (int i = 0; i < 4; ++i) {
        const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * i));
        const auto bits = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(sixteen, carriageReturns)));
        found |= std::uint64_t {bits} << (16 * i);
    }
    return found;
#else
    std::uint64_t found = 0;
    for (int i = 0; i < 64; ++i)
        found |= std::uint64_t {bytes[i] == CarriageReturn} << i;
    return found;
#endif
}
