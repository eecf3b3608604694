// The nano-hole array window "Nano-Hole Array Generator (Multi-Grid Method)".
#include "tools/nano_hole_window.h"

#include "model/main_window_services.h"
#include "platform/file_dialogs.h"
#include "platform/prompts.h"
#include "platform/qt_colour.h"
#include "platform/save_dialog.h"
#include "platform/window_fit.h"
#include "runtime/atomic_file.h"
#include "runtime/random_source.h"
#include "tools/hole_export.h"
#include "tools/multigrid_tiling_view.h"
#include "tools/nano_hole_rules.h"
#include "tools/picture_loader.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>
#include <optional>
#include <span>
#include <vector>

namespace tarvek {

namespace {

constexpr int kViewSide = 512;
constexpr int kProfileHeight = 100;

// The rows "#", "X", "Y" of the holes a generation recorded; empty until filled.
class HoleTableModel : public QAbstractTableModel {
public:
  explicit HoleTableModel(const TilingResult& tiling) : m_tiling(tiling) {}

  void setFilled(bool filled)
  {
    beginResetModel();
    m_rows = filled ? std::min<std::size_t>(m_tiling.vertexX.size(), m_tiling.vertexY.size()) : 0;
    endResetModel();
  }

  int rowCount(const QModelIndex& parent = {}) const override
  {
    return parent.isValid() ? 0 : static_cast<int>(m_rows);
  }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }

