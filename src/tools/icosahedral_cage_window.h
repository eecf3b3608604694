// The virus geometry window " Virus Geometries (Icosahedron Generator)".
#pragma once

#include "tools/icosahedral_cage.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QToolButton;
class QTreeWidget;

namespace tarvek {

class CXXX;
class MainWindowServices;
struct Model;
struct Platform;

// Picks a triangulation number T from the list, draws its face lattice and
// builds the icosahedral cage into the model and the scene. The main window
// switches into virus mode around each creation (setVirusMode 1 and 2). The
// view buttons turn the scene onto a two-, three- or five-fold axis, first
// creating the cage when none is shown.
class frmVirus : public QWidget {
public:
  // webAddress is what "Web Link" opens. The window is a tool window of
  // parent.
  frmVirus(Model& model, CXXX& scene, MainWindowServices& mainWindow, Platform& platform,
           std::string webAddress, QWidget* parent);
  ~frmVirus() override;

  static constexpr int kClientHeight = 374;
  static constexpr int kRolledHeight = 25;
  static constexpr int kPictureWidth = 383;
  static constexpr int kPictureHeight = 308;

  // Lattice, face triangle and face points for the selected entry and the
  // slider's value, drawn into the picture.
  void DrawGrid();
  // Builds the cage from the last drawing with the height settings; false
  // (and a message, nothing changed) when a typed height is refused.
  bool create3D();

  // Handlers, as the controls call them.
  void lst_Click();
  void btCreate_Click();
  void bt2_Click(int index);
  void btCOL_Click();
  void btROLL_Click();
  void cb2_Click();
  void cb1_Click();
  void lbURL_Click();

  const FaceData& faceData() const { return m_face; }
  const QImage& picture() const { return m_picture; }
  // The swatch's colour, red + 256 × green + 65536 × blue.
  std::uint32_t cageColour() const { return m_cageColour; }

  std::array<QLabel*, 2> lbTop{};
  std::array<QPushButton*, 3> bt2{};
  QToolButton* btROLL = nullptr;
  QTreeWidget* lst = nullptr;
  QLabel* pb = nullptr;
  QSlider* slA = nullptr;
  QCheckBox* cb1 = nullptr;
  QPushButton* btCreate = nullptr;
  QLabel* lbURL = nullptr;
  QCheckBox* cb3 = nullptr;
  QLabel* btCOL = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* tfICO = nullptr;
  QCheckBox* cb2 = nullptr;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void InitGUI();
  void Form_Load();
  void showSwatch();
  // The height settings, or nothing (after the message) for a refused
  // typed height.
  std::optional<CageOptions> cageOptions();
  std::string selectedText() const;

  Model& m_model;
  CXXX& m_scene;
  MainWindowServices& m_mainWindow;
  Platform& m_platform;
  std::string m_webAddress;
  IcosahedralRotations m_rotations;
  FaceData m_face;
  QImage m_picture;
  std::int16_t m_h = 0;
  std::int16_t m_k = 0;
  std::string m_pairLabel;
  std::uint32_t m_cageColour = 0x0000FF;
};

} // namespace tarvek
