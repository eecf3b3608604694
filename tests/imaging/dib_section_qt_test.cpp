// cDIBSection with Qt pictures: copies in and out, painting, the clipboard.
#include "imaging/ui/dib_section_qt.h"

#include "imaging/dib_section.h"
#include "support/fake_prompts.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace tarvek {
namespace {

using test::FakePrompts;

// A picture whose every pixel differs, so a flip or a swap shows.
QImage pattern(int w, int h)
{
  QImage image(w, h, QImage::Format_RGB888);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image.setPixelColor(x, y, QColor(x * 40 % 256, y * 50 % 256, (x * 7 + y * 13) % 256));
  return image;
}

TEST(DibSectionQtTest, pictureGoesInAndComesBackExactly)
{
  for (const int w : {1, 2, 3, 4, 5, 17}) {
    const QImage picture = pattern(w, 6);
    cDIBSection dib;
    CreateFromPicture(dib, picture);
    ASSERT_TRUE(dib.isValid());
    const QImage back = toQImage(dib);
    EXPECT_EQ(back.format(), QImage::Format_RGB888);
    EXPECT_EQ(back, picture) << "width " << w;
    // Memory row 0 is the picture's bottom row, blue first.
    const QColor bottomLeft = picture.pixelColor(0, 5);
    EXPECT_EQ(dib.DIBSectionBitsPtr()[0], bottomLeft.blue());
    EXPECT_EQ(dib.DIBSectionBitsPtr()[2], bottomLeft.red());
  }
}

TEST(DibSectionQtTest, transparentPixelsBecomeWhite)
{
  QImage picture(3, 2, QImage::Format_ARGB32);
  picture.fill(QColor(10, 20, 30, 0));
  picture.setPixelColor(1, 1, QColor(10, 20, 30, 255));
  cDIBSection dib;
  CreateFromPicture(dib, picture);
  const QImage back = toQImage(dib);
  EXPECT_EQ(back.pixelColor(0, 0), QColor(255, 255, 255));
  EXPECT_EQ(back.pixelColor(1, 1), QColor(10, 20, 30));
}

TEST(DibSectionQtTest, blitsWithMinusOneCopyTheWholePicture)
{
  const QImage picture = pattern(7, 5);
  cDIBSection dib;
  ASSERT_TRUE(dib.Create(7, 5));
  LoadPictureBlt(dib, picture, 0, 0, -1, -1);
  EXPECT_EQ(toQImage(dib), picture);

  QImage target(9, 8, QImage::Format_RGB888);
  target.fill(Qt::black);
  {
    QPainter painter(&target);
    PaintPicture(dib, painter, 2, 3, -1, -1, 0, 0);
  }
  EXPECT_EQ(target.copy(2, 3, 7, 5), picture);
  EXPECT_EQ(target.pixelColor(1, 3), QColor(Qt::black));

  // A part from an offset lands at the DIB's corner.
  cDIBSection part;
  ASSERT_TRUE(part.Create(3, 2));
  LoadPictureBlt(part, picture, 4, 3, -1, -1);
  EXPECT_EQ(toQImage(part), picture.copy(4, 3, 3, 2));
}

TEST(DibSectionQtTest, copyToClipboardPutsThePicture)
{
  FakePrompts prompts;
  cDIBSection dib;
  CreateFromPicture(dib, pattern(6, 4));
  EXPECT_TRUE(CopyToClipboard(dib, false, prompts));
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB888),
            toQImage(dib));
  EXPECT_TRUE(prompts.calls.empty());

  QGuiApplication::clipboard()->setText("before");
  EXPECT_FALSE(CopyToClipboard(dib, true, prompts));
  ASSERT_EQ(prompts.calls.size(), 1u);
  EXPECT_EQ(prompts.calls[0].text, "Noch nicht verfügbar!");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");

  cDIBSection empty;
  EXPECT_FALSE(CopyToClipboard(empty, false, prompts));
}

} // namespace
} // namespace tarvek
