// The image browser window.
#include "imaging/ui/image_browser_window.h"

#include "imaging/image_browser.h"
#include "imaging/ui/thumbnail_strip.h"
#include "platform/plain_tool_tip.h"
#include "platform/platform.h"
#include "platform/window_fit.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStorageInfo>
#include <QTreeView>

#include <algorithm>
#include <cmath>
#include <optional>

namespace tarvek {

namespace {

const char* const kDefaultFilter = "*.jpg;*.gif;*.bmp;*.png";

// Design sizes in pixels: the lists' column, the view's left and top
// margins, the buttons.
constexpr int kMargin = 6;
constexpr int kListWidth = 200;
constexpr int kFolderListHeight = 220;
constexpr int kViewLeft = kMargin + kListWidth + kMargin;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 26;
// The drive list shows while the pointer is this close to the folder list's
// top edge.
constexpr int kDriveZone = 17;

// The picture view: paints through the window and reports button releases.
class PictureView : public QWidget {
public:
  explicit PictureView(QWidget* parent) : QWidget(parent) { setAutoFillBackground(true); }

  std::function<void(QPainter&)> paint;
  std::function<void(Qt::MouseButton)> released;

protected:
  void paintEvent(QPaintEvent*) override
  {
    QPainter painter(this);
    paint(painter);
  }
  void mouseReleaseEvent(QMouseEvent* event) override { released(event->button()); }
};

int rounded(double v)
{
  return static_cast<int>(std::nearbyint(v));
}

bool isPngPath(const std::string& path)
{
  return QString::fromStdString(path).toUpper().contains(QStringLiteral(".PNG"));
}

} // namespace

frmAIL::frmAIL(Platform& platform, QWidget* parent) : QWidget(parent), m_platform(platform)
{
  setWindowTitle(QStringLiteral("Image Browser"));

  m_folders = new QFileSystemModel(this);
  m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  m_folders->setRootPath(QDir::rootPath());
  Dir1 = new QTreeView(this);
  Dir1->setModel(m_folders);
  Dir1->setHeaderHidden(true);
  for (int column = 1; column < m_folders->columnCount(); ++column)
    Dir1->hideColumn(column);
  // Deep folders are indented past the list's width: the names keep their
  // width and the list scrolls sideways to them.
  Dir1->header()->setStretchLastSection(false);
  Dir1->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  Dir1->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  Dir1->setGeometry(kMargin, kMargin, kListWidth, kFolderListHeight);
  Dir1->viewport()->setMouseTracking(true);
  Dir1->viewport()->installEventFilter(this);
  // The folders load in the background; once a level has come in, the
  // browsed folder is brought into view again.
  connect(m_folders, &QFileSystemModel::directoryLoaded, this, [this] { showCurrentFolder(); });
  // A scroll bar that comes or goes as the names widen moves the rows.
  for (QScrollBar* bar : {Dir1->horizontalScrollBar(), Dir1->verticalScrollBar()})
    connect(bar, &QScrollBar::rangeChanged, this, [this] { showCurrentFolder(); });
  connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid())
              folderChange(m_folders->filePath(current));
          });

  Drive1 = new QComboBox(this);
  Drive1->setGeometry(kMargin, kMargin, kListWidth, Drive1->sizeHint().height());
  Drive1->hide();
  connect(Drive1, &QComboBox::activated, this, [this](int index) { driveChosen(index); });

  File1 = new QListWidget(this);
  File1->setGeometry(kMargin, kMargin + kFolderListHeight + kMargin, kListWidth, 200);
  connect(File1, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0)
      showFileInfo(m_folder + File1->item(row)->text().toStdString());
  });

  auto* view = new PictureView(this);
  view->paint = [this](QPainter& painter) { paintView(painter); };
  view->released = [this](Qt::MouseButton button) {
    if (button == Qt::LeftButton)
      stepImage(1);
    else if (button == Qt::RightButton)
      stepImage(-1);
  };
  view->setToolTip(QStringLiteral("Left/Right Click for Next/Previous Image"));
  view->move(kViewLeft, kMargin);
  pb1 = view;

  pb2 = new ThumbnailStrip(m_toolkit, m_platform.abort, this);
  pb2->progress = [this](const std::string& text) { setStatus(text, 1, ""); };
  pb2->thumbnailClicked = [this](std::int32_t i) { selectFile(i - 1); };
  pb2->backgroundClicked = [this] {
    if (pb2->thumbnailCount() < File1->count())
      startThumbnails();
  };
  pb2->runEnded = [this](bool newFolderDue) { thumbnailRunEnded(newFolderDue); };

  stb = new QStatusBar(this);
  stb->setSizeGripEnabled(false);
  // The last panel keeps the same margin from the window's edge as the view.
  stb->setContentsMargins(0, 0, kMargin, 0);
  for (std::size_t i = 0; i < stbPanel.size(); ++i) {
    stbPanel[i] = new QLabel(stb);
    stbPanel[i]->setTextFormat(Qt::PlainText);
    stbPanel[i]->installEventFilter(this);
    stb->addWidget(stbPanel[i], i == 0 ? 1 : 0);
  }
  // A long path gives up room rather than squeeze the particulars.
  stbPanel[0]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  stb->installEventFilter(this);

  const char* const captions[] = {"Copy", "Close"};
  for (std::size_t i = 0; i < bt.size(); ++i) {
    bt[i] = new QPushButton(QString::fromLatin1(captions[i]), this);
    bt[i]->setGeometry(kMargin + static_cast<int>(i) * (kButtonWidth + 8), 0, kButtonWidth,
                       kButtonHeight);
  }
  connect(bt[0], &QPushButton::clicked, this, [this] { copyImage(); });
  connect(bt[1], &QPushButton::clicked, this, [this] { close(); });

  setFilter(kDefaultFilter);
  resize(848, 637);
}

