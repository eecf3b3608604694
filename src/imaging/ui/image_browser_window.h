// The image browser window "Image Browser": folders, files, the picture
// view, the thumbnail strip and the file's particulars.
#pragma once

#include "imaging/ui/image_toolkit.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QListWidget;
class QPainter;
class QPushButton;
class QStatusBar;
class QTreeView;

namespace tarvek {

class ThumbnailStrip;
struct Platform;

// Browses the pictures (*.jpg, *.gif, *.bmp, *.png) of a folder: the chosen
// one centred in the view, scaled down to fit; left and right button
// releases on the view step to the next and previous file; thumbnails of
// the whole folder fill in while the window stays usable. Use: setPath,
// then doShow. Reads files only through its own ImageToolkit.
class frmAIL : public QWidget {
public:
  explicit frmAIL(Platform& platform, QWidget* parent = nullptr);
  ~frmAIL() override;

  // Browses folder: the folder change runs when it differs from the folder
  // list's path. Thumbnails are made only while the window is shown.
  void setPath(const std::string& folder);
  // Keeps pattern ("*.jpg;*.gif", case-blind) and lists the folder by it.
  void setFilter(const std::string& pattern);
  // Shows the window, then makes the thumbnails.
  void doShow();

  ImageToolkit& toolkit() { return m_toolkit; }
  const std::string& currentFile() const { return m_currentFile; }
  const std::string& folder() const { return m_folder; }

  QComboBox* Drive1 = nullptr;
  QTreeView* Dir1 = nullptr;
  QListWidget* File1 = nullptr;
  QWidget* pb1 = nullptr;
  ThumbnailStrip* pb2 = nullptr;
  QStatusBar* stb = nullptr;
  std::array<QLabel*, 6> stbPanel{};
  std::array<QPushButton*, 2> bt{};

protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void setStatus(const std::string& text, int panel, const std::string& tip);
  void selectFile(std::int32_t index);
  void showFileInfo(const std::string& path);
  void paintView(QPainter& painter);
  void stepImage(std::int32_t d);
  void copyImage();

  void folderChange(const QString& path);
  void listFiles();
  void startThumbnails();
  void thumbnailRunEnded(bool newFolderDue);
  void fillDrives();
  void driveChosen(int index);
  void layoutBrowser();
  // Scrolls the folder list to the browsed folder's name.
  void showCurrentFolder();

  Platform& m_platform;
  ImageToolkit m_toolkit;
  QFileSystemModel* m_folders = nullptr;
  QString m_folderListPath;
  std::string m_folder;
  std::string m_filter;
  std::string m_currentFile;
  // The file's own pixels; the view draws a scaled copy, kept for its size.
  QImage m_picture;
  QImage m_scaledPicture;
  int m_imageWidth = 0;
  int m_imageHeight = 0;
};

} // namespace tarvek
