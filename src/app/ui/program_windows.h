#pragma once
// The program's windows, created once in their fixed order; each reads its
// own settings while it is created. Destroyed in reverse order.

#include <memory>

class TSDIAppForm;
class TAboutBox;
class TPage;
class TPrintBox1;
class TViewdata;
class TGColors;
class TDevice;
class TDeviceCal;
class Tshowsem;
class TPotCal;
class TQuantitation;

class ProgramWindows {
 public:
  ProgramWindows();
  ~ProgramWindows();
  TSDIAppForm &mainWindow() { return *mainWindow_; }

 private:
  std::unique_ptr<TSDIAppForm> mainWindow_;
  std::unique_ptr<TAboutBox> aboutBox_;
  std::unique_ptr<TPage> page_;
  std::unique_ptr<TPrintBox1> printBox_;
  std::unique_ptr<TViewdata> viewdata_;
  std::unique_ptr<TGColors> colors_;
  std::unique_ptr<TDevice> device_;
  std::unique_ptr<TDeviceCal> deviceCal_;
  std::unique_ptr<Tshowsem> showsem_;
  std::unique_ptr<TPotCal> potCal_;
  std::unique_ptr<TQuantitation> quantitation_;
};
