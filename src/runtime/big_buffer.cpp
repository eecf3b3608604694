// Large blocks: huge pages where they pay, and a few freed blocks kept for reuse.
#include "runtime/big_buffer.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <type_traits>
#include <sys/mman.h>
#include <unistd.h>

namespace tarvek {

// The first touch of fresh memory costs the clearing of every page and, on
// virtual machines that hand memory back to their host, a fault in the host
// as well. Measured on such a machine: 0.3 to 0.8 ms per MB in small pages;
// usually 0.1 to 0.3 ms per MB in huge pages, but now and then several ms
// for one when the kernel compacts memory to find it. A huge page is worth
// its price only when the block fills most of it, so blocks below half of
// one go to operator new (whose heap also reuses what is freed), and a
// mapped block ends on a huge page only when its tail fills at least half
// of one: else the tail stays in small pages, cleared only as they are
// touched.
const std::size_t kBigBlockBytes = kHugePageBytes / 2;

namespace {

// The smallest page of the systems this runs on: sizes are kept whole
// multiples of it, and the system rounds them up to its own page.
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

class FreedBlocks {
public:
  // The smallest block of size to twice size, cut to size; or none.
  void* take(std::size_t size)
  {
    const std::lock_guard<std::mutex> hold(m_lock);
    std::size_t best = m_count;
    for (std::size_t i = 0; i < m_count; ++i)
      if (m_blocks[i].size >= size && m_blocks[i].size / 2 <= size
          && (best == m_count || m_blocks[i].size < m_blocks[best].size))
        best = i;
    if (best == m_count)
      return nullptr;
    const Block found = removeAt(best);
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
    const std::lock_guard<std::mutex> hold(m_lock);
    while (m_count > 0 && (m_count == kCachedBlocks || m_bytes + size > kCacheCapBytes))
      dropOldest();
    m_blocks[m_count++] = {start, size};
    m_bytes += size;
  }

  void release()
  {
    const std::lock_guard<std::mutex> hold(m_lock);
    while (m_count > 0)
      dropOldest();
  }

private:
  Block removeAt(std::size_t index)
  {
    const Block block = m_blocks[index];
    for (std::size_t i = index; i + 1 < m_count; ++i)
      m_blocks[i] = m_blocks[i + 1];
    --m_count;
    m_bytes -= block.size;
    return block;
  }

  void dropOldest()
  {
    const Block oldest = removeAt(0);
    ::munmap(oldest.start, oldest.size);
  }

  std::mutex m_lock;
  std::array<Block, kCachedBlocks> m_blocks{}; // oldest first
  std::size_t m_count = 0;
  std::size_t m_bytes = 0;
};

// Trivially destructible, so blocks freed by other objects' destructors at
// exit still find it.
static_assert(std::is_trivially_destructible_v<FreedBlocks>);
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
  freed.keep(block, mappedBytes(bytes));
}

void releaseFreedBlocks() noexcept
{
  freed.release();
}

} // namespace tarvek
