#pragma once
// SIGTERM, SIGINT and SIGHUP as requests to end the program in order (cell
// off, settings and calibration written) instead of a sudden death. The
// handler only notes the signal; the program acts on it from its event loop
// or its measuring loop. A second signal of a kind ends the program at once,
// so an end that hangs can still be stopped.

#include <QObject>
#include <functional>

// Installs the handlers. Call once, before the signals may come.
void catchTerminationSignals();

// The signal that came, or 0.
int terminationSignal();

// Its name ("SIGTERM").
QString terminationSignalName(int signal);

// The exit code of a program ended by `signal`, as the shell gives it: 128 + the number.
int terminationExitCode(int signal);

// Calls `handler` with the signal from the event loop of `context`'s thread
// once a signal came (also for one that came before).
void onTerminationSignal(QObject *context, std::function<void(int)> handler);
