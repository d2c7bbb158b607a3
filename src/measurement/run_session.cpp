#include "measurement/run_session.h"

#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <chrono>

#include "core/numbers.h"
#include "instrument/port_backend.h"

namespace {
// Room for this many events at most: the window takes them every 110 ms.
constexpr int32_t kQueueCapacity = 65536;

int64_t monotonicMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
}  // namespace

RunSession::RunSession(MeasurementRecord &record, RunInstrument &instrument, Clock clock)
    : record_(record), instrument_(instrument), clock_(clock ? std::move(clock) : Clock(monotonicMilliseconds)) {}

RunSession::~RunSession() { stop(); }

void RunSession::start() {
  stop();  // one run at a time
  MeasurementRecord &r = record_;
  plan_ = planRun(r);
  // The new run belongs to no file until it is saved.
  r.document.dataFileName.clear();
  r.document.runDateTime = QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
  r.display.runTimeInfo = QStringLiteral("Run time: ") + r.document.runDateTime;
  r.display.runHint = QStringLiteral("Start of measurement: ") + r.document.runDateTime;
  // A fresh run never shows values left over from an earlier run or file.
  r.document.points.assign(static_cast<size_t>(plan_.pulseNumber), 0.0);
  r.document.pointIndex = 0;
  const bool pre = plan_.preTime != 0;
  r.runState = pre ? RunPreelectrolysis : RunMeasuring;
  r.display.panels.status = pre ? QStringLiteral("Preelectrolysis") : QStringLiteral("Measuring");
  r.document.dataSaved = false;
  r.document.askFileName = true;
  statistics_ = Statistics();
  ended_ = false;
  if (drawPoint_) drawPoint_(plan_.sweepStart, 0.0, true);
  if (observer_) observer_->runStarted(r);

  events_ = std::make_unique<RunEventQueue>(static_cast<size_t>(std::min(plan_.pulseNumber, kQueueCapacity)) + 64);
  stopRequested_.store(false);
  finished_.store(false);
  acquisition_ = std::make_unique<Acquisition>(instrument_, plan_, *events_, stopRequested_, clock_);
  const bool virtualTime = instrument_.VirtualTime();
  std::atomic<int> priority{-1};
  thread_ = std::thread([this, virtualTime, &priority] {
    const ThreadPriority got = virtualTime ? ThreadPriority::VirtualTime : raiseCurrentThreadPriority();
    priority.store(static_cast<int>(got));
    // After the window is told: the first lock of a process takes a while.
    if (got == ThreadPriority::RealTime) lockProcessMemory();
    acquisition_->run();
    finished_.store(true);
  });
  // The thread says at once which priority it got.
  while (priority.load() < 0) std::this_thread::yield();
  priority_ = static_cast<ThreadPriority>(priority.load());
}

bool RunSession::deliver() {
  if (!events_) return false;
  takeEvents();
  return !ended_;
}

void RunSession::takeEvents() {
  RunEvent event;
  RunEvent last;
  double lastStored = 0;
  bool anyPoint = false;
  while (events_->pop(event)) {
    if (event.kind == RunEvent::Kind::Point) {
      lastStored = storePoint(event);
      last = event;
      anyPoint = true;
    } else {
      apply(event);
    }
  }
  // The panels show the last point only: texts are set, never appended.
  if (anyPoint) showPoint(last, lastStored);
}

double RunSession::storePoint(const RunEvent &point) {
  MeasurementRecord &r = record_;
  ++statistics_.points;
  if (!point.sampled) ++statistics_.pointsWithoutSamples;
  if (!point.valid) ++statistics_.invalidPoints;
  statistics_.baseReadings += point.baseReadings;
  // Nothing ever writes outside the storage, whatever changed it meanwhile.
  const size_t index = static_cast<size_t>(point.index);
  if (index >= r.document.points.size()) return 0;
  double &stored = r.document.points[index];
  if (point.sampled) stored = point.value;
  // A save made during the run does not cover the points that follow it.
  r.document.dataSaved = false;
  r.document.pointIndex = point.index + 1 < plan_.pulseNumber ? point.index + 1 : point.index;
  if (drawPoint_) drawPoint_(point.potential, stored, point.valid);
  if (observer_) observer_->pointCompleted(point.index, stored);
  return stored;
}

void RunSession::showPoint(const RunEvent &point, double stored) {
  StatusPanels &panels = record_.display.panels;
  panels.potential = record_.formatPotential(point.potential);
  panels.current = record_.formatCurrent(stored);
  panels.pointNumber = QString::number(point.index);
  panels.analysis = QStringLiteral(" Reading per point: ") + QString::number(point.baseReadings);
}

void RunSession::apply(const RunEvent &event) {
  MeasurementRecord &r = record_;
  StatusPanels &panels = r.display.panels;
  switch (event.kind) {
    case RunEvent::Kind::Preelectrolysis:
      panels.time = formatFixed(event.secondsLeft, 1) + QStringLiteral(" s");
      panels.potential = r.texts.prePot + QStringLiteral(" mV");
      panels.current = r.formatCurrent(event.value);
      break;
    case RunEvent::Kind::SweepStarted:
      r.runState = RunMeasuring;
      panels.status = QStringLiteral("Measuring");
      panels.time.clear();
      panels.potential.clear();
      panels.current.clear();
      break;
    case RunEvent::Kind::Ended:
      ended_ = true;
      break;
    case RunEvent::Kind::Point:
      break;
  }
}

void RunSession::stop() {
  if (!thread_.joinable()) return;
  stopRequested_.store(true);
  // The thread may wait for room in the queue: keep taking events until it is done.
  while (!finished_.load()) {
    takeEvents();
    sleepSeconds(0.001);
  }
  thread_.join();
  takeEvents();
  acquisition_.reset();
  events_.reset();
  if (observer_) observer_->runEnded();
  MeasurementRecord &r = record_;
  r.display.panels.clear();
  if (r.zoomed()) r.display.panels.status = QStringLiteral("Zoom");
  r.runState = RunIdle;
}

QString RunSession::summary() const {
  return QStringLiteral("%1 points, %2 invalid, %3 without samples, %4 readings per point")
      .arg(statistics_.points)
      .arg(statistics_.invalidPoints)
      .arg(statistics_.pointsWithoutSamples)
      .arg(statistics_.readingsPerPoint(), 0, 'f', 1);
}
