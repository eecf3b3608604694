// The builder dialogs: the caps of a capped tube, the layers of a graphene stack and the two
// tubes of a hetero-junction.
#pragma once

#include <QDialog>

#include <array>
#include <cstdint>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarvek {

class Prompts;

// Which ends of a capped tube get caps. A new object per use, shown modal;
// capChoice is read after it closes: 0 both ends (also after the close
// box), 1 cap #1, 2 cap #2.
class dlgCAPS : public QDialog {
public:
  explicit dlgCAPS(QWidget* owner);

  std::int16_t capChoice = 0;
  std::array<QRadioButton*, 3> op{};
  QPushButton* OKButton = nullptr;

private:
  void OKButton_Click();
};

// Size, count, distance and stacking of graphene layers. Shown modal; after
// it closes okPressed is 1 when OK was pressed in this showing, else 0 (the
// values then keep those of the last OK). A value the fields cannot hand
// over (beyond the float range) leaves okPressed 1 with readError saying
// why, and the values untouched.
class dlgGRAPHENE : public QDialog {
public:
  explicit dlgGRAPHENE(QWidget* owner);

  std::int16_t okPressed = 0;
  float layerWidth = 0.0f;
  float layerHeight = 0.0f;
  float layerCount = 0.0f;
  float layerDistance = 0.0f;
  std::int16_t graphiteShift = 0;
  float layerRotation = 0.0f;
  std::string readError;

  std::array<QLineEdit*, 5> tf{};
  std::array<QRadioButton*, 3> rb{};
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;

protected:
  void showEvent(QShowEvent* event) override;

private:
  void OKButton_Click();
};

// The two tubes of a hetero-junction: n, m and length of each. A new
// object per use, shown modal; after it closes okPressed is 1 when OK took
// the values in this showing, else 0 (Cancel, the close box). A field whose
// value does not fit shows its message and keeps the dialog open.
// junctionAddress is the web address shown under the credits.
class dlgCONTUB : public QDialog {
public:
  dlgCONTUB(Prompts& prompts, const std::string& junctionAddress, QWidget* owner);

  std::int16_t okPressed = 0;
  std::int16_t junctionN1 = 0;
  std::int16_t junctionM1 = 0;
  std::int16_t junctionLength1 = 0;
  std::int16_t junctionN2 = 0;
  std::int16_t junctionM2 = 0;
  std::int16_t junctionLength2 = 0;

  std::array<QLineEdit*, 6> Text1{};
  QLabel* Label2 = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;

protected:
  void showEvent(QShowEvent* event) override;

private:
  void OKButton_Click();

  Prompts& m_prompts;
};

} // namespace tarvek
