#include "platform/image_file_check.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvek {
namespace {

// What a PNG may not do before a decoder sees it: claim a chunk longer than
// the file (the last one too, cut short after its header), hide text that
// unpacks past the limit, alone or with the text chunks before it (behind a
// header of any length), or hide where its text starts; anything else,
// including text exactly at the limit and files that are no PNG, passes.
TEST(ImageFileCheckTest, refusesChunksThatClaimOrUnpackTooMuch)
{
  const std::string fixtures = std::string(TARVEK_TEST_SOURCE_DIR) + "/fixtures/images/";
  const struct {
    const char* name;
    const char* problem;  // a part of the sentence, or "" for none
  } cases[] = {
      {"text-claim.png", "its tEXt chunk claims 1600000000 bytes, more than the file holds"},
      {"text-claim-cut.png", "its tEXt chunk claims 1600000000 bytes, more than the file holds"},
      {"ztxt-pair.png", "its zTXt chunk and the text chunks before it unpack to more than 8 MiB"},
      {"text-then-ztxt.png", "its zTXt chunk and the text chunks before it unpack to more than 8 MiB"},
      {"ztxt-pair-at-limit.png", ""},
      {"ztxt-bomb.png", "its zTXt chunk unpacks to more than 8 MiB"},
      {"itxt-bomb.png", "its iTXt chunk unpacks to more than 8 MiB"},
      {"itxt-long-language.png", "its iTXt chunk unpacks to more than 8 MiB"},
      {"itxt-endless-language.png", "the header of its iTXt chunk is longer than 64 KiB"},
      {"ztxt-note.png", ""},
      {"scan-bomb.jpg", ""},
      {"missing.png", ""},
  };
  for (const auto& c : cases) {
    const std::string problem = imageFileProblem(fixtures + c.name);
    if (*c.problem == '\0') {
      EXPECT_EQ(problem, "") << c.name;
    } else {
      EXPECT_NE(problem.find(c.problem), std::string::npos) << c.name << ": " << problem;
      EXPECT_NE(problem.find(fixtures + c.name), std::string::npos) << problem;
    }
  }
}

} // namespace
} // namespace tarvek
