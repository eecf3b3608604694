// Memory for large arrays: mapped blocks advised for huge pages, reused when freed.
#pragma once

#include <algorithm>
#include <cstddef>
#include <limits>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace tarvek {

// The huge page size of x86-64 and arm64 with 4 KiB base pages.
inline constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;

// Blocks of at least kBigBlockBytes are mapped on their own, aligned to
// kHugePageBytes and advised for huge pages: a fresh large array then faults
// once per 2 MiB rather than once per 4 KiB page, which on some machines
// costs more than filling the array. A few freed blocks are kept for reuse.
// Smaller blocks come from operator new.
extern const std::size_t kBigBlockBytes;

// The bytes mapped for a block of `bytes` bytes mapped on its own: whole
// small pages, and a whole huge page at the end when the tail fills at least
// half of one.
std::size_t mappedBytes(std::size_t bytes);

// A block of `bytes` bytes, aligned at least as operator new aligns;
// std::bad_alloc when the system has no room.
void* allocateBig(std::size_t bytes);

// Returns a block of allocateBig(bytes), with the same bytes.
void freeBig(void* block, std::size_t bytes) noexcept;

// Gives the freed blocks kept for reuse back to the system.
void releaseFreedBlocks() noexcept;

// Makes the pages of [start, start + bytes) present and writable, their
// bytes unchanged: threads that share out a fresh block take its page
// faults side by side, before one of them fills it. Only advice: where the
// system cannot, the pages come as they are first touched.
void populateBig(void* start, std::size_t bytes) noexcept;

// Whether a block of `bytes` bytes is mapped on its own.
inline bool mappedOnItsOwn(std::size_t bytes) { return bytes >= kBigBlockBytes; }

// A standard allocator over allocateBig, for the containers that grow large
// (atom and bond arrays, search grids, scene records, rasters).
template <typename T>
class BigAllocator {
public:
  static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
  using value_type = T;

  BigAllocator() noexcept = default;
  template <typename U>
  BigAllocator(const BigAllocator<U>&) noexcept
  {
  }

  T* allocate(std::size_t n)
  {
    if (n > std::numeric_limits<std::size_t>::max() / sizeof(T))
      throw std::bad_array_new_length();
    return static_cast<T*>(allocateBig(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t n) noexcept { freeBig(p, n * sizeof(T)); }

  template <typename U>
  bool operator==(const BigAllocator<U>&) const noexcept
  {
    return true;
  }
};

template <typename T>
using BigVector = std::vector<T, BigAllocator<T>>;

// A BigAllocator whose containers leave new elements default-initialised:
// growing a scratch array of plain numbers writes nothing, so the fresh pages
// are first touched by whichever threads fill the array, side by side, and
// not cleared once more by the thread that sized it.
template <typename T>
class BigScratchAllocator : public BigAllocator<T> {
public:
  using value_type = T;

  BigScratchAllocator() noexcept = default;
  template <typename U>
  BigScratchAllocator(const BigScratchAllocator<U>&) noexcept
  {
  }

  template <typename U>
  void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>)
  {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args)
  {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

// A scratch array whose resize leaves the new elements' values unset.
template <typename T>
using BigScratch = std::vector<T, BigScratchAllocator<T>>;

// A big and a standard vector are equal when their elements are.
template <typename T>
bool operator==(const BigVector<T>& big, const std::vector<T>& plain)
{
  return std::equal(big.begin(), big.end(), plain.begin(), plain.end());
}

} // namespace tarvek
