// Program start: parse the command line, choose the instrument port, then
// either run a command-line form or create the windows and run the program.
#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include "app/application_identity.h"
#include "app/command_line.h"
#include "app/measure_command.h"
#include "app/termination_signals.h"
#include "app/ui/app_style.h"
#include "app/ui/end_on_signal.h"
#include "app/ui/program_windows.h"
#include "app/ui/sdimain.h"
#include "core/app_paths.h"
#include "files/command_forms.h"
#include "instrument/port_backend.h"
#include "journal/recover_command.h"
#include "printing/report_command.h"
#include "quantitation/quantify_command.h"
#include "references/subtract_command.h"

int main(int argc, char **argv) {
  // The command-line forms open no window and must work without a display;
  // without one, a wrong option is still told as on a desktop.
  const bool display = hasDisplay();
  if (isHeadlessInvocation(argc, argv) || !display) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // A private runtime folder keeps Qt quiet on machines without a session.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
      const QByteArray dir = QDir::tempPath().toLocal8Bit() + "/dpv-runtime-" + QByteArray::number(getuid());
      if (QDir().mkpath(QString::fromLocal8Bit(dir)) &&
          QFile::setPermissions(QString::fromLocal8Bit(dir), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        qputenv("XDG_RUNTIME_DIR", dir);
    }
  }
  QApplication app(argc, argv);
  setApplicationIdentity();
#ifdef DPV_INSTALLED_LAYOUT
  setFileLayout(FileLayout::Installed);
#endif

  const CommandLine cl = parseCommandLine(QApplication::arguments(), simCellHelp());
  QString error = commandLineProblem(cl);
  if (!error.isEmpty()) {
    QTextStream(stderr) << "dpv: " << error << Qt::endl;
    return 2;
  }
  if (!cl.folder.isEmpty()) setProgramFolder(cl.folder);
  if (!selectPortBackend(cl.port, cl.simCell, &error)) {
    QTextStream(stderr) << "dpv: " << error << Qt::endl;
    return 2;
  }
  // The forms that drive the cell end in order on a signal; the others are
  // short, and their atomic writes leave no partial file when killed.
  if (cl.mode == CommandLine::Mode::Gui || cl.mode == CommandLine::Mode::Measure) catchTerminationSignals();

  switch (cl.mode) {
    case CommandLine::Mode::Measure:
      return measureCommand(cl.input, cl.output);
    case CommandLine::Mode::ExportText:
      return exportTextCommand(cl.input, cl.output);
    case CommandLine::Mode::Resave:
      return resaveCommand(cl.input, cl.output);
    case CommandLine::Mode::Report:
      return reportCommand(cl.input, cl.output);
    case CommandLine::Mode::Peaks:
      return peaksCommand(cl.input, cl.output);
    case CommandLine::Mode::Recover:
      return recoverCommand(programFolder(), cl.output);
    case CommandLine::Mode::Quantify:
      return quantifyCommand(cl.input, cl.output, cl.quantitation);
    case CommandLine::Mode::Subtract:
      return subtractCommand(cl.blank, cl.input, cl.output);
    case CommandLine::Mode::Gui:
      break;
  }

  if (!display) {
    QTextStream(stderr) << "dpv: no display to open the window on (DISPLAY is not set); "
                           "the command-line forms work without one (dpv --help)"
                        << Qt::endl;
    return 1;
  }

  QApplication::setStyle(new AppStyle);
  ProgramWindows windows;
  TSDIAppForm &mainWindow = windows.mainWindow();
  endOnTerminationSignal(mainWindow);
  mainWindow.show();
  if (!cl.input.isEmpty()) mainWindow.openAtStart(cl.input);
  mainWindow.offerJournaledRun();
  const int code = app.exec();
  return terminationSignal() != 0 ? terminationExitCode(terminationSignal()) : code;
}
