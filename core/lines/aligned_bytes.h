#pragma once

#include <cstddef>
#include <memory>
#include <new>

// Bytes that begin a page and are not filled: the kernel copies fastest to
// and from such bytes, and the line files read bytes before they look at them.
inline constexpr std::size_t PageSize = 4096;

struct AlignedBytesDelete
{
    void operator()(char* bytes) const { ::operator delete[](bytes, std::align_val_t {PageSize}); }
};

using AlignedBytes = std::unique_ptr<char[], AlignedBytesDelete>;

inline AlignedBytes alignedBytes(std::size_t size)
{
    return AlignedBytes(static_cast<char*>(::operator new[](size, std::align_val_t {PageSize})));
}
