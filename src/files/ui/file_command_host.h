#pragma once
// What the File commands need from the main window that runs them.

#include "core/measurement_record.h"

class QWidget;

class FileCommandHost {
 public:
  virtual ~FileCommandHost() = default;
  virtual MeasurementRecord &record() = 0;
  // Parent of the dialogs and message boxes.
  virtual QWidget *hostWindow() = 0;
  // True while the acquisition timer runs.
  virtual bool runActive() const = 0;
  // Stops the run as the Stop command does (BitBtnStopClick).
  virtual void stopRun() = 0;
  // Leaves a zoomed graph before a file is loaded.
  virtual void leaveZoom() = 0;
  // Puts the record's texts, status panels, labels and caption into the widgets.
  virtual void syncFromRecord() = 0;
  // Asks for a graph redraw (Redraw).
  virtual void requestRedraw() = 0;
  // The measurement was written to a .dpv file.
  virtual void measurementSaved() = 0;
};