frmAIL::~frmAIL() = default;

void frmAIL::setPath(const std::string& folder)
{
  const QString path = QDir::cleanPath(QString::fromStdString(folder));
  if (path == m_folderListPath)
    return;
  // The tree follows without running the change twice.
  {
    const QSignalBlocker blocker(Dir1->selectionModel());
    const QModelIndex index = m_folders->index(path);
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
      Dir1->expand(parent);
    Dir1->setCurrentIndex(index);
  }
  showCurrentFolder();
  folderChange(path);
}

void frmAIL::showCurrentFolder()
{
  const QModelIndex current = Dir1->currentIndex();
  if (!current.isValid())
    return;
  Dir1->scrollTo(current);
  // Sideways: the name's end in view, its start too when the name fits.
  QScrollBar* across = Dir1->horizontalScrollBar();
  const int start = Dir1->visualRect(current).left() + across->value();
  const int end = start + Dir1->sizeHintForIndex(current).width();
  const int room = Dir1->viewport()->width();
  across->setValue(std::clamp(end - room, 0, std::max(0, start)));
}

void frmAIL::setFilter(const std::string& pattern)
{
  m_filter = pattern;
  listFiles();
}

void frmAIL::doShow()
{
  show();
  raise();
  activateWindow();
  startThumbnails();
}

void frmAIL::folderChange(const QString& path)
{
  if (path == m_folderListPath)
    return;
  pb2->run().folderChanged();
  m_picture = QImage();
  m_scaledPicture = QImage();
  m_currentFile.clear();
  pb1->update();
  m_folderListPath = path;
  m_folder = path.endsWith(QLatin1Char('/')) ? path.toStdString() : path.toStdString() + "/";
  listFiles();
  setWindowTitle(QStringLiteral("Image Browser  [") + path + QStringLiteral("]"));
  holdTitle(*this);
  selectFile(0);
  pb2->clearThumbnails();
  // A run still going on starts the new folder's when it has ended.
  if (isVisible() && !pb2->run().running())
    startThumbnails();
}

void frmAIL::listFiles()
{
  const QSignalBlocker blocker(File1);
  File1->clear();
  if (m_folderListPath.isEmpty())
    return;
  const QStringList patterns =
      QString::fromStdString(m_filter).split(QLatin1Char(';'), Qt::SkipEmptyParts);
  const QDir dir(m_folderListPath);
  File1->addItems(dir.entryList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase));
  File1->setCurrentRow(-1);
}

void frmAIL::startThumbnails()
{
  QStringList names;
  names.reserve(File1->count());
  for (int i = 0; i < File1->count(); ++i)
    names << File1->item(i)->text();
  pb2->createThumbnails(m_folder, names);
}

void frmAIL::thumbnailRunEnded(bool newFolderDue)
{
  if (stbPanel[0]->text().contains(QStringLiteral("(ESC")))
    setStatus("", 1, "");
  if (newFolderDue && isVisible())
    startThumbnails();
}

void frmAIL::setStatus(const std::string& text, int panel, const std::string& tip)
{
  QLabel* label = stbPanel.at(static_cast<std::size_t>(panel - 1));
  label->setText(QString::fromStdString(text));
  if (text.empty())
    setPlainToolTip(label, QString());
  if (!tip.empty())
    setPlainToolTip(label, QString::fromStdString(tip));
  label->repaint();
}

void frmAIL::selectFile(std::int32_t index)
{
  if (index >= 0 && index < File1->count())
    File1->setCurrentRow(index);
}

void frmAIL::showFileInfo(const std::string& path)
{
  std::optional<WaitCursor> wait;
  if (isPngPath(path))
    wait.emplace(m_platform.prompts);
  std::optional<QImage> picture = m_toolkit.read(path);
  if (!picture)
    return;
  m_currentFile = path;
  m_picture = std::move(*picture);
  m_scaledPicture = QImage();
  m_imageWidth = m_picture.width();
  m_imageHeight = m_picture.height();
  const QFileInfo info(QString::fromStdString(path));
  setStatus(path, 1, info.fileName().toStdString());
  setStatus(QLocale::system().toString(info.lastModified(), QLocale::ShortFormat).toStdString(), 2,
            "File Date");
  setStatus(sizeText(static_cast<std::uint64_t>(info.size())), 3, "File Size");
  setStatus(pixelSizeText(m_imageWidth, m_imageHeight), 4, "Pixel Dimensions");
  setStatus(depthText(m_toolkit.bitsPerPixel()), 5, "Color Depth");
  setStatus(typeText(path), 6, "File Type");
  pb1->update();
}

