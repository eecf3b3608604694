// One picture of the digitiser: a persistent layer under drawings painted from the model.
#pragma once

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace tarvek {

// A picture box in pixels, origin top left. Its persistent layer holds a
// picture (drawn from the top left corner at its own size) and blue
// instruction lines at (20, 20), (20, 40), ...; its drawings are painted over
// them by paintDrawings while shown. Clearing the drawings hides them, and
// the instruction lines as well where both were drawn on one layer.
class DigitiserPicture : public QWidget {
public:
  // textIsDrawing: the instruction lines go with the drawings when they
  // are cleared.
  DigitiserPicture(QColor background, bool textIsDrawing, QWidget* parent);

  void setPicture(const QImage& picture);
  // Empties the persistent layer: the picture and the instruction lines.
  void removePicture();
  void setInstructions(const QStringList& lines);
  void clearDrawings();
  // Paints the drawings again from the model.
  void showDrawings();

  bool drawingsShown() const { return m_drawingsShown; }
  bool instructionsShown() const { return m_textShown; }
  const QImage& picture() const { return m_picture; }

  std::function<void(QPainter&)> paintDrawings;
  std::function<void(QMouseEvent*)> mousePressed;
  std::function<void(QMouseEvent*)> mouseReleased;
  std::function<void(QMouseEvent*)> mouseMoved;
  std::function<void(QKeyEvent*)> keyPressed;

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  QColor m_background;
  bool m_textIsDrawing;
  QImage m_picture;
  QStringList m_text;
  bool m_textShown = false;
  bool m_drawingsShown = false;
};

} // namespace tarvek
