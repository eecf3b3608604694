#include "runtime/split.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

using Items = std::vector<std::string>;

// Callers index the result from 0 and rely on at least one element.
TEST(SplitTest, splitSpacesTrimsAndMergesRunsOfBlanks)
{
  const struct {
    const char* text;
    Items expected;
  } cases[] = {
    {"  a   b  ", {"a", "b"}},
    {"", {""}},
    {"   ", {""}},
    {"1\t2", {"1\t2"}},
    {"x", {"x"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(splitSpaces(c.text), c.expected) << "text \"" << c.text << "\"";
}

// The part menu's "#" fields may be empty, but a trailing delimiter adds none.
TEST(SplitTest, splitByKeepsInnerEmptyItems)
{
  const struct {
    const char* text;
    Items expected;
  } cases[] = {
    {"a##b", {"a", "", "b"}},
    {"a#", {"a"}},
    {"#a", {"", "a"}},
    {" a # b ", {"a ", " b"}},
    {"", {""}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(splitBy(c.text, '#'), c.expected) << "text \"" << c.text << "\"";
}

} // namespace
} // namespace tarvek
