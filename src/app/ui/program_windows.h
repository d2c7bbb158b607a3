#pragma once
// The program's windows. The main window, the device window (it holds the
// instrument) and the graph colours (the graph paints with them) are made at
// once; every other dialog at its first use, one instance each. Each reads its
// own settings while it is made; all that were made are destroyed in the
// reverse of their fixed order.

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

  // The dialogs made at their first use.
  TAboutBox &aboutBox();
  TPage &page();
  TPrintBox1 &printBox();
  TViewdata &viewdata();
  TDeviceCal &deviceCal();
  Tshowsem &showsem();
  TPotCal &potCal();
  TQuantitation &quantitation();

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
