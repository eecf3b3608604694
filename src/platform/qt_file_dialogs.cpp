#include "platform/qt_file_dialogs.h"

#include "platform/file_filter.h"

#include <QApplication>
#include <QFileDialog>

namespace tarvek {

namespace {

std::optional<FileChoice> runDialog(QFileDialog::AcceptMode mode, const std::string& title,
                                    const std::string& folder, const std::string& filter,
                                    const std::string& suggestedName, int filterIndex)
{
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(title),
                     QString::fromStdString(folder));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  // The caller asks with confirmOverwrite, in the program's own words.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);

  const std::vector<std::string> filters = toNameFilters(filter);
  if (!filters.empty()) {
    QStringList names;
    for (const auto& f : filters)
      names << QString::fromStdString(f);
    dialog.setNameFilters(names);
    dialog.selectNameFilter(QString::fromStdString(nameFilterAt(filters, filterIndex)));
  }
  if (!suggestedName.empty())
    dialog.selectFile(QString::fromStdString(suggestedName));

  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return std::nullopt;
  return FileChoice{dialog.selectedFiles().first().toStdString(),
                    nameFilterIndex(filters, dialog.selectedNameFilter().toStdString())};
}

} // namespace

std::optional<FileChoice> QtFileDialogs::open(const std::string& title, const std::string& folder,
                                              const std::string& filter,
                                              const std::string& suggestedName, int filterIndex)
{
  return runDialog(QFileDialog::AcceptOpen, title, folder, filter, suggestedName, filterIndex);
}

std::optional<FileChoice> QtFileDialogs::save(const std::string& title, const std::string& folder,
                                              const std::string& filter,
                                              const std::string& suggestedName, int filterIndex)
{
  return runDialog(QFileDialog::AcceptSave, title, folder, filter, suggestedName, filterIndex);
}

} // namespace tarvek
