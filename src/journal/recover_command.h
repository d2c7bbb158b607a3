#pragma once
// dpv --folder DIR --recover OUT.dpv: writes the run kept in the journal of
// the settings folder as a measurement file, as the window's Save would have
// written it had the run stopped after the journaled points. The journal
// stays.

#include <QString>

// Returns the process exit code: 0 written; 1 no journal, none with a run, or
// one that cannot be read; 2 OUT not written. Messages go to stderr.
int recoverCommand(const QString &folder, const QString &out);