  QVariant data(const QModelIndex& index, int role) const override
  {
    if (role != Qt::DisplayRole || !index.isValid())
      return {};
    const auto row = static_cast<std::size_t>(index.row());
    switch (index.column()) {
    case 0:
      return QString::number(index.row() + 1);
    case 1:
      return QString::fromStdString(holeCoordinateText(m_tiling.vertexX[row]));
    default:
      return QString::fromStdString(holeCoordinateText(m_tiling.vertexY[row]));
    }
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override
  {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
      return {};
    static const char* const captions[] = {"#", "X", "Y"};
    return section >= 0 && section < 3 ? QString::fromLatin1(captions[section]) : QVariant();
  }

private:
  const TilingResult& m_tiling;
  std::size_t m_rows = 0;
};

// Swatches keep their colour as the stored value (red + 256·green + 65536·blue).
void setSwatch(QLabel& swatch, const QColor& colour)
{
  swatch.setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray;").arg(colour.name()));
  swatch.setProperty("colour", static_cast<unsigned>(fromQColor(colour)));
}

// A swatch's colour as the tiling takes it, 0x00RRGGBB.
std::uint32_t swatchPixel(const QLabel& swatch)
{
  return toQColor(swatch.property("colour").toUInt()).rgb() & 0xFFFFFFu;
}

} // namespace

void PressLabel::mousePressEvent(QMouseEvent* event)
{
  event->accept();
  if (onPress)
    onPress();
}

void PressLabel::mouseReleaseEvent(QMouseEvent* event)
{
  event->accept();
  if (onRelease)
    onRelease();
}

frmNanoHoles::frmNanoHoles(Prompts& prompts, FileDialogs& dialogs, MainWindowServices& services,
                           const Preferences& preferences, std::string exportFolder,
                           RandomSource& random, QWidget* mainWindow)
    : QWidget(nullptr), m_prompts(prompts), m_dialogs(dialogs), m_services(services),
      m_preferences(preferences), m_exportFolder(std::move(exportFolder)), m_random(random),
      m_mainWindow(mainWindow), m_workspace(prompts, random), m_rows(std::make_unique<HoleTableModel>(m_tiling))
{
  buildControls();
  loadWindow();
}

frmNanoHoles::~frmNanoHoles()
{
  m_holes.onChange = nullptr;
  m_fourier.onChange = nullptr;
  m_profile.onChange = nullptr;
}

void frmNanoHoles::buildControls()
{
  setWindowTitle(QStringLiteral("Nano-Hole Array Generator (Multi-Grid Method)"));
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(2);

  tb1 = new QToolBar(this);
  tb1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  QStyle* s = style();
  tbButton[0] = tb1->addAction(s->standardIcon(QStyle::SP_BrowserReload), QStringLiteral("Draw "));
  tbButton[1] = tb1->addSeparator();
  tbButton[2] = tb1->addAction(s->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Save Coordinates"));
  tbButton[3] = tb1->addAction(s->standardIcon(QStyle::SP_FileDialogContentsView), QStringLiteral("Copy Image"));
  tbButton[4] = tb1->addSeparator();
  tbButton[5] = tb1->addAction(s->standardIcon(QStyle::SP_DialogHelpButton), QStringLiteral("Help"));
  connect(tbButton[0], &QAction::triggered, this, [this] { generateTiling(); });
  connect(tbButton[2], &QAction::triggered, this, [this] { saveXYData(); });
  connect(tbButton[3], &QAction::triggered, this, [this] { copyViewImage(); });
  connect(tbButton[5], &QAction::triggered, this, [this] { m_services.ShowHelp(0); });
  outer->addWidget(tb1);

  auto* body = new QHBoxLayout;
  body->setContentsMargins(4, 0, 4, 0);
  outer->addLayout(body, 1);

  auto* left = new QVBoxLayout;
  body->addLayout(left);
  tab1 = new QTabBar(this);
  const char* const tabs[][2] = {{"Tiling", "Quasiperiodic Tiling"},
                                 {"Holes", "Holes Array (Vertices)"},
                                 {"List", "Table of unique XY Coordinates"},
                                 {"FT", "Fourier Transform of Holes Image"}};
  for (const auto& t : tabs) {
    const int i = tab1->addTab(QString::fromLatin1(t[0]));
    tab1->setTabToolTip(i, QString::fromLatin1(t[1]));
  }
  left->addWidget(tab1);
  views = new QStackedWidget(this);
  pb = new PixelView(kViewSide, kViewSide, views);
  pb2 = new PixelView(kViewSide, kViewSide, views);
  pb2->showCanvas(m_holes);
  lst = new QTableView(views);
  lst->setModel(m_rows.get());
  lst->verticalHeader()->hide();
  lst->setFixedSize(kViewSide, kViewSide);
  pb3 = new PixelView(kViewSide, kViewSide, views);
  pb3->showCanvas(m_fourier);
  views->addWidget(pb);
  views->addWidget(pb2);
  views->addWidget(lst);
  views->addWidget(pb3);
  views->setFixedSize(kViewSide, kViewSide);
  left->addWidget(views);
  left->addStretch(1);

  Line1 = new QFrame(pb3);
  Line1->setGeometry(0, 0, kViewSide, 1);
  Line1->setStyleSheet(QStringLiteral("background-color: rgb(255, 0, 0);"));
  Line1->hide();
  dummy = new PixelView(kViewSide, kProfileHeight, pb3);
  dummy->showCanvas(m_profile);
  dummy->hide();
  dummy->onPress = [this](QMouseEvent&) { dummy->hide(); };

  auto* right = new QVBoxLayout;
  body->addLayout(right);
  for (int i = 0; i < 10; ++i)
    lb[i] = new QLabel(this);
  // Label 2 has no caption and no place in the layout; shown, it would lie
  // over the toolbar's first button and take its clicks.
  lb[2]->hide();
  Frame1 = new QGroupBox(QStringLiteral("Tiling Options"), this);
  auto* frameLayout = new QVBoxLayout(Frame1);
  lb[1]->setText(QStringLiteral("Multi-Grid Shifts"));
  frameLayout->addWidget(lb[1]);
  const char* const options[] = {"Symmetry Type 1", "Symmetry Type 2", "Random Tiling"};
  for (int i = 0; i < 3; ++i) {
    rb[i] = new QRadioButton(QString::fromLatin1(options[i]), Frame1);
    frameLayout->addWidget(rb[i]);
  }
  rb[0]->setChecked(true);
  right->addWidget(Frame1);

  struct Bar {
    QScrollBar** bar;
    int caption;
    const char* text;
    int valueLabel;
    int min;
    int max;
    int start;
  };
  const Bar bars[] = {{&scrF, 0, "Symmetry", 4, 5, 20, 5},
                      {&scrN, 3, "Loop Order", 5, 1, 40, 6},
                      {&scrZoom, 6, "Scale", 7, 1, 10, 8},
                      {&scrB, 8, "Brightness", 9, 100, 220, 120}};
  for (const Bar& b : bars) {
    auto* bar = new QScrollBar(Qt::Horizontal, this);
    bar->setRange(b.min, b.max);
    bar->setValue(b.start);
    *b.bar = bar;
    lb[b.caption]->setText(QString::fromLatin1(b.text));
    auto* row = new QHBoxLayout;
    row->addWidget(lb[b.caption]);
    row->addStretch(1);
    row->addWidget(lb[b.valueLabel]);
    right->addLayout(row);
    right->addWidget(bar);
    QLabel* value = lb[b.valueLabel];
    connect(bar, &QScrollBar::valueChanged, this, [value](int v) { value->setText(QString::number(v)); });
  }

  auto* legend = new QGridLayout;
  for (int i = 0; i < 10; ++i) {
    lbcol[i] = new QLabel(this);
    lbcol[i]->setFixedSize(24, 14);
    lt[i] = new QLabel(this);
    legend->addWidget(lbcol[i], i, 0);
    legend->addWidget(lt[i], i, 1);
  }
  lt[9]->setText(QStringLiteral("Grid"));
  setSwatch(*lbcol[9], Qt::black);
  right->addLayout(legend);

  auto* brightness = new QHBoxLayout;
  const char* const captions[][2] = {{"[-]", "Decrease Intensity Factor"}, {"[+]", "Increase Intensity Factor"}};
  for (int i = 0; i < 2; ++i) {
    lbBR1[i] = new PressLabel(QString::fromLatin1(captions[i][0]), this);
    lbBR1[i]->setToolTip(QString::fromLatin1(captions[i][1]));
    lbBR1[i]->setStyleSheet(QStringLiteral("background-color: rgb(173, 216, 230); padding: 2px;"));
    lbBR1[i]->setCursor(Qt::PointingHandCursor);
    lbBR1[i]->onPress = [this, i] { brightnessPressed(i); };
    lbBR1[i]->onRelease = [this] { brightnessReleased(); };
    lbBR1[i]->hide();
    brightness->addWidget(lbBR1[i]);
  }
  brightness->addStretch(1);
  right->addLayout(brightness);
  lbMSG = new QLabel(this);
  lbMSG->setTextFormat(Qt::PlainText);
  right->addWidget(lbMSG);
  right->addStretch(1);

  Timer1 = new QTimer(this);
  // At most ten brightness steps a second while a button is held.
  Timer1->setInterval(100);
  connect(Timer1, &QTimer::timeout, this, [this] { timerTick(); });

  stb = new QStatusBar(this);
  for (auto& panel : stbPanel) {
    panel = new QLabel(stb);
    panel->setTextFormat(Qt::PlainText);
    stb->addWidget(panel, &panel == &stbPanel[3] ? 1 : 0);
  }
  outer->addWidget(stb);

  pb->onRelease = [this](QMouseEvent&) { generateTiling(); };
  pb2->onRelease = [this](QMouseEvent&) { generateTiling(); };
  pb3->onPress = [this](QMouseEvent& e) {
    if (e.button() == Qt::LeftButton)
      probeAt(e);
  };
  pb3->onMove = [this](QMouseEvent& e) {
    if (e.buttons() & Qt::LeftButton)
      probeAt(e);
  };
  pb3->onRelease = [this](QMouseEvent&) {
    dummy->hide();
    Line1->hide();
  };
  connect(tab1, &QTabBar::currentChanged, this, [this](int index) { tabChanged(index); });
}

void frmNanoHoles::loadWindow()
{
  if (m_mainWindow != nullptr)
    setWindowIcon(m_mainWindow->windowIcon());
  currentTab = tab1->currentIndex() + 1;
  lb[4]->setText(QString::number(scrF->value()));
  lb[5]->setText(QString::number(scrN->value()));
  lb[7]->setText(QString::number(scrZoom->value()));
  lb[9]->setText(QString::number(scrB->value()));
  for (int i = 0; i < 9; ++i) {
    lt[i]->setText(QStringLiteral("Tile %1").arg(i + 1));
    lt[i]->hide();
    lbcol[i]->hide();
  }
  m_workspace.SetMessageLabel([this](const std::string& text) { lbMSG->setText(QString::fromStdString(text)); });
  m_workspace.SetCanvas(m_holes, m_fourier, m_profile);
  m_workspace.SetDimensionFFT(kViewSide);
  m_workspace.SetPictureLoader(loadPictureOntoCanvas);
  generateTiling();
}

int frmNanoHoles::shiftOptionChosen() const
{
  for (int i = 0; i < 3; ++i)
    if (rb[i]->isChecked())
      return i;
  return 0;
}

void frmNanoHoles::generateTiling()
{
  WaitCursor wait(m_prompts);
  if (currentTab >= 3)
    tab1->setCurrentIndex(0);
  TilingParameters p;
  p.foldCount = scrF->value();
  p.loopOrder = scrN->value();
  p.zoom = scrZoom->value();
  p.shiftOption = shiftOptionChosen();
  p.tileBrightness = scrB->value();
  p.gridColour = swatchPixel(*lbcol[9]);
  p.canvasWidth = kViewSide;
  p.canvasHeight = kViewSide;

  pb->image().fill(Qt::black);
  m_fourier.clear(0);
  static_cast<HoleTableModel*>(m_rows.get())->setFilled(false);
  fourierDone = 0;
  m_tiling = tarvek::generateTiling(p, m_holes, m_random);
  m_shiftOption = p.shiftOption;
  paintTiling(pb->image(), m_tiling);
  pb->update();
  m_holes.refresh();
  m_fourier.refresh();
  for (int i = 0; i < 9; ++i) {
    const bool used = i < m_tiling.tileTypeCount;
    if (used && static_cast<std::size_t>(i + 1) < m_tiling.tileColours.size())
      setSwatch(*lbcol[i], QColor::fromRgb(m_tiling.tileColours[i + 1]));
    lt[i]->setVisible(used);
    lbcol[i]->setVisible(used);
  }
  for (int i = 0; i < 3; ++i)
    stbPanel[i]->setText(QString::fromStdString(m_tiling.statusTexts[i]));
  // The last panel also shows saved paths: a long text is shortened to the
  // panel rather than widening the window.
  showElided(*stbPanel[3], QString::fromStdString(m_tiling.statusTexts[3]));
}

void frmNanoHoles::tabChanged(int index)
{
  const int tab = index + 1;
  if (tab == currentTab)
    return;
  currentTab = tab;
  lbBR1[0]->hide();
  lbBR1[1]->hide();
  switch (tab) {
  case 1:
    views->setCurrentWidget(pb);
    break;
  case 2:
    views->setCurrentWidget(pb2);
    break;
  case 3:
    if (m_rows->rowCount() == 0)
      fillCoordinateList();
    views->setCurrentWidget(lst);
    break;
  case 4:
    views->setCurrentWidget(pb3);
    lbBR1[0]->show();
    lbBR1[1]->show();
    showFourierView();
    break;
  default:
    break;
  }
}

void frmNanoHoles::showFourierView()
{
  if (fourierDone != 0)
    return;
  ++fourierRuns;
  m_workspace.runFOURN(1, false);
  fourierDone = 1;
}

void frmNanoHoles::fillCoordinateList()
{
  WaitCursor wait(m_prompts);
  static_cast<HoleTableModel*>(m_rows.get())->setFilled(true);
}

void frmNanoHoles::probeAt(QMouseEvent& event)
{
  const QPoint at = event.position().toPoint();
  showProfile(at.x(), at.y());
  dummy->move(0, profilePanelTop(at.y(), dummy->height(), dummy->height()));
  dummy->show();
  dummy->raise();
}

void frmNanoHoles::showProfile(int x, int y)
{
  Line1->move(0, y);
  Line1->show();
  Line1->raise();
  // The probe never stops the user: a failure leaves the panel as it was.
  try {
    std::vector<float> profileValues(kViewSide + 1, 0.0f);
    float maximum = 0.0f;
    m_workspace.GetProfile(profileValues, maximum, static_cast<float>(x), static_cast<float>(y));
    const int h = m_profile.height();
    const std::vector<ProfilePoint> points =
      profilePoints(std::span<const float>(profileValues).first(kViewSide), maximum, h);
    QImage panel(m_profile.width(), h, QImage::Format_RGB32);
    panel.fill(Qt::white);
    QPainter painter(&panel);
    painter.setPen(Qt::black);
    QPolygon line;
    for (const ProfilePoint& p : points)
      line << QPoint(p.x, p.y);
    painter.drawPolyline(line);
    painter.drawText(QPoint(5, 2 + painter.fontMetrics().ascent()),
                     QStringLiteral("Max: %1").arg(static_cast<qlonglong>(std::nearbyint(maximum))));
    painter.end();
    const auto* words = reinterpret_cast<const std::uint32_t*>(panel.constBits());
    m_profile.writeBlock(panel.width(), h,
                         std::span<const std::uint32_t>(words, static_cast<std::size_t>(panel.width()) * h));
    m_profile.refresh();
  } catch (const std::exception&) {
    return;
  }
}

void frmNanoHoles::copyViewImage()
{
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  switch (currentTab) {
  case 1:
    clipboard->setImage(pb->picture());
    break;
  case 2:
  case 3:
    clipboard->setImage(pb2->picture());
    break;
  case 4:
    clipboard->setImage(pb3->picture());
    break;
  default:
    break;
  }
  m_prompts.beep();
}

void frmNanoHoles::saveXYData()
{
  const std::optional<FileChoice> choice =
    askSavePath(m_dialogs, m_prompts, "Save XY Data", m_exportFolder,
                "XY-File (*.xy)|*.xy|XY-File {Center at (0,0)} (*.xy)|*.xy",
                proposedHoleFileName(scrF->value(), scrN->value(), scrZoom->value(), m_shiftOption));
  if (!choice)
    return;
  HoleLayout layout = HoleLayout::Plain;
  double factor = 1.0;
  if (choice->filterIndex != 1) {
    const std::optional<std::string> reply =
      m_prompts.input("Center will be shifted to (0,0).\r\n\r\nEnter optional scaling factor.",
                      "Apply Scale Factor?", "1.0");
    if (!reply)
      return;
    layout = HoleLayout::Centred;
    factor = holeScaleFactor(*reply);
  }
  const FileStatus saved =
    writeFileAtomic(choice->path, holeLines(m_tiling.vertexX, m_tiling.vertexY, layout, factor,
                                            m_preferences.optionFlags[7]));
  if (!saved) {
    m_prompts.message(saved.error(), "Save XY Data", MessageIcon::Exclamation);
    return;
  }
  showElided(*stbPanel[3], QString::fromStdString(savedText(choice->path)));
}

void frmNanoHoles::brightnessPressed(int index)
{
  timerTag.assign(1, index == 0 ? '1' : '2');
  Timer1->start();
  m_workspace.ChangeBrightness(index == 0 ? -1 : 1);
}

void frmNanoHoles::brightnessReleased()
{
  timerTag.clear();
  Timer1->stop();
}

void frmNanoHoles::timerTick()
{
  switch (brightnessTick(timerTag)) {
  case BrightnessTick::Darker:
    m_workspace.ChangeBrightness(-1);
    break;
  case BrightnessTick::Brighter:
    m_workspace.ChangeBrightness(1);
    break;
  case BrightnessTick::Stop:
    Timer1->stop();
    break;
  case BrightnessTick::Nothing:
    break;
  }
}

void frmNanoHoles::closeEvent(QCloseEvent* event)
{
  event->accept();
  hide();
  if (m_mainWindow != nullptr && (m_mainWindow->windowState() & Qt::WindowMinimized))
    m_mainWindow->setWindowState(m_mainWindow->windowState() & ~Qt::WindowMinimized);
}

} // namespace tarvek
