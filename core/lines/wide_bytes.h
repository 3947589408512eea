#pragma once

#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

// What the line files and the run do with 64 bytes at once: find where the
// CRs stand among them (bit i for bytes[i]), so that lines are found a mask
// at a time rather than by a search per line, and copy them. With the
// instructions every processor of the platform has, or with AVX2, which only
// a function compiled for it may use, where the processor has it.

struct WideBytes
{
    static std::uint64_t carriageReturns(const char* bytes)
    {
        std::uint64_t found = 0;
#if defined(__SSE2__)
        const __m128i carriageReturns = _mm_set1_epi8('\r');
        for (int i = 0; i < 4; ++i) {
            const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * i));
            const auto bits = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(sixteen, carriageReturns)));
            found |= std::uint64_t {bits} << (16 * i);
        }
#else
        for (int i = 0; i < 64; ++i)
            found |= std::uint64_t {bytes[i] == '\r'} << i;
#endif
        return found;
    }

    static void copy(char* to, const char* from)
    {
        std::memcpy(to, from, 64);
    }
};

#if defined(__x86_64__)
struct Avx2WideBytes
{
    [[gnu::target("avx2")]] static std::uint64_t carriageReturns(const char* bytes)
    {
        const __m256i carriageReturns = _mm256_set1_epi8('\r');
        const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes));
        const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + 32));
        const auto lowBits = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, carriageReturns)));
        const auto highBits
            = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, carriageReturns)));
        return std::uint64_t {highBits} << 32 | lowBits;
    }

    [[gnu::target("avx2")]] static void copy(char* to, const char* from)
    {
        const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from));
        const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + 32));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to), low);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + 32), high);
    }

    static bool supported() { return __builtin_cpu_supports("avx2"); }
};
#endif
