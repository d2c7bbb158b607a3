// Cost of the measuring operations over the simulated instrument on its
// virtual clock: the bus decoding and cell model, without the per-access wait
// of the real-time clock.

#include <benchmark/benchmark.h>
#include <QTemporaryDir>

#include "core/app_paths.h"
#include "instrument/instrument.h"
#include "instrument/port_backend.h"
#include "instrument/simulated_port_backend.h"

namespace {

struct Setup {
  Setup() {
    setProgramFolder(folder.path());
    replacePortBackend(std::make_unique<SimulatedPortBackend>(SimulatedPortBackend::Timing::Virtual));
    instrument.SelDeviceChange(0);
    instrument.PotentiostatOn(3, 2e-4, 0.5, 0.0);
    instrument.TimerReset();
    instrument.TimerStart();
  }
  QTemporaryDir folder;
  Instrument instrument;
};

void BM_GetCurrent(benchmark::State &state) {
  Setup s;
  // A history of potential steps as after a sweep of this many points.
  for (int i = 0; i < state.range(0); ++i) s.instrument.PotentiostatSetPotential(i % 2 ? 0.01 : 0.0);
  for (auto _ : state) benchmark::DoNotOptimize(s.instrument.PotentiostatGetCurrent());
}
BENCHMARK(BM_GetCurrent)->Arg(0)->Arg(1000)->Arg(4000)->Arg(100000);

void BM_GetTime(benchmark::State &state) {
  Setup s;
  for (auto _ : state) benchmark::DoNotOptimize(s.instrument.GetTime());
}
BENCHMARK(BM_GetTime);

}  // namespace

BENCHMARK_MAIN();
