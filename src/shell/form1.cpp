#include "shell/form1.h"

#include "model/bond_search.h"
#include "model/c60_builder.h"
#include "model/cone_builder.h"
#include "model/element_tables.h"
#include "model/tube_builder.h"
#include "model/tube_unit_cell.h"
#include "platform/busy_input_guard.h"
#include "platform/plain_tool_tip.h"
#include "platform/run_command.h"
#include "platform/utilities.h"
#include "platform/window_fit.h"
#include "runtime/file_util.h"
#include "runtime/int_convert.h"
#include "runtime/number_format.h"
#include "runtime/path_util.h"
#include "scene/gl_host.h"
#include "scene/scene_object.h"
#include "shell/collapsible_frame.h"
#include "shell/coordinate_list.h"
#include "shell/file_commands.h"
#include "shell/help_commands.h"
#include "shell/image_commands.h"
#include "shell/options_window.h"
#include "shell/outside_programs.h"
#include "shell/parameter_check.h"
#include "shell/pdf_page.h"
#include "shell/special_commands.h"
#include "shell/themed_buttons.h"
#include "shell/tool_commands.h"
#include "shell/tools_menu.h"
#include "shell/view_commands.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QTableView>
#include <QToolBar>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace tarvek {

namespace {

// Design sizes are twips, 15 to a pixel.
int px(int twips)
{
  return static_cast<int>(std::lround(twips / 15.0));
}

void place(QWidget* w, int left, int top, int width, int height)
{
  w->setGeometry(px(left), px(top), px(width), px(height));
}

QString qs(const std::string& text)
{
  return QString::fromStdString(text);
}

// The gap between stacked panels and the margins of the layout, pixels.
constexpr int kPanelGap = 5;

const char* const kTypeItems[] = {"Nano - Tube",  "Graphene Sheet", "Nano - Cone",
                                  "Cone - Sheet", "Bucky - Ball",   "Fullerene Library",
                                  "XYZ - Import", "Virus Geometry"};

const char* const kOverlongQuestion =
    "Tube longer than 500 A (too large for display).\r\nDo you wish to save coordinates?";

// More than 500 Å for certain: even the shortest z extent of the cells,
// (cells - 1) translational periods, lies beyond.
bool unitCellTubeOverlong(std::int32_t n, std::int32_t m, std::int32_t cells, float a)
{
  const TubeSymmetry symmetry = tubeSymmetry(n, m, a);
  const double period =
      3.0 * a * std::sqrt(double(n) * n + double(n) * m + double(m) * m) / double(symmetry.dR);
  return (cells - 1) * period > 500.0;
}

} // namespace

Form1::Form1(Platform& platform, Model& model, DisplaySettings& display, Preferences& preferences,
             ViewHost& view, GlApi& gl, StartupState startup, std::string programFolder,
             Form1Seams seams)
    : m_platform(platform), m_model(model), m_display(display), m_preferences(preferences),
      m_view(view), m_startup(std::move(startup)), m_programFolder(std::move(programFolder)),
      m_seams(std::move(seams))
{
  setWindowTitle(QStringLiteral("tarvek"));
  m_display.decimalComma = m_startup.decimalComma;
  m_display.orthoProjection = false;
  m_display.sceneAtomFilePath = m_platform.tempFolder.path("tmp.xyz");
  m_display.sceneBondFilePath = m_platform.tempFolder.path("tmp.zyx");
  m_scene =
      std::make_unique<CXXX>(m_model, m_display, m_preferences, m_platform.abort, m_platform.pump,
                             gl, m_view, m_display.sceneAtomFilePath, m_display.sceneBondFilePath);
  m_scene->attachHost(m_view);
  m_view.setScene(m_scene.get());
  // Before the File menu is built: it enables the items whose seam is set.
  if (!m_seams.savePicture)
    m_seams.savePicture = [this] { m_imageCommands->savePicture(); };
  if (!m_seams.copyImage)
    m_seams.copyImage = [this] { m_imageCommands->copyImageToClipboard(); };
  if (!m_seams.browseImageFolder)
    m_seams.browseImageFolder = [this] { m_imageCommands->browseImageFolder(); };
  m_pdfPage = new PdfPage(*this);
  if (!m_seams.exportPdfPage)
    m_seams.exportPdfPage = [this](const std::string& path) { return m_pdfPage->exportPdfPage(path); };
  buildControls();
  if (!m_seams.fillXyzList)
    m_seams.fillXyzList = [this](int emptyOnly) { m_coordinateList->fillXyzList(emptyOnly); };
  if (!m_seams.openXMOL)
    m_seams.openXMOL = [this](const std::string& file, bool quiet) {
      m_fileCommands->openXMOL(file, quiet);
    };
  if (!m_seams.saveCoordinatesAs)
    m_seams.saveCoordinatesAs = [this] { return m_coordinateList->saveCoordinatesAs(); };
  const auto builder = [this](std::function<void()>& seam, void (SpecialCommands::*command)()) {
    if (!seam)
      seam = [this, command] { (m_specialCommands->*command)(); };
  };
  builder(m_seams.buildMultiWallTube, &SpecialCommands::buildMultiWallTube);
  builder(m_seams.buildStackedCones, &SpecialCommands::buildStackedCones);
  builder(m_seams.makeTubeBundle, &SpecialCommands::makeTubeBundle);
  builder(m_seams.buildCustomMultiWall, &SpecialCommands::buildCustomMultiWall);
  for (QWidget* panel : {fr1, fr2, fr3, fr4, fr5})
    widenToText(*panel);
  resize(848, 637 + menuBar()->sizeHint().height());
  holdTitle(*this);
  formLoad();
  qApp->installEventFilter(this);
}

Form1::~Form1()
{
  qApp->removeEventFilter(this);
  m_view.setScene(nullptr);
}

QWidget* Form1::viewWidget() const
{
  return m_view.widget();
}

