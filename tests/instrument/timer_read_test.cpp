// GetTime against a scripted counter that moves between any two byte reads:
// by one count (a carry at every possible moment, through bytes 1, 2 and 3),
// steadily at any bus speed, or by hundreds of counts while the reading
// thread is held up. The count returned must be one the counter held while
// it was being read.

#include <gtest/gtest.h>
#include <cstdint>
#include <functional>
#include <sstream>

#include "instrument/instrument.h"
#include "port_fakes.h"

namespace {

struct Reading {
  uint32_t count;  // what GetTime returned, in counts
  uint32_t first;  // the counter at the first byte read
  uint32_t last;   // the counter at the last byte read
  int reads;
};

class TimerRead : public ::testing::Test {
 protected:
  // `counter(k)` is the count the k-th byte read of the call sees.
  Reading read(const std::function<uint32_t(int)> &counter) {
    Reading r{0, 0, 0, 0};
    bus->answer = [&](uint8_t address) -> uint8_t {
      const uint32_t count = counter(r.reads);
      if (r.reads == 0) r.first = count;
      r.last = count;
      ++r.reads;
      return static_cast<uint8_t>(count >> (8 * (address - 132)));
    };
    const double seconds = instrument.GetTime();
    r.count = static_cast<uint32_t>(seconds * 1e5 + 0.5);
    return r;
  }

  ScopedBackend<ScriptedBusBackend> bus;
  Instrument instrument;
};

// Counts just below a carry out of byte 0, 1 and 2, and around the middle.
const uint32_t kBelowCarries[] = {0x000000FF, 0x00001FFF, 0x0000FFFF, 0x0012FFFF, 0x00FFFFFF,
                                  0x7FFFFFFF, 0x12FFFFFF, 0xFFFFFFFE, 0x00000000, 0x00ABCD80};

// Whether the count returned is one the counter held during the call.
::testing::AssertionResult Held(const Reading &r) {
  if (r.count >= r.first && r.count <= r.last) return ::testing::AssertionSuccess();
  std::ostringstream text;
  text << std::hex << "returned 0x" << r.count << " while the counter went from 0x" << r.first << " to 0x" << r.last;
  return ::testing::AssertionFailure() << text.str();
}

}  // namespace

TEST_F(TimerRead, OneCarryBetweenAnyTwoReads) {
  for (uint32_t below : kBelowCarries) {
    for (int k = -1; k < 12; ++k) {
      const Reading r = read([&](int i) { return i <= k ? below : below + 1; });
      EXPECT_TRUE(Held(r)) << std::hex << below << " carry after read " << std::dec << k;
      // The four bytes once and two again; a carry within the check costs one round.
      EXPECT_LE(r.reads, 10);
    }
  }
  const Reading still = read([](int) { return 0x01FFFFFFu; });
  EXPECT_EQ(still.count, 0x01FFFFFFu);
  EXPECT_EQ(still.reads, 6);
}

TEST_F(TimerRead, SteadyCountingAtAnyBusSpeedAndPhase) {
  // Counts per byte read: a fast bus, the simulator's (7 us a read, 10 us a
  // count), one a read, and slow buses.
  for (double rate : {0.2, 0.7, 1.0, 2.5, 6.0}) {
    for (uint32_t carry : {0x100u, 0x10000u, 0x1000000u, 0x80000000u, 0xABCD00u}) {
      for (uint32_t start = carry - 80; start != carry + 3; ++start) {
        const Reading r = read([&](int i) { return start + static_cast<uint32_t>(i * rate); });
        EXPECT_TRUE(Held(r)) << "rate " << rate << " start " << std::hex << start;
      }
    }
  }
}

TEST_F(TimerRead, HeldUpBetweenAnyTwoReads) {
  // The thread stops for this many counts between reads k and k + 1 while
  // the counter goes on at the simulator's pace (up to 0.65 s: byte 1 must
  // not come round to the same value between its two reads).
  for (uint32_t held : {200u, 255u, 256u, 257u, 511u, 4000u, 40000u, 65000u}) {
    for (uint32_t below : kBelowCarries) {
      if (below < 3 || below > 0xFFFFFFFFu - held - 16) continue;  // the counter does not wrap
      for (int k = 0; k < 10; ++k) {
        const Reading r = read([&](int i) { return below - 3 + static_cast<uint32_t>(i * 0.7) + (i > k ? held : 0); });
        EXPECT_TRUE(Held(r)) << "held " << held << " at " << std::hex << below << " after read " << std::dec << k;
      }
    }
  }
}
