// The digitiser window: controls, layout, commands and the pictures' input.
#include "imaging/ui/digitiser_window.h"

#include "imaging/ui/digitiser_image.h"
#include "imaging/ui/digitiser_picture.h"
#include "imaging/ui/disc_markers_dialog.h"
#include "model/display_settings.h"
#include "platform/platform.h"
#include "platform/run_command.h"
#include "platform/save_dialog.h"
#include "platform/window_fit.h"
#include "runtime/file_util.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tarvek {

namespace {

// The old system colour index of the tooltip background.
constexpr int kTooltipColour = 24;
// Layout in pixels: the button frame on the left, the tab strip beside it.
constexpr int kButtonSize = 32;
constexpr int kButtonPitch = 36;
constexpr int kTabLeft = 46;
constexpr int kTabTop = 2;
constexpr int kPictureLeft = 4;
constexpr int kPictureTop = 4;

const char* const kOpenFilter =
    "GIF Image (*.gif)|*.gif|JPG Image (*.jpg)|*.jpg|Bitmap Image (*.bmp)|*.bmp|";

QColor fromColourValue(std::uint32_t bgr)
{
  return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                static_cast<int>((bgr >> 16) & 0xFFu));
}

bool modifierHeld(const QInputEvent* event)
{
  return (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) != 0;
}

QImage greyImage(const std::vector<std::uint8_t>& grey, int width, int height)
{
  QImage image(width, height, QImage::Format_Grayscale8);
  for (int y = 0; y < height; ++y)
    std::memcpy(image.scanLine(y), grey.data() + static_cast<std::size_t>(y) * width,
                static_cast<std::size_t>(width));
  return image;
}

} // namespace

frmXY::frmXY(Platform& platform, const Model& model, const Preferences& preferences,
             std::string importFolder, RandomSource& random)
    : m_platform(platform), m_model(model), m_preferences(preferences),
      m_importFolder(std::move(importFolder)), m_digitiser(random)
{
  setWindowTitle(QStringLiteral("XY - Sheet Generator"));
  // A tool window: closing the main window ends the program even while it is open.
  setAttribute(Qt::WA_QuitOnClose, false);

  frL = new QFrame(this);
  frL->setGeometry(2, kTabTop, kTabLeft - 4, 5 * kButtonPitch + 34);
  const char* const tips[] = {"Open Image File (GIF,JPG,BMP)", "Save Coordinates (*.xy)",
                              "Run Ring Search (Hough Transform)", "Clear Coordinate Set",
                              "Redraw Current XY Set"};
  const QIcon icons[] = {style()->standardIcon(QStyle::SP_DialogOpenButton),
                         style()->standardIcon(QStyle::SP_DialogSaveButton),
                         QIcon(QStringLiteral(":/digitiser/ring_search.png")),
                         style()->standardIcon(QStyle::SP_DialogResetButton),
                         QIcon(QStringLiteral(":/digitiser/redraw.png"))};
  for (int i = 0; i < 5; ++i) {
    QToolButton* button = new QToolButton(frL);
    button->setGeometry(3, 3 + kButtonPitch * i, kButtonSize, kButtonSize);
    button->setIcon(icons[i]);
    button->setIconSize(QSize(24, 24));
    button->setToolTip(QString::fromLatin1(tips[i]));
    connect(button, &QToolButton::clicked, this, [this, i] { buttonCommand(i); });
    bt[static_cast<std::size_t>(i)] = button;
  }
  Text1 = new QLineEdit(QStringLiteral("5"), frL);
  Text1->setGeometry(3, 3 + kButtonPitch * 5, kButtonSize, 24);
  Text1->setToolTip(QStringLiteral("\"Atom\" size in image [Pixel]"));

  tab1 = new QTabBar(this);
  tab1->addTab(QStringLiteral("Image Search"));
  tab1->addTab(QStringLiteral("Manual Assembly"));
  tab1->setExpanding(false);
  m_tabClient = new QFrame(this);
  m_tabClient->setFrameShape(QFrame::StyledPanel);

  pic[0] = new DigitiserPicture(Qt::white, false, m_tabClient);
  pic[1] = new DigitiserPicture(fromColourValue(m_platform.systemColors.sysColor(kTooltipColour)),
                                true, m_tabClient);
  pic[0]->paintDrawings = [this](QPainter& painter) { paintCircles(painter); };
  pic[1]->paintDrawings = [this](QPainter& painter) { paintDiscs(painter); };
  pic[0]->mousePressed = [this](QMouseEvent* event) { searchPictureMouseDown(event); };
  pic[0]->keyPressed = [this](QKeyEvent* event) { searchPictureKeyDown(event); };
  pic[1]->mousePressed = [this](QMouseEvent* event) { assemblyMouseDown(event); };
  pic[1]->mouseReleased = [this](QMouseEvent*) { m_digitiser.discs.endDrag(); };
  pic[1]->mouseMoved = [this](QMouseEvent* event) { assemblyMouseMove(event); };

  mem = new QLabel(this);
  mem->move(483, 43);
  mem->hide();

  stb = new QStatusBar(this);
  stb->setSizeGripEnabled(false);
  stbPanel[0] = new QLabel;
  stbPanel[0]->setMinimumWidth(120);
  stbPanel[1] = new QLabel;
  for (QLabel* panel : stbPanel)
    panel->setTextFormat(Qt::PlainText);
  stb->addWidget(stbPanel[0]);
  stb->addWidget(stbPanel[1], 1);

  connect(tab1, &QTabBar::currentChanged, this, [this](int index) { tabChanged(index); });
  loadDigitiser();
  holdTitle(*this);
}

