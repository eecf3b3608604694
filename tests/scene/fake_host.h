#pragma once

#include "scene/host_control.h"

namespace tarvek::test {

// A host of a fixed size that counts what the scene asks of it.
class FakeHost : public HostControl {
public:
  void Redraw() override { ++redraws; }
  void repaintNow() override { ++repaints; }
  float ViewWidth() const override { return width; }
  float ViewHeight() const override { return height; }
  void PressNotify() override { ++presses; }
  void startAnimationTimer() override { timerRunning = true; }
  void stopAnimationTimer() override { timerRunning = false; }
  void setOwnsProjection(bool owns) override { ownsOwnProjection = owns; }
  bool ownsProjection() const override { return ownsOwnProjection; }

  float width = 400.0f;
  float height = 300.0f;
  int redraws = 0;
  int repaints = 0;
  int presses = 0;
  bool timerRunning = false;
  bool ownsOwnProjection = true;
};

} // namespace tarvek::test
