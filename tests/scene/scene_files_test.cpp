#include "scene/scene_files.h"

#include "runtime/line_reader.h"
#include "runtime/number_parse.h"
#include "runtime/random_source.h"
#include "runtime/split.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <string>

namespace tarvek {
namespace {

using test::readBytes;
using test::ScratchDir;

const char kExample[] = " 1.5          -2.25          12            3             7             255 ";

TEST(SceneFilesTest, atomLineInPrintZones)
{
  EXPECT_EQ(atomLine(1.5f, -2.25f, 12.0f, 3, 7, 255), kExample);
  // A value that fills its zone pushes the next one a zone further.
  const std::string small = sheetLine(-1.2345678e-5f, 0.5f, 0, 1, 40000);
  EXPECT_EQ(small.substr(0, 14), "-1.234568E-05 ");
  EXPECT_EQ(small.substr(14, 18), std::string(14, ' ') + " .5 ");
  const float p1[3]{1, 2, 3}, p2[3]{-4, 5, -6};
  EXPECT_EQ(bondLine(p1, p2, 16777215).size(), 6 * 14 + 10u);
  EXPECT_EQ(fillBallLine(3.4f, 12204544), " 0             0             0             3.4           12204544 ");
}

TEST(SceneFilesTest, appendedLinesEndInCrLf)
{
  ScratchDir dir;
  const std::string path = dir.file("tmp.xyz").string();
  for (int pass = 0; pass < 2; ++pass) {
    SceneFileAppender out(path);
    out.append(atomLine(1.5f, -2.25f, 12.0f, 3, 7, 255));
    out.commit();
  }
  EXPECT_EQ(readBytes(path), std::string(kExample) + "\r\n" + kExample + "\r\n");
}

// The files must read the same wherever they were written.
TEST(SceneFilesTest, sameBytesUnderADecimalCommaLocale)
{
  const std::string before = std::setlocale(LC_ALL, nullptr);
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
    GTEST_SKIP() << "locale de_DE.UTF-8 is not installed (package locales)";
  const std::string line = atomLine(1.5f, -2.25f, 12.0f, 3, 7, 255);
  const std::string small = sheetLine(1.2345678e-5f, 0, 0, 0, 0);
  std::setlocale(LC_ALL, before.c_str());
  EXPECT_EQ(line, kExample);
  EXPECT_EQ(small.substr(0, 14), " 1.234568E-05 ");
}

TEST(SceneFilesTest, failedCompileLeavesTheFileAsItWas)
{
  ScratchDir dir;
  const std::string path = dir.write("tmp.zyx", "old\r\n").string();
  {
    SceneFileAppender out(path);
    for (int i = 0; i < 100000; ++i)
      out.append("a line long enough to pass the buffer more than once");
  }
  EXPECT_EQ(readBytes(path), "old\r\n");

  const std::string fresh = dir.file("new.zyx").string();
  {
    SceneFileAppender out(fresh);
    out.append("x");
  }
  EXPECT_FALSE(std::filesystem::exists(fresh)) << "a file the failed call created stays behind";

  try {
    SceneFileAppender out(dir.file("missing/tmp.xyz").string());
    FAIL() << "opened a file in a missing folder";
  } catch (const SceneError& e) {
    EXPECT_NE(std::string(e.what()).find("missing/tmp.xyz"), std::string::npos) << e.what();
  }
}

struct ReadCase {
  const char* bytes;
  std::vector<std::vector<double>> values;
};

TEST(SceneFilesTest, readerFollowsTheLenientRule)
{
  const ReadCase cases[] = {
      {"1,5 abc 12abc\r\n", {{1.5, 0, 12}}},
      {" 1  2 \n-3 4\n", {{1, 2}, {-3, 4}}},
      {" 1  2 \r\n-3 4\r\n", {{1, 2}, {-3, 4}}},
      {" 1  2 \r-3 4\r", {{1, 2}, {-3, 4}}},
      {"1.234568E-05", {{1.234568e-5}}},
  };
  ScratchDir dir;
  for (const ReadCase& c : cases) {
    const std::string path = dir.write("case.txt", c.bytes).string();
    SceneFileReader reader(path);
    SceneFields fields;
    std::vector<std::vector<double>> got;
    while (reader.next(fields)) {
      std::vector<double> line;
      for (std::size_t i = 0; i < fields.size(); ++i)
        line.push_back(reader.value(fields, i));
      got.push_back(line);
    }
    EXPECT_TRUE(reader.status()) << c.bytes;
    EXPECT_EQ(got, c.values) << c.bytes;
  }
}

// The reader's fields are those of the plain rule: the text's lines by
// splitLines, "," turned into ".", splitSpaces; each field's value is Val's.
// The fixture holds every line end, blank runs at both ends and across the
// reader's 64-byte blocks, tabs, commas, blank and empty lines, lines longer
// than a read block and a last line without an end.
TEST(SceneFilesTest, readerGivesThePlainRulesFieldsAndValues)
{
  RandomSource random(20270313);
  auto pick = [&](std::size_t count) {
    return static_cast<std::size_t>(random.uniform() * static_cast<double>(count));
  };
  const char* const ends[] = {"\r\n", "\n", "\r"};
  const std::string alphabet = "   ----....,,,,\t0123456789x";
  std::string bytes = " 1.5  -2,25 \r\n\r\n   \n\t7\r\r\n" + std::string(63, ' ') + "1\n"
                      + std::string(64, 'x') + " 2" + std::string(64, ' ') + "\r\n";
  while (bytes.size() < 1000000) {
    // Mostly scene-like lines, some of them long enough to span read blocks.
    const std::size_t length = pick(200) == 0 ? pick(70000) : pick(200);
    for (std::size_t k = 0; k < length; ++k)
      bytes += alphabet[pick(alphabet.size())];
    bytes += ends[pick(3)];
  }
  bytes += " 12,5 last";

  ScratchDir dir;
  const std::string path = dir.write("tmp.xyz", bytes).string();
  SceneFileReader reader(path, 0, 10);
  SceneFields fields;
  std::int64_t line = 10;
  for (const std::string_view text : splitLines(bytes)) {
    std::string pointText(text);
    std::replace(pointText.begin(), pointText.end(), ',', '.');
    const std::vector<std::string> expected = splitSpaces(pointText);
    ASSERT_TRUE(reader.next(fields)) << "line " << line + 1;
    ASSERT_EQ(reader.lineNumber(), ++line);
    ASSERT_EQ(std::vector<std::string>(fields.begin(), fields.end()), expected) << "line " << line;
    for (std::size_t i = 0; i < fields.size(); ++i)
      ASSERT_EQ(std::bit_cast<std::uint64_t>(reader.value(fields, i)),
                std::bit_cast<std::uint64_t>(Val(expected[i])))
          << "line " << line << " field " << expected[i];
  }
  EXPECT_FALSE(reader.next(fields));
  EXPECT_TRUE(reader.status());
  EXPECT_GT(line, 2000);
}

// Bond readers take lines of 7 or more fields and a radius from exactly 8.
TEST(SceneFilesTest, lineKindsToldApartByFieldCount)
{
  ScratchDir dir;
  const std::string path = dir.file("tmp.zyx").string();
  const float p1[3]{0, 0, 0}, p2[3]{0, 0, 25};
  {
    SceneFileAppender out(path);
    out.append(bondLine(p1, p2, 255));
    out.append(fillBallLine(3.4f, 0));
    out.append(fillCylinderLine(p1, p2, 65280, 2.5f));
    out.commit();
  }
  SceneFileReader reader(path);
  SceneFields fields;
  std::vector<double> radii;
  int bondLike = 0;
  while (reader.next(fields)) {
    if (fields.size() < 7)
      continue;
    ++bondLike;
    if (fields.size() == 8)
      radii.push_back(reader.value(fields, 7));
  }
  EXPECT_EQ(bondLike, 2);
  EXPECT_EQ(radii, std::vector<double>{2.5});
}

TEST(SceneFilesTest, missingFieldAndMissingFileAreReported)
{
  ScratchDir dir;
  SceneFileReader reader(dir.write("tmp.xyz", "1 2 3\r\n4 5\r\n").string());
  SceneFields fields;
  ASSERT_TRUE(reader.next(fields));
  ASSERT_TRUE(reader.next(fields));
  try {
    reader.value(fields, 2);
    FAIL() << "read a third field of a 2-field line";
  } catch (const SceneError& e) {
    EXPECT_NE(std::string(e.what()).find("Line 2"), std::string::npos) << e.what();
  }

  SceneFileReader missing(dir.file("none.xyz").string());
  EXPECT_FALSE(missing.next(fields));
  EXPECT_FALSE(missing.status());
}

// Readers get seven significant digits back, whatever the magnitude.
TEST(SceneFilesTest, randomFloatsReadBackToSevenDigits)
{
  RandomSource random(20261210);
  ScratchDir dir;
  const std::string path = dir.file("tmp.xyz").string();
  std::vector<float> written;
  {
    SceneFileAppender out(path);
    for (int i = 0; i < 10000; ++i) {
      const double magnitude = std::pow(10.0, random.uniform() * 16.0 - 8.0);
      const float v = static_cast<float>((random.uniform() < 0.5 ? -1 : 1) * magnitude);
      written.push_back(v);
      out.append(sheetLine(v, 0, 0, 0, i));
    }
    out.commit();
  }
  SceneFileReader reader(path);
  SceneFields fields;
  std::size_t i = 0;
  while (reader.next(fields)) {
    ASSERT_LT(i, written.size());
    // The digits are those of the float's shortest decimal form.
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, written[i]).ptr;
    double v = 0;
    std::from_chars(text, end, v);
    const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(v))) - 6);
    EXPECT_LE(std::fabs(reader.value(fields, 0) - v), 0.5 * unit * (1 + 1e-6))
        << "value " << i << " " << v << " read " << fields[0];
    ++i;
  }
  EXPECT_EQ(i, written.size());
}

} // namespace
} // namespace tarvek
