// The builder dialogs: the caps of a capped tube, the layers of a graphene stack and the two
// tubes of a hetero-junction.
#include "tools/builder_dialogs.h"

#include "platform/prompts.h"
#include "platform/window_fit.h"
#include "runtime/runtime_error.h"
#include "tools/builder_dialog_values.h"
#include "tools/select_on_focus.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tarvek {

dlgCAPS::dlgCAPS(QWidget* owner) : QDialog(owner)
{
  setWindowTitle(QStringLiteral(" Cap Choices"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Which caps shall be generated?"), this));
  const char* const captions[] = {"Both Ends", "Cap #1", "Cap #2"};
  for (std::size_t i = 0; i < op.size(); ++i) {
    op[i] = new QRadioButton(QString::fromLatin1(captions[i]), this);
    layout->addWidget(op[i]);
  }
  op[0]->setChecked(true);
  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setDefault(true);
  layout->addWidget(OKButton, 0, Qt::AlignHCenter);
  connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
}

void dlgCAPS::OKButton_Click()
{
  capChoice = capChoiceOf({op[0]->isChecked(), op[1]->isChecked(), op[2]->isChecked()});
  accept();
}

dlgGRAPHENE::dlgGRAPHENE(QWidget* owner) : QDialog(owner)
{
  setWindowTitle(QStringLiteral(" Multi-Layer Graphene "));
  setModal(true);
  const char* const initial[] = {"15", "15", "2", "3.395", "30"};
  for (std::size_t i = 0; i < tf.size(); ++i) {
    tf[i] = new QLineEdit(QString::fromLatin1(initial[i]), this);
    tf[i]->setMaximumWidth(70);
    selectAllOnFocus(*tf[i]);
  }

  auto* size = new QGroupBox(QStringLiteral("Layer Width and Height [A]"), this);
  auto* sizeRow = new QHBoxLayout(size);
  sizeRow->addWidget(tf[0]);
  sizeRow->addWidget(new QLabel(QStringLiteral("x"), size));
  sizeRow->addWidget(tf[1]);
  sizeRow->addStretch();
  auto* count = new QGroupBox(QStringLiteral("Number of Layers and Distance [A] "), this);
  auto* countRow = new QHBoxLayout(count);
  countRow->addWidget(tf[2]);
  countRow->addWidget(tf[3]);
  countRow->addStretch();

  const char* const options[] = {"Identical Layers", "Apply Layer Shift as in Graphite ",
                                 "Apply Layer Rotation;  angle ="};
  for (std::size_t i = 0; i < rb.size(); ++i)
    rb[i] = new QRadioButton(QString::fromLatin1(options[i]), this);
  rb[0]->setChecked(true);
  auto* rotationRow = new QHBoxLayout;
  rotationRow->addWidget(rb[2]);
  rotationRow->addWidget(tf[4]);
  rotationRow->addStretch();

  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setDefault(true);
  CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKButton);
  buttons->addWidget(CancelButton);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(size);
  layout->addWidget(count);
  layout->addWidget(rb[0]);
  layout->addWidget(rb[1]);
  layout->addLayout(rotationRow);
  layout->addLayout(buttons);
  connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void dlgGRAPHENE::showEvent(QShowEvent* event)
{
  okPressed = 0;
  readError.clear();
  QDialog::showEvent(event);
}

void dlgGRAPHENE::OKButton_Click()
{
  okPressed = 1;
  std::array<std::string, 5> texts;
  for (std::size_t i = 0; i < tf.size(); ++i)
    texts[i] = tf[i]->text().toStdString();
  const int option = rb[1]->isChecked() ? 1 : rb[2]->isChecked() ? 2 : 0;
  try {
    const GrapheneDialogValues values = readGrapheneDialog(texts, option);
    layerWidth = values.layerWidth;
    layerHeight = values.layerHeight;
    layerCount = values.layerCount;
    layerDistance = values.layerDistance;
    graphiteShift = values.graphiteShift;
    layerRotation = values.layerRotation;
  } catch (const RuntimeError& error) {
    readError = error.what();
  }
  accept();
}

dlgCONTUB::dlgCONTUB(Prompts& prompts, const std::string& junctionAddress, QWidget* owner)
    : QDialog(owner), m_prompts(prompts)
{
  setWindowTitle(QStringLiteral("Create Hetero-Junction"));
  setModal(true);
  const char* const initial[] = {"5", "5", "15", "10", "10", "15"};
  auto* layout = new QVBoxLayout(this);
  const char* const frames[] = {"First Tube", "Second Tube"};
  for (std::size_t f = 0; f < 2; ++f) {
    auto* frame = new QGroupBox(QString::fromLatin1(frames[f]), this);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("n                 m            length"), frame), 0, 0, 1, 3);
    for (std::size_t k = 0; k < 3; ++k) {
      const std::size_t i = 3 * f + k;
      Text1[i] = new QLineEdit(QString::fromLatin1(initial[i]), frame);
      Text1[i]->setMaximumWidth(60);
      grid->addWidget(Text1[i], 1, static_cast<int>(k));
    }
    layout->addWidget(frame);
  }
  Label2 = new QLabel(QStringLiteral("The XYZ-coordinates will be created by the CoNTub Applet. "
                                     "CoNTub: an algorithm for connecting two arbitrary carbon "
                                     "nanotubes. S. Melchor, J. A. Dobado, J. Chem. Inf. Comput. "
                                     "Sci. 44 (2004) 1639\u20131646. ") +
                          QString::fromStdString(junctionAddress),
                      this);
  Label2->setWordWrap(true);
  Label2->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(Label2);
  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setDefault(true);
  CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKButton);
  buttons->addWidget(CancelButton);
  layout->addLayout(buttons);
  connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  holdTitle(*this);
}

void dlgCONTUB::showEvent(QShowEvent* event)
{
  okPressed = 0;
  QDialog::showEvent(event);
}

void dlgCONTUB::OKButton_Click()
{
  std::array<std::string, 6> texts;
  for (std::size_t i = 0; i < Text1.size(); ++i)
    texts[i] = Text1[i]->text().toStdString();
  JunctionValues values;
  try {
    values = junctionValues(texts);
  } catch (const RuntimeError& error) {
    m_prompts.message(error.what(), "", MessageIcon::Critical);
    return;
  }
  junctionN1 = values.junctionN1;
  junctionM1 = values.junctionM1;
  junctionLength1 = values.junctionLength1;
  junctionN2 = values.junctionN2;
  junctionM2 = values.junctionM2;
  junctionLength2 = values.junctionLength2;
  okPressed = 1;
  accept();
}

} // namespace tarvek
