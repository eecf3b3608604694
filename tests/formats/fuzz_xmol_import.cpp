// libFuzzer entry point of the XMOL import with its tube fit, bonds and
// distortions. The first byte picks the answers, the quiet flag and the
// distortions; the rest is the file. Any input gives no import and an
// untouched model, or atoms with finite coordinates and valid bonds.
#include "formats/structure_readers.h"
#include "model/model.h"
#include "platform/abort.h"
#include "platform/prompts.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

// Answers yes/no questions from the bits of one byte.
class BitPrompts : public tarvek::Prompts {
public:
  explicit BitPrompts(std::uint8_t bits) : m_bits(bits) {}
  void message(const std::string&, const std::string&, tarvek::MessageIcon) override {}
  bool yesNo(const std::string&, const std::string&, tarvek::MessageIcon) override
  {
    const bool answer = (m_bits & 1u) != 0;
    m_bits = static_cast<std::uint8_t>(m_bits >> 1 | 0x80u);
    return answer;
  }
  std::optional<std::string> input(const std::string&, const std::string&,
                                   const std::string&) override
  {
    return std::nullopt;
  }
  void beep() override {}
  void beginWait() override {}
  void endWait() override {}

private:
  std::uint8_t m_bits;
};

class NeverAbort : public tarvek::AbortToken {
public:
  void clearEscape() override {}
  bool escapePressed() override { return false; }
  long stops() const override { return 0; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  if (size == 0)
    return 0;
  const std::uint8_t control = data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  tarvek::Model model;
  if ((control & 0x10u) != 0) {
    model.stretchFactor = 1.5f;
    model.ellipseRatio = 2.0f;
    model.twistRate = 3.0f;
    model.bendAngle = 90.0f;
  }
  const tarvek::Model before = model;
  BitPrompts prompts(static_cast<std::uint8_t>(control & 0x0Fu));
  NeverAbort abort;
  const bool quiet = (control & 0x20u) != 0;
  const bool previous = (control & 0x40u) != 0;
  const auto result =
      tarvek::importCoordinateBytes(model, bytes, "/fuzz/tube.xmol", quiet, previous, prompts, abort);
  if (!result) {
    if (!(model == before))
      std::abort();
    return 0;
  }
  const auto n = static_cast<std::size_t>(model.atomCount);
  if (n == 0 || model.atomX.size() != n || model.atomY.size() != n || model.atomZ.size() != n
      || model.atomType.size() != n || model.structureKind != 7)
    std::abort();
  for (std::size_t i = 0; i < n; ++i)
    if (!std::isfinite(model.atomX[i]) || !std::isfinite(model.atomY[i])
        || !std::isfinite(model.atomZ[i]))
      std::abort();
  if (model.bondAtom1.size() != static_cast<std::size_t>(model.bondCount)
      || model.bondAtom2.size() != model.bondAtom1.size())
    std::abort();
  for (std::size_t b = 0; b < model.bondAtom1.size(); ++b)
    if (model.bondAtom1[b] < 0 || model.bondAtom1[b] >= model.bondAtom2[b]
        || static_cast<std::size_t>(model.bondAtom2[b]) >= n)
      std::abort();
  return 0;
}
