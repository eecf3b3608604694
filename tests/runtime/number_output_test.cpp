// Format and the print form against the string-based routine they replaced, byte for byte.
#include "number_reference.h"

#include "runtime/number_format.h"
#include "runtime/print_form.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace tarvek {
namespace {

constexpr const char* kMasks[] = {"0.0##",    "0.0",    "0.00", "0.000", "0.0000", "0.00000",
                                  "0.000000", "0.0###", "0.0#", "0%",    "000",    "0"};

// Every exponent from the subnormals to the largest, 512 significands each
// (odd and even, so both readings of the rounding interval's ends occur),
// both signs, and the zeros and extremes.
std::vector<float> denseSample()
{
  std::vector<float> values{0.0f, -0.0f, std::numeric_limits<float>::max(),
                            std::numeric_limits<float>::min(),
                            std::numeric_limits<float>::denorm_min()};
  for (std::uint32_t exponent = 0; exponent < 255; ++exponent) {
    for (std::uint32_t step = 0; step < 256; ++step) {
      for (std::uint32_t odd = 0; odd < 2; ++odd) {
        const std::uint32_t bits = exponent << 23 | (step * 32768 + step * 7 + odd);
        values.push_back(std::bit_cast<float>(bits));
        values.push_back(-std::bit_cast<float>(bits));
      }
    }
  }
  return values;
}

// Decimals that sit exactly on a rounding boundary of the masks (…5 one
// place past the last decimal) and runs of 9s that carry across a power of
// ten, each with its float neighbours.
std::vector<float> boundarySample()
{
  std::vector<std::string> texts;
  for (int decimals = 0; decimals <= 7; ++decimals) {
    for (const char* whole : {"0", "1", "2", "9", "12", "99", "123", "999", "1234", "9999"}) {
      std::string fraction(static_cast<std::size_t>(decimals), '0');
      for (const char* last : {"5", "25", "75", "45"}) {
        texts.push_back(std::string(whole) + "." + fraction + last);
        if (decimals > 0) {
          texts.push_back(std::string(whole) + "."
                          + std::string(static_cast<std::size_t>(decimals), '9') + last);
          texts.push_back(std::string(whole) + "."
                          + std::string(static_cast<std::size_t>(decimals - 1), '3') + "1" + last);
        }
      }
    }
  }
  for (int nines = 1; nines <= 9; ++nines) {
    const std::string run(static_cast<std::size_t>(nines), '9');
    texts.push_back(run + ".5");
    texts.push_back("0." + run + "5");
    texts.push_back("9." + run + "5");
    texts.push_back("0.0" + run);
  }
  std::vector<float> values;
  for (const std::string& text : texts) {
    float v = 0.0f;
    std::from_chars(text.data(), text.data() + text.size(), v);
    for (const float x : {v, std::nextafter(v, 0.0f), std::nextafter(v, 1e30f)}) {
      values.push_back(x);
      values.push_back(-x);
    }
  }
  return values;
}

// What the writers feed: coordinates of a few thousand Å, radii, colour parts.
std::vector<float> writerSample()
{
  std::mt19937 rng(20261210);
  std::uniform_real_distribution<float> coordinate(-10000.0f, 10000.0f);
  std::uniform_real_distribution<float> small(-2.0f, 2.0f);
  std::vector<float> values;
  for (int i = 0; i < 100000; ++i) {
    values.push_back(coordinate(rng));
    values.push_back(small(rng));
  }
  for (int channel = 0; channel < 256; ++channel)
    values.push_back(static_cast<float>(channel) / 255.0f);
  return values;
}

// Uniformly random bit patterns: every exponent and significand equally
// likely, so no region of the fast paths' case split is left out.
std::vector<float> randomBitsSample()
{
  std::mt19937 rng(20261211);
  std::vector<float> values;
  while (values.size() < 50000) {
    const float v = std::bit_cast<float>(static_cast<std::uint32_t>(rng()));
    if (std::isfinite(v))
      values.push_back(v);
  }
  return values;
}

void expectSameAsReference(const std::vector<float>& values)
{
  std::string line = "x";
  int failures = 0;
  for (const float v : values) {
    for (const char* mask : kMasks) {
      const std::string expected = test::reference::format(v, mask);
      // Appended after other text, right-aligned as the writers' columns.
      line.resize(1);
      const std::size_t length = appendFormat(line, v, NumberMask(mask), 12);
      const std::string aligned =
          expected.size() < 12 ? std::string(12 - expected.size(), ' ') + expected : expected;
      if (Format(v, mask) != expected || line.substr(1) != aligned || length != expected.size()) {
        ADD_FAILURE() << "bits " << std::hex << std::bit_cast<std::uint32_t>(v) << std::dec
                      << " mask " << mask << ": " << Format(v, mask) << " / " << line.substr(1)
                      << ", expected " << expected;
        ++failures;
      }
    }
    if (printForm(v) != test::reference::printForm(v)
        || numberText(v) != test::reference::numberText(v)) {
      ADD_FAILURE() << "bits " << std::hex << std::bit_cast<std::uint32_t>(v) << std::dec << ": \""
                    << printForm(v) << "\" \"" << numberText(v) << "\", expected \""
                    << test::reference::printForm(v) << "\" \"" << test::reference::numberText(v)
                    << "\"";
      ++failures;
    }
    ASSERT_LT(failures, 20) << "stopping after 20 differences";
  }
}

TEST(NumberOutputTest, everyExponentMatchesTheReference) { expectSameAsReference(denseSample()); }

TEST(NumberOutputTest, roundingBoundariesAndCarriesMatchTheReference)
{
  expectSameAsReference(boundarySample());
}

TEST(NumberOutputTest, writerValuesMatchTheReference) { expectSameAsReference(writerSample()); }

TEST(NumberOutputTest, randomBitPatternsMatchTheReference)
{
  expectSameAsReference(randomBitsSample());
}

// Doubles keep the library's digits; the digits held in place must not
// change their text either, from subnormals to 1e300. Formatted in place,
// they give the same text: fractions of a cell, with up to nine decimals,
// on and beside the rounding midpoints of each mask.
TEST(NumberOutputTest, doublesMatchTheReference)
{
  std::mt19937_64 rng(7);
  std::vector<double> values{0.0, -0.0, 5e-324, 1e300, -1e300, 0.5, 2.5, 0.0625, 9.9995, 2.675};
  for (int i = 0; i < 20000; ++i) {
    values.push_back(std::bit_cast<double>(rng()));
    values.push_back(static_cast<double>(std::bit_cast<float>(static_cast<std::uint32_t>(rng())))
                     * 0.95);
  }
  std::uniform_real_distribution<double> fraction(-0.5, 1.5);
  for (int i = 0; i < 20000; ++i)
    values.push_back(fraction(rng));
  for (int decimals = 1; decimals <= 9; ++decimals) {
    const double unit = std::pow(10.0, decimals);
    for (int i = 0; i < 200; ++i) {
      const double midpoint = (static_cast<double>(rng() % 20000) - 5000.5) / unit;
      values.push_back(midpoint);
      values.push_back(std::nextafter(midpoint, 2.0));
      values.push_back(std::nextafter(midpoint, -2.0));
    }
  }
  const char* const fractionMasks[] = {"0.0000000", "0.00000000", "0.000000000", "0.000####"};
  std::string line = "x";
  auto expectSame = [&](double v, const char* mask) {
    const std::string expected = test::reference::format(v, mask);
    ASSERT_EQ(Format(v, mask), expected) << "value " << v << " mask " << mask;
    line.resize(1);
    const std::size_t length = appendFormat(line, v, NumberMask(mask), 12);
    const std::string aligned =
        expected.size() < 12 ? std::string(12 - expected.size(), ' ') + expected : expected;
    ASSERT_EQ(line.substr(1), aligned) << "value " << v << " mask " << mask;
    ASSERT_EQ(length, expected.size()) << "value " << v << " mask " << mask;
  };
  for (const double v : values) {
    if (!std::isfinite(v))
      continue;
    for (const char* mask : kMasks)
      expectSame(v, mask);
    for (const char* mask : fractionMasks)
      expectSame(v, mask);
    if (HasFatalFailure())
      return;
  }
}

} // namespace
} // namespace tarvek
