// The measuring operations run in tight loops: they must not allocate.

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "core/app_paths.h"
#include "instrument/instrument.h"
#include "instrument/simulated_port_backend.h"
#include "port_fakes.h"

namespace {
std::atomic<long> allocations{0};
}

void *operator new(std::size_t size) {
  ++allocations;
  if (void *p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }

TEST(NoAllocation, MeasuringOperationsOnTheSimulator) {
  QTemporaryDir folder;
  setProgramFolder(folder.path());
  ScopedBackend<SimulatedPortBackend> sim(SimulatedPortBackend::Timing::Virtual);
  Instrument instrument;
  instrument.SelDeviceChange(2);
  instrument.PotentiostatOn(3, 2e-4, 0.5, -0.2);
  instrument.TimerReset();
  instrument.TimerStart();
  const long counted = allocations.load();
  {
    std::vector<double> probe(8, 1.0);
    EXPECT_EQ(probe.size(), 8u);
  }
  ASSERT_GT(allocations.load(), counted);  // the counter sees allocations
  const long before = allocations.load();
  double sum = 0;
  for (int i = 0; i < 1000; ++i) {
    instrument.PotentiostatSetPotential(-0.2 + i * 1e-4);
    sum += instrument.PotentiostatGetCurrent() + instrument.GetTime();
  }
  instrument.TimerStop();
  instrument.PotentiometerOn(0.5);
  for (int i = 0; i < 100; ++i) sum += instrument.PotentiometerGetPotential();
  EXPECT_EQ(allocations.load() - before, 0);
  EXPECT_TRUE(sum == sum);
  setProgramFolder(QString());
}
