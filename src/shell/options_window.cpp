#include "shell/options_window.h"

#include "platform/platform.h"
#include "platform/qt_colour.h"
#include "runtime/split.h"
#include "scene/scene_object.h"
#include "shell/atom_colour_dialog.h"
#include "shell/form1.h"
#include "shell/startup.h"
#include "shell/themed_buttons.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cstdlib>

namespace tarvek {

namespace {

const char* const kWhiteCaptions[] = {
    "for PDF Export",
    "for VRML Export",
    "for Copy Image",
    "for Tube Bundle",
    "for MWNT/MWNC",
    "Make protruding MWNT,  dz=",
    "Use plain buttons (applied at next program start)",
    "Export data files with LINUX / UNIX line breaks",
    "Create tubes by number of translational units, not by length in [A]",
    "Create bonds as lines when there are >2000 bonds",
    "Export CIF with ICSD style atom block (e.g. for use with JEMS)"};

QString qs(const char* text)
{
  return QString::fromLatin1(text);
}

// A page holding one captioned frame.
QWidget* framedPage(const char* caption, QLayout* contents)
{
  auto* page = new QWidget;
  auto* frame = new QGroupBox(qs(caption), page);
  frame->setLayout(contents);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(frame);
  return page;
}

// A flat face of exactly the colour: the style's shaded button face would
// show it lighter at the top and darker at the bottom.
void paintFace(QPushButton* button, std::uint32_t colour)
{
  button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid palette(dark); }")
                            .arg(toQColor(colour).name()));
}

} // namespace

std::string keyShortcutText()
{
  const char* const lines[] = {"ENTER \t\tCalculate Geometry",
                               "SPACE \t\tReset orientation",
                               "+ / -\t\tZoom In / Out",
                               "Up / Down\tRotate about horizontal screen axis",
                               "Left / Right\tRotate about vertical screen axis",
                               "Shift + Arrow key\tRotate about screen normal",
                               "Ctrl + Arrow key\t90 deg advance about above axes",
                               "Double-Click\tReset orientation",
                               "",
                               "",
                               "Right-Mousebutton-Drag on Left Side of Display :  Rotate",
                               "Right-Mousebutton-Drag on Right Side of Display:  Zooming",
                               "Left-Mousebutton-Drag + Shift Key: Panning"};
  std::string text;
  for (const char* line : lines) {
    if (line != lines[0])
      text += "\r\n";
    text += line;
  }
  return text;
}

frmOptions::frmOptions(Form1& form, Platform& platform, Preferences& preferences,
                       const Model& model)
    : QDialog(&form), m_form(form), m_platform(platform), m_preferences(preferences), m_model(model)
{
  setWindowTitle(QStringLiteral(" Preferences"));
  tbsOptions = new QTabWidget(this);
  tbsOptions->addTab(viewersPage(), QStringLiteral("Viewers"));
  tbsOptions->addTab(colorsPage(), QStringLiteral("Colors"));
  tbsOptions->addTab(generalPage(), QStringLiteral("General"));
  tbsOptions->addTab(shortcutsPage(), QStringLiteral("Shortcuts"));
  tbsOptions->setCurrentIndex(0);

  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
  cmdApply = new QPushButton(QStringLiteral("Apply"), this);
  connect(cmdOK, &QPushButton::clicked, this, [this] {
    applyOptions();
    close();
  });
  connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
  connect(cmdApply, &QPushButton::clicked, this, &frmOptions::applyOptions);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (auto* button : {cmdOK, cmdCancel, cmdApply})
    buttons->addWidget(button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tbsOptions);
  layout->addLayout(buttons);

  if (m_form.startup().manifestPresent)
    installXPButtons(this);
  adjustSize();
  if (const QScreen* screen = this->screen()) {
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }
}

