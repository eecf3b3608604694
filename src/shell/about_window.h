// The About window: the program's picture, name, version and home page.
#pragma once

#include <QDialog>

#include <array>
#include <cstdint>
#include <string>

class QLabel;

namespace tarvek {

class ShellOpen;

// "Version " and major.minor.revision of the program, a missing part 0.
std::string programVersionText();

// Modal About window over its owner, centred on the owner's screen. A key
// press or a click on the picture or on "[OK]" closes it; a click on the
// name opens the maker's page.
class frmSplash : public QDialog {
public:
  frmSplash(QWidget* owner, ShellOpen& shellOpen, std::string makerAddress);

  // Closes the window; the argument is not read.
  void FADEOUT(std::int16_t mode);

  QLabel* Image1 = nullptr;
  QLabel* Label9 = nullptr;
  // Index 0 the maker's address, 2 the version; 1 is unused.
  std::array<QLabel*, 3> Label6{};
  QLabel* Label2 = nullptr;
  QLabel* lbSW = nullptr;
  // The name's mouse cursor, kept hidden.
  QLabel* img = nullptr;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  ShellOpen& m_shellOpen;
  std::string m_makerAddress;
};

} // namespace tarvek
