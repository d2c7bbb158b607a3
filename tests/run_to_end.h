#pragma once
// Drives a run as the window does, only faster: takes the completed points
// until the sweep ends by itself, then stops it.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "measurement/run_session.h"

// Takes points until `done` holds or the run ends by itself; false after `seconds` without either.
inline bool deliverUntil(RunSession &session, const std::function<bool()> &done, double seconds = 30) {
  const auto limit = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < limit) {
    const bool going = session.deliver();
    if (done()) return true;
    if (!going) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return false;
}

inline void runToEnd(RunSession &session) {
  session.start();
  EXPECT_FALSE(deliverUntil(session, [] { return false; })) << "the sweep did not end within 30 s";
  session.stop();
}