QWidget* frmOptions::viewersPage()
{
  const char* const labels[] = {"*.MOL", "*.PDB", "*.CIF", "*.VRML"};
  auto* grid = new QGridLayout;
  for (int i = 0; i < 4; ++i) {
    tfTOOL[i] = new QLineEdit;
    btDIR[i] = new QPushButton(QStringLiteral("..."));
    grid->addWidget(new QLabel(qs(labels[i])), i, 0);
    grid->addWidget(tfTOOL[i], i, 1);
    grid->addWidget(btDIR[i], i, 2);
    connect(btDIR[i], &QPushButton::clicked, this, [this, i] { chooseViewer(i); });
  }
  auto* note = new QLabel(QStringLiteral("The export functions are provided so you may use a "
                                         "structure viewer of your choice to do the rendering."));
  note->setWordWrap(true);
  grid->addWidget(note, 4, 0, 1, 3);
  grid->setRowStretch(5, 1);
  return framedPage("Specify Paths to Viewer Programs", grid);
}

QWidget* frmOptions::colorsPage()
{
  const char* const labels[] = {"Background Color", "Atom Color for Site 1",
                                "Atom Color for Site 2", "Atom Color for Carbon", "Bond Color"};
  auto* grid = new QGridLayout;
  for (int i = 0; i < 5; ++i) {
    btCOL[i] = new QPushButton;
    btCOL[i]->setFixedWidth(40);
    grid->addWidget(new QLabel(qs(labels[i])), i, 0);
    grid->addWidget(btCOL[i], i, 1);
    connect(btCOL[i], &QPushButton::clicked, this, [this, i] {
      m_colours[i] = getNewColor(m_colours[i]);
      paintFace(btCOL[i], m_colours[i]);
    });
  }
  for (int i = 0; i < 11; ++i) {
    cbWHITE[i] = new QCheckBox(qs(kWhiteCaptions[i]));
    connect(cbWHITE[i], &QCheckBox::clicked, this, [this, i] { whiteClicked(i); });
  }
  grid->addWidget(new QLabel(QStringLiteral("Use White Background")), 0, 2);
  for (int i = 0; i < 3; ++i)
    grid->addWidget(cbWHITE[i], i + 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Multi-Colored Bonds")), 4, 2);
  grid->addWidget(cbWHITE[3], 5, 2);
  grid->addWidget(cbWHITE[4], 6, 2);
  btATCOL = new QPushButton(QStringLiteral("Change"));
  connect(btATCOL, &QPushButton::clicked, this, &frmOptions::showAtomColours);
  grid->addWidget(new QLabel(QStringLiteral("PDB Import Colors")), 6, 0);
  grid->addWidget(btATCOL, 6, 1);
  grid->setRowStretch(7, 1);
  return framedPage("Specify Colors", grid);
}

QWidget* frmOptions::generalPage()
{
  auto* grid = new QGridLayout;
  tfINP[0] = new QLineEdit(QStringLiteral("1.0"));
  tfINP[1] = new QLineEdit(QStringLiteral("5 5 0"));
  tfINP[1]->setToolTip(QStringLiteral("Input three values separated by SPACE"));
  tfINP[2] = new QLineEdit(QStringLiteral("4.0"));
  tfINP[2]->setToolTip(QStringLiteral("Protruding translation in Angstrom"));
  cmbAX = new QComboBox;
  {
    const QSignalBlocker block(cmbAX);
    cmbAX->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    cmbAX->setCurrentIndex(-1);
  }
  connect(cmbAX, &QComboBox::currentIndexChanged, this, &frmOptions::axisChanged);
  grid->addWidget(
      new QLabel(QStringLiteral("Angle step [deg] for Arrow-key rotation and animation")), 0, 0);
  grid->addWidget(tfINP[0], 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Default Orientation Axis")), 1, 0);
  grid->addWidget(cmbAX, 1, 1);
  grid->addWidget(
      new QLabel(QStringLiteral("Bounding box padding along x,y,z in [A] for CIF export")), 2, 0);
  grid->addWidget(tfINP[1], 2, 1);
  auto* protrude = new QHBoxLayout;
  protrude->addWidget(cbWHITE[5]);
  protrude->addWidget(tfINP[2]);
  protrude->addWidget(new QLabel(QStringLiteral("A")));
  protrude->addStretch();
  grid->addLayout(protrude, 3, 0, 1, 2);
  for (int i = 6; i < 11; ++i)
    grid->addWidget(cbWHITE[i], i - 2, 0, 1, 2);
  grid->setRowStretch(9, 1);
  return framedPage("General Options", grid);
}

QWidget* frmOptions::shortcutsPage()
{
  taKEY = new QPlainTextEdit;
  taKEY->setReadOnly(true);
  taKEY->setPlainText(QString::fromStdString(keyShortcutText()));
  auto* layout = new QVBoxLayout;
  layout->addWidget(taKEY);
  return framedPage("Key-Shortcuts", layout);
}

void frmOptions::setColorOption(int index, std::uint32_t colour)
{
  m_colours[index] = colour;
  paintFace(btCOL[index], colour);
}

void frmOptions::setToolPath(int index, const std::string& path)
{
  tfTOOL[index]->setText(QString::fromStdString(std::string(trimBlanks(path))));
}

void frmOptions::setInpOption(int index, const std::string& text)
{
  tfINP[index]->setText(QString::fromStdString(text));
}

void frmOptions::setAxis(std::int16_t axis)
{
  const int v = std::abs(2 - std::abs(int(axis)));
  if (v >= 3)
    return;
  // Selecting the entry it already has runs no handler.
  m_preferences.defaultAxis = static_cast<std::int16_t>(2 - v);
  cmbAX->setCurrentIndex(v);
}

void frmOptions::setWhites()
{
  for (int i = 0; i < 11; ++i)
    cbWHITE[i]->setChecked(m_preferences.optionFlags[i]);
}

std::uint32_t frmOptions::getNewColor(std::uint32_t colour)
{
  return m_platform.colourChooser.choose(colour, {}).value_or(colour);
}

void frmOptions::applyOptions()
{
  Preferences& p = m_preferences;
  for (int i = 0; i < 4; ++i)
    p.viewerPaths[i] = std::string(trimBlanks(tfTOOL[i]->text().toStdString()));
  p.backgroundColor = m_colours[0];
  p.site1Color = m_colours[1];
  p.site2Color = m_colours[2];
  p.carbonColor = m_colours[3];
  p.bondColor = m_colours[4];
  p.rotationStep = optionNumber(tfINP[0]->text().toStdString());
  p.protrudeDz = optionNumber(tfINP[2]->text().toStdString());
  const std::vector<std::string> parts = paddingParts(tfINP[1]->text().toStdString());
  for (std::size_t i = 0; i < parts.size(); ++i)
    p.cifPadding[i] = optionNumber(parts[i]);
  for (int i = 0; i < 11; ++i)
    p.optionFlags[i] = cbWHITE[i]->isChecked();
  m_form.SaveRegistry();
  // A user must not believe a setting was kept when it was not.
  if (!m_platform.settings.sync())
    m_platform.prompts.message(settingsNotSavedMessage(m_platform.settings.location()), {},
                               MessageIcon::Exclamation);
  m_form.Apply();
}

void frmOptions::chooseViewer(int index)
{
  const auto choice = m_platform.fileDialogs.open("Select Viewer Program", "/usr/bin", "All files (*)|*", {}, 1);
  if (choice && !choice->path.empty())
    tfTOOL[index]->setText(QString::fromStdString(choice->path));
}

void frmOptions::whiteClicked(int index)
{
  for (int i = 0; i < 11; ++i)
    m_preferences.optionFlags[i] = cbWHITE[i]->isChecked();
  if (index != 6)
    return;
  const std::string& marker = m_form.startup().manifestPath;
  if (cbWHITE[6]->isChecked())
    deleteManifest(marker);
  else
    static_cast<void>(writeManifest(marker));
}

void frmOptions::axisChanged(int position)
{
  if (position < 0)
    return;
  m_preferences.defaultAxis = static_cast<std::int16_t>(2 - position);
  if (isVisible())
    m_form.scene().zoomReset(0);
}

void frmOptions::showAtomColours()
{
  dlgATCOL dialog(m_form, m_model, m_platform.colourChooser, this);
  dialog.exec();
}

void frmOptions::closeEvent(QCloseEvent* event)
{
  if (m_form.state().appClosing) {
    event->accept();
    return;
  }
  event->ignore();
  hide();
}

void frmOptions::hideEvent(QHideEvent* event)
{
  m_form.state().optionsWindowOpen = false;
  QDialog::hideEvent(event);
}

} // namespace tarvek
