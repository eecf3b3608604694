#include "support/gl_test_frame.h"

#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <iostream>

namespace tarvek {
namespace {

// A view as the program draws it: plain GL 1.1 calls into a display list
// compiled outside paintGL, replayed on every paint.
class SphereView : public QOpenGLWidget {
public:
  ~SphereView() override
  {
    if (m_list != 0 && context() != nullptr) {
      makeCurrent();
      glDeleteLists(m_list, 1);
      doneCurrent();
    }
  }

  void compileSphere()
  {
    makeCurrent();
    m_list = glGenLists(1);
    GLUquadric* quadric = gluNewQuadric();
    glNewList(m_list, GL_COMPILE);
    glColor3ub(255, 0, 0);
    gluSphere(quadric, 0.5, 32, 16);
    glEndList();
    gluDeleteQuadric(quadric);
    doneCurrent();
  }

protected:
  void paintGL() override
  {
    test::beginTestFrame(*this, 1);
    glDisable(GL_FOG);
    if (m_list != 0)
      glCallList(m_list);
  }

private:
  GLuint m_list = 0;
};

std::array<int, 3> readPixel(int x, int y)
{
  std::array<GLubyte, 4> rgba{};
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return {rgba[0], rgba[1], rgba[2]};
}

using test::Rgb;
constexpr Rgb red{255, 0, 0};
constexpr Rgb blue{0, 0, 255};

// The default context is what the 3-D view needs: compatibility profile,
// display lists and GLU, and a frame that reads back as drawn.
TEST(GlHarnessTest, compatibilityContextDrawsDisplayListAndReadsItBack)
{
  SphereView view;
  view.resize(200, 200);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  view.compileSphere();

  const QImage frame = view.grabFramebuffer();
  ASSERT_FALSE(frame.isNull());
  const int w = frame.width();
  const int h = frame.height();
  EXPECT_EQ(test::rgbOf(frame.pixelColor(w / 2, h / 2)), red);
  EXPECT_EQ(test::rgbOf(frame.pixelColor(2, 2)), blue);

  view.makeCurrent();
  EXPECT_EQ(readPixel(w / 2, h / 2), red);
  EXPECT_EQ(readPixel(2, 2), blue);
  const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  std::cout << "GL_RENDERER: " << (renderer ? renderer : "?") << "\n"
            << "GL_VERSION: " << (version ? version : "?") << std::endl;
  view.doneCurrent();

  EXPECT_EQ(view.format().profile(), QSurfaceFormat::CompatibilityProfile);
  // Without the program's default format the view would get no depth buffer.
  EXPECT_GE(view.format().depthBufferSize(), 24);
  EXPECT_LE(view.format().samples(), 0);
}

} // namespace
} // namespace tarvek
