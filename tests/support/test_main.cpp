#include "support/test_locale.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
  tarvek::test::applyTestLocale();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
