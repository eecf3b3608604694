// The animation options dialog of the image sequence.
#pragma once

#include "imaging/movie_options.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QToolButton;

namespace tarvek {

class Prompts;

// "  Animation Options": frames, JPEG quality, rotation range and frame delay
// on sliders (the first three also typed, by a click on their frame), the
// atom-table check box, a title and a cross of four direction buttons, with
// a summary of the step. The delay, which the summary leaves out, shows
// its value beside its slider. Make one per showing: it opens at the defaults of
// MovieOptions. After exec(), options() holds what OK took, or frameCount -1
// after Cancel.
class dlgMOVIE : public QDialog {
public:
  dlgMOVIE(QWidget* owner, Prompts& prompts);

  const MovieOptions& options() const { return m_options; }

  // Rewrites the summary from the sliders and gives OK the focus.
  void updateSummary();

  QGroupBox* Frame1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QGroupBox* Frame3 = nullptr;
  QGroupBox* Frame4 = nullptr;
  QSlider* slN = nullptr;
  QSlider* slQ = nullptr;
  QSlider* slR = nullptr;
  QSlider* slD = nullptr;
  QLabel* lbDelay = nullptr;
  QCheckBox* cb1 = nullptr;
  QLineEdit* tf = nullptr;
  QPlainTextEdit* ta = nullptr;
  std::array<QToolButton*, 4> op{};
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;

  void accept() override;
  void reject() override;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void askValue(QSlider* slider);

  Prompts& m_prompts;
  MovieOptions m_options;
};

} // namespace tarvek
