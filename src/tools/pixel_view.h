// A fixed-size widget that shows a picture or a pixel canvas and reports the mouse.
#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

namespace tarvek {

class PixelCanvas;

// A fixed-size picture that shows either its own image or a canvas's buffer
// (without copying), and reports the mouse.
class PixelView : public QWidget {
public:
  PixelView(int width, int height, QWidget* parent);

  // Shows the canvas and repaints whenever it is refreshed.
  void showCanvas(PixelCanvas& canvas);
  QImage& image() { return m_image; }
  // What the view shows now, as a picture of its own.
  QImage picture() const;

  std::function<void(QMouseEvent&)> onPress;
  std::function<void(QMouseEvent&)> onMove;
  std::function<void(QMouseEvent&)> onRelease;

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  QImage canvasImage() const;

  QImage m_image;
  PixelCanvas* m_canvas = nullptr;
};

} // namespace tarvek
