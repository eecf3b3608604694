#include "pdfwriter/rc4.h"

#include <algorithm>
#include <utility>

namespace quillet {

void Rc4::setKey(std::span<const std::uint8_t> key)
{
  for (std::size_t n = 0; n < m_state.size(); ++n)
    m_state[n] = static_cast<std::uint8_t>(n);
  m_i = 0;
  m_j = 0;
  if (key.empty())
    return;
  const std::size_t keyLength = std::min<std::size_t>(key.size(), 256);
  std::uint8_t j = 0;
  for (std::size_t n = 0; n < m_state.size(); ++n) {
    j = static_cast<std::uint8_t>(j + m_state[n] + key[n % keyLength]);
    std::swap(m_state[n], m_state[j]);
  }
}

void Rc4::process(std::span<const std::uint8_t> in, std::uint8_t* out)
{
  for (std::size_t n = 0; n < in.size(); ++n) {
    ++m_i;
    m_j = static_cast<std::uint8_t>(m_j + m_state[m_i]);
    std::swap(m_state[m_i], m_state[m_j]);
    const std::uint8_t k = m_state[static_cast<std::uint8_t>(m_state[m_i] + m_state[m_j])];
    out[n] = in[n] ^ k;
  }
}

} // namespace quillet