void frmAIL::paintView(QPainter& painter)
{
  if (m_picture.isNull())
    return;
  const ViewPlacement place = viewPlacement(pb1->width(), pb1->height(), m_imageWidth, m_imageHeight);
  if (place.drawn.width < 1 || place.drawn.height < 1)
    return;
  const int x = rounded(place.x);
  const int y = rounded(place.y);
  if (place.scaled) {
    // Resampled from the file's pixels once per drawn size.
    if (m_scaledPicture.width() != place.drawn.width
        || m_scaledPicture.height() != place.drawn.height)
      m_scaledPicture = ImageToolkit::resample(m_picture, place.drawn.width, place.drawn.height);
    ImageToolkit::draw(painter, m_scaledPicture, x, y);
  } else {
    ImageToolkit::draw(painter, m_picture, x, y);
  }
  // One pixel outside the picture on every side.
  painter.setPen(Qt::white);
  painter.drawRect(x - 1, y - 1, place.drawn.width + 1, place.drawn.height + 1);
}

void frmAIL::stepImage(std::int32_t d)
{
  selectFile(stepIndex(File1->currentRow(), d, File1->count()));
}

void frmAIL::copyImage()
{
  QGuiApplication::clipboard()->clear();
  if (!m_picture.isNull())
    m_toolkit.copyToClipboard(m_picture);
  m_platform.prompts.beep();
}

void frmAIL::fillDrives()
{
  Drive1->clear();
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
    if (volume.isValid() && volume.isReady())
      Drive1->addItem(volume.rootPath());
  Drive1->setCurrentIndex(Drive1->findText(m_folderListPath, Qt::MatchStartsWith));
}

void frmAIL::driveChosen(int index)
{
  const QString root = Drive1->itemText(index);
  const QFileInfo info(root);
  // A volume that cannot be read is ignored.
  if (root.isEmpty() || !info.isDir() || !info.isReadable())
    return;
  setPath(root.toStdString());
}

bool frmAIL::eventFilter(QObject* watched, QEvent* event)
{
  if (watched == Dir1->viewport()) {
    if (event->type() == QEvent::MouseMove) {
      const auto* move = static_cast<QMouseEvent*>(event);
      const int y = Dir1->viewport()->mapTo(Dir1, move->position().toPoint()).y();
      if (y < kDriveZone && !Drive1->isVisible()) {
        fillDrives();
        Drive1->show();
        Drive1->raise();
      } else if (y >= kDriveZone) {
        Drive1->hide();
      }
    } else if (event->type() == QEvent::MouseButtonPress) {
      const auto* press = static_cast<QMouseEvent*>(event);
      if (press->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) {
        if (!Drive1->isVisible()) {
          fillDrives();
          Drive1->raise();
        }
        Drive1->setVisible(!Drive1->isVisible());
      }
    }
  } else if ((watched == stb || watched->parent() == stb)
             && event->type() == QEvent::MouseButtonPress && pb2->run().running()) {
    pb2->run().requestStop();
  }
  return QWidget::eventFilter(watched, event);
}

void frmAIL::showEvent(QShowEvent* event)
{
  QWidget::showEvent(event);
  // The list has its final size only now; the folders may all be loaded
  // already, so no later load brings the browsed folder into view.
  showCurrentFolder();
}

void frmAIL::resizeEvent(QResizeEvent* event)
{
  QWidget::resizeEvent(event);
  if (!isMinimized())
    layoutBrowser();
}

void frmAIL::layoutBrowser()
{
  const int w = width();
  const int h = height();
  const int stbHeight = stb->sizeHint().height();
  stb->setGeometry(0, h - stbHeight, w, stbHeight);
  const int buttonTop = h - stbHeight - bt[0]->height() - 3;
  for (QPushButton* button : bt)
    button->move(button->x(), buttonTop);
  const int fileTop = Dir1->y() + Dir1->height() + 6;
  File1->setGeometry(File1->x(), fileTop, File1->width(), std::max(0, buttonTop - fileTop));
  const int scrHeight = pb2->scr->sizeHint().height();
  const int stripHeight = scrHeight + 107;
  // The view's top margin serves as its right margin.
  const int rightMargin = pb1->y();
  pb2->setGeometry(pb1->x(), h - stbHeight - stripHeight, std::max(0, w - pb1->x() - rightMargin),
                   stripHeight);
  pb2->scr->setGeometry(0, stripHeight - scrHeight - 3, pb2->width(), scrHeight);
  pb1->resize(std::max(0, w - pb1->x() - rightMargin), std::max(0, pb2->y() - pb1->y() - 4));
  pb1->update();
}

void frmAIL::closeEvent(QCloseEvent* event)
{
  // The owner deletes the window; until then it holds no thumbnails.
  pb2->run().close();
  pb2->clearThumbnails();
  QWidget::closeEvent(event);
}

} // namespace tarvek