frmXY::~frmXY() = default;

void frmXY::loadDigitiser()
{
  m_digitiser.clearFound();
  m_digitiser.digitiserMode = kImageSearch;
  pic[1]->hide();
  const QString addRemove =
      QStringLiteral("Add /Remove atoms by Left/Right mouse clicks on the image");
  const QString save = QStringLiteral("Save XY coordinates in an XY-file");
  pic[0]->setInstructions({QStringLiteral("1 - Load a drawing or other 'atom image'"),
                           QStringLiteral("2 - Specify the approximate 'atom diameter' in pixels"),
                           QStringLiteral("3 - Run image search"), "4 - " + addRemove, "5 - " + save});
  pic[1]->setInstructions({QStringLiteral("1 - Click New button to create atom array"),
                           "2 - " + addRemove, QStringLiteral("3 - You may move atoms by dragging"),
                           "4 - " + save});
  setStatusPanel(1, "Add/Remove atoms by Left/Right mouse clicking");
  bt[1]->setEnabled(false);
  bt[2]->setEnabled(false);
  bt[4]->setEnabled(false);
  updateStatus();
}

void frmXY::resizeEvent(QResizeEvent* event)
{
  QWidget::resizeEvent(event);
  resizeDigitiser();
}

void frmXY::resizeDigitiser()
{
  if (isMinimized())
    return;
  const int statusHeight = stb->sizeHint().height();
  stb->setGeometry(0, height() - statusHeight, width(), statusHeight);
  const int stripWidth = std::max(0, width() - 2 - kTabLeft);
  const int stripHeight = std::max(0, height() - 4 - statusHeight);
  const int barHeight = tab1->sizeHint().height();
  tab1->setGeometry(kTabLeft, kTabTop, stripWidth, barHeight);
  m_tabClient->setGeometry(kTabLeft, kTabTop + barHeight, stripWidth,
                           std::max(0, stripHeight - barHeight));
  const int pictureWidth = std::max(0, m_tabClient->width() - 7);
  const int pictureHeight = std::max(0, m_tabClient->height() - 10);
  for (DigitiserPicture* picture : pic)
    picture->setGeometry(kPictureLeft, kPictureTop, pictureWidth, pictureHeight);
  m_digitiser.discs.setArea(static_cast<float>(pictureWidth), static_cast<float>(pictureHeight));
  // An empty set is not redrawn: that would wipe the instructions before
  // the user has seen them.
  if (m_digitiser.digitiserMode == kImageSearch)
    redrawFound();
  else if (m_digitiser.discs.discCount() > 0)
    redrawDiscs();
}

