#include "app/command_line.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/same_file.h"
#include "core/numbers.h"

namespace {
// Options that print or write something and open no window.
const char *const kHeadlessOptions[] = {"--measure",  "--export-text", "--resave", "--report", "--peaks",   "--recover",
                                        "--quantify", "--subtract",    "--help",   "-h",       "--version", "-v"};

[[noreturn]] void fail(const QString &message) {
  std::fprintf(stderr, "dpv: %s\nTry 'dpv --help'.\n", qPrintable(message));
  std::exit(2);
}

// Millivolts as given to an option, in volts.
double optionVolts(const QString &option, const QString &text, bool positive) {
  bool number = false;
  const double mv = readNumber(text, &number);
  if (!number || text.trimmed().isEmpty() || !std::isfinite(mv) || (positive && mv <= 0))
    fail(QStringLiteral("%1 takes %2 millivolts, not \"%3\"")
             .arg(option, positive ? QStringLiteral("a number of") : QStringLiteral("a potential in"), text));
  return mv / 1000;
}
}  // namespace

bool isHeadlessInvocation(int argc, char **argv) {
  for (int i = 1; i < argc; ++i)
    for (const char *option : kHeadlessOptions)
      if (std::strcmp(argv[i], option) == 0 ||
          (std::strncmp(argv[i], option, std::strlen(option)) == 0 && argv[i][std::strlen(option)] == '='))
        return true;
  return false;
}

