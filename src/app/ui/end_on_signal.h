#pragma once
// The window's end on SIGTERM, SIGINT or SIGHUP: as a close, but nobody is
// there to answer. Open dialogs are closed (a message box's text goes to
// stderr), then the main window closes without the unsaved-data question, so
// the cell goes off and the settings and calibration are written. Unsaved
// data are not saved.

class TSDIAppForm;

void endOnTerminationSignal(TSDIAppForm &mainWindow);
