// The bond range window: two limits and a new bond search of the shown structure.
#include "tools/bond_range_window.h"

#include "model/main_window_services.h"
#include "model/model.h"
#include "platform/prompts.h"
#include "platform/run_command.h"
#include "platform/window_fit.h"
#include "runtime/number_format.h"
#include "scene/scene_object.h"
#include "tools/bond_range.h"
#include "tools/select_on_focus.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace tarvek {

dlgBondUser::dlgBondUser(Model& model, CXXX& scene, Prompts& prompts, AbortToken& abort,
                         const EventPump& pump, MainWindowServices& window, QWidget* owner)
    : QWidget(owner, Qt::Window), m_model(model), m_scene(scene), m_prompts(prompts),
      m_abort(abort), m_pump(pump), m_window(window)
{
  setWindowTitle(QStringLiteral(" Recalculate Bonds"));
  const char* const tips[] = {"Minimum bond length", "Maximum bond length"};
  const double factors[] = {0.95, 1.05};
  auto* frame = new QGroupBox(QStringLiteral("Custom Bondlength Range"), this);
  auto* grid = new QGridLayout(frame);
  for (std::size_t i = 0; i < tf.size(); ++i) {
    const double limit = static_cast<double>(model.bondLength) * factors[i];
    tf[i] = new QLineEdit(
        std::isfinite(limit) ? QString::fromStdString(Format(limit, "0.0##")) : QString(), frame);
    tf[i]->setToolTip(QString::fromLatin1(tips[i]));
    tf[i]->setMaximumWidth(70);
    selectAllOnFocus(*tf[i]);
    connect(tf[i], &QLineEdit::returnPressed, this, [this] { bt_Click(); });
  }
  grid->addWidget(new QLabel(QStringLiteral("L1 [A]"), frame), 0, 0);
  grid->addWidget(tf[0], 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("L2 [A]"), frame), 1, 0);
  grid->addWidget(tf[1], 1, 1);
  bt[3] = new QPushButton(QStringLiteral("OK"), frame);
  bt[3]->setToolTip(QStringLiteral("Calculate Bonds"));
  grid->addWidget(bt[3], 0, 2, 2, 1);
  connect(bt[3], &QPushButton::clicked, this, [this] { bt_Click(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame);
  holdTitle(*this);
}

void dlgBondUser::bt_Click()
{
  runCommand(m_prompts, m_pump, [this] {
    const BondRange range = readBondRange(tf[0]->text().toStdString(), tf[1]->text().toStdString());
    tf[0]->setText(QString::fromStdString(range.text1));
    tf[1]->setText(QString::fromStdString(range.text2));
    WaitCursor wait(m_prompts);
    const long stopsBefore = m_abort.stops();
    if (m_scene.getNO() > 1) {
      recalculateBonds(m_model, range, m_window);
    } else {
      recalculateBonds(m_model, range, m_prompts, m_abort);
      m_window.RemoteSetData();
    }
    m_window.setStatusPanel(4, std::to_string(m_scene.drawnBondCount) + " Bonds");
    if (m_abort.stops() != stopsBefore)
      m_window.setStatusPanel(1, kStoppedByEscapeNote);
  });
}

} // namespace tarvek
