// The Special menu and its builders, the multi-layer graphene command and the part submenu.
#include "shell/special_commands.h"

#include "formats/crc32.h"
#include "formats/structure_readers.h"
#include "model/bond_search.h"
#include "model/mwnt_definition.h"
#include "model/tube_builder.h"
#include "platform/run_command.h"
#include "platform/save_dialog.h"
#include "platform/utilities.h"
#include "runtime/file_util.h"
#include "runtime/int_convert.h"
#include "runtime/number_parse.h"
#include "runtime/runtime_error.h"
#include "scene/scene_object.h"
#include "shell/atom_colour_dialog.h"
#include "shell/colour_ramp.h"
#include "shell/file_commands.h"
#include "shell/form1.h"
#include "shell/junction_command.h"
#include "shell/multilayer_graphene.h"
#include "shell/tools_menu.h"
#include "shell/tool_commands.h"
#include "tools/builder_dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScopedValueRollback>

#include <algorithm>
#include <cassert>
#include <cmath>

namespace tarvek {

namespace {

struct CapPreset {
  const char* caption;
  std::int16_t code;
};
const CapPreset kCapPresets[] = {
    {"Capped (9,0) Tube", 90},     {"Capped (5,5) Tube", 55},    {"Capped (6,6) Tube", 66},
    {"Capped (10,0) Tube", 100},   {"Capped (10,10) Tube", 1010}, {"Capped (11,11) Tube", 1111},
    {"Capped (16,16) Tube", 1616}, {"Capped (19,0) Tube", 190},  {"Capped (28,0) Tube", 280}};

const char* const kGrapheneTitle = "Multi-Layer Graphene";
const char* const kPleaseWait = "Please wait ...";

// Above this many estimated atoms a stack goes to a file, not to the view.
constexpr double kDisplayLimit = 20000.0;

// The element colours (index atomic number - 1, red, green, blue) that the
// first three parts of the library always show in.
struct PartColour {
  std::int16_t element;
  std::uint32_t red, green, blue;
};
const PartColour kOrganicColours[] = {{0, 255, 255, 255}, {5, 103, 103, 103}, {6, 135, 135, 240},
                                      {7, 255, 0, 0},     {15, 255, 229, 82}, {14, 255, 142, 17}};
const PartColour kSiliconColour = {13, 133, 158, 158};
const PartColour kFluorineColours[] = {{0, 255, 255, 255}, {5, 103, 103, 103}, {6, 0, 0, 255},
                                       {7, 255, 0, 0},     {8, 255, 255, 0},   {13, 255, 0, 0},
                                       {15, 255, 255, 0}};

// Puts the bond colour of the Preferences back however a builder ends.
class BondColourGuard {
public:
  explicit BondColourGuard(std::uint32_t& colour) : m_colour(colour), m_saved(colour) {}
  ~BondColourGuard() { m_colour = m_saved; }
  BondColourGuard(const BondColourGuard&) = delete;
  BondColourGuard& operator=(const BondColourGuard&) = delete;
  std::uint32_t saved() const { return m_saved; }

private:
  std::uint32_t& m_colour;
  std::uint32_t m_saved;
};

} // namespace

SpecialCommands::SpecialCommands(Form1& form, std::string programFolder)
    : QObject(&form), m_form(form), m_programFolder(std::move(programFolder))
{
  capChooser = [this] { return showCapsDialog(); };
  handOver = [this](bool noFill) { m_form.setData(noFill); };
  buildSpecialMenu();
  addGrapheneItem();
}

void SpecialCommands::buildSpecialMenu()
{
  QMenuBar* bar = m_form.menuBar();
  QAction* help = nullptr;
  for (QAction* action : bar->actions()) {
    if (action->text() == QStringLiteral("&Help"))
      help = action;
  }
  mnuSpecial = new QMenu(QStringLiteral("&Special"), bar);
  bar->insertMenu(help, mnuSpecial);
  const auto command = [this](int index) {
    return [this, index] {
      runCommand(m_form.m_platform, [this, index] { itmFX_Click(index); });
    };
  };
  itmFX[0] = mnuSpecial->addAction(QStringLiteral("Tube Bundle"), this, command(0));
  mnuCap = mnuSpecial->addMenu(QStringLiteral("Capped Tube"));
  itmFX[1] = mnuCap->menuAction();
  for (std::size_t i = 0; i < itmCap.size(); ++i) {
    const int index = static_cast<int>(i);
    itmCap[i] = mnuCap->addAction(QString::fromLatin1(kCapPresets[i].caption), this, [this, index] {
      runCommand(m_form.m_platform, [this, index] { itmCap_Click(index); });
    });
  }
  itmFX[2] = mnuSpecial->addSeparator();
  itmFX[3] = mnuSpecial->addAction(QStringLiteral("Bucky Ball"), this, command(3));
  itmFX[4] = mnuSpecial->addAction(QStringLiteral("Insert Cylinder/Ball"), this, command(4));
  m_junction = new JunctionCommand(m_form, m_programFolder);
  itmFX[5] = mnuSpecial->addAction(QStringLiteral("Hetero-Junction"), this, [this] {
    runCommand(m_form.m_platform, [this] { m_junction->buildHeteroJunction(); });
  });
  itmFX[5]->setVisible(m_junction->archiveInstalled());
  itmFX[6] = mnuSpecial->addAction(QStringLiteral("Custom MWNT"), this, command(6));
}

void SpecialCommands::addGrapheneItem()
{
  mnuTool_13 =
      addToolItem(*m_form.mnuTool, ToolItem::MultiLayerGraphene, QString::fromLatin1(kGrapheneTitle));
  connect(mnuTool_13, &QAction::triggered, this, [this] {
    runCommand(m_form.m_platform, [this] { mnuTool_13_Click(); });
  });
}

void SpecialCommands::selectNanoTube()
{
  m_form.m_state.coordinateImportFlag = false;
  m_form.m_model.structureKind = 0;
  m_form.cmbTYP->setCurrentIndex(0);
}

void SpecialCommands::selectTypeForBuild(int index)
{
  const QScopedValueRollback keepVariant(m_form.m_typeForSpecialBuild, true);
  m_form.cmbTYP->setCurrentIndex(index);
}

void SpecialCommands::itmFX_Click(int index)
{
  Model& model = m_form.m_model;
  if (index != 1 && index != 2 && m_form.m_state.coordinateImportFlag)
    selectNanoTube();
  if (index != 4)
    model.tubeVariant = static_cast<std::int16_t>(index + 2);
  switch (index) {
  case 0:
    if (m_form.cmbTYP->currentIndex() == 0)
      m_form.CALCULATE(false);
    else
      selectTypeForBuild(0);
    break;
  case 3:
    selectTypeForBuild(4);
    break;
  case 4:
    if (model.structureKind == 1 || model.structureKind == 5) {
      DisplaySettings& display = m_form.m_display;
      display.insertFlag = !display.insertFlag;
      m_form.Apply();
      itmFX[4]->setText(display.insertFlag ? QStringLiteral("Remove Cylinder/Ball")
                                           : QStringLiteral("Insert Cylinder/Ball"));
    }
    break;
  case 6: {
    std::string text;
    manualMWNT(model, text, m_form.m_display, m_form.m_platform.prompts, m_form);
    break;
  }
  default:
    break;
  }
}

void SpecialCommands::itmCap_Click(int index)
{
  if (m_form.m_state.coordinateImportFlag)
    selectNanoTube();
  Model& model = m_form.m_model;
  model.capEnds = capChooser();
  model.tubeVariant = kCapPresets[index].code;
  // The panel shows the tube that is built.
  const std::optional<TubeIndices> indices = capCodeIndices(model.tubeVariant);
  assert(indices);
  m_form.tf[0]->setText(QString::number(indices->n));
  m_form.tf[1]->setText(QString::number(indices->m));
  if (m_form.cmbTYP->currentIndex() == 0)
    m_form.CALCULATE(false);
  else
    selectTypeForBuild(0);
}

std::int16_t SpecialCommands::showCapsDialog()
{
  dlgCAPS dialog(&m_form);
  dialog.move(m_form.viewWidget()->mapToGlobal(QPoint(0, 0)));
  dialog.exec();
  return dialog.capChoice;
}

std::vector<std::uint32_t> SpecialCommands::passColours(std::int32_t count, bool ramp) const
{
  std::vector<std::uint32_t> colours(static_cast<std::size_t>(std::max(count, 0)) + 1,
                                     m_form.m_preferences.bondColor);
  if (ramp) {
    const std::vector<std::uint32_t> steps = makeColourRamp(count);
    std::copy(steps.begin() + 1, steps.end(), colours.begin() + 1);
  }
  return colours;
}

void SpecialCommands::buildWalls(std::int32_t count, bool fromList)
{
  Model& model = m_form.m_model;
  Preferences& preferences = m_form.m_preferences;
  MainWindowState& state = m_form.m_state;
  BondColourGuard guard(preferences.bondColor);
  const std::vector<std::uint32_t> colours = passColours(count, preferences.optionFlags[4]);
  if (preferences.protrudeDz == 0.0f)
    preferences.protrudeDz = 4.0f;
  std::int16_t n = 0;
  std::int16_t m = 0;
  if (!fromList) {
    n = CInt(m_form.field(0));
    m = CInt(m_form.field(1));
    if (state.wallIncrementN < 1.0f) {
      state.wallIncrementN = 2.0f;
      m_form.tf[5]->setText(QStringLiteral("2"));
    }
  }
  const auto length = static_cast<float>(m_form.field(2));
  const auto a = static_cast<float>(m_form.field(3));
  for (std::int32_t i = 2; i <= count; ++i) {
    if (fromList) {
      n = model.mwntIndices[static_cast<std::size_t>(i)][0];
      m = model.mwntIndices[static_cast<std::size_t>(i)][1];
    } else {
      n = CInt(n + static_cast<double>(state.wallIncrementN));
      m = CInt(m + static_cast<double>(state.wallIncrementM));
      m = std::min(m, n);
    }
    // buildTubes bonds each wall itself.
    buildTubes(model, n, m, length, a, m_form.m_platform.prompts, m_form.m_platform.abort);
    preferences.bondColor = colours[static_cast<std::size_t>(i)];
    const double back = -(i - 1) * static_cast<double>(preferences.protrudeDz);
    model.placementZ = preferences.optionFlags[5] ? static_cast<float>(back) : 0.0f;
    handOver(true);
  }
}

void SpecialCommands::buildMultiWallTube()
{
  buildWalls(m_form.m_state.wallCount, false);
}

void SpecialCommands::buildCustomMultiWall()
{
  const Model& model = m_form.m_model;
  const auto listed = static_cast<std::int32_t>(model.mwntIndices.size()) - 1;
  buildWalls(std::min<std::int32_t>(model.mwntCount, listed), true);
}

void SpecialCommands::buildStackedCones()
{
  Model& model = m_form.m_model;
  Preferences& preferences = m_form.m_preferences;
  const std::int32_t count = m_form.m_state.wallCount;
  BondColourGuard guard(preferences.bondColor);
  const std::vector<std::uint32_t> colours = passColours(count, preferences.optionFlags[4]);
  for (std::int32_t i = 2; i <= count; ++i) {
    preferences.bondColor = colours[static_cast<std::size_t>(i)];
    model.placementX = model.placementY = 0.0f;
    const double step = m_form.m_state.wallIncrementN;
    model.placementZ = static_cast<float>((i - 1) * step);
    handOver(i < count);
  }
}

void SpecialCommands::makeTubeBundle()
{
  Model& model = m_form.m_model;
  Preferences& preferences = m_form.m_preferences;
  const std::optional<std::string> answer =
      m_form.m_platform.prompts.input("Enter tube separation in [A]  (0-10)", "Tube Bundle", "1");
  std::string text = answer.value_or("");
  std::replace(text.begin(), text.end(), ',', '.');
  auto s = static_cast<float>(Val(text));
  if (s == 0.0f) {
    model.tubeVariant = 1;
    return;
  }
  BondColourGuard guard(preferences.bondColor);
  std::vector<std::uint32_t> colours = passColours(6, preferences.optionFlags[3]);
  if (s > 10.0f || s < 0.0f || !std::isfinite(s))
    s = 1.0f;
  const float d = model.lastTubeDiameter + s;
  const float h = d / 2.0f;
  const auto hk = static_cast<float>(h * std::sqrt(3.0));
  const std::array<std::array<float, 2>, 6> offsets{{{d, 0.0f}, {-d, 0.0f}, {-h, -hk}, {h, -hk},
                                                     {h, hk}, {-h, hk}}};
  for (std::size_t t = 0; t < offsets.size(); ++t) {
    model.placementX = offsets[t][0];
    model.placementY = offsets[t][1];
    model.placementZ = 0.0f;
    preferences.bondColor = colours[t + 1];
    handOver(t + 1 < offsets.size());
  }
}

void SpecialCommands::mnuTool_13_Click()
{
  Form1& form = m_form;
  Model& model = form.m_model;
  Prompts& prompts = form.m_platform.prompts;
  EventPump& pump = form.m_platform.pump;
  GrapheneLayers layers;
  {
    dlgGRAPHENE dialog(&form);
    dialog.exec();
    if (dialog.okPressed == 0)
      return;
    if (!dialog.readError.empty())
      throw RuntimeError(dialog.readError);
    layers = {dialog.layerWidth,    dialog.layerHeight,   dialog.layerCount,
              dialog.layerDistance, float(dialog.graphiteShift), dialog.layerRotation};
  }
  checkGrapheneLayers(layers);
  form.checkParameterFields();
  if (form.cmbTYP->currentIndex() != 1)
    form.cmbTYP->setCurrentIndex(1);
  // A part or import shown over the selected sheet would otherwise keep the
  // view and take the bonds.
  form.resetImportMode();
  model.structureKind = 2;
  const float a = model.bondLength;

  if (static_cast<double>(layers.layers) * estimatedLayerAtoms(layers) > kDisplayLimit) {
    const std::string path = form.m_startup.exportFolder + "MultiLayer_" +
                             std::to_string(CInt(layers.width)) + "x" +
                             std::to_string(CInt(layers.height)) + "x" +
                             std::to_string(CInt(layers.layers)) + " layers.txt";
    if (prompts.yesNo("Too many atoms for display.\r\nData will be written directly to a "
                      "file.\r\n\r\nDo you wish to proceed?",
                      kGrapheneTitle, MessageIcon::Question) &&
        confirmOverwrite(path, prompts)) {
      form.showTitle(QString::fromLatin1(kPleaseWait));
      pump.pumpEvents();
      std::optional<std::int64_t> written;
      std::string failure;
      {
        WaitCursor wait(prompts);
        try {
          written = writeMultiLayerGraphene(layers, a, path, form.m_platform.abort,
                                            form.m_preferences.optionFlags[7]);
        } catch (const RuntimeError& error) {
          failure = error.what();
        }
      }
      form.showTitle(QString::fromLatin1(kGrapheneTitle));
      pump.pumpEvents();
      if (!failure.empty())
        prompts.message(failure, kGrapheneTitle, MessageIcon::Exclamation);
      else if (written) {
        form.setStatusPanel(1, savedText(path));
        prompts.message(std::to_string(*written) + " atom positions were saved to file:\r\n\r\n" +
                            path,
                        kGrapheneTitle, MessageIcon::Information);
      }
    }
    layers.width = 40.0f;
    layers.height = 40.0f;
    layers.layers = 2.0f;
  }

  WaitCursor wait(prompts);
  form.showTitle(QString::fromLatin1(kPleaseWait));
  pump.pumpEvents();
  buildGrapheneLayer(model.atomSet(AtomSetId::Work), layers, a);
  stackGrapheneLayers(model.atomSet(AtomSetId::Work), model.atomSet(AtomSetId::Sheet), layers, a);
  if (model.sheetCount >= 3000)
    model.bondCount = 0;
  else
    createBonds(model, 0.0f, 0.0f, prompts, form.m_platform.abort);

  CXXX& scene = form.scene();
  scene.clearScene();
  scene.setBackground();
  form.setData(false);
  scene.frameStructure();
  form.showTitle(QString::fromLatin1(kPleaseWait));
  pump.pumpEvents();
  form.stbPanel[0]->clear();
  form.stbPanel[2]->setText(QString::number(scene.drawnAtomCount) + QStringLiteral(" Atoms"));
  form.stbPanel[3]->setText(QString::number(scene.drawnBondCount) + QStringLiteral(" Bonds"));
  if (!form.m_display.orthoProjection) {
    form.toggleProjection();
    pump.pumpEvents();
  }
  form.m_seams.fillXyzList(0);
  pump.pumpEvents();
  form.showTitle(QString::fromLatin1(kGrapheneTitle));
  pump.pumpEvents();
}

void SpecialCommands::buildImmMenu()
{
  mnuIMMHeader = m_form.fileCommands().mnuImportStructure->addMenu(QStringLiteral("Import IMM PDB"));
  m_parts = vetPartLibrary(m_programFolder, clCRC32{});
  mnuIMMHeader->menuAction()->setVisible(m_parts.shown);
  if (!m_parts.shown)
    return;
  mnuIMM.assign(static_cast<std::size_t>(m_parts.recordCount) + 2, nullptr);
  const auto add = [this](int index, const QString& caption) {
    QAction* item = mnuIMMHeader->addAction(caption, this, [this, index] {
      runCommand(m_form.m_platform, [this, index] { mnuIMM_Click(index); });
    });
    item->setData(index);
    mnuIMM[static_cast<std::size_t>(index)] = item;
  };
  for (const PartItem& part : m_parts.items)
    add(part.index, QString::fromStdString(part.caption));
  QAction* separator = mnuIMMHeader->addSeparator();
  separator->setData(m_parts.recordCount);
  mnuIMM[static_cast<std::size_t>(m_parts.recordCount)] = separator;
  add(m_parts.recordCount + 1, QStringLiteral("Edit Colors"));
}

void SpecialCommands::mnuIMM_Click(int index)
{
  if (index == m_parts.recordCount + 1) {
    if (m_colourDialog == nullptr)
      m_colourDialog = new dlgATCOL(m_form, m_form.m_model, m_form.m_platform.colourChooser, &m_form);
    m_colourDialog->exec();
    return;
  }
  const auto part = std::find_if(m_parts.items.begin(), m_parts.items.end(),
                                 [index](const PartItem& item) { return item.index == index; });
  if (part == m_parts.items.end() || !FileExists(part->path))
    return;
  showPart(*part);
}

void SpecialCommands::showPart(const PartItem& part)
{
  Form1& form = m_form;
  Model& model = form.m_model;
  MainWindowState& state = form.m_state;
  CXXX& scene = form.scene();
  const ImportedStructure read = importPDB(model, part.path, scene, form.m_random);
  state.importedElements = read.elements;
  state.importedTitle = read.title;
  model.partsFlag = true;
  state.xyImportFlag = false;
  state.fullereneLibraryMode = false;
  state.coordinateImportFlag = false;
  state.junctionShown = false;
  form.toolCommands().leaveVirusMode();
  state.partFile = part.path;
  state.captionOverride = part.caption + " (IMM)";
  form.setTitleAndStatus();
  form.updateDisplayControls();

  const auto paint = [&scene](const PartColour& c) {
    scene.setAtomColor(c.element, packColor(c.red, c.green, c.blue));
  };
  if (part.index == 0 || part.index == 1) {
    for (const PartColour& c : kOrganicColours)
      paint(c);
    if (part.index == 1)
      paint(kSiliconColour);
  } else if (part.index == 2) {
    for (const PartColour& c : kFluorineColours)
      paint(c);
  }

  scene.clearScene();
  form.applyBackgroundColor();
  form.setData(false);
  model.placementX = model.placementY = model.placementZ = 0.0f;
  scene.frameStructure();

  form.stbPanel[2]->setText(QString::number(model.atomCount) + QStringLiteral(" Atoms"));
  form.stbPanel[3]->setText(QString::fromStdString(state.importedElements));
  form.showAtomRadius();
  form.stbPanel[0]->setText(QString());
  form.m_platform.pump.pumpEvents();
  form.m_seams.fillXyzList(0);
  form.stbPanel[0]->setText(QString::fromStdString(part.path));
}

} // namespace tarvek
