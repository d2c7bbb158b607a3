#include "app/ui/program_windows.h"

#include "app/ui/about.h"
#include "app/ui/sdimain.h"
#include "calibration/ui/hardware.h"
#include "calibration/ui/pmtcal.h"
#include "calibration/ui/sem.h"
#include "files/ui/viewdta.h"
#include "graph/ui/colors.h"
#include "instrument/ui/devices.h"
#include "printing/ui/printbox.h"
#include "printing/ui/printwn.h"
#include "quantitation/ui/quantitation_dialog.h"

ProgramWindows::ProgramWindows() {
  mainWindow_ = std::make_unique<TSDIAppForm>();
  TSDIAppForm *main = mainWindow_.get();
  aboutBox_ = std::make_unique<TAboutBox>(main);
  page_ = std::make_unique<TPage>(main);
  printBox_ = std::make_unique<TPrintBox1>(main);
  viewdata_ = std::make_unique<TViewdata>(main->record(), main);
  colors_ = std::make_unique<TGColors>(main);
  device_ = std::make_unique<TDevice>(main);
  device_->setElectrodesMaxHandler([main](int maximum) { main->setElectrodesMaximum(maximum); });
  device_->setRunActiveQuery([main] { return main->runActive(); });
  deviceCal_ = std::make_unique<TDeviceCal>(device_->instrument(), main);
  showsem_ = std::make_unique<Tshowsem>(device_->instrument(), main->record(), main);
  potCal_ = std::make_unique<TPotCal>(device_->instrument(), main);
  quantitation_ = std::make_unique<TQuantitation>(main);
}

ProgramWindows::~ProgramWindows() {
  // A run's thread uses the device window's instrument: it ends first.
  if (mainWindow_->runActive()) mainWindow_->stopRun();
  // The dialogs are children of the main window: release them before it.
  quantitation_.reset();
  potCal_.reset();
  showsem_.reset();
  deviceCal_.reset();
  device_.reset();
  colors_.reset();
  viewdata_.reset();
  printBox_.reset();
  page_.reset();
  aboutBox_.reset();
  mainWindow_.reset();
}
