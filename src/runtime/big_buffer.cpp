// Huge-page blocks for large arrays.
#include "runtime/big_buffer.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace tarvek {

// A quarter megabyte in small pages is 64 faults; one huge page, even when
// the block uses an eighth of it, costs one fault and the clearing of 2 MiB,
// far less on machines where a fault is dear. Below this the blocks are too
// many and too short-lived to give each its own huge page.
const std::size_t kBigBlockBytes = std::size_t{256} << 10;

namespace {

std::size_t mappedSize(std::size_t bytes)
{
  return (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
}

} // namespace

void* allocateBig(std::size_t bytes)
{
  if (!mappedOnItsOwn(bytes))
    return ::operator new(bytes);
  if (bytes > std::numeric_limits<std::size_t>::max() - 2 * kHugePageBytes)
    throw std::bad_alloc();
  const std::size_t size = mappedSize(bytes);
  // Map one huge page more than needed and cut the ends off, leaving a
  // range that starts on a huge page boundary.
  const std::size_t span = size + kHugePageBytes;
  void* raw = ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED)
    throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(raw);
  const std::uintptr_t aligned = (start + kHugePageBytes - 1) & ~(std::uintptr_t{kHugePageBytes} - 1);
  if (aligned > start)
    ::munmap(raw, aligned - start);
  const std::size_t tail = start + span - (aligned + size);
  if (tail > 0)
    ::munmap(reinterpret_cast<void*>(aligned + size), tail);
  void* block = reinterpret_cast<void*>(aligned);
  // Only advice: without transparent huge pages the block works on small ones.
  ::madvise(block, size, MADV_HUGEPAGE);
  return block;
}

void populateBig(void* start, std::size_t bytes) noexcept
{
  if (bytes == 0)
    return;
  const auto pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto first = reinterpret_cast<std::uintptr_t>(start) / pageSize * pageSize;
  const auto last = reinterpret_cast<std::uintptr_t>(start) + bytes;
  ::madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
}

void freeBig(void* block, std::size_t bytes) noexcept
{
  if (block == nullptr)
    return;
  if (!mappedOnItsOwn(bytes)) {
    ::operator delete(block);
    return;
  }
  ::munmap(block, mappedSize(bytes));
}

} // namespace tarvek
