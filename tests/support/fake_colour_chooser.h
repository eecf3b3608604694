#pragma once

#include "platform/colour_chooser.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <vector>

namespace tarvek::test {

// A colour chooser answered from a script (a colour, or nothing for
// Cancel). The starting colours are recorded; a call without a scripted
// answer fails the current test and answers Cancel.
class FakeColourChooser : public ColourChooser {
public:
  void answer(std::optional<std::uint32_t> colour) { m_answers.push_back(colour); }

  std::optional<std::uint32_t> choose(std::uint32_t initial, const std::string&) override
  {
    initials.push_back(initial);
    if (m_answers.empty()) {
      ADD_FAILURE() << "unexpected colour chooser";
      return std::nullopt;
    }
    const auto colour = m_answers.front();
    m_answers.pop_front();
    return colour;
  }

  std::vector<std::uint32_t> initials;

private:
  std::deque<std::optional<std::uint32_t>> m_answers;
};

} // namespace tarvek::test