void Form1::buildControls()
{
  mnuView = menuBar()->addMenu(QStringLiteral("&View"));
  mnuView->addAction(QStringLiteral("Toggle &Controls"), this, [this] { mnuView_3_Click(); });
  buildSettingsMenus();

  m_client = new QWidget(this);
  setCentralWidget(m_client);
  // The design's sizes fit an 8-point sans face.
  QFont small = m_client->font();
  small.setPointSize(8);
  m_client->setFont(small);
  m_client->installEventFilter(this);

  Toolbar1 = new QToolBar(m_client);
  Toolbar1->setMovable(false);
  runCalculationButton = Toolbar1->addAction(QStringLiteral("Run"));
  runCalculationButton->setToolTip(QStringLiteral("Run Calculation"));
  const char* const boxes[] = {"Atoms", "Bonds"};
  for (int i = 0; i < 2; ++i) {
    auto* frame = new QWidget(Toolbar1);
    frame->setMinimumSize(px(105 * 15), px(20 * 15) + 4);
    // The title beside them takes the toolbar's spare width.
    frame->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(0, 0, 6, 0);
    row->setSpacing(2);
    cbOP[i] = new QCheckBox(QString::fromLatin1(boxes[i]), frame);
    cbOP[i]->setChecked(true);
    cmbRAD[i] = new QComboBox(frame);
    // The list is as wide as its widest item, so no percentage is cut short.
    cmbRAD[i]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cmbRAD[i]->setStyleSheet(QStringLiteral("QComboBox { padding-left: 2px; }"));
    row->addWidget(cbOP[i]);
    row->addWidget(cmbRAD[i]);
    row->addStretch();
    // A widget inside a toolbar is shown and hidden through its action.
    QAction* const controls = Toolbar1->addWidget(frame);
    if (i == 1)
      bondControls = controls;
  }
  auto* frame3 = new QWidget(Toolbar1);
  frame3->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  auto* titleRow = new QHBoxLayout(frame3);
  titleRow->setContentsMargins(6, 0, 0, 0);
  lbTIT = new QLabel(frame3);
  titleRow->addWidget(lbTIT);
  // The title and the status panels show comments and paths from files.
  lbTIT->setTextFormat(Qt::PlainText);
  QFont bold = lbTIT->font();
  bold.setBold(true);
  lbTIT->setFont(bold);
  QPalette teal = lbTIT->palette();
  teal.setColor(QPalette::WindowText, QColor(0, 128, 128));
  lbTIT->setPalette(teal);
  showTitle(QStringLiteral("tarvek"));
  Toolbar1->addWidget(frame3);

  fr1 = new CollapsibleFrame(QStringLiteral("<<  Select Type"), m_client);
  fr2 = new CollapsibleFrame(QStringLiteral("<<  Nano - Tube"), m_client);
  fr3 = new CollapsibleFrame(QStringLiteral("<<  Nano - Cone"), m_client);
  fr5 = new CollapsibleFrame(QStringLiteral("<<  Tube Distortions"), m_client);
  fr4 = new CollapsibleFrame(QStringLiteral("<<  Atom Coordinates"), m_client);
  place(fr1, 120, 480, 3000, 705);
  place(fr2, 120, 1260, 3000, 1635);
  place(fr3, 120, 3000, 3000, 1365);
  place(fr5, 120, 6060, 3000, 1665);
  place(fr4, 120, 4410, 3000, 3000);
  for (auto* frame : {fr1, fr2, fr3, fr4, fr5})
    frame->onCaptionClick = [this, frame] { panelClick(frame); };

  cmbTYP = new QComboBox(fr1);
  place(cmbTYP, 120, 270, 1800, 330);
  cmbTYP->setToolTip(QStringLiteral("Choose Nano-Geometry"));
  cmb1 = new QComboBox(fr1);
  place(cmb1, 1965, 270, 930, 330);
  cmb1->setToolTip(QStringLiteral("Choose Carbon or Boron-Nitride "));

  struct LabelSpec {
    int index;
    CollapsibleFrame* frame;
    int top;
    const char* caption;
  };
  const LabelSpec labels[] = {{0, fr2, 330, "Chirality  (n, m)"},
                              {1, fr2, 630, "Tube length [A]"},
                              {2, fr2, 945, "Bond length [A]"},
                              {3, fr2, 1260, "MWNT"},
                              {5, fr3, 360, "Disclination Angle"},
                              {6, fr3, 660, "Cone height [A]"},
                              {7, fr3, 990, "MWNC"},
                              {4, fr5, 270, "Z-distortion"},
                              {10, fr5, 630, "XY-distortion"},
                              {8, fr5, 960, "Twist [deg/A]"},
                              {9, fr5, 1275, "Bend"}};
  for (const auto& l : labels) {
    Label1[l.index] = new QLabel(QString::fromLatin1(l.caption), l.frame);
    place(Label1[l.index], 120, l.top, 1350, 255);
  }

  struct FieldSpec {
    int index;
    CollapsibleFrame* frame;
    int left, top, width;
    const char* hint;
    const char* text;
  };
  const FieldSpec fields[] = {{0, fr2, 1695, 270, 570, "Nanotube Index (n,..)", "10"},
                              {1, fr2, 2295, 270, 570, "Nanotube Index (..,m)", "0"},
                              {2, fr2, 1695, 585, 570, "Nano-Tube Length", "25"},
                              {3, fr2, 1695, 900, 570, "Graphene-Sheet Bond Length", "1.41"},
                              {4, fr2, 1695, 1215, 570, "Number of walls", "1"},
                              {5, fr2, 2295, 1215, 270, "(n,..) Increment per Wall", "2"},
                              {13, fr2, 2610, 1215, 270, "(..,m) Increment per Wall", "0"},
                              {7, fr3, 1695, 615, 570, "Nano-Cone Height", "20"},
                              {8, fr3, 1695, 930, 570, "Number of Stacked Nano-Cones", "1"},
                              {9, fr3, 2295, 930, 570, "z-Translation per Cone", "5"},
                              {6, fr5, 1695, 270, 570, "Stretch Factor (0.5 to 10)", "1"},
                              {10, fr5, 1695, 585, 570, "Ellipse Ratio (0.5 to 20)", "1"},
                              {11, fr5, 1695, 900, 570, "Screw Distortion (0 to 50)", "0"},
                              {12, fr5, 1695, 1215, 570, "Bending Angle (0 to 90)", "0"}};
  for (const auto& f : fields) {
    tf[f.index] = new QLineEdit(QString::fromLatin1(f.text), f.frame);
    place(tf[f.index], f.left, f.top, f.width, 315);
    tf[f.index]->setToolTip(QString::fromLatin1(f.hint));
  }

  cbCAP = new QCheckBox(QStringLiteral("auto-cap"), fr2);
  place(cbCAP, 1710, 30, 1020, 210);
  cmb2 = new QComboBox(fr3);
  place(cmb2, 1695, 285, 1170, 330);
  Label2 = new QLabel(QStringLiteral("Off"), fr5);
  place(Label2, 2550, 15, 345, 225);
  Label2->setToolTip(QStringLiteral("Reset Values to 1,1,0,0"));
  Label2->setCursor(Qt::PointingHandCursor);
  Label2->installEventFilter(this);

  lstXYZ = new QTableView(fr4);
  lstXYZ->setGeometry(8, 20, 184, 160);
  lstXYZ->verticalHeader()->hide();
  m_coordinateList = new CoordinateList(*this);

  for (auto*& line : Line1) {
    line = new QFrame(m_client);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
  }

  stb = new QFrame(m_client);
  stb->setFrameShape(QFrame::StyledPanel);
  // The design's panel widths are least widths: a panel grows with its text,
  // and the first takes what the others leave.
  const int widths[] = {537, 96, 96, 96};
  auto* panels = new QHBoxLayout(stb);
  panels->setContentsMargins(0, 1, 0, 1);
  panels->setSpacing(2);
  const char* const hints[] = {"<L> Preferences, <R> XYZ Summary",
                               "<L> Increase Atom Size, <R> Decrease Atom Size",
                               "<L> Increase Atom Size, <R> Decrease Atom Size",
                               "<L> Increase Bond Width, <R> Decrease Bond Width"};
  for (int i = 0; i < 4; ++i) {
    stbPanel[i] = new QLabel(stb);
    stbPanel[i]->setTextFormat(Qt::PlainText);
    stbPanel[i]->setFrameShape(QFrame::Panel);
    stbPanel[i]->setFrameShadow(QFrame::Sunken);
    stbPanel[i]->setMinimumWidth(widths[i]);
    stbPanel[i]->setToolTip(QString::fromLatin1(hints[i]));
    stbPanel[i]->setMargin(0);
    stbPanel[i]->setIndent(2);
    if (i == 0)
      stbPanel[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    else
      stbPanel[i]->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    panels->addWidget(stbPanel[i], i == 0 ? 1 : 0);
  }
  stb->resize(848, 22);

  QWidget* viewWidget = m_view.widget();
  viewWidget->setParent(m_client);
  viewWidget->setFocusPolicy(Qt::StrongFocus);
  viewWidget->move(0, Toolbar1->sizeHint().height());
  viewWidget->show();

  connect(cmb1, &QComboBox::currentIndexChanged, this, [this] {
    if (cmb1->isEnabled())
      runCommand(m_platform, [this] { cmb1_Click(); });
  });
  connect(cmbTYP, &QComboBox::currentIndexChanged, this, [this] {
    if (cmbTYP->isEnabled())
      runCommand(m_platform, [this] { cmbTYP_Click(); });
  });
  new BusyInputGuard(m_platform.pump, m_platform.prompts,
                     {cmbTYP, cmb1, cmb2, cbCAP, cbOP[0], cbOP[1], cmbRAD[0], cmbRAD[1]}, this);
  m_viewCommands = new ViewCommands(*this, m_programFolder);
  m_fileCommands = new FileCommands(*this, m_programFolder);
  m_specialCommands = new SpecialCommands(*this, m_programFolder);
  m_outsidePrograms = new OutsidePrograms(*this);
  m_imageCommands = new ImageCommands(*this);
  m_helpCommands = new HelpCommands(*this, m_programFolder);
  m_toolCommands = new ToolCommands(*this);
}

void Form1::buildSettingsMenus()
{
  mnuTool = menuBar()->addMenu(QStringLiteral("&Tools"));
  connect(addToolItem(*mnuTool, ToolItem::Preferences, QStringLiteral("&Preferences ...")),
          &QAction::triggered, this, [this] { showPreferences(); });
  mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
  mnuHelp->addAction(QStringLiteral("Clear Settings"), this,
                     [this] { runCommand(m_platform, [this] { clearRegistry(); }); });
}

// The options window first, so the load can fill its controls.
void Form1::loadPreferences()
{
  m_preferences = blankPreferences();
  m_options = new frmOptions(*this, m_platform, m_preferences, m_model);
  m_preferences.protrudeDz = optionNumber(m_options->tfINP[2]->text().toStdString());
  m_settings = std::make_unique<SettingsContext>(
      SettingsContext{m_preferences, m_platform.settings, *m_options, m_startup.manifestPath,
                      QCoreApplication::applicationFilePath().toStdString(), [this] {
                        const int state = isMinimized() ? 1 : isMaximized() ? 2 : 0;
                        return WindowPlacement{x(), y(), width(), height(), state};
                      }});
  loadSettings(*m_settings);
  std::vector<ScreenArea> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect r = screen->availableGeometry();
    screens.push_back({r.x(), r.y(), r.width(), r.height()});
  }
  // Stored as the frame's place and the inner size, as x() and width() give them.
  if (const auto placement = restorablePlacement(m_platform.settings.read("WNDO"), screens)) {
    move(placement->left, placement->top);
    resize(placement->width, placement->height);
  }
}

