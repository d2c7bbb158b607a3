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

namespace {

template <typename Dialog, typename... Arguments>
Dialog &made(std::unique_ptr<Dialog> &dialog, Arguments &&...arguments) {
  if (!dialog) dialog = std::make_unique<Dialog>(std::forward<Arguments>(arguments)...);
  return *dialog;
}

}  // namespace

ProgramWindows::ProgramWindows() {
  mainWindow_ = std::make_unique<TSDIAppForm>(*this);
  TSDIAppForm *main = mainWindow_.get();
  colors_ = std::make_unique<TGColors>(main);
  device_ = std::make_unique<TDevice>(main);
  device_->setElectrodesMaxHandler([main](int maximum) { main->setElectrodesMaximum(maximum); });
  device_->setRunActiveQuery([main] { return main->runActive(); });
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

TAboutBox &ProgramWindows::aboutBox() { return made(aboutBox_, mainWindow_.get()); }
TPage &ProgramWindows::page() { return made(page_, mainWindow_.get()); }
TPrintBox1 &ProgramWindows::printBox() { return made(printBox_, mainWindow_.get()); }
TViewdata &ProgramWindows::viewdata() { return made(viewdata_, mainWindow_->record(), mainWindow_.get()); }
TDeviceCal &ProgramWindows::deviceCal() { return made(deviceCal_, device_->instrument(), mainWindow_.get()); }
Tshowsem &ProgramWindows::showsem() {
  return made(showsem_, device_->instrument(), mainWindow_->record(), mainWindow_.get());
}
TPotCal &ProgramWindows::potCal() { return made(potCal_, device_->instrument(), mainWindow_.get()); }
TQuantitation &ProgramWindows::quantitation() { return made(quantitation_, mainWindow_.get()); }
