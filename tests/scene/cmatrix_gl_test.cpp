#include "scene/cmatrix_gl.h"

#include "model/cmatrix.h"
#include "scene/gl_recording.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

// A matrix with a turn and a translation, so each call shows which part it
// hands on.
CMatrix turnedAndMoved()
{
  CMatrix m;
  m.SetRotationZ(CMatrix::DegToRadf(90));
  CMatrix::Matrix e;
  m.GetMatrix(e);
  e[12] = 1.5f;
  e[13] = -2.0f;
  e[14] = 3.0f;
  m.Copy(e);
  return m;
}

std::string multCall(const CMatrix::Matrix& e)
{
  RecordingGl gl;
  gl.multMatrixf(e.data());
  return gl.calls.at(0);
}

TEST(CMatrixGlTest, applyFamilyHandsOnTheRightPartAndLeavesTheMatrixAlone)
{
  CMatrix m = turnedAndMoved();
  CMatrix::Matrix before;
  m.GetMatrix(before);

  RecordingGl gl;
  Apply(m, gl);
  ApplyRotation(m, gl);
  ApplyNegTranslation(m, gl);
  ASSERT_EQ(gl.calls.size(), 3u);
  EXPECT_EQ(gl.calls[0], multCall(before));
  CMatrix::Matrix rotation = before;
  rotation[12] = rotation[13] = rotation[14] = 0.0f;
  EXPECT_EQ(gl.calls[1], multCall(rotation));
  EXPECT_EQ(gl.calls[2], "translatef(-1.5,2,-3)");

  CMatrix::Matrix after;
  m.GetMatrix(after);
  EXPECT_EQ(after, before);
}

// The translation used to borrow a stack slot; with all ten taken it must
// still work and leave the stack as it was.
TEST(CMatrixGlTest, applyTranslationWorksWithAFullStack)
{
  CMatrix m = turnedAndMoved();
  for (int i = 0; i < CMatrix::kStackSize; ++i)
    m.Push();
  CMatrix::Matrix before;
  m.GetMatrix(before);

  RecordingGl gl;
  ApplyTranslation(m, gl);
  EXPECT_EQ(gl.calls, std::vector<std::string>{"multMatrixf(1,0,0,0,0,1,0,0,0,0,1,0,1.5,-2,3,1)"});

  CMatrix::Matrix after;
  m.GetMatrix(after);
  EXPECT_EQ(after, before);
  EXPECT_THROW(m.Push(), std::out_of_range) << "depth changed";
  for (int i = 0; i < CMatrix::kStackSize; ++i)
    m.Pop();
  EXPECT_THROW(m.Pop(), std::out_of_range);
}

} // namespace
} // namespace tarvek