void Form1::showPreferences()
{
  m_options->show();
  m_options->raise();
  m_options->activateWindow();
  m_state.optionsWindowOpen = true;
}

void Form1::clearRegistry()
{
  Prompts& prompts = m_platform.prompts;
  if (!prompts.yesNo("Reset every setting to its default?", {}, MessageIcon::Question))
    return;
  tarvek::clearRegistry(*m_settings);
  const bool kept = m_platform.settings.sync();
  // The view shows the default colours before the user reads what changed.
  Apply();
  if (kept)
    prompts.message(kSettingsClearedText, {}, MessageIcon::Information);
  else
    prompts.message(settingsNotSavedMessage(m_platform.settings.location()), {},
                    MessageIcon::Exclamation);
}

void Form1::ShowHelp(std::int32_t)
{
  m_helpCommands->ShowHelp();
}

PictureSave Form1::SavePIC(const std::string& mode, const std::string& fileName, float quality)
{
  return m_imageCommands->SavePIC(mode, fileName, quality);
}

bool Form1::SaveOpenGLimage(const std::string& target)
{
  return m_imageCommands->SaveOpenGLimage(target);
}

void Form1::SaveRegistry()
{
  tarvek::SaveRegistry(*m_settings);
}

void Form1::formLoad()
{
  loadPreferences();
  if (m_startup.manifestPresent)
    installXPButtons(this);
  setLengthCaptions();
  m_scene->init();
  loadMaterialList();
  m_seams.fillXyzList(1);

  {
    const QSignalBlocker block(cmb2);
    for (const char* item : {"60", "120", "180", "240", "300"})
      cmb2->addItem(QString::fromLatin1(item));
    cmb2->setCurrentIndex(3);
  }
  fr1->expandedHeight = fr1->height();
  fr2->expandedHeight = fr2->height();
  fr3->expandedHeight = fr3->height();
  fr5->expandedHeight = fr5->height();
  for (auto* frame : {fr3, fr5}) {
    frame->resize(frame->width(), CollapsibleFrame::kCollapsedHeight);
    frame->setCaption(frame->caption().replace(QStringLiteral("<<"), QStringLiteral(">>")));
  }
  initElements(m_model);
  for (auto* list : cmbRAD) {
    const QSignalBlocker block(list);
    for (int p = 10; p <= 200; p += 10)
      list->addItem(QString::number(p) + QLatin1Char('%'));
    list->setCurrentIndex(4);
  }
  m_display.bondWidthScale = 0.5f;
  m_display.atomRadiusScale = 0.5f;
  fr3->resize(fr3->width(), 0);
  fr3->hide();
  {
    const QSignalBlocker block(cmbTYP);
    for (const char* item : kTypeItems)
      cmbTYP->addItem(QString::fromLatin1(item));
    cmbTYP->setCurrentIndex(0);
  }
  cmbTYP->setEnabled(true);
  m_fr1Top = Toolbar1->sizeHint().height() + 4;
  formResize();
  m_specialCommands->buildImmMenu();
  runCalculation();
}

