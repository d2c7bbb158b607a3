#pragma once
// The one measurement the program holds, grouped by role: the parameter texts,
// the numbers derived from them, the document (description, points, file),
// the graph's view state, the window's display texts and the run state.
// Potentials are volts, times seconds, currents amperes throughout.

#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

inline const QString kTitle = QStringLiteral("Differential pulse voltammetry");

// Items of the current unit list and their amperes per unit.
inline const QStringList kCurrentUnitNames = {"pA", "nA", "uA", "mA", "A"};
inline constexpr double kCurrentUnitFactors[] = {1e-12, 1e-9, 1e-6, 1e-3, 1.0};
// Items of the damping unit list.
inline const QStringList kDampingUnitNames = {"%", "ms", "s"};

// The texts of the parameter controls: the persistent form of the parameters.
struct ParameterTexts {
  QString currMin, currMax;
  int currUnitIndex = 0;  // item of the current unit list, -1 for none
  QString damping;
  int dampingUnitIndex = -1;  // item of the damping unit list, -1 for none
  QString potStart, potEnd;   // mV
  QString sweep;              // mV/s
  QString amplitude;          // mV
  QString period;             // ms
  QString accumulation;       // %
  QString preTime;            // s
  QString prePot;             // mV
  int electrodes = 2;         // 2..electrodesMax
  int electrodesMax = 4;

  QString currUnitText() const;     // empty when none is selected
  QString dampingUnitText() const;  // empty when none is selected
  // Selects the item whose text equals `text` exactly; no match leaves the selection.
  void selectCurrUnit(const QString &text);
  // Selects the equal item; with `clearOnMismatch` no match clears the selection.
  void selectDampingUnit(const QString &text, bool clearOnMismatch);
  void setElectrodes(int value);  // limited to 2..electrodesMax
};

// Texts of the six status panels above the graph.
struct StatusPanels {
  QString status;       // Panel5: "Measuring", "Zoom", "Saving", ...
  QString time;         // Panel6
  QString potential;    // Panel7
  QString current;      // Panel8
  QString pointNumber;  // Panel3
  QString analysis;     // Panel4
  void clear() { *this = StatusPanels(); }
};

enum RunState : int32_t { RunIdle = 0, RunMeasuring = 1, RunPreelectrolysis = 3 };

// The parameters as numbers, read from the texts, and the values that follow from them.
struct ParameterValues {
  double sweepSpeed = 0, pulseAmplitude = 0, pulsePeriod = 0, accumulationFraction = 0;
  double prePotential = 0, preTime = 0, sweepStart = 0;
  double pulseStep = 0, recordingTime = 0;
  int32_t pulseNumber = 0;
  double axisPotStart = 0, axisPotEnd = 0, axisCurrMin = 0, axisCurrMax = 0;
  double xFactor = 0, yFactor = 0, currUnitFactor = 0;
  double maxAbsPotential = 0, maxAbsCurrent = 0;
  uint8_t currDigits = 0, potDigits = 0;
  double dampingFactor = 0, dampingRest = 0;
};

// What a measurement file holds besides the parameter texts, and where it stands.
struct Document {
  QStringList description;  // the experiment description, one entry per line
  // Point storage: differential current per point, in amperes.
  std::vector<double> points;
  int32_t pointIndex = 0;  // index of the last point; 0 and -1 mean no points
  QString runDateTime;
  bool dataSaved = false, askFileName = false;
  QString dataFileName;
};

// The texts of the four axis controls.
struct AxisTexts {
  QString potStart, potEnd, currMin, currMax;
};

// View state of the graph.
struct ViewState {
  // The axis texts from before the zoom; set while the graph is zoomed
  // (`zoomed`, `savedPotStart`, `savedPotEnd`, `savedCurrMin`, `savedCurrMax`).
  std::optional<AxisTexts> beforeZoom;
  // Size of the plot area in pixels; the graph keeps it up to date.
  int plotWidth = 479, plotHeight = 334;
  bool zoomDragging = false;
  QRect zoomRect;
  bool penUp = false;
  double smoothedCurrent = 0;
  bool markerShown = false, refMarkerShown = false;
  int32_t markerX = 0, markerY = 0, refMarkerX = 0, refMarkerY = 0, prevMarkerX = 0, prevMarkerY = 0;
  int32_t markerIndex = 0, refMarkerIndex = 0, prevMarkerIndex = 0;
  double markerCurrent = 0;
};

// The texts the main window shows besides the controls.
struct DisplayTexts {
  // Information labels.
  QString pulseStepInfo = QStringLiteral("Pulse step:");
  QString recordTimeInfo = QStringLiteral("Recording time:");
  QString pulseNrInfo = QStringLiteral("Pulse number:");
  QString runTimeInfo = QStringLiteral("Run time:");
  // Hint of the Run button.
  QString runHint = QStringLiteral("Start of measurement");
  StatusPanels panels;
  QString savedStatusText;  // status panel text put aside while a temporary status shows
};

struct MeasurementRecord {
  ParameterTexts texts;
  ParameterValues params;
  Document document;
  ViewState view;
  DisplayTexts display;

  // Run state; the run's accumulators are the acquisition's own.
  int32_t runState = RunIdle;

  // Sets the storage length; existing values stay, new elements are 0.
  void resizePoints(int32_t length);
  // True when the record holds points to draw (pointIndex above 0).
  bool hasPoints() const { return document.pointIndex > 0; }
  // Potential (V) and time (s) of point i, from the present parameters.
  double pointPotential(int32_t i) const { return params.sweepStart + i * params.pulseStep; }
  double pointTime(int32_t i) const { return i * params.pulsePeriod; }
  // A current as value / currUnitFactor with currDigits (+ extra) decimals, a blank and the unit.
  QString formatCurrent(double amperes, int extraDigits = 0) const;
  // A potential in mV with potDigits (+ extra) decimals and " mV".
  QString formatPotential(double volts, int extraDigits = 0) const;
  // Caption of the main window: the title, with " [name]" when a file is named.
  QString caption() const;

  bool zoomed() const { return view.beforeZoom.has_value(); }
  // The parameter texts with the axis texts from before the zoom, when zoomed.
  ParameterTexts unzoomedTexts() const;
  // Puts the axis texts from before the zoom back; false when not zoomed.
  bool leaveZoom();
};