void frmXY::tabChanged(int index)
{
  m_digitiser.digitiserMode = index == 1 ? kManualAssembly : kImageSearch;
  const bool searching = m_digitiser.digitiserMode == kImageSearch;
  pic[0]->setVisible(searching);
  pic[1]->setVisible(!searching);
  if (searching)
    redrawFound();
  resizeDigitiser();
  updateStatus();
}

void frmXY::buttonCommand(int i)
{
  runCommand(m_platform, [this, i] {
    switch (i) {
    case 0:
      openImageFile();
      break;
    case 1:
      saveCoordinates();
      break;
    case 2:
      doHoughTransform();
      break;
    case 3:
      clearOrNewSet();
      break;
    default:
      redrawFound();
      break;
    }
  });
  updateStatus();
}

DigitiserPicture* frmXY::currentPicture() const
{
  return m_digitiser.digitiserMode == kManualAssembly ? pic[1] : pic[0];
}

float frmXY::atomSize() const
{
  return fieldNumber(Text1->text().toStdString());
}

void frmXY::setStatusPanel(int panel, const std::string& text)
{
  if (statusChanged)
    statusChanged(panel, text);
  stbPanel[static_cast<std::size_t>(panel)]->setText(QString::fromStdString(text));
}

void frmXY::updateStatus()
{
  std::array<bool, 5> current{};
  for (std::size_t i = 0; i < bt.size(); ++i)
    current[i] = bt[i]->isEnabled();
  const DigitiserStatus status = m_digitiser.updateStatus(current);
  for (std::size_t i = 0; i < bt.size(); ++i)
    bt[i]->setEnabled(status.enabled[i]);
  setStatusPanel(0, status.panel1);
}

void frmXY::openImageFile()
{
  if (m_digitiser.digitiserMode != kImageSearch)
    return;
  const std::optional<FileChoice> choice =
      m_platform.fileDialogs.open("Load Image", "", kOpenFilter, "", 1);
  if (!choice || !FileExists(choice->path))
    return;
  DigitiserImage loaded;
  {
    WaitCursor wait(m_platform.prompts);
    loaded = readDigitiserImage(choice->path);
  }
  if (!loaded.ok()) {
    m_platform.prompts.message(loaded.error, "", MessageIcon::Exclamation);
    return;
  }
  DigitiserPicture* picture = currentPicture();
  picture->removePicture();
  picture->clearDrawings();
  mem->setPixmap(QPixmap::fromImage(loaded.image));
  mem->adjustSize();
  picture->setPicture(loaded.image);
  m_digitiser.takeImage(std::move(loaded.red));
}

void frmXY::doHoughTransform()
{
  if (m_digitiser.digitiserMode != kImageSearch || !m_digitiser.imageLoaded())
    return;
  const float size = atomSize();
  if (!searchableAtomSize(size)) {
    m_platform.prompts.message(kAtomSizeRefusal, "", MessageIcon::Exclamation);
    return;
  }
  WaitCursor wait(m_platform.prompts);
  houghSearch(m_digitiser.loadedImage, size, m_hough);
  const HoughResult& result = m_hough;
  if (!result.ok()) {
    m_platform.prompts.message(result.error, "", MessageIcon::Exclamation);
    return;
  }
  m_digitiser.clearFound();
  if (const auto grey = voteMapGrey(result)) {
    mem->setPixmap(QPixmap::fromImage(greyImage(*grey, result.width, result.height)));
    mem->adjustSize();
  }
  pic[0]->clearDrawings();
  setStatusPanel(0, std::to_string(result.peaks.size()) + " peaks");
  m_platform.pump.pumpEvents();
  m_digitiser.takePeaks(result.peaks);
  redrawFound();
}