void Form1::loadMaterialList()
{
  MaterialList list = loadMaterialFile(m_programFolder + "tarvek.dat");
  if (!list.message.empty())
    m_platform.prompts.message(list.message, {}, MessageIcon::Exclamation);
  m_materials = std::move(list.materials);
  {
    const QSignalBlocker block(cmb1);
    cmb1->clear();
    for (const auto& m : m_materials)
      cmb1->addItem(qs(m.item()));
    cmb1->setCurrentIndex(0);
  }
  cmb1_Click();
}

void Form1::cmb1_Click()
{
  const int i = cmb1->currentIndex();
  if (i < 0 || i >= static_cast<int>(m_materials.size()))
    return;
  const Material& material = m_materials[i];
  tf[3]->setText(qs(plainNumber(material.bondLength)));
  m_state.atomTypeLabel1 = material.symbol1;
  m_state.atomTypeLabel2 = material.symbol2;
  m_model.siteElement1 = elementIndex(m_model, material.symbol1, *m_scene, m_random);
  m_model.siteElement2 = elementIndex(m_model, material.symbol2, *m_scene, m_random);
  if (!m_state.xyImportFlag && !m_state.fullereneLibraryMode && !m_state.junctionShown &&
      !m_state.coordinateImportFlag && isVisible())
    CALCULATE(false);
}

void Form1::cmbTYP_Click()
{
  // The chosen type is built on its own: a bundle, a wall list, stacked
  // cones or a capped preset of the type before ends here.
  if (!m_typeForSpecialBuild)
    m_model.tubeVariant = 0;
  showPanelsForType();
  const int index = cmbTYP->currentIndex();
  m_state.fullereneLibraryMode = index == 5;
  if (m_model.structureKind == 8 && index != 7)
    m_model.structureKind = static_cast<std::int16_t>(index + 1);
  if (index != 7)
    m_toolCommands->leaveVirusMode();
  if (m_model.structureKind == 6 && index != 5)
    m_model.structureKind = static_cast<std::int16_t>(index + 1);
  if (index == 7)
    m_toolCommands->showVirusWindow();
  if (index >= 5)
    return;
  cmb1->setEnabled(index < 4);
  CALCULATE(false);
}

double Form1::field(int index) const
{
  return fieldNumber(tf[index]->text().toStdString());
}

QString Form1::typeText() const
{
  return cmbTYP->currentText();
}

void Form1::checkParameterFields()
{
  ParameterFields texts;
  for (int i = 0; i < 14; ++i)
    texts[i] = tf[i]->text().toStdString();
  ParameterContext context;
  context.structureKind = m_model.structureKind;
  context.tubeVariant = m_model.tubeVariant;
  context.unitCellMode = m_model.unitCellMode;
  context.autoCapTicked = cbCAP->isChecked();
  context.mwntIndices = m_model.mwntIndices;
  const ParameterCheck check = tarvek::checkParameterFields(texts, context);
  for (int i = 0; i < 14; ++i) {
    if (texts[i] != check.fields[i])
      tf[i]->setText(qs(check.fields[i]));
  }
  m_model.distortionActive = false;
  if (check.distortions) {
    const DistortionSettings& d = *check.distortions;
    m_model.stretchFactor = d.stretchFactor;
    m_model.ellipseRatio = d.ellipseRatio;
    m_model.twistRate = d.twistRate;
    m_model.bendAngle = d.bendAngle;
    m_model.distortionActive = d.distortionActive;
    m_model.wideBondWindow = d.wideBondWindow;
  }
  if (check.longTubeMessageDue)
    m_platform.prompts.message(kLongTubeMessage, {}, MessageIcon::None);
}

