// The atom image digitiser window "XY - Sheet Generator".
#pragma once

#include "imaging/digitiser.h"
#include "imaging/hough.h"

#include <QWidget>

#include <array>
#include <functional>
#include <string>

class QFrame;
class QLabel;
class QLineEdit;
class QPainter;
class QStatusBar;
class QTabBar;
class QToolButton;

namespace tarvek {

class DigitiserPicture;
struct Model;
struct Platform;
struct Preferences;

// Turns a picture of atoms, or an array of disc markers built by hand, into
// an XY point file. "Image Search" loads a picture, finds its atoms with the
// ring search and lets clicks add (left) and remove (right) them; "Manual
// Assembly" builds discs from the new-array dialog and lets clicks add,
// remove and drag them. Reads the model's bond length and sheet and the LF
// option of the preferences; writes only the file.
class frmXY : public QWidget {
public:
  // importFolder (ending in "/") is where the save dialog starts; random
  // places the discs before the generators set them.
  frmXY(Platform& platform, const Model& model, const Preferences& preferences,
        std::string importFolder, RandomSource& random);
  ~frmXY() override;

  // The search button: the ring search over the loaded image with the atom
  // size of Text1 as radius. A size the search cannot use is refused with a
  // message before anything changes.
  void doHoughTransform();

  // Handlers and commands, as the controls call them.
  void tabChanged(int index);
  void buttonCommand(int i);
  void openImageFile();
  void clearOrNewSet();
  void redrawFound();
  void redrawDiscs();
  void updateStatus();
  void addFoundAtom(float x, float y);
  void removeFoundAtom(float x, float y);

  DigitiserModel& digitiser() { return m_digitiser; }

  QTabBar* tab1 = nullptr;
  QFrame* frL = nullptr;
  std::array<DigitiserPicture*, 2> pic{};
  QLabel* mem = nullptr;
  QLineEdit* Text1 = nullptr;
  std::array<QToolButton*, 5> bt{};
  QStatusBar* stb = nullptr;
  std::array<QLabel*, 2> stbPanel{};
  // Told every text a status panel (0 or 1) gets, before the window shows it.
  std::function<void(int, const std::string&)> statusChanged;

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  void loadDigitiser();
  void resizeDigitiser();
  void newDiscSet();
  void saveCoordinates();
  DigitiserPicture* currentPicture() const;
  float atomSize() const;
  void setStatusPanel(int panel, const std::string& text);
  void searchPictureMouseDown(QMouseEvent* event);
  void searchPictureKeyDown(QKeyEvent* event);
  void assemblyMouseDown(QMouseEvent* event);
  void assemblyMouseMove(QMouseEvent* event);
  void paintCircles(QPainter& painter) const;
  void paintDiscs(QPainter& painter) const;

  Platform& m_platform;
  const Model& m_model;
  const Preferences& m_preferences;
  std::string m_importFolder;
  DigitiserModel m_digitiser;
  QFrame* m_tabClient = nullptr;
  // The radius the circles were last drawn with.
  float m_circleRadius = 0.0f;
  // The last circle search; its vote array serves the next one.
  HoughResult m_hough;
};

} // namespace tarvek
