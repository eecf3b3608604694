// The view as a picture: image files, the clipboard, and the image folder.
#pragma once

#include "shell/form1.h"

#include <QObject>

#include <memory>
#include <string>

class QAction;

namespace tarvek {

class frmAIL;

// Saves the 3-D view as a JPEG or bitmap file and copies it to the
// clipboard; holds Tools › Save Image Sequence and Browse Image Folder. The
// options window is hidden while the view is taken and shown again
// afterwards. Built once the Tools
// launchers exist; the window owns it.
class ImageCommands : public QObject {
public:
  explicit ImageCommands(Form1& form);
  ~ImageCommands() override;

  // See Form1::SavePIC.
  PictureSave SavePIC(const std::string& mode, const std::string& fileName, float quality);
  // Lets events run, then draws the view and writes it to target as a
  // 24-bit bitmap, whole or not at all; false when nothing was written.
  bool SaveOpenGLimage(const std::string& target);
  // Puts the view on the clipboard, on white when the Preferences ask for it.
  // A view that gives no picture leaves the clipboard empty and throws
  // RuntimeError.
  void copyImageToClipboard();
  // File › Save Image: the dialog, then the save; a failure is shown.
  void savePicture();
  // Tools › Browse Image Folder: a fresh image browser over the main window
  // on the Images folder; an open one is closed and deleted first.
  void browseImageFolder();
  // The browser last opened, or nothing.
  frmAIL* imageBrowser() const { return m_browser.get(); }

  QAction* mnuTool_9 = nullptr;
  QAction* mnuTool_10 = nullptr;

private:
  Form1& m_form;
  std::unique_ptr<frmAIL> m_browser;
};

} // namespace tarvek