void Form1::runCalculation()
{
  runCommand(m_platform, [this] { CALCULATE(true); });
}

void Form1::CALCULATE(bool resetView)
{
  WaitCursor wait(m_platform.prompts);
  const OneBondQuestion once(m_model);
  Prompts& prompts = m_platform.prompts;
  // A list of walls is always a tube, whatever is shown.
  if (m_model.tubeVariant == 8 && !m_state.coordinateImportFlag && cmbTYP->currentIndex() != 0) {
    const QSignalBlocker quiet(cmbTYP);
    cmbTYP->setCurrentIndex(0);
    showPanelsForType();
    m_toolCommands->leaveVirusMode();
  }
  if (m_state.coordinateImportFlag) {
    if (!prompts.yesNo("Leave Xmol Import Mode?", {}, MessageIcon::Question)) {
      m_seams.openXMOL(m_state.lastXmolFile, true);
      return;
    }
    m_state.coordinateImportFlag = false;
    m_model.structureKind = 1;
    if (cmbTYP->currentIndex() == 0)
      cmbTYP_Click();
    else
      cmbTYP->setCurrentIndex(0);
  } else if (refreshTitle(false) || m_state.fullereneLibraryMode) {
    if (!prompts.yesNo("Leave Import Mode?", {}, MessageIcon::Question))
      return;
    m_model.tubeVariant = 0;
    m_model.structureKind = static_cast<std::int16_t>(cmbTYP->currentIndex() + 1);
  }
  resetImportMode();
  if (!resetView && m_model.structureKind >= 6) {
    showImportedStructure();
    return;
  }

  m_model.lastBondCount = 0;
  m_model.lastTubeRadius = 0.0f;
  m_model.lastTubeDiameter = 0.0f;
  m_model.lastSheetWidth = 0.0f;
  m_model.tubeDiameter = 0.0f;
  m_display.atomsShown = cbOP[0]->isChecked();
  m_display.bondsShown = cbOP[1]->isChecked();
  const long stopsBefore = m_platform.abort.stops();
  m_model.structureKind = static_cast<std::int16_t>(cmbTYP->currentIndex() + 1);
  m_model.materialIndex = static_cast<std::int16_t>(std::max(0, cmb1->currentIndex()));
  m_model.unitCellMode = m_preferences.optionFlags[8];
  m_model.placementX = m_model.placementY = m_model.placementZ = 0.0f;

  buildStructure();

  // Large sheets: orthographic, with atoms, before the hand-over so the
  // atoms are drawn.
  if (m_model.sheetCount > 3000 && !m_display.orthoProjection) {
    toggleProjection();
    if (!m_display.atomsShown) {
      cbOP[0]->setChecked(true);
      m_display.atomsShown = true;
    }
  }

  m_scene->clearScene();
  m_scene->setBackground();
  setData(false);
  const int kind = m_model.structureKind;
  switch (m_model.tubeVariant) {
  case 1:
    if (kind == 1)
      m_seams.buildMultiWallTube();
    else if (kind == 3)
      m_seams.buildStackedCones();
    break;
  case 2:
    m_seams.makeTubeBundle();
    break;
  case 8:
    if (kind == 1)
      m_seams.buildCustomMultiWall();
    break;
  default:
    break;
  }
  m_model.placementX = m_model.placementY = m_model.placementZ = 0.0f;
  if (resetView)
    m_scene->zoomReset(0);
  else
    m_scene->frameStructure();

  // A long tube is built without bonds; the status says so and how to get them.
  const bool unbonded =
      kind == 1 && m_model.tubeLength >= kBondedTubeLengthLimit && m_scene->drawnBondCount == 0;
  stbPanel[2]->setText(QString::number(m_scene->drawnAtomCount) + QStringLiteral(" Atoms"));
  stbPanel[3]->setText(unbonded ? QStringLiteral("No Bonds")
                                : QString::number(m_scene->drawnBondCount) + QStringLiteral(" Bonds"));
  showAtomRadius();
  std::string description;
  if (kind == 1)
    description = "(" + std::to_string(m_model.tubeN) + "," + std::to_string(m_model.tubeM) +
                  ") Tube Diameter " + Format(m_model.lastTubeDiameter, "0.0##") + " A";
  else if (kind == 2)
    description = "Sheet Width " + Format(m_model.lastSheetWidth, "0.0##") + " A";
  if (unbonded)
    description += "  -  no bonds at 500 A and more: Tools > Recalculate Bonds";
  stbPanel[0]->setText(qs(escapeNote(stopsBefore, description)));
  m_seams.fillXyzList(0);
  m_platform.pump.pumpEvents();
}

