#pragma once
// The program's command line, parsed in one place.

#include <QString>
#include <QStringList>

#include "quantitation/quantitation_settings.h"

struct CommandLine {
  enum class Mode { Gui, Measure, ExportText, Resave, Report, Peaks, Recover, Quantify, Subtract };
  Mode mode = Mode::Gui;
  QString folder;                     // --folder: settings, calibration and help files
  QString port;                       // --port: port backend
  QString simCell;                    // --sim-cell: simulated cell parameters
  QString input;                      // first file of a command-line form, or the file to open (absolute)
  QString output;                     // second file of a command-line form
  QString blank;                      // --subtract: the blank
  QuantitationSettings quantitation;  // --peak-potential, --peak-window, --weighting
};

// True when a window could be shown: a platform is chosen, or an X11 or
// Wayland display is named.
bool hasDisplay();

// True when the arguments ask for a form that opens no window, so the
// program can start without a display.
bool isHeadlessInvocation(int argc, char **argv);

// A file named on the command line as a path (relative to the current
// folder) or as a file: URL, as file managers pass it; the absolute path.
QString localFileArgument(const QString &argument);

// Parses the arguments of the running QCoreApplication. Prints help or an
// error and exits the process for --help, --version and bad arguments.
CommandLine parseCommandLine(const QStringList &arguments, const QString &simCellHelp);

// Why the program cannot start with `cl`, or an empty text: a --folder that is
// no folder, or a command-line form whose output is its input file.
QString commandLineProblem(const CommandLine &cl);
