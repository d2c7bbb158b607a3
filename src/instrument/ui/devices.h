#pragma once
// The device window "Measurement device test": chooses the instrument model
// and shows, twice a second while it is active, whether the potentiostat,
// the converters and the timer answer. It owns the instrument object that the
// run and the calibration dialogs use.

#include <QDialog>
#include <QRect>
#include <functional>

#include "instrument/instrument.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

class TDevice : public QDialog {
  Q_OBJECT

 public:
  // The layout is drawn for a font in which "Programmable timer:" is about
  // 100 pixels wide and a line 13 pixels high; larger fonts stretch it alike.
  struct LayoutScale {
    double x = 1;
    double y = 1;
    QRect operator()(int left, int top, int width, int height) const {
      return QRect(qRound(left * x), qRound(top * y), qRound(width * x), qRound(height * y));
    }
  };

  // Runs FormCreate: restores the model choice from the settings and loads
  // its calibration. Sets the global Device.
  explicit TDevice(QWidget *parent = nullptr);
  // Runs FormDestroy: writes the calibration of the selected model.
  ~TDevice() override;

  Instrument &instrument() { return instrument_; }

  // Probes the four units and shows the result; true when all answer.
  bool DeviceTest();

  // Index of the model chosen in the list, -1 for none.
  int selectedDeviceIndex() const;
  // Selects list entry `index` as the user would, running SelDeviceChange.
  void selectDevice(int index);

  // Told the highest electrode count of the model in use, now and after
  // every change of model.
  void setElectrodesMaxHandler(std::function<void(int)> handler);
  // Asked before each timed test: while a run goes on the bus is the run's alone.
  void setRunActiveQuery(std::function<bool()> runActive) { runActive_ = std::move(runActive); }

  // Writes the calibration texts of the selected model to its file.
  bool saveCalibration(QString *error);

  void SelDeviceChange();
  void FormDestroy();

  QComboBox *SelDevice = nullptr;
  QGroupBox *GroupBox1 = nullptr;
  QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
         *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr, *Label10 = nullptr,
         *Label11 = nullptr, *Label12 = nullptr, *Label13 = nullptr, *Label14 = nullptr;
  QLabel *BackendLabel = nullptr;
  QPushButton *Button1 = nullptr;
  QTimer *Timer1 = nullptr;

 protected:
  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;
  void changeEvent(QEvent *event) override;

 private:
  void FormCreate();
  void FormActivate();
  void FormDeactivate();
  void Timer1Timer();
  void showTestResult();
  void showWriteError(const QString &error);
  // The backend text beside the button, or across the window above it when
  // it needs more room; the window grows to hold it.
  void placeBackendText();

  LayoutScale scale_;
  Instrument instrument_;
  std::function<void(int)> electrodesMaxHandler_;
  std::function<bool()> runActive_;
  bool destroyed_ = false;
};

extern TDevice *Device;
