#include "shell/atom_colour_dialog.h"

#include "model/model.h"
#include "platform/colour_chooser.h"
#include "platform/qt_colour.h"
#include "runtime/text_align.h"
#include "scene/scene_object.h"
#include "shell/form1.h"
#include "shell/themed_buttons.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tarvek {

namespace {

// Paints a colour cell in exactly its colour; the chosen cell gets a frame
// in the highlight colour instead of the highlight over the colour.
class SwatchDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
  {
    painter->fillRect(option.rect, index.data(Qt::BackgroundRole).value<QBrush>());
    if (option.state & QStyle::State_Selected) {
      painter->save();
      painter->setPen(QPen(option.palette.color(QPalette::Highlight), 2));
      painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
      painter->restore();
    }
  }
};

} // namespace

dlgATCOL::dlgATCOL(Form1& form, const Model& model, ColourChooser& chooser, QWidget* owner)
    : QDialog(owner), m_form(form), m_chooser(chooser)
{
  setWindowTitle(QStringLiteral(" Atom Colors"));
  setModal(true);
  table = new QTableWidget(kRows, 2, this);
  table->horizontalHeader()->hide();
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  for (int row = 0; row < kRows; ++row) {
    const std::string text =
        alignRight(std::to_string(row + 1), 3) + "   " + model.elementSymbols[row];
    table->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(text)));
    auto* swatch = new QTableWidgetItem;
    swatch->setBackground(toQColor(m_form.scene().getAtomColor(std::int16_t(row))));
    table->setItem(row, 1, swatch);
  }
  table->setItemDelegateForColumn(1, new SwatchDelegate(table));
  table->setCurrentCell(0, 0);
  connect(table, &QTableWidget::cellClicked, this, &dlgATCOL::cellClicked);

  const char* const captions[] = {"Apply", "Close"};
  auto* buttons = new QHBoxLayout;
  for (int i = 0; i < 2; ++i) {
    bt[i] = new QPushButton(QString::fromLatin1(captions[i]), this);
    buttons->addWidget(bt[i]);
  }
  connect(bt[0], &QPushButton::clicked, this, [this] { m_form.Apply(); });
  connect(bt[1], &QPushButton::clicked, this, &QDialog::accept);
  if (m_form.startup().manifestPresent)
    installXPButtons(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table);
  layout->addLayout(buttons);
  resize(260, 400);
}

void dlgATCOL::cellClicked(int row, int column)
{
  const auto element = static_cast<std::int16_t>(row);
  const auto chosen = m_chooser.choose(m_form.scene().getAtomColor(element), {});
  if (!chosen)
    return;
  m_form.scene().setAtomColor(element, *chosen);
  table->item(row, column)->setBackground(toQColor(m_form.scene().getAtomColor(element)));
}

} // namespace tarvek
