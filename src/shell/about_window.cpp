#include "shell/about_window.h"

#include "platform/open_url.h"

#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

namespace tarvek {

namespace {

// The picture's size and the band of text below it, pixels.
constexpr int kPictureWidth = 400;
constexpr int kPictureHeight = 300;
constexpr int kBandHeight = 64;

QLabel* textLabel(QWidget* parent, const QString& text, int x, int y, int w, int h)
{
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(x, y, w, h);
  return label;
}

} // namespace

std::string programVersionText()
{
  return "Version " + std::to_string(TARVEK_VERSION_MAJOR) + "." +
         std::to_string(TARVEK_VERSION_MINOR) + "." + std::to_string(TARVEK_VERSION_PATCH);
}

frmSplash::frmSplash(QWidget* owner, ShellOpen& shellOpen, std::string makerAddress)
    : QDialog(owner), m_shellOpen(shellOpen), m_makerAddress(std::move(makerAddress))
{
  setWindowTitle(QStringLiteral("About"));
  setModal(true);
  setFixedSize(kPictureWidth, kPictureHeight + kBandHeight);
  setStyleSheet(QStringLiteral("QDialog { background: white; }"));

  Image1 = new QLabel(this);
  Image1->setPixmap(QPixmap(QStringLiteral(":/shell/about.png")));
  Image1->setGeometry(0, 0, kPictureWidth, kPictureHeight);

  img = new QLabel(this);
  img->setPixmap(QPixmap(QStringLiteral(":/shell/cursor_link.png")));
  img->hide();

  const QString maker = QString::fromStdString(m_makerAddress);
  Label9 = textLabel(this, QStringLiteral("tarvek"), 12, kPictureHeight + 4, 200, 36);
  QFont serif(QStringLiteral("Times New Roman"), 22);
  serif.setBold(true);
  Label9->setFont(serif);
  // The teal of the main window's title.
  QPalette teal = Label9->palette();
  teal.setColor(QPalette::WindowText, QColor(0, 128, 128));
  Label9->setPalette(teal);
  Label9->setToolTip(maker);
  Label9->setCursor(QCursor(img->pixmap(), 3, 1));

  Label6[2] = textLabel(this, QString::fromStdString(programVersionText()), 14,
                        kPictureHeight + 40, 180, 18);
  Label6[0] = textLabel(this, maker, 200, kPictureHeight + 40, 190, 18);
  Label6[0]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label2 = textLabel(this, QStringLiteral("[OK]"), 340, kPictureHeight + 10, 50, 22);
  Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label2->setCursor(Qt::PointingHandCursor);
  lbSW = textLabel(this, QString(), 200, kPictureHeight + 10, 130, 22);

  for (QLabel* label : {Image1, Label9, Label2})
    label->installEventFilter(this);
}

void frmSplash::FADEOUT(std::int16_t)
{
  close();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event)
{
  if (event->type() != QEvent::MouseButtonRelease)
    return QDialog::eventFilter(watched, event);
  if (watched == Image1 || watched == Label2) {
    FADEOUT(2);
    return true;
  }
  if (watched == Label9) {
    openURL(m_makerAddress, m_shellOpen);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void frmSplash::keyPressEvent(QKeyEvent*)
{
  FADEOUT(2);
}

// Centred on the available area of the screen the window opens on.
void frmSplash::showEvent(QShowEvent* event)
{
  QDialog::showEvent(event);
  if (QScreen* s = screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(s->availableGeometry().center());
    move(frame.topLeft());
  }
}

} // namespace tarvek
