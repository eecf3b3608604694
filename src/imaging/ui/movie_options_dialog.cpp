// The animation options dialog: sliders, typed values, directions, summary.
#include "imaging/ui/movie_options_dialog.h"

#include "platform/prompts.h"

#include <QCheckBox>
#include <QCursor>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace tarvek {

namespace {

struct SliderSetting {
  const char* frameCaption;
  const char* tooltip;
  const char* unit;
  int minimum, maximum, value, singleStep, pageStep, tickInterval;
};

constexpr SliderSetting kFrames{"Number Of Frames", "Number of Frames", " frames", 2, 100, 10, 1, 5, 10};
constexpr SliderSetting kQuality{"JPG Image Quality", "Image Quality (affects file size)", " %", 70,
                                 100, 90, 5, 10, 5};
constexpr SliderSetting kRange{"Rotation Range [deg]", "Oscillation Range [deg]", " deg", 5, 360, 45,
                               5, 10, 50};
constexpr SliderSetting kDelay{"Frame Delay [msec]", "Delay [millisec]", " msec", 50, 1000, 150,
                               50, 50, 100};

const char* const kTypedInput = "Click for text input";

} // namespace

dlgMOVIE::dlgMOVIE(QWidget* owner, Prompts& prompts) : QDialog(owner), m_prompts(prompts)
{
  setWindowTitle(QStringLiteral("  Animation Options"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);

  const auto addSlider = [&](const SliderSetting& s, QGroupBox*& frame, QSlider*& slider) {
    frame = new QGroupBox(QString::fromLatin1(s.frameCaption), this);
    slider = new QSlider(Qt::Horizontal, frame);
    slider->setRange(s.minimum, s.maximum);
    slider->setValue(s.value);
    slider->setSingleStep(s.singleStep);
    slider->setPageStep(s.pageStep);
    slider->setTickInterval(s.tickInterval);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setToolTip(QString::fromLatin1(s.tooltip));
    auto* inner = new QHBoxLayout(frame);
    inner->addWidget(slider);
    layout->addWidget(frame);
    // The value and its unit show beside the pointer while the slider moves.
    QSlider* moved = slider;
    const QString unit = QString::fromLatin1(s.unit);
    connect(slider, &QSlider::actionTriggered, this, [moved, unit] {
      QToolTip::showText(QCursor::pos(), QString::number(moved->sliderPosition()) + unit, moved);
    });
    connect(slider, &QSlider::valueChanged, this, [this] { updateSummary(); });
  };
  addSlider(kFrames, Frame1, slN);
  addSlider(kQuality, Frame2, slQ);
  addSlider(kRange, Frame3, slR);
  addSlider(kDelay, Frame4, slD);
  const QString delayUnit = QString::fromLatin1(kDelay.unit);
  lbDelay = new QLabel(Frame4);
  lbDelay->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // As wide as the widest value, so the slider keeps its length.
  lbDelay->setMinimumWidth(
      lbDelay->fontMetrics().horizontalAdvance(QString::number(kDelay.maximum) + delayUnit) + 4);
  Frame4->layout()->addWidget(lbDelay);
  const auto showDelay = [this, delayUnit](int value) {
    lbDelay->setText(QString::number(value) + delayUnit);
  };
  showDelay(slD->value());
  connect(slD, &QSlider::valueChanged, this, showDelay);
  for (QGroupBox* frame : {Frame1, Frame2, Frame3}) {
    frame->setToolTip(QString::fromLatin1(kTypedInput));
    frame->installEventFilter(this);
  }

  cb1 = new QCheckBox(QStringLiteral("Include Atom Table in HTML File"), this);
  cb1->setToolTip(QStringLiteral("List atom coordinate table in HTML file"));
  cb1->setChecked(true);
  connect(cb1, &QCheckBox::clicked, this, [this] { updateSummary(); });
  layout->addWidget(cb1);
  tf = new QLineEdit(QStringLiteral("Enter Title"), this);
  layout->addWidget(tf);

  // The four caption-less direction buttons as a cross, beside the summary.
  auto* middle = new QHBoxLayout;
  auto* cross = new QGridLayout;
  const struct {
    Qt::ArrowType arrow;
    const char* tooltip;
    int row, column;
  } directions[] = {
    {Qt::LeftArrow, "Rotate to the left", 1, 0},
    {Qt::UpArrow, "Rotate up", 0, 1},
    {Qt::RightArrow, "Rotate to the right", 1, 2},
    {Qt::DownArrow, "Rotate down", 2, 1},
  };
  for (std::size_t i = 0; i < op.size(); ++i) {
    op[i] = new QToolButton(this);
    op[i]->setArrowType(directions[i].arrow);
    op[i]->setToolTip(QString::fromLatin1(directions[i].tooltip));
    op[i]->setCheckable(true);
    op[i]->setAutoExclusive(true);
    cross->addWidget(op[i], directions[i].row, directions[i].column);
  }
  op[0]->setChecked(true);
  middle->addLayout(cross);
  ta = new QPlainTextEdit(this);
  ta->setReadOnly(true);
  middle->addWidget(ta);
  layout->addLayout(middle);

  auto* buttons = new QHBoxLayout;
  OKButton = new QPushButton(QStringLiteral("OK"), this);
  CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  OKButton->setDefault(true);
  buttons->addStretch();
  buttons->addWidget(OKButton);
  buttons->addWidget(CancelButton);
  layout->addLayout(buttons);
  connect(OKButton, &QPushButton::clicked, this, &dlgMOVIE::accept);
  connect(CancelButton, &QPushButton::clicked, this, &dlgMOVIE::reject);

  updateSummary();
}

void dlgMOVIE::updateSummary()
{
  const std::string summary = movieSummary(slQ->value(), slN->value(), slR->value());
  ta->setPlainText(QString::fromStdString(summary).replace(QStringLiteral("\r\n"),
                                                           QStringLiteral("\n")));
  if (OKButton->isVisible())
    OKButton->setFocus();
}

bool dlgMOVIE::eventFilter(QObject* watched, QEvent* event)
{
  if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == Frame1)
      askValue(slN);
    else if (watched == Frame2)
      askValue(slQ);
    else if (watched == Frame3)
      askValue(slR);
  }
  return QDialog::eventFilter(watched, event);
}

void dlgMOVIE::askValue(QSlider* slider)
{
  const std::string prompt = "Enter value [" + std::to_string(slider->minimum()) + "-"
                             + std::to_string(slider->maximum()) + "]";
  const std::optional<std::string> answer =
      m_prompts.input(prompt, "Custom Value", std::to_string(slider->value()));
  // QSlider would clamp a value outside its range; such input is refused.
  slider->setValue(customSliderValue(answer, slider->minimum(), slider->maximum(), slider->value()));
}

void dlgMOVIE::accept()
{
  m_options.frameCount = slN->value();
  m_options.jpegQuality = slQ->value();
  m_options.rotationRange = slR->value();
  m_options.frameDelay = slD->value();
  m_options.includeAtomTable = cb1->isChecked() ? 1 : 0;
  m_options.movieTitle = tf->text().trimmed().toStdString();
  for (std::size_t i = 0; i < op.size(); ++i) {
    if (op[i]->isChecked()) {
      m_options.rotationDirection = static_cast<std::int32_t>(i);
      break;
    }
  }
  QDialog::accept();
}

void dlgMOVIE::reject()
{
  m_options.frameCount = -1;
  QDialog::reject();
}

} // namespace tarvek