void frmXY::redrawFound()
{
  updateStatus();
  DigitiserPicture* picture = currentPicture();
  picture->clearDrawings();
  if (m_digitiser.digitiserMode != kManualAssembly && m_digitiser.foundCount() != 0) {
    m_circleRadius = atomSize();
    picture->showDrawings();
  }
}

void frmXY::clearOrNewSet()
{
  if (m_digitiser.digitiserMode == kManualAssembly) {
    newDiscSet();
    return;
  }
  if (!m_digitiser.imageLoaded())
    pic[0]->removePicture();
  pic[0]->clearDrawings();
  m_digitiser.clearFound();
}

void frmXY::newDiscSet()
{
  dlgXY1 dialog(this);
  dialog.exec();
  if (tarvek::newDiscSet(m_digitiser.discs, m_model, dialog.result()))
    redrawDiscs();
}

void frmXY::redrawDiscs()
{
  updateStatus();
  pic[1]->clearDrawings();
  pic[1]->showDrawings();
}

void frmXY::saveCoordinates()
{
  if (const auto saved =
          saveXYFile(m_digitiser.savePoints(), m_platform.fileDialogs, m_platform.prompts,
                     m_platform.pump, m_importFolder, m_preferences.optionFlags[7]))
    setStatusPanel(1, savedText(*saved));
}

void frmXY::addFoundAtom(float x, float y)
{
  if (!m_digitiser.addFoundAtom(x, y, atomSize()))
    return;
  if (!m_digitiser.imageLoaded())
    currentPicture()->removePicture();
  redrawFound();
}

void frmXY::removeFoundAtom(float x, float y)
{
  m_digitiser.removeFoundAtom(x, y, atomSize());
  redrawFound();
}

void frmXY::searchPictureMouseDown(QMouseEvent* event)
{
  const QPointF at = event->position();
  const auto x = static_cast<float>(at.x());
  const auto y = static_cast<float>(at.y());
  if (event->button() == Qt::LeftButton)
    addFoundAtom(x, y);
  if (event->button() == Qt::RightButton || modifierHeld(event))
    removeFoundAtom(x, y);
}

void frmXY::searchPictureKeyDown(QKeyEvent* event)
{
  if (event->key() != Qt::Key_V || !modifierHeld(event))
    return;
  mem->setVisible(!mem->isVisible());
  mem->raise();
}

void frmXY::assemblyMouseDown(QMouseEvent* event)
{
  const QPointF at = event->position();
  const auto x = static_cast<float>(at.x());
  const auto y = static_cast<float>(at.y());
  DiscAssembly& discs = m_digitiser.discs;
  runCommand(m_platform, [&] {
    if (event->button() == Qt::LeftButton && discs.pickOrAddDisc(x, y))
      redrawDiscs();
    if ((event->button() == Qt::RightButton || modifierHeld(event)) && discs.removeDiscsAt(x, y))
      redrawDiscs();
  });
}

void frmXY::assemblyMouseMove(QMouseEvent* event)
{
  if (event->buttons() != Qt::LeftButton || m_digitiser.discs.dragIndex < 0)
    return;
  const QPointF at = event->position();
  m_digitiser.discs.dragDisc(static_cast<float>(at.x()), static_cast<float>(at.y()));
  redrawDiscs();
}

void frmXY::paintCircles(QPainter& painter) const
{
  if (!std::isfinite(m_circleRadius))
    return;
  painter.setPen(QColor(255, 0, 0));
  painter.setBrush(Qt::NoBrush);
  const qreal r = m_circleRadius;
  for (std::size_t i = 0; i < m_digitiser.foundX.size(); ++i)
    painter.drawEllipse(QPointF(m_digitiser.foundX[i], m_digitiser.foundY[i]), r, r);
}

void frmXY::paintDiscs(QPainter& painter) const
{
  for (const clBALL& disc : m_digitiser.discs.discs) {
    painter.setBrush(fromColourValue(disc.colour));
    painter.drawEllipse(QPointF(disc.x, disc.y), disc.r, disc.r);
  }
}

} // namespace tarvek
