// The bond range window: two limits and a new bond search of the shown structure.
#pragma once

#include <QWidget>

#include <array>

class QLineEdit;
class QPushButton;

namespace tarvek {

struct Model;
class CXXX;
class Prompts;
class AbortToken;
class EventPump;
class MainWindowServices;

// Recomputes the bonds of the shown structure with the user's range L1 .. L2
// (Å, both inclusive) and shows the new bond count in status panel 4.
// Modeless, one object per main window; the fields are filled from the bond
// length when it is made. OK or Enter in either field runs the search.
class dlgBondUser : public QWidget {
public:
  dlgBondUser(Model& model, CXXX& scene, Prompts& prompts, AbortToken& abort,
              const EventPump& pump, MainWindowServices& window, QWidget* owner);

  // The recalculation; a limit that is no length gives its message and
  // changes nothing.
  void bt_Click();

  std::array<QLineEdit*, 2> tf{};
  std::array<QPushButton*, 4> bt{};

private:
  Model& m_model;
  CXXX& m_scene;
  Prompts& m_prompts;
  AbortToken& m_abort;
  const EventPump& m_pump;
  MainWindowServices& m_window;
};

} // namespace tarvek
