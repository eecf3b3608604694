// The new-array dialog of the manual assembly.
#pragma once

#include "imaging/disc_markers.h"

#include <QDialog>

#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace tarvek {

// " Create New Atom Array": a graphene sheet (width and height in Å), a
// square lattice (rows and columns) or the main window's sheet, each chosen
// by its own button. Closed any other way it chooses nothing.
class dlgXY1 : public QDialog {
public:
  explicit dlgXY1(QWidget* owner);

  // OKButton(i): 0 the graphene sheet, 1 the lattice, 2 the main window's
  // sheet; reads the fields ("," as ".") and closes the dialog.
  void okClicked(int i);

  // What was chosen, with the values of its fields.
  const NewDiscSetChoice& result() const { return m_result; }

  std::array<QPushButton*, 3> OKButton{};
  std::array<QLineEdit*, 4> tf{};
  QGroupBox* Frame1 = nullptr;
  QGroupBox* Frame2 = nullptr;

private:
  NewDiscSetChoice m_result;
};

} // namespace tarvek
