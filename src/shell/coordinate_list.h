// The "Atom Coordinates" list, its table model and the coordinate table commands.
#pragma once

#include "shell/coordinate_rows.h"

#include <QAbstractTableModel>

namespace tarvek {

class Form1;
enum class SaveOutcome;

// The list's rows as a table model: five columns (number, x, y, z, label)
// whose texts are made only when the view asks for a cell, so a million
// rows cost their compact storage and nothing per item. Never sorted.
class XyzTableModel : public QAbstractTableModel {
public:
  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // Replaces every row inside one reset, so a view never reads stale rows.
  void setRows(XyzRows rows);
  const XyzRows& rows() const { return m_rows; }

private:
  XyzRows m_rows;
};

// The coordinate list's commands: the fill after every build or import, the
// copied and saved tables, and the coordinate file of an oversized
// structure. Built with the window's controls; the window owns it.
class CoordinateList : public QObject {
public:
  explicit CoordinateList(Form1& form);

  // Refills the list from the shown structure; emptyOnly only empties it
  // and hides the headers. Lets window events run once while it is empty.
  // A scene file that cannot be read throws RuntimeError.
  void fillXyzList(int emptyOnly);
  // The list as tab-separated text on the clipboard, then a beep.
  void copyXyzTable();
  // Asks for a file and writes the list as a table in print zones.
  void saveXyzTable();
  // Asks for a file and a format and writes the atom set. A failure is
  // shown and gives Failed.
  SaveOutcome saveCoordinatesAs();

  XyzTableModel* model() const { return m_model; }

private:
  void sizeColumns();

  Form1& m_form;
  XyzTableModel* m_model = nullptr;
};

} // namespace tarvek
