// The virus geometry window: T-number list, face picture and cage commands.
#include "tools/icosahedral_cage_window.h"

#include "model/colour_helpers.h"
#include "model/main_window_services.h"
#include "model/model.h"
#include "platform/open_url.h"
#include "platform/platform.h"
#include "platform/qt_colour.h"
#include "platform/run_command.h"
#include "scene/scene_object.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>

#include <cmath>

namespace tarvek {

namespace {

constexpr double kSqrt3 = 1.7320508075688772;
// Turns of the view buttons (rotateDeg about the screen's horizontal axis)
// from the start pose, which looks along a two-fold axis: onto the nearest
// three-fold axis in that plane (69.0948 degrees) and the nearest five-fold
// axis (31.7175 degrees). rotateDeg turns by 5 × its argument.
constexpr std::array<float, 3> kAxisTurns{0.0f, 13.81896f, 6.345f};

QPointF picturePoint(const PicturePoint& p) { return {static_cast<double>(p[0]), static_cast<double>(p[1])}; }

} // namespace

frmVirus::frmVirus(Model& model, CXXX& scene, MainWindowServices& mainWindow, Platform& platform,
                   std::string webAddress, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_model(model), m_scene(scene), m_mainWindow(mainWindow),
      m_platform(platform), m_webAddress(std::move(webAddress)),
      m_picture(kPictureWidth, kPictureHeight, QImage::Format_RGB32)
{
  setWindowTitle(QStringLiteral(" Virus Geometries (Icosahedron Generator)"));
  // The places of the controls are laid out for the metrics of Arial at 8
  // points, which Liberation Sans shares; other sans fonts are wider.
  QFont captions = font();
  captions.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Sans Serif")});
  captions.setStyleHint(QFont::SansSerif);
  captions.setPointSize(8);
  setFont(captions);

  auto label = [this](const QString& text, int x, int y) {
    auto* l = new QLabel(text, this);
    l->move(x, y);
    l->adjustSize();
    return l;
  };
  lbTop[0] = label(QString(), 6, 6);
  lbTop[1] = label(QStringLiteral("Axis:"), 442, 6);
  const std::array<const char*, 3> axes{"2", "3", "5"};
  for (int i = 0; i < 3; ++i) {
    bt2[i] = new QPushButton(QString::fromLatin1(axes[i]), this);
    bt2[i]->setGeometry(474 + 28 * i, 4, 24, 18);
    bt2[i]->setToolTip(QStringLiteral("View along %1-fold axis").arg(QString::fromLatin1(axes[i])));
    connect(bt2[i], &QPushButton::clicked, this,
            [this, i] { runCommand(m_platform, [this, i] { bt2_Click(i); }); });
  }
  btROLL = new QToolButton(this);
  btROLL->setGeometry(565, 4, 17, 18);
  btROLL->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
  btROLL->setToolTip(QStringLiteral("Roll Window Up/Down"));
  connect(btROLL, &QToolButton::clicked, this, [this] { btROLL_Click(); });

  lst = new QTreeWidget(this);
  lst->setGeometry(4, 25, 189, 312);
  lst->setColumnCount(3);
  lst->setHeaderHidden(true);
  lst->setRootIsDecorated(false);
  lst->setIndentation(0);
  lst->header()->setStretchLastSection(true);
  lst->setColumnWidth(0, 28);
  lst->setColumnWidth(1, 50);
  lst->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(lst, &QTreeWidget::itemSelectionChanged, this, [this] { lst_Click(); });

  pb = new QLabel(this);
  pb->setGeometry(196, 25, 387, 312);
  pb->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  pb->setLineWidth(2);
  pb->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  slA = new QSlider(Qt::Horizontal, this);
  slA->setGeometry(230, 306, 125, 20);
  slA->setRange(11, 50);
  cb1 = new QCheckBox(this);
  cb1->move(203, 310);
  cb1->setChecked(true);
  cb1->hide();
  connect(cb1, &QCheckBox::clicked, this, [this] { cb1_Click(); });

  btCreate = new QPushButton(QStringLiteral("Create 3D"), this);
  btCreate->setGeometry(5, 345, 91, 23);
  btCreate->setEnabled(false);
  connect(btCreate, &QPushButton::clicked, this,
          [this] { runCommand(m_platform, [this] { btCreate_Click(); }); });
  lbURL = label(QStringLiteral("Web Link"), 111, 349);
  lbURL->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255)"));
  lbURL->setCursor(Qt::PointingHandCursor);
  lbURL->installEventFilter(this);
  cb3 = new QCheckBox(QStringLiteral("Create Icosahedral Cage"), this);
  cb3->move(196, 350);
  cb3->setChecked(true);
  cb3->adjustSize();
  btCOL = new QLabel(this);
  btCOL->setGeometry(338, 349, 16, 16);
  btCOL->setToolTip(QStringLiteral("Cage Color"));
  btCOL->setAutoFillBackground(true);
  btCOL->installEventFilter(this);
  showSwatch();
  Label1 = label(QStringLiteral("Icosahedron Height"), 416, 350);
  cb2 = new QCheckBox(QStringLiteral("Automatic"), this);
  cb2->move(515, 350);
  cb2->setChecked(true);
  cb2->adjustSize();
  connect(cb2, &QCheckBox::clicked, this, [this] { cb2_Click(); });
  tfICO = new QLineEdit(QStringLiteral("10"), this);
  tfICO->setGeometry(532, 348, 51, 21);
  tfICO->hide();

  // The slider sits over the picture's lower edge.
  slA->raise();
  setFixedWidth(590);
  resize(590, kClientHeight);
  Form_Load();
}

frmVirus::~frmVirus() = default;

void frmVirus::Form_Load()
{
  InitGUI();
  m_rotations = getMatrices();
  lst->setCurrentItem(lst->topLevelItem(5));
}

void frmVirus::InitGUI()
{
  lbTop[0]->setText(QStringLiteral("Select T-parameter  (T=h*h+hk+k*k)"));
  lbTop[0]->adjustSize();
  const QSignalBlocker block(lst);
  for (std::int32_t i = 0; i < kTNumberCount; ++i) {
    const QString text = QString::fromStdString(tNumberText(i));
    auto* item = new QTreeWidgetItem(lst, text.split(QLatin1Char('\t')));
    item->setData(0, Qt::UserRole, text);
  }
}

std::string frmVirus::selectedText() const
{
  const QTreeWidgetItem* item = lst->currentItem();
  return item ? item->data(0, Qt::UserRole).toString().toStdString() : std::string();
}

void frmVirus::lst_Click()
{
  QTreeWidgetItem* item = lst->currentItem();
  if (!item)
    return;
  const auto pair = parseLatticePair(selectedText());
  if (!pair)
    return;
  m_h = pair->first;
  m_k = pair->second;
  m_pairLabel = "(" + std::to_string(m_h) + "," + std::to_string(m_k) + ")";
  slA->setValue(defaultSliderValue(lst->indexOfTopLevelItem(item)));
  DrawGrid();
  btCreate->setEnabled(true);
}

void frmVirus::DrawGrid()
{
  const int width = pb->contentsRect().width();
  const int height = pb->contentsRect().height();
  const bool faceShown = cb1->isChecked();
  const std::int32_t step = slA->value();
  m_picture = QImage(width, height, QImage::Format_RGB32);
  m_picture.fill(Qt::white);
  m_face = latticePoints(width, height, step);

  QPainter p(&m_picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setFont(font());
  const QPointF origin = picturePoint(m_face.origin);
  p.setPen(QPen(Qt::red, 1));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(origin, 2.0, 2.0);

  p.setPen(QPen(QColor(150, 150, 150), 1));
  for (const auto& [a, b] : honeycombEdges(m_face.points, step))
    p.drawLine(QPointF(m_face.points[a].x, m_face.points[a].y), QPointF(m_face.points[b].x, m_face.points[b].y));

  // The lattice axes a1 (h) and a2 (k), in hexagon spacings.
  const double spacing = kSqrt3 * step;
  const int m = static_cast<int>(std::nearbyint(std::max(m_h, m_k) + 1.0));
  const auto axisEnd = [&](const std::array<float, 2>& a, double length) {
    return QPointF(origin.x() + a[0] * length, origin.y() - a[1] * length);
  };
  const QPointF hEnd = axisEnd(m_face.a1, m * spacing);
  const QPointF kEnd = axisEnd(m_face.a2, (m + 1) * spacing);
  p.setPen(QPen(Qt::red, 2));
  p.drawLine(origin, hEnd);
  p.drawLine(origin, kEnd);
  const auto textAt = [&p](const QPointF& topLeft, const QString& text) {
    p.drawText(QRectF(topLeft, QSizeF(200, 40)), Qt::AlignLeft | Qt::AlignTop, text);
  };
  textAt(hEnd + QPointF(1, -10), QStringLiteral("h"));
  textAt(kEnd + QPointF(1, -10), QStringLiteral("k"));

  const double px = (m_h * m_face.a1[0] + m_k * m_face.a2[0]) * spacing;
  const double py = (m_h * m_face.a1[1] + m_k * m_face.a2[1]) * spacing;
  p.setPen(QPen(Qt::blue, 1));
  textAt(QPointF(origin.x() + px - 10, origin.y() - py - 15), QString::fromStdString(m_pairLabel));

  m_face.corners = faceTriangle(m_face.origin, m_h, m_k, step);
  if (faceShown) {
    p.setBrush(QColor(234, 234, 234));
    QPolygonF triangle;
    for (const PicturePoint& c : m_face.corners)
      triangle << picturePoint(c);
    p.drawPolygon(triangle);
    p.setPen(QPen(Qt::blue, 2));
    p.drawLine(picturePoint(m_face.corners[0]), picturePoint(m_face.corners[1]));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(200, 200, 200));
    const double radius = static_cast<double>(step / 2);
    for (const std::int32_t row : markFacePoints(m_face))
      p.drawEllipse(QPointF(m_face.points[row].x, m_face.points[row].y), radius, radius);
  }
  p.end();
  pb->setPixmap(QPixmap::fromImage(m_picture));
}

std::optional<CageOptions> frmVirus::cageOptions()
{
  CageOptions options;
  options.automatic = cb2->isChecked();
  options.withEdges = cb3->isChecked();
  if (!options.automatic) {
    const std::optional<float> height = manualCageHeight(tfICO->text().toStdString());
    if (!height) {
      m_platform.prompts.message("The icosahedron height must be between 1 and 10000 A.", {},
                                 MessageIcon::Exclamation);
      return std::nullopt;
    }
    options.height = *height;
  }
  return options;
}

bool frmVirus::create3D()
{
  const std::optional<CageOptions> options = cageOptions();
  if (!options)
    return false;
  buildCageAtoms(m_model, m_face, m_rotations, *options, m_platform.prompts, m_platform.abort, m_platform.pump);
  m_scene.clearScene();
  m_scene.setBackground();
  m_scene.setAtomData();
  m_scene.setBondData();
  m_scene.frameStructure();
  return true;
}

void frmVirus::btCreate_Click()
{
  // A refused height changes nothing: checked before virus mode begins.
  if (!cageOptions())
    return;
  const auto colour = static_cast<std::int32_t>(m_cageColour);
  m_model.cageColor = {getRed(colour, m_platform.systemColors), getGreen(colour, m_platform.systemColors),
                       getBlue(colour, m_platform.systemColors)};
  const std::string title = cageTitle(selectedText());
  m_mainWindow.setVirusMode(1, title);
  const long stopsBefore = m_platform.abort.stops();
  create3D();
  m_mainWindow.setVirusMode(2, title);
  if (m_platform.abort.stops() != stopsBefore)
    m_mainWindow.setStatusPanel(1, kStoppedByEscapeNote);
  btROLL_Click();
}

void frmVirus::bt2_Click(int index)
{
  if (m_model.structureKind != 8) {
    btCreate_Click();
    if (m_model.structureKind != 8)
      return;
  }
  m_scene.animating = false;
  m_scene.zoom = 0.0f;
  m_scene.zoomReset(1);
  if (index > 0)
    m_scene.rotateDeg(1, kAxisTurns[static_cast<std::size_t>(index)], 1);
  m_scene.Refresh();
}

void frmVirus::btCOL_Click()
{
  if (const auto chosen = m_platform.colourChooser.choose(m_cageColour, {}))
    m_cageColour = *chosen & 0xFFFFFF;
  showSwatch();
}

void frmVirus::showSwatch()
{
  QPalette palette = btCOL->palette();
  palette.setColor(QPalette::Window, toQColor(m_cageColour));
  btCOL->setPalette(palette);
}

// The window manager adds the frame to the client height set here.
void frmVirus::btROLL_Click()
{
  resize(width(), height() == kClientHeight ? kRolledHeight : kClientHeight);
}

void frmVirus::cb2_Click() { tfICO->setVisible(!cb2->isChecked()); }

void frmVirus::cb1_Click() { DrawGrid(); }

void frmVirus::lbURL_Click() { openURL(m_webAddress, m_platform.shellOpen); }

bool frmVirus::eventFilter(QObject* watched, QEvent* event)
{
  if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == lbURL) {
      lbURL_Click();
      return true;
    }
    if (watched == btCOL) {
      btCOL_Click();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

} // namespace tarvek
