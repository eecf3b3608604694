#include "platform/surface_format.h"
#include "support/test_locale.h"

#include <QApplication>
#include <QThreadPool>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
  // Test listing runs without the test's environment; never open a real
  // display from it.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr)
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // As the program does: GL tests get its context, the others never use it.
  tarvek::setDefaultSurfaceFormat();
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  tarvek::test::applyTestLocale();
  const int result = RUN_ALL_TESTS();
  // Qt's pool threads (image conversions use them) end here, not while the
  // leak check at exit stops every thread.
  QThreadPool::globalInstance()->waitForDone();
  return result;
}