void Form1::buildStructure()
{
  Prompts& prompts = m_platform.prompts;
  AbortToken& abort = m_platform.abort;
  for (;;) {
    checkParameterFields();
    const int kind = m_model.structureKind;
    if (kind >= 6)
      return;
    m_model.bondCount = 0;
    if (kind == 5) {
      buildC60(m_model);
      findBonds(m_model, prompts, abort);
      return;
    }
    if (kind <= 2) {
      m_state.wallCount = CInt(field(4));
      m_state.wallIncrementN = CInt(field(5));
      m_state.wallIncrementM = CInt(field(13));
      if (m_model.tubeVariant == 8)
        m_state.wallCount = m_model.mwntCount;
      if (m_model.tubeVariant == 0 && m_state.wallCount >= 2)
        m_model.tubeVariant = 1;
      const std::int16_t n = CInt(field(0));
      const std::int16_t m = CInt(field(1));
      const float a = static_cast<float>(field(3));
      // A count of cells far beyond the display limit is asked about before
      // the build, which then runs only to save it.
      if (m_model.unitCellMode && unitCellTubeOverlong(n, m, CLng(field(2)), a)) {
        if (prompts.yesNo(kOverlongQuestion, {}, MessageIcon::Information)) {
          buildTubes(m_model, n, m, static_cast<float>(field(2)), a, prompts, abort);
          saveOverlongStructure();
        }
        tf[2]->setText(QStringLiteral("1"));
        continue;
      }
      buildTubes(m_model, n, m, static_cast<float>(field(2)), a, prompts, abort);
    } else {
      m_state.wallCount = CInt(field(8));
      m_state.wallIncrementN = static_cast<float>(field(9));
      if (m_model.tubeVariant == 0 && m_state.wallCount >= 2)
        m_model.tubeVariant = 1;
      buildCone(m_model, static_cast<float>((cmb2->currentIndex() + 1) * 60),
                static_cast<float>(field(7)), static_cast<float>(field(3)), 0.0f);
      createBonds(m_model, 0.0f, 0.0f, prompts, abort);
    }
    if (kind >= 3 || m_model.tubeLength <= 500.0f) {
      if (kind != 1 && m_model.bondCount == 0 && m_model.bondBuild
          && m_model.bondBuild->answer.value_or(false))
        createBonds(m_model, 0.0f, 0.0f, prompts, abort);
      return;
    }
    if (prompts.yesNo(kOverlongQuestion, {}, MessageIcon::Information))
      saveOverlongStructure();
    tf[2]->setText(m_model.unitCellMode ? QStringLiteral("1") : QStringLiteral("25"));
  }
}

void Form1::saveOverlongStructure()
{
  if (m_seams.saveCoordinatesAs() == SaveOutcome::Failed)
    m_platform.prompts.message("The coordinates were not saved.", {}, MessageIcon::Exclamation);
}

void Form1::setData(bool noFill)
{
  m_scene->setAtomData();
  m_scene->setBondData();
  if (!noFill)
    m_scene->setFillData();
  m_scene->Refresh();
}

void Form1::RemoteSetData()
{
  m_scene->clearScene();
  m_scene->setBackground();
  setData(true);
}

void Form1::showImportedStructure()
{
  WaitCursor wait(m_platform.prompts);
  const long stopsBefore = m_platform.abort.stops();
  if (!m_state.coordinateImportFlag && refreshTitle(false) &&
      !m_platform.prompts.yesNo("Leave Import Mode?", {}, MessageIcon::Question))
    return;
  m_state.junctionShown = false;
  m_model.partsFlag = false;
  updateDisplayControls();
  // A virus cage keeps the bonds its builder made: a search over all atoms
  // would also bond the twelve icosahedron corners to the cage and move the
  // edge rods onto the wrong bonds.
  if (!m_state.coordinateImportFlag && m_model.structureKind != 8)
    findBonds(m_model, m_platform.prompts, m_platform.abort);
  m_scene->clearScene();
  applyBackgroundColor();
  setData(false);
  m_model.placementX = m_model.placementY = m_model.placementZ = 0.0f;
  m_scene->frameStructure();
  stbPanel[2]->setText(QString::number(m_model.atomCount) + QStringLiteral(" Atoms"));
  stbPanel[3]->setText(QString::number(m_model.bondCount) + QStringLiteral(" Bonds"));
  showAtomRadius();
  std::string description;
  if (m_model.structureKind == 1)
    description = "Tube Diameter " + Format(m_model.lastTubeDiameter, "0.0##") + " A";
  else if (m_model.structureKind == 2)
    description = "Sheet Width " + Format(m_model.lastSheetWidth, "0.0##") + " A";
  stbPanel[0]->setText(qs(escapeNote(stopsBefore, description)));
  m_platform.pump.pumpEvents();
}

std::string Form1::escapeNote(long stopsBefore, const std::string& description) const
{
  if (m_platform.abort.stops() == stopsBefore)
    return description;
  return kStoppedByEscapeNote;
}

bool Form1::refreshTitle(bool skipTitle)
{
  const bool importMode = m_model.partsFlag || m_state.xyImportFlag ||
                          m_state.coordinateImportFlag || m_state.junctionShown;
  if (!skipTitle)
    setTitleAndStatus();
  return importMode;
}

void Form1::setTitleAndStatus()
{
  std::string title;
  std::string link;
  std::string hint;
  if (m_model.partsFlag) {
    title = m_state.captionOverride;
    link = hint = m_viewCommands->address("parts");
  }
  if (m_state.junctionShown) {
    title = "CoNTub: " + m_state.junctionTitle;
    link = hint = m_viewCommands->address("junction");
  }
  if (m_state.xyImportFlag) {
    title = "XY - Import";
    link = m_state.xyFileName;
    hint = "View " + m_state.xyFileName;
  } else if (m_state.coordinateImportFlag) {
    title = "XMOL: " + m_state.xmolComment;
    link = m_state.lastXmolFile;
    hint = "View " + m_state.lastXmolFile;
  } else if (title.empty()) {
    title = typeText().toStdString();
  }
  if (m_state.fullereneLibraryMode) {
    title += " - " + getFileName(stripFileExt(m_state.lastFullereneFile));
    link = m_state.lastFullereneFile;
    hint = "View " + m_state.lastFullereneFile;
  }
  titleHint = qs(hint);
  showTitle(qs(title));
  lbTIT->unsetCursor();
  titleLink = link;
  if (refreshTitle(true))
    stbPanel[0]->setText(qs(title));
}

void Form1::updateDisplayControls()
{
  const bool parts = m_model.partsFlag;
  cbOP[0]->setEnabled(!parts);
  bondControls->setVisible(!parts);
  if (parts) {
    if (!m_display.atomsShown)
      cbOP[0]->setChecked(true);
    m_display.atomRadiusScale = 1.0f;
    const QSignalBlocker block(cmbRAD[0]);
    cmbRAD[0]->setCurrentIndex(9);
    m_display.orthoProjection = true;
    m_display.bondsShown = false;
    m_display.atomsShown = true;
    m_model.bondCount = 0;
  } else {
    m_display.atomRadiusScale = static_cast<float>((cmbRAD[0]->currentIndex() + 1) * 0.1);
  }
}

