// The "Atom Coordinates" list and the coordinate table commands.
#include "shell/coordinate_list.h"

#include "formats/structure_writers.h"
#include "platform/run_command.h"
#include "platform/save_dialog.h"
#include "scene/scene_object.h"
#include "shell/file_commands.h"
#include "shell/file_naming.h"
#include "shell/form1.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>

#include <algorithm>

namespace tarvek {

namespace {

QString qs(const std::string& text)
{
  return QString::fromStdString(text);
}

Qt::Alignment columnAlignment(int column)
{
  return (column == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
}

// Shows a widget again when the scope ends, also through an exception.
class ShowOnExit {
public:
  explicit ShowOnExit(QWidget* widget) : m_widget(widget) {}
  ~ShowOnExit() { m_widget->show(); }
  ShowOnExit(const ShowOnExit&) = delete;
  ShowOnExit& operator=(const ShowOnExit&) = delete;

private:
  QWidget* m_widget;
};

} // namespace

int XyzTableModel::rowCount(const QModelIndex& parent) const
{
  return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int XyzTableModel::columnCount(const QModelIndex& parent) const
{
  return parent.isValid() ? 0 : 5;
}

QVariant XyzTableModel::data(const QModelIndex& index, int role) const
{
  if (!index.isValid() || static_cast<std::size_t>(index.row()) >= m_rows.size())
    return {};
  if (role == Qt::DisplayRole)
    return qs(m_rows.text(static_cast<std::size_t>(index.row()), index.column()));
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue(static_cast<int>(columnAlignment(index.column())));
  return {};
}

QVariant XyzTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
  if (orientation != Qt::Horizontal || section < 0 || section >= 5)
    return QAbstractTableModel::headerData(section, orientation, role);
  if (role == Qt::DisplayRole) {
    static const char* const names[] = {"#", "X", "Y", "Z", ""};
    return QString::fromLatin1(names[section]);
  }
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue(static_cast<int>(columnAlignment(section)));
  return {};
}

void XyzTableModel::setRows(XyzRows rows)
{
  beginResetModel();
  m_rows = std::move(rows);
  endResetModel();
}

CoordinateList::CoordinateList(Form1& form) : QObject(&form), m_form(form)
{
  m_model = new XyzTableModel(this);
  QTableView* list = form.lstXYZ;
  list->setModel(m_model);
  list->setSortingEnabled(false);
  list->setWordWrap(false);
  list->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

void CoordinateList::fillXyzList(int emptyOnly)
{
  Form1& form = m_form;
  QTableView* list = form.lstXYZ;
  m_model->setRows(XyzRows{});
  form.m_platform.pump.pumpEvents();
  list->hide();
  const ShowOnExit show(list);
  if (emptyOnly != 0) {
    list->horizontalHeader()->hide();
    return;
  }
  list->horizontalHeader()->show();
  const bool importShown = form.refreshTitle(false);
  m_model->setRows(buildXyzRows({form.m_model, form.m_state.atomTypeLabel1,
                                 form.m_state.atomTypeLabel2, form.m_scene->getNO(),
                                 importShown, form.m_display.sceneAtomFilePath}));
  sizeColumns();
}

// Each column as wide as its header or its widest text, whichever is wider;
// the candidates come from the column's extremes, so no row is measured.
// Rows get the height of one line of text.
void CoordinateList::sizeColumns()
{
  QTableView* list = m_form.lstXYZ;
  QHeaderView* header = list->horizontalHeader();
  // The style may give item views a font of their own when it polishes them.
  list->ensurePolished();
  list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 2);
  // An item as the delegate sizes it; one pixel more for the grid line.
  QStyleOptionViewItem item;
  item.initFrom(list);
  item.font = list->font();
  item.fontMetrics = list->fontMetrics();
  item.features = QStyleOptionViewItem::HasDisplay;
  const auto textWidth = [&](const std::string& text) {
    item.text = qs(text);
    return list->style()->sizeFromContents(QStyle::CT_ItemViewItem, &item, {}, list).width() + 1;
  };
  const auto texts = m_model->rows().widestTexts();
  for (int c = 0; c < 5; ++c) {
    int width = header->sectionSizeHint(c);
    for (const std::string& text : texts[static_cast<std::size_t>(c)])
      width = std::max(width, textWidth(text));
    header->resizeSection(c, width);
  }
  int listWidth = 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < 4; ++c)
    listWidth += header->sectionSize(c);
  m_form.fitPanelsToList(listWidth);
}

void CoordinateList::copyXyzTable()
{
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(qs(xyzTableText(m_model->rows())));
  m_form.m_platform.prompts.beep();
}

void CoordinateList::saveXyzTable()
{
  Platform& platform = m_form.m_platform;
  const auto choice =
      askSavePath(platform.fileDialogs, platform.prompts, platform.pump, {},
                  m_form.m_startup.exportFolder, kXyzTableFilter,
                  m_form.fileCommands().defaultExportName());
  if (!choice)
    return;
  writeXyzTable(choice->path, m_model->rows(), m_form.m_preferences.optionFlags[7]);
  m_form.setStatusPanel(1, savedText(choice->path));
}

SaveOutcome CoordinateList::saveCoordinatesAs()
{
  Form1& form = m_form;
  Platform& platform = form.m_platform;
  const std::string length = form.tf[2]->text().trimmed().toStdString();
  const auto choice = askSavePath(platform.fileDialogs, platform.prompts, platform.pump, {},
                                  form.m_startup.exportFolder, kCoordinatesFilter,
                                  form.fileCommands().defaultExportName() + "_" + length);
  if (!choice)
    return SaveOutcome::Cancelled;
  const std::string& path = choice->path;
  const int index = choice->filterIndex;
  if (index < 1 || index > 6)
    return SaveOutcome::Cancelled;
  const bool saved = runCommand(platform, [&] {
    const ExportContext ctx = form.exportContext();
    switch (index) {
    case 1:
      writeCoordinateTable(path,
                           atomSetRows(form.m_model, xyzLabelTable(form.m_model,
                                                                   ctx.atomTypeLabel1,
                                                                   ctx.atomTypeLabel2)),
                           ctx.lfLineEnds);
      break;
    case 2:
      exportMOL(ctx, path);
      break;
    case 3:
      exportXMOL(ctx, path);
      break;
    case 4:
      exportPDB(ctx, path);
      break;
    case 5:
      exportCIF(ctx, path);
      break;
    default:
      exportVRML(ctx, {form.m_display, form.m_preferences, *form.m_scene}, path,
                 VrmlVersion::Vrml2);
      break;
    }
  });
  if (!saved)
    return SaveOutcome::Failed;
  form.setStatusPanel(1, savedText(path));
  return SaveOutcome::Saved;
}

} // namespace tarvek
