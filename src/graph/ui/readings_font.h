#pragma once
// The face of the main window's readings: the graph's axis labels and the
// status panels above it.

#include <QFont>

// Arial at 12 pixels.
QFont readingsFont();
