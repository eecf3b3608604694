// Data-file fields read as one number: the comma rule, Fortran exponents, two numbers run together.
#include "runtime/number_field.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

TEST(NumberFieldTest, aFieldReadsAsOneNumberOrSaysWhyNot)
{
  using Kind = FieldNumber::Kind;
  const struct {
    const char* field;
    Kind kind;
    double value;
  } cases[] = {
      {"2.579040D-02", Kind::Number, 0.0257904},
      {"-1.5d+3", Kind::Number, -1500.0},
      {"1e2", Kind::Number, 100.0},
      {" 1,5 ", Kind::Number, 1.5},
      {"\t4", Kind::Number, 4.0},
      {".5", Kind::Number, 0.5},
      {"5.", Kind::Number, 5.0},
      {"12.5abc", Kind::Number, 12.5},
      {"3E", Kind::Number, 3.0},
      {"2Dx", Kind::Number, 2.0},
      {"1,234.5", Kind::TwoNumbers, 0.0},
      {"1.234.5", Kind::TwoNumbers, 0.0},
      {"1-2", Kind::TwoNumbers, 0.0},
      {"1e5.5", Kind::TwoNumbers, 0.0},
      {"1e999", Kind::TooLarge, 0.0},
      {"", Kind::None, 0.0},
      {"-", Kind::None, 0.0},
      {".", Kind::None, 0.0},
      {"zero", Kind::None, 0.0},
      {"nan", Kind::None, 0.0},
  };
  for (const auto& c : cases) {
    const FieldNumber read = readNumberField(c.field);
    EXPECT_EQ(read.kind, c.kind) << '"' << c.field << '"';
    if (c.kind == Kind::Number) {
      EXPECT_DOUBLE_EQ(read.value, c.value) << '"' << c.field << '"';
    }
  }
}

} // namespace
} // namespace tarvek
