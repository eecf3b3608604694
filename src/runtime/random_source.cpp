#include "runtime/random_source.h"

namespace tarvek {

double RandomSource::uniform()
{
  const std::uint64_t high = m_engine() >> 5;
  const std::uint64_t low = m_engine() >> 6;
  return static_cast<double>((high << 26) | low) * 0x1.0p-53;
}

} // namespace tarvek
