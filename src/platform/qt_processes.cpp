#include "platform/qt_processes.h"

#include <QApplication>
#include <QEventLoop>
#include <QProcess>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTimer>

#include <memory>

namespace tarvek {

namespace {

QStringList toQt(const std::vector<std::string>& args)
{
  QStringList list;
  for (const auto& a : args)
    list << QString::fromStdString(a);
  return list;
}

} // namespace

std::string QtProcesses::findExecutable(const std::string& name)
{
  return QStandardPaths::findExecutable(QString::fromStdString(name)).toStdString();
}

bool QtProcesses::startDetached(const std::string& program, const std::vector<std::string>& args,
                                const std::string& folder)
{
  return QProcess::startDetached(QString::fromStdString(program), toQt(args),
                                 QString::fromStdString(folder));
}

bool QtProcesses::startWatched(const std::string& program, const std::vector<std::string>& args,
                               const std::string& folder,
                               std::function<void(const std::string&)> onError)
{
  // Owned by nothing: it goes when the program ends, and a program still
  // running when we quit is left to run, as a detached one would.
  auto* process = new QProcess;
  process->setProgram(QString::fromStdString(program));
  process->setArguments(toQt(args));
  if (!folder.empty())
    process->setWorkingDirectory(QString::fromStdString(folder));
  process->setStandardInputFile(QProcess::nullDevice());
  process->setProcessChannelMode(QProcess::ForwardedOutputChannel);
  // The error output is kept to its last few lines, however much it writes.
  constexpr qsizetype kKeptBytes = 2000;
  auto tail = std::make_shared<QByteArray>();
  QObject::connect(process, &QProcess::readyReadStandardError, process, [process, tail] {
    tail->append(process->readAllStandardError());
    if (tail->size() > kKeptBytes)
      tail->remove(0, tail->size() - kKeptBytes);
  });
  QObject::connect(process, &QProcess::finished, process,
                   [process, tail, onError = std::move(onError)](int code, QProcess::ExitStatus status) {
                     tail->append(process->readAllStandardError());
                     process->deleteLater();
                     if (status == QProcess::NormalExit && code == 0)
                       return;
                     QString text = QString::fromLocal8Bit(tail->right(kKeptBytes)).trimmed();
                     if (text.isEmpty())
                       text = status == QProcess::CrashExit ? QStringLiteral("It was ended by a signal.")
                                                            : QStringLiteral("Exit code %1.").arg(code);
                     onError(text.toStdString());
                   });
  process->start();
  if (!process->waitForStarted(-1)) {
    delete process;
    return false;
  }
  return true;
}

ProcessResult QtProcesses::run(const std::string& program, const std::vector<std::string>& args,
                               const std::string& folder, const std::string& waitText)
{
  QProcess process;
  process.setProgram(QString::fromStdString(program));
  process.setArguments(toQt(args));
  if (!folder.empty())
    process.setWorkingDirectory(QString::fromStdString(folder));
  process.setProcessChannelMode(QProcess::ForwardedChannels);
  process.setStandardInputFile(QProcess::nullDevice());
  process.start();
  if (!process.waitForStarted(-1))
    return ProcessResult::failedToStart("Cannot start " + program + ": "
                                        + process.errorString().toStdString());

  QEventLoop loop;
  QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);

  QProgressDialog dialog(QString::fromStdString(waitText), QStringLiteral("Cancel"), 0, 0,
                         QApplication::activeWindow());
  dialog.setWindowTitle(QStringLiteral("tarvek"));
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setAutoClose(false);
  dialog.setAutoReset(false);

  QTimer killTimer;
  killTimer.setSingleShot(true);
  killTimer.setInterval(m_killDelayMs);
  QObject::connect(&killTimer, &QTimer::timeout, &process, &QProcess::kill);

  bool cancelled = false;
  auto cancel = [&] {
    if (!cancelled) {
      cancelled = true;
      process.terminate();
      killTimer.start();
    }
    // Cancel, Escape and closing all hide the dialog; keep it up, without its
    // button, until the program has gone, so no other command starts meanwhile.
    if (process.state() != QProcess::NotRunning) {
      dialog.setCancelButton(nullptr);
      dialog.show();
    }
  };
  QObject::connect(&dialog, &QProgressDialog::canceled, &loop, cancel, Qt::QueuedConnection);

  if (process.state() != QProcess::NotRunning) {
    dialog.show();
    loop.exec();
  }
  dialog.hide();

  if (process.state() != QProcess::NotRunning) {
    // The application is quitting and ended every event loop.
    process.kill();
    process.waitForFinished(-1);
    return ProcessResult::cancelled();
  }
  if (cancelled)
    return ProcessResult::cancelled();
  if (process.exitStatus() == QProcess::CrashExit)
    return ProcessResult::finished(-1, program + " ended abnormally.");
  return ProcessResult::finished(process.exitCode());
}

} // namespace tarvek