bool hasDisplay() {
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

QString localFileArgument(const QString &argument) {
  if (argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
    const QUrl url(argument);
    if (url.isLocalFile()) return QFileInfo(url.toLocalFile()).absoluteFilePath();
  }
  return QFileInfo(argument).absoluteFilePath();
}

CommandLine parseCommandLine(const QStringList &arguments, const QString &simCellHelp) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Differential pulse voltammetry: runs DPV sweeps on a potentiostat at the parallel port,\n"
                     "draws, saves, exports and prints them. Without --port it uses the built-in\n"
                     "simulated instrument."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption folder(QStringLiteral("folder"),
                                  QStringLiteral("Folder of marelt.ini, the calibration files and the help file "
                                                 "(default: the program's folder; for an installed program "
                                                 "~/.config/dpv)."),
                                  QStringLiteral("DIR"));
  const QCommandLineOption port(
      QStringLiteral("port"),
      QStringLiteral("Instrument port: sim (simulated instrument, real time; default), sim-fast (simulated, "
                     "virtual clock), none (silent bus), ppdev[:/dev/parportN], direct[:0x378]."),
      QStringLiteral("PORT"), QStringLiteral("sim"));
  const QCommandLineOption simCell(QStringLiteral("sim-cell"), QStringLiteral("Simulated cell. ") + simCellHelp,
                                   QStringLiteral("PARAMS"));
  const QCommandLineOption measure(QStringLiteral("measure"),
                                   QStringLiteral("Run a sweep with the parameters and description of PARAMS.dpv "
                                                  "and save it to the file given after it."),
                                   QStringLiteral("PARAMS.dpv"));
  const QCommandLineOption exportText(QStringLiteral("export-text"),
                                      QStringLiteral("Open IN.dpv and write its text export to the file given "
                                                     "after it."),
                                      QStringLiteral("IN.dpv"));
  const QCommandLineOption resave(QStringLiteral("resave"),
                                  QStringLiteral("Open IN.dpv and save it again to the file given after it."),
                                  QStringLiteral("IN.dpv"));
  const QCommandLineOption report(QStringLiteral("report"),
                                  QStringLiteral("Open IN.dpv and write the one-page report as PDF to the file "
                                                 "given after it."),
                                  QStringLiteral("IN.dpv"));
  const QCommandLineOption peaks(QStringLiteral("peaks"),
                                 QStringLiteral("Open IN.dpv and write the peaks of its curve, as the graph shows "
                                                "it, as CSV to the file given after it (- for standard output)."),
                                 QStringLiteral("IN.dpv"));
  const QCommandLineOption recover(QStringLiteral("recover"),
                                   QStringLiteral("Write the run kept in the run journal of the settings folder "
                                                  "(run.journal, left by a run that was not saved) as OUT.dpv."),
                                   QStringLiteral("OUT.dpv"));
  const QCommandLineOption quantify(QStringLiteral("quantify"),
                                    QStringLiteral("Quantify by the table TABLE.csv (File,Role,Concentration) and "
                                                   "write the results as CSV to the file given after it (- for "
                                                   "standard output)."),
                                    QStringLiteral("TABLE.csv"));
  const QCommandLineOption subtract(QStringLiteral("subtract"),
                                    QStringLiteral("Subtract the blank BLANK.dpv from the measurement IN.dpv and "
                                                   "save the result as OUT.dpv: dpv --subtract BLANK.dpv IN.dpv "
                                                   "OUT.dpv. The blank must cover IN's potential range."),
                                    QStringLiteral("BLANK.dpv"));
  const QCommandLineOption peakPotential(QStringLiteral("peak-potential"),
                                         QStringLiteral("With --quantify: take the peaks nearest MV millivolts "
                                                        "(default: the largest peak of the standards, of the sample "
                                                        "for a standard addition)."),
                                         QStringLiteral("MV"));
  const QCommandLineOption peakWindow(QStringLiteral("peak-window"),
                                      QStringLiteral("With --quantify: look for them within MV millivolts either "
                                                     "side (default 20)."),
                                      QStringLiteral("MV"));
  const QCommandLineOption weighting(QStringLiteral("weighting"),
                                     QStringLiteral("With --quantify: weights of the calibration line, none "
                                                    "(default) or 1/x2."),
                                     QStringLiteral("W"));
  parser.addOptions({folder, port, simCell, measure, exportText, resave, report, peaks, recover, quantify, subtract,
                     peakPotential, peakWindow, weighting});
  parser.addPositionalArgument(QStringLiteral("FILE"),
                               QStringLiteral("Without a command-line form: a .dpv file to open at start "
                                              "(a path or a file: URL). With --measure, --export-text, "
                                              "--resave, --report, --peaks or --quantify: its output file; with "
                                              "--subtract: IN.dpv OUT.dpv."),
                               QStringLiteral("[FILE]"));
  parser.process(arguments);

  CommandLine cl;
  cl.folder = parser.value(folder);
  cl.port = parser.value(port);
  cl.simCell = parser.value(simCell);
  const struct {
    const QCommandLineOption *option;
    CommandLine::Mode mode;
  } forms[] = {{&measure, CommandLine::Mode::Measure},   {&exportText, CommandLine::Mode::ExportText},
               {&resave, CommandLine::Mode::Resave},     {&report, CommandLine::Mode::Report},
               {&peaks, CommandLine::Mode::Peaks},       {&recover, CommandLine::Mode::Recover},
               {&quantify, CommandLine::Mode::Quantify}, {&subtract, CommandLine::Mode::Subtract}};
  for (const auto &form : forms) {
    if (!parser.isSet(*form.option)) continue;
    if (cl.mode != CommandLine::Mode::Gui)
      fail(
          QStringLiteral("give only one of --measure, --export-text, --resave, --report, --peaks, --recover, "
                         "--quantify, --subtract"));
    cl.mode = form.mode;
    cl.input = parser.value(*form.option);
  }
  const bool quantitationChoices = parser.isSet(peakPotential) || parser.isSet(peakWindow) || parser.isSet(weighting);
  if (quantitationChoices && cl.mode != CommandLine::Mode::Quantify)
    fail(QStringLiteral("--peak-potential, --peak-window and --weighting go with --quantify"));
  if (parser.isSet(peakPotential))
    cl.quantitation.potential = optionVolts(QStringLiteral("--peak-potential"), parser.value(peakPotential), false);
  if (parser.isSet(peakWindow))
    cl.quantitation.window = optionVolts(QStringLiteral("--peak-window"), parser.value(peakWindow), true);
  if (parser.isSet(weighting) && !parseWeighting(parser.value(weighting), &cl.quantitation.weighting))
    fail(QStringLiteral("--weighting takes none or 1/x2, not \"%1\"").arg(parser.value(weighting)));
  const QStringList positional = parser.positionalArguments();
  if (cl.mode == CommandLine::Mode::Recover) {
    // Its one file is the output; the journal is found in the folder.
    if (!positional.isEmpty()) fail(QStringLiteral("--recover names its output file only"));
    cl.output = cl.input;
    cl.input.clear();
  } else if (cl.mode == CommandLine::Mode::Subtract) {
    // The option names the blank; the measurement and the result follow it.
    if (positional.size() != 2) fail(QStringLiteral("--subtract takes BLANK.dpv IN.dpv OUT.dpv"));
    cl.blank = cl.input;
    cl.input = positional[0];
    cl.output = positional[1];
  } else if (cl.mode == CommandLine::Mode::Gui) {
    if (positional.size() > 1) fail(QStringLiteral("name at most one file to open"));
    if (!positional.isEmpty()) cl.input = localFileArgument(positional.first());
  } else {
    if (positional.size() != 1) fail(QStringLiteral("name exactly one output file"));
    cl.output = positional.first();
  }
  return cl;
}

QString commandLineProblem(const CommandLine &cl) {
  if (!cl.folder.isEmpty() && !QFileInfo(cl.folder).isDir())
    return QStringLiteral("the folder \"%1\" does not exist").arg(QDir::toNativeSeparators(cl.folder));
  // Writing the output would destroy the measurement it is made from.
  for (const QString &input : {cl.input, cl.blank})
    if (cl.mode != CommandLine::Mode::Gui && !input.isEmpty() && sameFile(input, cl.output))
      return QStringLiteral("the output \"%1\" is the input file \"%2\"; name another output file")
          .arg(QDir::toNativeSeparators(cl.output), QDir::toNativeSeparators(input));
  return QString();
}
