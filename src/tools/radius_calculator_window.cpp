// The tube radius calculator window: fields, Calc, Find, View and the radius list.
#include "tools/radius_calculator_window.h"

#include "model/model.h"
#include "platform/prompts.h"
#include "platform/run_command.h"
#include "runtime/number_format.h"

#include <QCheckBox>
#include <QClipboard>
#include <QColor>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <cmath>

namespace tarvek {

namespace {

const char* const kColumns[] = {"#", "( n , m )", "Radius", "Diameter"};

QString latin(const char* text)
{
  return QString::fromLatin1(text);
}

} // namespace

void RadiusListModel::setRows(std::vector<RadiusListRow> rows)
{
  beginResetModel();
  m_rows = std::move(rows);
  endResetModel();
}

int RadiusListModel::rowCount(const QModelIndex& parent) const
{
  return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int RadiusListModel::columnCount(const QModelIndex& parent) const
{
  return parent.isValid() ? 0 : 4;
}

QVariant RadiusListModel::data(const QModelIndex& index, int role) const
{
  if (!index.isValid() || index.row() >= static_cast<int>(m_rows.size()))
    return {};
  const RadiusListRow& row = m_rows[static_cast<std::size_t>(index.row())];
  if (role == Qt::DisplayRole) {
    const std::string* const texts[] = {&row.position, &row.pair, &row.radius, &row.diameter};
    return QString::fromStdString(*texts[index.column()]);
  }
  if (role == Qt::ForegroundRole && row.blue)
    return QColor(0, 0, 255);
  return {};
}

QVariant RadiusListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 4)
    return latin(kColumns[section]);
  return QAbstractTableModel::headerData(section, orientation, role);
}

dlgRCALC::dlgRCALC(Model& model, const DisplaySettings& display, Prompts& prompts,
                   const EventPump& pump, MainWindowServices& window, QWidget* owner)
    : QWidget(owner, Qt::Window), m_model(model), m_display(display), m_prompts(prompts),
      m_pump(pump), m_window(window)
{
  setWindowTitle(QStringLiteral(" Tube Radius - Calculator"));
  const char* const initial[] = {"1.41", "5", "70", "3.89", "3.4", "5"};
  const char* const tips[] = {"Graphene sheet bond length [A] ", "Lowest tube index (n,..)",
                              "Highest tube index (n,..)", "Diameter of innermost tube in [A]",
                              "Wall spacing in [A]", "Number of tubes (i.e.walls)"};
  for (std::size_t i = 0; i < tf.size(); ++i) {
    tf[i] = new QLineEdit(latin(initial[i]), this);
    tf[i]->setToolTip(latin(tips[i]));
    tf[i]->setMaximumWidth(64);
  }
  tfMW = new QLineEdit(this);
  tfMW->setToolTip(QStringLiteral("Generated MWNT sequence"));
  const char* const captions[] = {"Calc", "Find", "View"};
  const char* const buttonTips[] = {"Generate radius table", "Generate MWNT sequence",
                                    "Generate MWNT in viewer "};
  for (std::size_t i = 0; i < OKButton.size(); ++i) {
    OKButton[i] = new QPushButton(latin(captions[i]), this);
    OKButton[i]->setToolTip(latin(buttonTips[i]));
    const int index = static_cast<int>(i);
    connect(OKButton[i], &QPushButton::clicked, this, [this, index] { OKButton_Click(index); });
  }
  cb = new QCheckBox(QStringLiteral("sort list by radius"), this);

  auto* generation = new QGroupBox(QStringLiteral("Tube Generation"), this);
  auto* generationGrid = new QGridLayout(generation);
  generationGrid->addWidget(new QLabel(QStringLiteral("From n =             to n ="), generation), 0, 0, 1, 2);
  generationGrid->addWidget(tf[1], 1, 0);
  generationGrid->addWidget(tf[2], 1, 1);
  generationGrid->addWidget(new QLabel(QStringLiteral("Bond =               A, "), generation), 2, 0, 1, 2);
  generationGrid->addWidget(tf[0], 3, 0);
  generationGrid->addWidget(OKButton[0], 3, 1);
  generationGrid->addWidget(cb, 4, 0, 1, 2);

  auto* finder = new QGroupBox(QStringLiteral("Find MWNT Sequence"), this);
  auto* finderGrid = new QGridLayout(finder);
  finderGrid->addWidget(
      new QLabel(QStringLiteral("Inner d ~                spacing ~             walls"), finder), 0, 0, 1, 3);
  finderGrid->addWidget(tf[3], 1, 0);
  finderGrid->addWidget(tf[4], 1, 1);
  finderGrid->addWidget(tf[5], 1, 2);
  finderGrid->addWidget(OKButton[1], 2, 0);
  finderGrid->addWidget(OKButton[2], 2, 1);
  finderGrid->addWidget(new QLabel(QStringLiteral("MWNT:"), finder), 3, 0);
  finderGrid->addWidget(tfMW, 4, 0, 1, 3);

  m_list = new RadiusListModel(this);
  lst = new QTableView(this);
  lst->setModel(m_list);
  lst->setToolTip(QStringLiteral(" Right-click for COPY; Click on header to flip sorting by index/radius"));
  lst->verticalHeader()->hide();
  lst->setSelectionBehavior(QAbstractItemView::SelectRows);
  lst->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lst->horizontalHeader()->setSectionsClickable(true);
  lst->horizontalHeader()->setStretchLastSection(true);
  lst->viewport()->installEventFilter(this);
  connect(lst->horizontalHeader(), &QHeaderView::sectionClicked, this, [this] { headerClick(); });

  auto* controls = new QVBoxLayout;
  controls->addWidget(generation);
  controls->addWidget(finder);
  controls->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(controls);
  layout->addWidget(lst, 1);
  resize(620, 420);
  lst->resizeColumnsToContents();
  formLoad();
}

