#pragma once

#include "scene/frame_grab.h"
#include "shell/view_rules.h"

#include <QObject>

#include <array>
#include <cstdint>
#include <string>

class QAction;
class QLabel;
class QMouseEvent;

namespace tarvek {

class Form1;

// The main window's view commands: the toolbar's view buttons, the View
// menu's toggles and models, the display boxes and percent lists, the
// cursors and hints over the view, the title link, the logo and the status
// bar's clicks. The menu-bar message field lives here too. Built once the
// window's controls exist; the window owns it.
class ViewCommands : public QObject, public CaptionField {
public:
  // programFolder ends in "/" and holds the link table.
  ViewCommands(Form1& form, const std::string& programFolder);

  // The menu-bar message field.
  std::string caption() const override;
  void setCaption(const std::string& caption) override;
  // Shows text (five blanks appended) in the menu-bar message.
  void showMessage(std::string text);

  void cbOP_Click(int index);
  void cmbRAD_Click(int index);
  void mnuViewModel(int model);
  void mnuViewToggleBox(int index);
  void mnuViewRainbow();
  // The scene's stereo mode name to status panel 1.
  void stereoModeName();
  void toolbarClick(int slot);
  // Right button on the toolbar at x (toolbar pixels).
  void toolbarRightPress(int x);
  void lbTIT_Click();
  void Image2_Click();
  // x in pixels from the status bar's left; button 1 left, 2 right,
  // 4 middle.
  void stb_MouseDown(std::int16_t button, int x);
  void stb_MouseMove(int x);

  std::string address(const std::string& key) const { return linkAddress(m_links, key); }
  const LinkTable& links() const { return m_links; }

  QAction* mnuMSG = nullptr;
  QLabel* Image2 = nullptr;
  // The toolbar's slots 1..15 (index 0 unused); separators included.
  std::array<QAction*, 16> toolbarSlots{};
  QAction* mnuToggleAtoms = nullptr;
  QAction* mnuToggleBonds = nullptr;
  QAction* mnuToggleFog = nullptr;
  QAction* mnuToggleRainbow = nullptr;
  QAction* mnuToggleProjection = nullptr;
  std::array<QAction*, 3> mnuModels{};

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void buildToolbar();
  void buildViewMenu();
  void connectDisplayControls();
  void buildTitleAndLogo();
  void watchStatusBar();
  void viewMousePress(QMouseEvent* event);
  void viewMouseMove(QMouseEvent* event);
  bool statusBarMouse(QObject* watched, QEvent* event);
  void openFile(const std::string& path);

  Form1& m_form;
  LinkTable m_links;
};

} // namespace tarvek
