#pragma once
// dpv --measure PARAMS.dpv OUT.dpv: a sweep without windows. The parameter
// texts and the description come from PARAMS as opening it would give them;
// the run uses the same acquisition as the Run command, on the port backend
// chosen at start, and OUT is written as a measurement file.

#include <QString>

// Returns the process exit code (0 done, 1 PARAMS unreadable, 2 OUT not
// written, 3 no measurement possible, 128 + the signal's number when SIGTERM,
// SIGINT or SIGHUP stopped it); messages and progress go to stderr.
int measureCommand(const QString &params, const QString &out);
