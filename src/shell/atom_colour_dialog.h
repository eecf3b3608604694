#pragma once

#include <QDialog>

#include <array>

class QPushButton;
class QTableWidget;

namespace tarvek {

class ColourChooser;
class Form1;
struct Model;

// The display colour of every element up to actinium, picked in the colour
// chooser. The colours live in the scene for the run.
class dlgATCOL : public QDialog {
public:
  dlgATCOL(Form1& form, const Model& model, ColourChooser& chooser, QWidget* owner);

  static constexpr int kRows = 89;
  QTableWidget* table = nullptr;
  std::array<QPushButton*, 2> bt{};

private:
  void cellClicked(int row, int column);

  Form1& m_form;
  ColourChooser& m_chooser;
};

} // namespace tarvek
