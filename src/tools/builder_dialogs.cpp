// The builder dialogs: the caps of a capped tube and the layers of a graphene stack.
#include "tools/builder_dialogs.h"

#include "runtime/runtime_error.h"
#include "tools/builder_dialog_values.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
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
    tf[i]->installEventFilter(this);
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

bool dlgGRAPHENE::eventFilter(QObject* watched, QEvent* event)
{
  if (event->type() == QEvent::FocusIn) {
    if (auto* field = qobject_cast<QLineEdit*>(watched)) {
      // After the click that gave the focus has placed the cursor.
      QTimer::singleShot(0, field, [field] { field->setSelection(0, int(field->text().size())); });
    }
  }
  return QDialog::eventFilter(watched, event);
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

} // namespace tarvek
