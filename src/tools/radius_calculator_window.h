// The tube radius calculator window: fields, Calc, Find, View and the radius list.
#pragma once

#include "tools/radius_calculator.h"

#include <QAbstractTableModel>
#include <QWidget>

#include <array>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tarvek {

struct Model;
struct DisplaySettings;
class EventPump;
class Prompts;
class MainWindowServices;

// The list's rows for a QTableView: "#", "( n , m )", "Radius", "Diameter",
// blue text where the row asks for it. Each fill is one model reset.
class RadiusListModel : public QAbstractTableModel {
public:
  using QAbstractTableModel::QAbstractTableModel;

  void setRows(std::vector<RadiusListRow> rows);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
  std::vector<RadiusListRow> m_rows;
};

// Tabulates the (n, m) tubes of a range of n, finds the walls of a
// multi-wall tube and hands them to the model's multi-wall builder. Modeless,
// one object per main window; the fields are filled from the model when it
// is made. A field that cannot be read ends Calc or Find with its message
// and changes nothing.
class dlgRCALC : public QWidget {
public:
  dlgRCALC(Model& model, const DisplaySettings& display, Prompts& prompts, const EventPump& pump,
           MainWindowServices& window, QWidget* owner);

  // 0 Calc, 1 Find, 2 View.
  void OKButton_Click(int index);
  // Header click: re-sorts and lists the whole table.
  void headerClick();
  // Right click on the list: its text to the clipboard.
  void copyListToClipboard();

  const RadiusCalculator& calculator() const { return m_calculator; }

  std::array<QLineEdit*, 6> tf{};
  QLineEdit* tfMW = nullptr;
  std::array<QPushButton*, 3> OKButton{};
  QCheckBox* cb = nullptr;
  QTableView* lst = nullptr;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void formLoad();
  void showList();

  Model& m_model;
  const DisplaySettings& m_display;
  Prompts& m_prompts;
  const EventPump& m_pump;
  MainWindowServices& m_window;
  RadiusCalculator m_calculator;
  RadiusListModel* m_list = nullptr;
};

} // namespace tarvek
