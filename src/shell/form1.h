#pragma once

#include <QMainWindow>

namespace tarvek {

// The main window.
class Form1 : public QMainWindow {
public:
  Form1();
};

} // namespace tarvek
