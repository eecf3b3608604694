// The image browser's rules: placing the picture in the view, fitting and
// lining up thumbnails, the status panel texts, stepping with wrap-around,
// and the thumbnail run's stop rules.
#include "imaging/image_browser.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvek {
namespace {

TEST(ImageBrowserTest, smallPicturesAreCentredUnscaledAndLargeOnesLeaveFivePixels)
{
  const ViewPlacement small = viewPlacement(400, 300, 200, 100);
  EXPECT_FALSE(small.scaled);
  EXPECT_EQ(small.x, 100);
  EXPECT_EQ(small.y, 100);
  EXPECT_EQ(small.drawn.width, 200);
  EXPECT_EQ(small.drawn.height, 100);

  // Height limits: (300 - 10) / 600 is below (400 - 10) / 800.
  const ViewPlacement large = viewPlacement(400, 300, 800, 600);
  EXPECT_TRUE(large.scaled);
  EXPECT_NEAR(large.scale, 0.48333, 1e-5);
  EXPECT_EQ(large.drawn.width, 387);
  EXPECT_EQ(large.drawn.height, 290);
  EXPECT_NEAR(large.x, 6.67, 0.005);
  EXPECT_DOUBLE_EQ(large.y, 5);

  const struct {
    int viewW, viewH, w, h;
    bool scaled;
    int drawnW, drawnH;
  } cases[] = {
      {400, 300, 400, 300, false, 400, 300}, // exactly the view: no margin asked
      {400, 300, 401, 10, true, 390, 10},    // one pixel too wide scales by width
      {400, 300, 10, 301, true, 10, 290},    // one pixel too high scales by height
      {401, 301, 200, 101, false, 200, 101}, // halves round to even
      {8, 8, 100, 100, true, 0, 0},          // a view inside its margins draws nothing
  };
  for (const auto& c : cases) {
    const ViewPlacement p = viewPlacement(c.viewW, c.viewH, c.w, c.h);
    EXPECT_EQ(p.scaled, c.scaled) << c.w << " x " << c.h << " in " << c.viewW << " x " << c.viewH;
    EXPECT_EQ(p.drawn.width, c.drawnW) << c.w << " x " << c.h;
    EXPECT_EQ(p.drawn.height, c.drawnH) << c.w << " x " << c.h;
  }
  EXPECT_EQ(viewPlacement(401, 301, 200, 101).x, 100); // 100.5 rounds to even
  EXPECT_EQ(viewPlacement(401, 301, 200, 101).y, 100);
}

TEST(ImageBrowserTest, thumbnailsFillTheBoxInTheirLimitingDirection)
{
  const struct {
    int w, h, width, height;
  } cases[] = {
      {400, 100, 100, 25}, {50, 200, 25, 100}, {40, 40, 100, 100},
      {1000, 1, 100, 1},   {1, 1000, 1, 100},  {0, 10, 0, 0},
  };
  for (const auto& c : cases) {
    const PixelSize fit = thumbnailFit(c.w, c.h, {kThumbnailSize, kThumbnailSize});
    EXPECT_EQ(fit.width, c.width) << c.w << " x " << c.h;
    EXPECT_EQ(fit.height, c.height) << c.w << " x " << c.h;
  }
}

TEST(ImageBrowserTest, panelTextsOfSizeDimensionsDepthAndType)
{
  EXPECT_EQ(sizeText(1536), "1 KB");
  EXPECT_EQ(sizeText(1023), "0 KB");
  EXPECT_EQ(sizeText(5'000'000'000ULL), "4882812 KB");
  EXPECT_EQ(pixelSizeText(640, 480), "640 x 480");
  EXPECT_EQ(depthText(24), "24 Bits/Pixel");
  EXPECT_EQ(typeText("photo.jpeg"), "PEG");
  EXPECT_EQ(typeText("a/B.Png"), "PNG");
  EXPECT_EQ(typeText("ab"), "AB");
  // The last three characters of a UTF-8 name, never a cut letter.
  EXPECT_EQ(typeText("/x/bild.gr\xC3\xBC\xC3\x9F"), "R\xC3\xBC\xC3\x9F");
}

TEST(ImageBrowserTest, steppingWrapsAroundTheList)
{
  const struct {
    int index, d, count, expected;
  } cases[] = {
      {0, -1, 4, 3}, {3, 1, 4, 0}, {1, 1, 4, 2}, {2, -1, 4, 1}, {0, 1, 1, 0}, {0, -1, 0, -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(stepIndex(c.index, c.d, c.count), c.expected)
        << c.index << " + " << c.d << " of " << c.count;
}

TEST(ImageBrowserTest, stripPlacesThumbnailsFromTheScrollValue)
{
  EXPECT_EQ(thumbnailLeft(3, 1), 212);
  EXPECT_EQ(thumbnailLeft(5, 5), 2);
  EXPECT_EQ(thumbnailLeft(1, 3), -208);
  EXPECT_EQ(visibleThumbnails(600), 8);
  EXPECT_EQ(visibleThumbnails(50), 2); // 2.5 rounds to even
  EXPECT_EQ(visibleThumbnails(150), 4); // 3.5 rounds to even
}

// Which thumbnails were made and after which a layout was asked for.
struct RunLog {
  std::vector<int> made;
  std::vector<int> layouts;
  bool newFolderDue = false;
};

// Drives run over its files; before thumbnail i, during(i) stands for the
// window's events; Escape is reported after thumbnail escapeAt.
template <typename During>
RunLog drive(ThumbnailRun& run, During during, int escapeAt = 0)
{
  RunLog log;
  for (;;) {
    const int i = run.next();
    during(i);
    log.made.push_back(i);
    const ThumbnailRun::Step step = run.made(i == escapeAt);
    if (step.layout)
      log.layouts.push_back(i);
    if (step.finished)
      break;
  }
  log.newFolderDue = run.finish();
  return log;
}

TEST(ThumbnailRunTest, layoutAfterEveryTenthAndAtTheEnd)
{
  ThumbnailRun run;
  ASSERT_TRUE(run.start(25));
  EXPECT_EQ(run.state(), ThumbnailRun::Running);
  const RunLog log = drive(run, [](int) {});
  EXPECT_EQ(log.made.size(), 25u);
  EXPECT_EQ(log.layouts, (std::vector<int>{10, 20, 25}));
  EXPECT_EQ(run.state(), ThumbnailRun::Idle);
  EXPECT_FALSE(log.newFolderDue);
}

TEST(ThumbnailRunTest, stopRequestsEndTheRunAfterTheThumbnailInHand)
{
  ThumbnailRun run;
  ASSERT_TRUE(run.start(12));
  RunLog log = drive(run, [&](int i) {
    if (i == 7)
      run.requestStop();
  });
  EXPECT_EQ(log.made.back(), 7);
  EXPECT_EQ(log.layouts, (std::vector<int>{7}));

  // Escape reported after thumbnail 4; the next run starts afresh and runs
  // to the end even though the earlier stop flag was set.
  ASSERT_TRUE(run.start(12));
  EXPECT_FALSE(run.stopRequested());
  log = drive(run, [](int) {}, 4);
  EXPECT_EQ(log.made.back(), 4);
  ASSERT_TRUE(run.start(12));
  EXPECT_EQ(drive(run, [](int) {}).made.size(), 12u);
}

TEST(ThumbnailRunTest, anotherFolderEndsTheRunAndItsRunFollowsOnlyAfter)
{
  ThumbnailRun run;
  ASSERT_TRUE(run.start(12));
  bool startedDuring = true;
  const RunLog log = drive(run, [&](int i) {
    if (i == 3) {
      run.folderChanged();
      startedDuring = run.start(5);
    }
  });
  EXPECT_FALSE(startedDuring);
  EXPECT_EQ(log.made.back(), 3);
  EXPECT_TRUE(log.newFolderDue);
  ASSERT_TRUE(run.start(5));
  EXPECT_EQ(run.fileCount(), 5);
  EXPECT_EQ(run.next(), 1);

  // An idle run is not marked by a folder change, and no files start none.
  ThumbnailRun idle;
  idle.folderChanged();
  EXPECT_EQ(idle.state(), ThumbnailRun::Idle);
  EXPECT_FALSE(idle.start(0));
  EXPECT_EQ(idle.state(), ThumbnailRun::Idle);
}

TEST(ThumbnailRunTest, closingStopsTheRunAndLeavesItIdle)
{
  ThumbnailRun run;
  ASSERT_TRUE(run.start(12));
  run.made(false);
  run.close();
  EXPECT_EQ(run.state(), ThumbnailRun::Idle);
  EXPECT_TRUE(run.stopRequested());
  EXPECT_TRUE(run.made(false).finished);
  EXPECT_FALSE(run.finish());
}

} // namespace
} // namespace tarvek
