// The new-array dialog: three ways to a new disc set.
#include "imaging/ui/disc_markers_dialog.h"

#include "imaging/digitiser.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvek {

namespace {

// A frame of two labelled fields.
QGroupBox* fieldFrame(const char* title, const char* label0, QLineEdit* field0, const char* label1,
                      QLineEdit* field1)
{
  auto* frame = new QGroupBox(QString::fromLatin1(title));
  auto* grid = new QGridLayout(frame);
  grid->addWidget(new QLabel(QString::fromLatin1(label0)), 0, 0);
  grid->addWidget(field0, 0, 1);
  grid->addWidget(new QLabel(QString::fromLatin1(label1)), 1, 0);
  grid->addWidget(field1, 1, 1);
  return frame;
}

} // namespace

dlgXY1::dlgXY1(QWidget* owner) : QDialog(owner)
{
  setWindowTitle(QStringLiteral(" Create New Atom Array"));
  const char* const initial[] = {"20", "15", "10", "10"};
  for (std::size_t i = 0; i < tf.size(); ++i)
    tf[i] = new QLineEdit(QString::fromLatin1(initial[i]));
  OKButton[2] = new QPushButton(QStringLiteral("Reuse Sheet Data from Main Window"));
  OKButton[0] = new QPushButton(QStringLiteral("OK"));
  OKButton[1] = new QPushButton(QStringLiteral("OK"));
  Frame1 = fieldFrame("Graphene Sheet", "Width [A]", tf[0], "Height [A]", tf[1]);
  Frame2 = fieldFrame("Square Lattice", "Rows", tf[2], "Columns", tf[3]);

  auto* layout = new QGridLayout(this);
  layout->addWidget(OKButton[2], 0, 0, 1, 2);
  layout->addWidget(Frame1, 1, 0);
  layout->addWidget(OKButton[0], 1, 1, Qt::AlignBottom);
  layout->addWidget(Frame2, 2, 0);
  layout->addWidget(OKButton[1], 2, 1, Qt::AlignBottom);
  for (int i = 0; i < 3; ++i) {
    OKButton[static_cast<std::size_t>(i)]->setAutoDefault(false);
    connect(OKButton[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
            [this, i] { okClicked(i); });
  }
}

void dlgXY1::okClicked(int i)
{
  auto number = [this](std::size_t field) {
    return double{fieldNumber(tf[field]->text().toStdString())};
  };
  switch (i) {
  case 0:
    m_result = {1, number(0), number(1)};
    break;
  case 1:
    m_result = {2, number(2), number(3)};
    break;
  default:
    m_result = {3, 0.0, 0.0};
    break;
  }
  accept();
}

} // namespace tarvek
