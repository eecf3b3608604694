#include "pdfwriter/pdf_tables.h"

#include <algorithm>
#include <new>

namespace quillet {

void ObjectOffsetTable::reserve(std::int32_t number)
{
  if (static_cast<std::size_t>(number) >= m_offsets.size())
    m_offsets.resize(std::max<std::size_t>(m_offsets.size() * 2, std::size_t(number) + 1), 0);
  m_offsets[number] = kReserved;
}

bool PointerVector::push(std::int32_t value)
{
  if (m_count == m_capacity) {
    std::size_t grown = m_capacity == 0 ? 1 : m_capacity * 2;
    std::unique_ptr<std::int32_t[]> data(new (std::nothrow) std::int32_t[grown]);
    if (!data)
      return false;
    std::copy(m_data.get(), m_data.get() + m_count, data.get());
    m_data = std::move(data);
    m_capacity = grown;
  }
  m_data[m_count++] = value;
  return true;
}

void PointerVector::clear()
{
  m_data.reset();
  m_count = 0;
  m_capacity = 0;
}

void BitSet::set(std::uint32_t i)
{
  if (i < m_bits)
    m_bytes[i / 8] |= std::uint8_t(1u << (i % 8));
}

bool BitSet::test(std::uint32_t i) const
{
  return i < m_bits && (m_bytes[i / 8] >> (i % 8) & 1u) != 0;
}

} // namespace quillet
