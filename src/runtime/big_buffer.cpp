// Large blocks: huge pages where they pay, and a few freed blocks kept for reuse.
#include "runtime/big_buffer.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <sys/mman.h>

namespace tarvek {

// The first touch of fresh memory costs the clearing of every page and, on
// virtual machines that hand memory back to their host, a second fault in
// the host as well: measured from 0.3 to 0.8 ms per MB in small pages, and
// 0.1 to 6 ms per huge page (the kernel may compact memory to find one).
// A huge page is worth its price only when the block fills most of it, so
// blocks below half of one go to operator new (whose heap also reuses what
// is freed), and a mapped block ends on a huge page only when its tail
// fills at least half of one: else the tail stays in small pages that are
// cleared only as they are touched.
const std::size_t kBigBlockBytes = kHugePageBytes / 2;

namespace {

constexpr std::size_t kSmallPageBytes = 4096;

// Freed blocks wait here for a request of about their size, which then
// finds its pages already there: a model rebuilt or a file read again runs
// on warm memory. Their pages are marked free to the system, which takes
// them back only when it runs short, so the cache costs nothing a process
// elsewhere needs. Blocks above the cap's size go straight back.
constexpr std::size_t kCachedBlocks = 16;
constexpr std::size_t kCacheCapBytes = std::size_t{128} << 20;

struct Block {
  void* start = nullptr;
  std::size_t size = 0;
};

struct FreedBlocks {
  std::mutex lock;
  std::array<Block, kCachedBlocks> blocks{}; // oldest first
  std::size_t count = 0;
  std::size_t bytes = 0;

  // The smallest block of size to twice size, cut to size; or none.
  void* take(std::size_t size)
  {
    const std::lock_guard<std::mutex> hold(lock);
    std::size_t best = count;
    for (std::size_t i = 0; i < count; ++i)
      if (blocks[i].size >= size && blocks[i].size / 2 <= size
          && (best == count || blocks[i].size < blocks[best].size))
        best = i;
    if (best == count)
      return nullptr;
    const Block found = blocks[best];
    for (std::size_t i = best; i + 1 < count; ++i)
      blocks[i] = blocks[i + 1];
    --count;
    bytes -= found.size;
    if (found.size > size)
      ::munmap(static_cast<char*>(found.start) + size, found.size - size);
    return found.start;
  }

  void keep(void* start, std::size_t size)
  {
    if (size > kCacheCapBytes) {
      ::munmap(start, size);
      return;
    }
    ::madvise(start, size, MADV_FREE);
    const std::lock_guard<std::mutex> hold(lock);
    while (count > 0 && (count == kCachedBlocks || bytes + size > kCacheCapBytes)) {
      ::munmap(blocks[0].start, blocks[0].size);
      bytes -= blocks[0].size;
      for (std::size_t i = 0; i + 1 < count; ++i)
        blocks[i] = blocks[i + 1];
      --count;
    }
    blocks[count++] = {start, size};
    bytes += size;
  }
};

// Trivially destructible, so blocks freed by other objects' destructors at
// exit still find it.
constinit FreedBlocks freed;

void* mapAligned(std::size_t size)
{
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

} // namespace

std::size_t mappedBytes(std::size_t bytes)
{
  const std::size_t pages = (bytes + kSmallPageBytes - 1) / kSmallPageBytes * kSmallPageBytes;
  const std::size_t tail = pages % kHugePageBytes;
  return tail >= kHugePageBytes / 2 ? pages - tail + kHugePageBytes : pages;
}

void* allocateBig(std::size_t bytes)
{
  if (!mappedOnItsOwn(bytes))
    return ::operator new(bytes);
  if (bytes > std::numeric_limits<std::size_t>::max() - 2 * kHugePageBytes)
    throw std::bad_alloc();
  const std::size_t size = mappedBytes(bytes);
  if (void* reused = freed.take(size))
    return reused;
  return mapAligned(size);
}

void freeBig(void* block, std::size_t bytes) noexcept
{
  if (block == nullptr)
    return;
  if (!mappedOnItsOwn(bytes)) {
    ::operator delete(block);
    return;
  }
  freed.keep(block, mappedBytes(bytes));
}

} // namespace tarvek
