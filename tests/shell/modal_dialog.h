#pragma once

// Answers the next modal dialog of a test once it is shown.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace tarvek::test {

// Runs act on the modal dialog of type D once it is shown.
template <class D>
void whenShown(std::function<void(D&)> act)
{
  QTimer::singleShot(0, [act] {
    auto* dialog = dynamic_cast<D*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      ADD_FAILURE() << "the dialog is not shown";
      if (QWidget* other = QApplication::activeModalWidget())
        other->close();
      return;
    }
    act(*dialog);
  });
}

} // namespace tarvek::test