void dlgRCALC::formLoad()
{
  if (std::isfinite(m_model.bondLength))
    tf[0]->setText(QString::fromStdString(Format(m_model.bondLength, "0.0##")));
  tf[1]->setText(QString::number(m_model.tubeN));
  if (m_model.tubeDiameter > 0.0f && std::isfinite(m_model.tubeDiameter))
    tf[3]->setText(QString::fromStdString(Format(m_model.tubeDiameter, "0.0##")));
}

void dlgRCALC::OKButton_Click(int index)
{
  std::array<std::string, 6> fields;
  for (std::size_t i = 0; i < tf.size(); ++i) {
    QString text = tf[i]->text();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    tf[i]->setText(text);
    fields[i] = text.toStdString();
  }
  runCommand(m_prompts, m_pump, [&] {
    if (index == 2) {
      m_calculator.view(tfMW->text().toStdString(), m_model, m_display, m_prompts, m_window);
      return;
    }
    const RadiusInputs inputs = readRadiusFields(fields);
    m_calculator.calcAll(static_cast<std::int16_t>(index), cb->isChecked(), inputs);
    if (index == 1)
      tfMW->setText(QString::fromStdString(m_calculator.mwntSequence()));
    showList();
    // A search that found nothing says so instead of leaving an empty list.
    if (index == 1 && m_calculator.list().empty())
      m_prompts.message("No tube fits inside d = " + Format(inputs.d, "0.0##") + " with these limits.",
                        "", MessageIcon::Information);
  });
}

void dlgRCALC::showList()
{
  m_list->setRows(m_calculator.list());
  lst->resizeColumnsToContents();
}

void dlgRCALC::headerClick()
{
  if (m_calculator.headerClick())
    showList();
}

void dlgRCALC::copyListToClipboard()
{
  if (m_calculator.list().empty())
    return;
  {
    WaitCursor wait(m_prompts);
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(clipboardText(m_calculator.list())));
  }
  m_prompts.message("List copied to clipboard", "", MessageIcon::Information);
}

bool dlgRCALC::eventFilter(QObject* watched, QEvent* event)
{
  if (watched == lst->viewport() && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    copyListToClipboard();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

} // namespace tarvek
