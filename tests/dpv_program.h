#pragma once
// Runs the program itself as a child process, as a shell would. DPV_PROGRAM
// names the built program (see the test's CMakeLists.txt).

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <csignal>

struct ProgramRun {
  bool finished = false;  // within the time allowed
  int exitCode = -1;
  QString output;  // stdout and stderr
};

inline QString dpvProgram() { return QStringLiteral(DPV_PROGRAM); }

// The test's environment, headless.
inline QProcessEnvironment dpvEnvironment() {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  return env;
}

inline ProgramRun runDpv(const QStringList &arguments, const QProcessEnvironment &env = dpvEnvironment(),
                         int timeoutMs = 120000) {
  QProcess process;
  process.setProcessEnvironment(env);
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(dpvProgram(), arguments);
  ProgramRun run;
  run.finished = process.waitForFinished(timeoutMs);
  if (!run.finished) process.kill(), process.waitForFinished();
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.output = QString::fromLocal8Bit(process.readAll());
  return run;
}

// Sends `signal` to a child that is still running. A finished child's id is 0,
// and kill(0) would hit the whole process group, the test runner among it.
inline void signalChild(const QProcess &process, int signal) {
  const qint64 pid = process.processId();
  if (pid > 0) ::kill(static_cast<pid_t>(pid), signal);
}