void Form1::resetImportMode()
{
  m_state.xyImportFlag = false;
  m_state.junctionShown = false;
  m_model.partsFlag = false;
  m_state.fullereneLibraryMode = false;
  m_state.coordinateImportFlag = false;
  updateDisplayControls();
}

void Form1::toggleProjection()
{
  m_display.orthoProjection = !m_display.orthoProjection;
  if (m_display.orthoProjection) {
    m_scene->zoom = 0.0f;
    m_scene->zoomOrtho();
  } else {
    m_scene->resize();
    m_view.restoreHostProjection();
    m_scene->Refresh();
  }
  m_scene->resize();
  setStatusText(m_display.orthoProjection ? "Orthonormal Projection" : "Perspective Projection");
  m_platform.pump.pumpEvents();
}

void Form1::showTitle(const QString& title)
{
  showElided(*lbTIT, title, titleHint);
}

QString Form1::titleText() const
{
  return elidedWhole(*lbTIT);
}

void Form1::setStatusText(const std::string& text)
{
  stbPanel[0]->setText(qs(text));
  stbPanel[0]->repaint();
}

void Form1::showAtomRadius()
{
  stbPanel[1]->setText(QStringLiteral("Atom Radius ") +
                       qs(Format(m_display.atomRadiusScale, "0%")));
}

void Form1::applyBackgroundColor()
{
  const std::uint32_t back = m_preferences.backgroundColor;
  m_scene->setBackColorGL((back & 0xFF) / 255.0, ((back >> 8) & 0xFF) / 255.0,
                          ((back >> 16) & 0xFF) / 255.0);
}

ExportContext Form1::exportContext() const
{
  ExportContext ctx{m_model, m_platform.prompts};
  ctx.atomTypeLabel1 = m_state.atomTypeLabel1;
  ctx.atomTypeLabel2 = m_state.atomTypeLabel2;
  ctx.partFile = m_state.partFile;
  ctx.lfLineEnds = m_preferences.optionFlags[7];
  ctx.decimalComma = m_display.decimalComma;
  ctx.cifPadding = m_preferences.cifPadding;
  ctx.cifIcsdStyle = m_preferences.optionFlags[10];
  ctx.sceneListCount = m_scene->getNO();
  ctx.sceneAtomFile = m_display.sceneAtomFilePath;
  ctx.sceneBondFile = m_display.sceneBondFilePath;
  const std::tm t = m_platform.clock.localDateTime();
  const QDateTime created(QDate(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday),
                          QTime(t.tm_hour, t.tm_min, t.tm_sec));
  ctx.createdText = QLocale().toString(created, QLocale::ShortFormat).toStdString();
  return ctx;
}

void Form1::Apply()
{
  if (m_state.junctionShown || m_model.structureKind == 8 || m_model.partsFlag) {
    m_scene->clearScene();
    setData(false);
    m_scene->Refresh();
    return;
  }
  setLengthCaptions();
  if (m_model.structureKind >= 6)
    showImportedStructure();
  else
    CALCULATE(false);
}

void Form1::setTubeLengthField(const std::string& text)
{
  tf[2]->setText(qs(text));
}

void Form1::setStatusPanel(int panel, const std::string& text)
{
  if (panel >= 1 && panel <= static_cast<int>(stbPanel.size()))
    stbPanel[static_cast<std::size_t>(panel - 1)]->setText(qs(text));
}

void Form1::setVirusMode(int mode, const std::string& title)
{
  m_toolCommands->setVirusMode(mode, title);
}

void Form1::setLengthCaptions()
{
  if (m_preferences.optionFlags[8]) {
    if (Label1[1]->text().contains(QStringLiteral("Unit")))
      return;
    Label1[1]->setText(QStringLiteral("Unit-cells"));
    tf[2]->setToolTip(QStringLiteral("Translational Units [1-..]"));
    tf[2]->setText(QStringLiteral("5"));
    if (cmb1->count() > 0) {
      if (cmb1->currentIndex() == 0)
        cmb1_Click();
      else
        cmb1->setCurrentIndex(0);
    }
    cmb1->setEnabled(false);
  } else {
    if (Label1[1]->text().contains(QStringLiteral("Tube")))
      return;
    Label1[1]->setText(QStringLiteral("Tube length [A]"));
    tf[2]->setToolTip(QStringLiteral("Nano-Tube Length in [A]"));
    tf[2]->setText(QStringLiteral("25"));
    cmb1->setEnabled(true);
  }
}

void Form1::showPanelsForType()
{
  if (fr1->isHidden())
    return;
  const int index = cmbTYP->currentIndex();
  fr2->setVisible(index == 0 || index == 1);
  fr5->setVisible(!fr2->isHidden() || (m_state.coordinateImportFlag && m_state.xmolIsTube));
  fr3->setVisible(index == 2 || index == 3);
  fr4->setVisible(true);
  for (auto* frame : {fr2, fr3, fr5}) {
    const int height = frame->isHidden() ? 0 : frame->expandedHeight;
    frame->resize(frame->width(), height);
    if (height > CollapsibleFrame::kCollapsedHeight)
      frame->setCaption(frame->caption().replace(QStringLiteral(">>"), QStringLiteral("<<")));
  }
  formResize();
}

void Form1::mnuView_3_Click()
{
  if (!fr1->isHidden()) {
    for (auto* frame : {fr1, fr2, fr3, fr4, fr5})
      frame->hide();
  } else {
    fr1->show();
    showPanelsForType();
  }
  formResize();
}

