// The queue between the acquisition thread and the window, and the stop
// handshake between them.
#include <gtest/gtest.h>

#include "qstring_print.h"

#include <chrono>
#include <random>
#include <thread>
#include <vector>

#include "measurement/run_session.h"
#include "measurement/spsc_queue.h"
#include "run_to_end.h"
#include "sweep_record.h"

TEST(SpscQueue, HoldsItsCapacityInOrderAcrossTheWrap) {
  SpscQueue<int> queue(3);
  EXPECT_EQ(queue.capacity(), 3u);
  int item = 0;
  EXPECT_FALSE(queue.pop(item));
  for (int round = 0; round < 5; ++round) {
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(queue.push(round * 10 + i));
    EXPECT_FALSE(queue.push(99)) << "full";
    for (int i = 0; i < 3; ++i) {
      ASSERT_TRUE(queue.pop(item));
      EXPECT_EQ(item, round * 10 + i);
    }
    EXPECT_FALSE(queue.pop(item));
  }
}

TEST(SpscQueue, TwoThreadsPassEveryItemOnceInOrder) {
  constexpr int kItems = 100000;
  SpscQueue<int> queue(256);  // small, so both sides meet it full and empty
  std::thread producer([&] {
    for (int i = 0; i < kItems; ++i)
      while (!queue.push(i)) std::this_thread::yield();
  });
  int expected = 0, item = 0;
  while (expected < kItems) {
    if (!queue.pop(item)) {
      std::this_thread::yield();
      continue;
    }
    ASSERT_EQ(item, expected);
    ++expected;
  }
  producer.join();
  EXPECT_FALSE(queue.pop(item));
}

namespace {

// An instrument on a virtual clock, fast enough that a stop meets the run at
// any moment of it: in a pause, in a window, while a point completes.
class VirtualInstrument : public RunInstrument {
 public:
  double time = 0;
  bool counting = false;
  double potential = 0;
  int offCalls = 0;

  void PotentiostatOn(int, double, double, double p) override { potential = p; }
  void PotentiostatOff() override { ++offCalls; }
  void PotentiostatSetPotential(double p) override {
    potential = p;
    tick();
  }
  double PotentiostatGetCurrent() override {
    tick();
    return potential * 1e-6;
  }
  void TimerStart() override { counting = true; }
  void TimerStop() override { counting = false; }
  void TimerReset() override { time = 0; }
  double GetTime() override {
    tick();
    return time;
  }
  void Pause(double seconds) override {
    if (counting) time += seconds;
  }
  bool VirtualTime() const override { return true; }

 private:
  void tick() {
    if (counting) time += 2e-6;
  }
};

struct Told : RunObserver {
  int starts = 0, ends = 0;
  std::vector<std::pair<int32_t, double>> points;
  void runStarted(const MeasurementRecord &) override { ++starts; }
  void pointCompleted(int32_t index, double value) override { points.emplace_back(index, value); }
  void runEnded() override { ++ends; }
};

}  // namespace

TEST(RunStop, AStopAtAnyMomentLosesAndDoublesNoPoint) {
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> micros(0, 20000);
  for (int attempt = 0; attempt < 40; ++attempt) {
    MeasurementRecord r = sweepRecord("-500", "500", "10", "30");
    ASSERT_EQ(r.params.pulseNumber, 1000);
    VirtualInstrument instrument;
    Told told;
    RunSession session(r, instrument);
    session.setObserver(&told);
    session.start();
    // Taken now and then, as the window's timer does, until the stop.
    const auto stopAt = std::chrono::steady_clock::now() + std::chrono::microseconds(micros(random));
    while (std::chrono::steady_clock::now() < stopAt) {
      session.deliver();
      std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
    session.stop();

    const int32_t k = session.statistics().points;
    ASSERT_EQ(told.points.size(), static_cast<size_t>(k)) << attempt;
    for (int32_t i = 0; i < k; ++i) {
      ASSERT_EQ(told.points[i].first, i) << attempt;
      EXPECT_EQ(told.points[i].second, r.document.points[i]) << attempt;
      EXPECT_NE(r.document.points[i], 0.0) << attempt << " point " << i;
    }
    for (size_t i = k; i < r.document.points.size(); ++i) ASSERT_EQ(r.document.points[i], 0.0) << attempt;
    EXPECT_EQ(r.document.pointIndex, k < 1000 ? k : 999) << attempt;
    EXPECT_EQ(told.starts, 1);
    EXPECT_EQ(told.ends, 1);
    EXPECT_EQ(instrument.offCalls, 1);
    EXPECT_FALSE(instrument.counting);
    EXPECT_EQ(r.runState, RunIdle);
    EXPECT_EQ(session.statistics().invalidPoints, 0) << attempt;
  }
}

TEST(RunStop, AVirtualClockAsksForNoRealTimePriority) {
  MeasurementRecord r = sweepRecord("0", "50", "50", "10");
  VirtualInstrument instrument;
  RunSession session(r, instrument);
  runToEnd(session);
  EXPECT_EQ(session.priority(), ThreadPriority::VirtualTime);
  EXPECT_EQ(priorityText(ThreadPriority::RealTime), "real-time priority");
  EXPECT_EQ(priorityText(ThreadPriority::Normal), "normal priority: points may be lost under load");
}
