#pragma once

#include "shell/settings_store.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace tarvek {

class Form1;
struct Model;
struct Platform;

// The key help shown on the "Shortcuts" page: thirteen lines joined by CR LF.
std::string keyShortcutText();

// The " Preferences" window. Made once by the main window and kept: closing
// only hides it, until the main window closes.
class frmOptions : public QDialog, public OptionSetters {
public:
  frmOptions(Form1& form, Platform& platform, Preferences& preferences, const Model& model);

  void setColorOption(int index, std::uint32_t colour) override;
  void setToolPath(int index, const std::string& path) override;
  void setInpOption(int index, const std::string& text) override;
  void setAxis(std::int16_t axis) override;
  void setWhites() override;

  // The chosen colour, or colour itself when the chooser is cancelled.
  std::uint32_t getNewColor(std::uint32_t colour);
  // The face colour of btCOL(index).
  std::uint32_t colorOption(int index) const { return m_colours[index]; }
  // The controls into the record, saved and shown.
  void applyOptions();

  QTabWidget* tbsOptions = nullptr;
  std::array<QLineEdit*, 4> tfTOOL{};
  std::array<QPushButton*, 4> btDIR{};
  std::array<QPushButton*, 5> btCOL{};
  std::array<QCheckBox*, 11> cbWHITE{};
  std::array<QLineEdit*, 3> tfINP{};
  QComboBox* cmbAX = nullptr;
  QPlainTextEdit* taKEY = nullptr;
  QPushButton* btATCOL = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;
  QPushButton* cmdApply = nullptr;

protected:
  void closeEvent(QCloseEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  QWidget* viewersPage();
  QWidget* colorsPage();
  QWidget* generalPage();
  QWidget* shortcutsPage();
  void chooseViewer(int index);
  void whiteClicked(int index);
  void axisChanged(int position);
  void showAtomColours();

  Form1& m_form;
  Platform& m_platform;
  Preferences& m_preferences;
  const Model& m_model;
  std::array<std::uint32_t, 5> m_colours{};
};

} // namespace tarvek
