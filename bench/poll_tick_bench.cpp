// PollTick in the open state over an in-memory driver and a view that does nothing: the time per tick,
// and the heap allocations per tick as the counter allocs_per_tick (the goal is none on every path).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>

#include "bench/allocation_counter.h"
#include "bench/memory_device.h"
#include "bench/silent_front_end.h"
#include "frontpanel/driver_link.h"
#include "frontpanel/status_interpreter.h"
#include "frontpanel/status_poller.h"

namespace kiv::bench {
namespace {

// The widest line the interpreter builds, on every interpretation: both protocols, V.90, LAPM, V.42bis.
ModemStatusRecord DataConnection() {
  ModemStatusRecord r{};
  r.set_mode(2);
  r.set_signals(0x004 | 0x008 | 0x010 | 0x020 | 0x040 | 0x080);
  r.set_speed(-2000000000);
  r.set_errorCorrection(88);
  r.set_compression(67);
  r.set_callState(3);
  r.set_modulation(23);
  return r;
}

// One front panel with the link open and everything the record says already shown.
struct OpenPanel {
  explicit OpenPanel(MemoryDevice::Variation variation) : device(DataConnection(), variation) {
    poller.StartPolling();
    poller.PollTick();
    for (int i = 0; i < 12; ++i) poller.PollTick();
  }

  MemoryDevice device;
  SilentView view;
  SilentTimer timer;
  DriverLink link{device, view};
  StatusInterpreter interpreter{view};
  StatusPoller poller{link, interpreter, view, timer};
};

void Report(benchmark::State& state, const OpenPanel& panel, std::uint64_t ticks, std::size_t allocations,
            std::uint64_t viewCalls, std::uint64_t measuredTicks) {
  if (panel.poller.State() != PollState::kOpen) state.SkipWithError("the link closed during the run");
  state.counters["allocs_per_tick"] = static_cast<double>(allocations) / static_cast<double>(ticks);
  state.counters["view_calls_per_tick"] = static_cast<double>(viewCalls) / static_cast<double>(measuredTicks);
}

// Every tick timed: the loop's own ticks are the measured ones.
void RunEveryTick(benchmark::State& state, MemoryDevice::Variation variation) {
  OpenPanel panel(variation);
  const std::uint64_t viewCallsBefore = panel.view.calls;
  const std::size_t allocationsBefore = HeapAllocationCount();
  for (auto _ : state) panel.poller.PollTick();
  const std::size_t allocations = HeapAllocationCount() - allocationsBefore;
  const auto ticks = static_cast<std::uint64_t>(state.iterations());
  Report(state, panel, ticks, allocations, panel.view.calls - viewCallsBefore, ticks);
}

void PollTickUnchangedRecord(benchmark::State& state) {
  RunEveryTick(state, MemoryDevice::Variation::kNone);
}

void PollTickSignalsChange(benchmark::State& state) {
  RunEveryTick(state, MemoryDevice::Variation::kToggleSignals);
}

// Only the ticks that interpret are timed; the five polls between two chances run untimed but count
// for the allocations.
void PollTickFullInterpretation(benchmark::State& state) {
  OpenPanel panel(MemoryDevice::Variation::kCountSpeed);
  std::uint64_t ticks = 0;
  std::uint64_t viewCalls = 0;
  const std::size_t allocationsBefore = HeapAllocationCount();
  for (auto _ : state) {
    while (static_cast<std::uint16_t>(panel.poller.PollTickCount() + 1) % 6 != 0) {
      panel.poller.PollTick();
      ++ticks;
    }
    const std::uint64_t viewCallsBefore = panel.view.calls;
    const auto start = std::chrono::steady_clock::now();
    panel.poller.PollTick();
    const auto end = std::chrono::steady_clock::now();
    ++ticks;
    viewCalls += panel.view.calls - viewCallsBefore;
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
  const std::size_t allocations = HeapAllocationCount() - allocationsBefore;
  Report(state, panel, ticks, allocations, viewCalls, static_cast<std::uint64_t>(state.iterations()));
}

BENCHMARK(PollTickUnchangedRecord);
BENCHMARK(PollTickSignalsChange);
BENCHMARK(PollTickFullInterpretation)->UseManualTime();

}  // namespace
}  // namespace kiv::bench

BENCHMARK_MAIN();
