// The image browser's strip of thumbnails: making them one file per timer
// tick, painting those in view, scrolling, tooltips and clicks.
#pragma once

#include "imaging/image_browser.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QScrollBar;

namespace tarvek {

class AbortToken;
class ImageToolkit;

// One widget paints every thumbnail in view, so a folder of 10,000 files
// costs pictures (30 KB each), not controls. A run makes thumbnail i of N
// per tick of a zero-interval timer: the window stays usable and its events
// reach the run between ticks only through run() (requestStop,
// folderChanged). Scrolling never decodes a file.
class ThumbnailStrip : public QWidget {
public:
  ThumbnailStrip(ImageToolkit& toolkit, AbortToken& abort, QWidget* parent = nullptr);

  // Starts a run over names (file names in folder, which ends in "/") unless
  // one is going on: the thumbnails are cleared, the scroll bar goes to
  // 1..N at 1, Escape is forgotten. No files make no run.
  void createThumbnails(const std::string& folder, const QStringList& names);
  // One tick of the run: makes the next thumbnail, then ends the run when
  // Escape, a stop request or another folder was seen, or all are made.
  // False once no run goes on (true when the end started the next folder's).
  bool thumbnailTick();
  // Removes all thumbnails.
  void clearThumbnails();
  // Makes thumbnail i (from 1) from the file: the fitted picture centred on
  // the strip's background, a white outline at the box's edge. A file that
  // does not decode gives the box without a picture.
  void loadImage(const std::string& path, std::int32_t i);
  // The file decoded at the size that fits the thumbnail box; null when it
  // does not decode.
  QImage loadScaledImage(const std::string& path);
  // Paints the thumbnails in view again for the scroll value.
  void layoutThumbnails();
  void setThumbSize(float width, float height);
  // Adds a made thumbnail with its tooltip.
  void appendThumbnail(QImage thumbnail, QString tooltip);

  // Ticks come from the timer unless a test drives them with thumbnailTick.
  void setTicksByHand(bool byHand) { m_ticksByHand = byHand; }

  ThumbnailRun& run() { return m_run; }
  const ThumbnailRun& run() const { return m_run; }
  std::int32_t thumbnailCount() const { return static_cast<std::int32_t>(m_thumbnails.size()); }
  const QImage& thumbnail(std::int32_t i) const { return m_thumbnails.at(i - 1); }
  // Thumbnail number under pos in strip coordinates, 0 for the background.
  std::int32_t thumbnailAt(const QPoint& pos) const;
  QString tooltipAt(const QPoint& pos) const;
  // Where thumbnail i stands now, in strip coordinates.
  QRect thumbnailRect(std::int32_t i) const;

  // Told the progress text for status panel 1 before each thumbnail.
  std::function<void(const std::string&)> progress;
  // Thumbnail i was clicked: its file (list index i - 1) is to be shown.
  std::function<void(std::int32_t)> thumbnailClicked;
  // The background was clicked.
  std::function<void()> backgroundClicked;
  // A run ended (not by closing); newFolderDue when another folder was
  // chosen during it.
  std::function<void(bool newFolderDue)> runEnded;

  QScrollBar* scr = nullptr;

protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  void endRun();
  // The thumbnails in view: from the scroll value, visibleThumbnails more
  // as far as they exist.
  std::pair<std::int32_t, std::int32_t> shownRange() const;

  ImageToolkit& m_toolkit;
  AbortToken& m_abort;
  ThumbnailRun m_run;
  QTimer m_ticks;
  bool m_ticksByHand = false;
  float m_thumbWidth = kThumbnailSize;
  float m_thumbHeight = kThumbnailSize;
  std::string m_folder;
  QStringList m_names;
  std::vector<QImage> m_thumbnails;
  std::vector<QString> m_tooltips;
};

} // namespace tarvek