void Form1::panelClick(CollapsibleFrame* frame)
{
  if (frame == fr4) {
    if (fr4->collapsedByUser) {
      fr4->collapsedByUser = false;
      fr4->setCaption(fr4->caption().replace(QStringLiteral(">>"), QStringLiteral("<<")));
    } else {
      fr4->collapsedByUser = true;
      fr4->resize(fr4->width(), CollapsibleFrame::kCollapsedHeight);
      fr4->setCaption(fr4->caption().replace(QStringLiteral("<<"), QStringLiteral(">>")));
    }
  } else if (frame->expandedHeight > frame->height()) {
    frame->resize(frame->width(), frame->expandedHeight);
    frame->setCaption(frame->caption().replace(QStringLiteral(">>"), QStringLiteral("<<")));
  } else {
    frame->resize(frame->width(), CollapsibleFrame::kCollapsedHeight);
    frame->setCaption(frame->caption().replace(QStringLiteral("<<"), QStringLiteral(">>")));
  }
  formResize();
}

void Form1::Label2_Click()
{
  const std::array<int, 4> fields{6, 10, 11, 12};
  const std::array<const char*, 4> neutral{"1", "1", "0", "0"};
  for (int i : fields)
    tf[i]->setStyleSheet(QStringLiteral("background-color: rgb(255, 0, 0)"));
  m_platform.pump.pumpEvents();
  pause(0.1f, m_platform.clock, m_platform.pump);
  for (std::size_t k = 0; k < fields.size(); ++k)
    tf[fields[k]]->setText(QString::fromLatin1(neutral[k]));
  m_platform.prompts.beep();
  for (int i : fields)
    tf[i]->setStyleSheet(QStringLiteral("background-color: rgb(255, 255, 255)"));
  m_platform.pump.pumpEvents();
}

void Form1::formResize()
{
  if (isMinimized() || m_client == nullptr)
    return;
  const int width = m_client->width();
  const int height = m_client->height();
  const int toolbarHeight = Toolbar1->sizeHint().height();
  Toolbar1->setGeometry(0, 0, width, toolbarHeight);

  const int stbHeight = stb->height();
  const int stbTop = height - stbHeight;
  stb->setGeometry(0, stbTop, width, stbHeight);

  int top = m_fr1Top;
  fr1->move(fr1->x(), top);
  CollapsibleFrame* previous = fr1;
  for (auto* frame : {fr2, fr3, fr5, fr4}) {
    top = previous->y() + previous->height() + kPanelGap;
    frame->move(frame->x(), top);
    previous = frame;
  }
  if (!fr4->collapsedByUser) {
    const int h = stbTop - fr4->y() - 3;
    if (h >= 0)
      fr4->resize(fr4->width(), h);
  }
  const int listHeight = fr4->height() - lstXYZ->y() - lstXYZ->x();
  if (listHeight >= 0)
    lstXYZ->resize(lstXYZ->width(), listHeight);

  QWidget* view = m_view.widget();
  const int viewHeight = std::max(0, stbTop - view->y());
  if (!fr1->isHidden())
    view->setGeometry(fr1->x() + fr1->width() + 3, toolbarHeight,
                      std::max(0, width - fr1->width() - fr1->x() - kPanelGap), viewHeight);
  else
    view->setGeometry(0, toolbarHeight, width, viewHeight);

  if (m_display.orthoProjection)
    m_scene->zoomOrtho();
  else
    m_scene->Refresh();
  Line1[0]->setGeometry(0, toolbarHeight, view->x(), 2);
  Line1[1]->setGeometry(0, toolbarHeight + 2, view->x(), 2);
  m_scene->resize();
  Label2->setVisible(fr5->expandedCaption());
}

void Form1::fitPanelsToList(int listWidth)
{
  const int width = std::max(px(3000), listWidth + 2 * lstXYZ->x());
  if (width == fr4->width())
    return;
  for (auto* frame : {fr1, fr2, fr3, fr4, fr5})
    frame->resize(width, frame->height());
  lstXYZ->resize(width - 2 * lstXYZ->x(), lstXYZ->height());
  formResize();
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
  if (watched == m_client && event->type() == QEvent::Resize) {
    formResize();
    return false;
  }
  if (watched == Label2 && event->type() == QEvent::MouseButtonRelease) {
    Label2_Click();
    return true;
  }
  const auto type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
    return QMainWindow::eventFilter(watched, event);
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != this)
    return false;
  // Act once per key: on its first receiver.
  QWidget* first = QApplication::focusWidget();
  if (first == nullptr || first->window() != this)
    first = this;
  if (widget != first)
    return false;
  auto* key = static_cast<QKeyEvent*>(event);
  return type == QEvent::KeyPress ? keyDown(key) : keyUp(key);
}

bool Form1::keyDown(QKeyEvent* event)
{
  if (event->key() == Qt::Key_Shift) {
    m_display.shiftKeyDown = true;
    return false;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // The variant is reset inside the command, so a refused Enter leaves a
    // running build's variant alone.
    runCommand(m_platform, [this] {
      m_model.tubeVariant = 0;
      CALCULATE(true);
    });
    return true;
  }
  return false;
}

bool Form1::keyUp(QKeyEvent* event)
{
  if (event->isAutoRepeat())
    return false;
  if (event->key() == Qt::Key_Shift) {
    m_display.shiftKeyDown = false;
    return false;
  }
  QWidget* focus = QApplication::focusWidget();
  const auto* list = qobject_cast<QComboBox*>(focus);
  const bool typing =
      qobject_cast<QLineEdit*>(focus) != nullptr || (list != nullptr && list->isEditable());
  if (typing)
    return false;
  if (event->key() == Qt::Key_F) {
    m_scene->toggleFog();
    return false;
  }
  if (event->key() == Qt::Key_S) {
    m_scene->toggleStereo(1);
    return false;
  }
  return false;
}

void Form1::changeEvent(QEvent* event)
{
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && !isMinimized())
    formResize();
}

void Form1::closeEvent(QCloseEvent* event)
{
  for (const auto& path : {m_display.sceneAtomFilePath, m_display.sceneBondFilePath}) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  }
  m_state.appClosing = true;
  m_options->close();
  // The window comes back where the user left it; a store that cannot keep
  // the place is no reason to hold the close.
  saveWindowPlacement(*m_settings);
  static_cast<void>(m_platform.settings.sync());
  event->accept();
}

} // namespace tarvek
