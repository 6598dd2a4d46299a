// How long one apply takes against the simulated mouse when every transfer
// costs 1 ms, next to the floor that the protocol's own waits and the
// transfers impose (the sum of the waits plus one millisecond per transfer,
// both taken from the trace of the apply). The difference is what the
// program itself adds.
#include <benchmark/benchmark.h>

#include <chrono>

#include "device/apply_settings.h"
#include "device/device_link.h"
#include "device/mouse_commands.h"
#include "sim/virtual_mouse.h"

namespace kv12 {
namespace {

constexpr std::chrono::milliseconds TRANSFER_LATENCY{1};

// A profile that touches everything an apply sends.
SettingsBlock SampleProfile() {
    SettingsBlock block;
    block.reportRate() = REPORT_RATE_1000HZ;
    for (int k = 0; k < STAGE_COUNT; ++k) {
        block.dpiStage(k) = static_cast<std::uint8_t>(2 * k);
        block.dpiStageEnabled(k) = 1;
        block.stageColor(k, ColorChannel::Red) = static_cast<std::uint8_t>(60 * k);
    }
    block.ledMode() = 3;
    block.ledEffect3() = 2;
    for (int s = 0; s < MACRO_SLOT_COUNT; ++s) block.macroSlot(s)[1] = 1;
    ApplyDefaultButtons(block);
    return block;
}

// The floor of one apply from its trace.
double FloorMilliseconds(const std::vector<TraceEvent>& trace) {
    double floor = 0;
    for (const TraceEvent& event : trace) {
        floor += event.op == TraceOp::Wait ? event.ms : static_cast<double>(TRANSFER_LATENCY.count());
    }
    return floor;
}

void BM_ApplyWithTransferLatency(benchmark::State& state) {
    SystemClock systemClock;
    VirtualMouseOptions options;
    options.latency = TRANSFER_LATENCY;
    options.latencyClock = &systemClock;
    VirtualMouse mouse(options);
    SimClock clock(mouse, &systemClock);
    DeviceLink link(mouse, clock, DEFAULT_SCRAMBLE_CONFIG);
    if (!link.FindDevice().found) {
        state.SkipWithError("the simulated mouse was not found");
        return;
    }
    link.Handshake();
    InitialiseSensor(link);
    const SettingsBlock block = SampleProfile();

    double floor = 0;
    for (auto _ : state) {
        mouse.ClearTrace();
        SendSettings(link, block);
        state.PauseTiming();
        floor = FloorMilliseconds(mouse.Trace());
        state.ResumeTiming();
    }
    state.counters["floor_ms"] = floor;
}
BENCHMARK(BM_ApplyWithTransferLatency)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// The program's own work per apply, with neither waits nor latency.
class NoSleepClock final : public Clock {
  public:
    void SleepFor(std::chrono::milliseconds) override {}
};

void BM_ApplyWithoutWaits(benchmark::State& state) {
    VirtualMouse mouse;
    NoSleepClock clock;
    DeviceLink link(mouse, clock, DEFAULT_SCRAMBLE_CONFIG);
    if (!link.FindDevice().found) {
        state.SkipWithError("the simulated mouse was not found");
        return;
    }
    link.Handshake();
    InitialiseSensor(link);
    const SettingsBlock block = SampleProfile();
    for (auto _ : state) {
        SendSettings(link, block);
        state.PauseTiming();
        mouse.ClearTrace();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ApplyWithoutWaits)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kv12

BENCHMARK_MAIN();
