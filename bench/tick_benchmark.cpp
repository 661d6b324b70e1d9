// The cost of one tick: the sample plus the cycle's decision, with the tray, dialog,
// sound and colour effects going to a sink. Heap allocations are counted by replacing the
// global allocation functions in this program only.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <random>
#include <vector>

#include "core/cycle.h"
#include "core/sampler.h"

namespace {

std::uint64_t g_allocations = 0;

}  // namespace

// These functions are the allocator: here, and only here, new is meant to pair with free.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

using quellin::Seconds;

constexpr int kWeek = 7 * 24 * 3600;

struct Sink final : quellin::CycleOutputs {
  void SetTrayTip(const std::string& text) override { benchmark::DoNotOptimize(text.data()); }
  void SetTrayIcon(int iconId, bool force) override {
    benchmark::DoNotOptimize(iconId);
    benchmark::DoNotOptimize(force);
  }
  void PlayAlert(int alertId) override { benchmark::DoNotOptimize(alertId); }
  void SetPendingAlert(int alertId) override { benchmark::DoNotOptimize(alertId); }
  void SetStatusImage(int iconId) override { benchmark::DoNotOptimize(iconId); }
  void UpdateRestColors(bool force) override { benchmark::DoNotOptimize(force); }
  void UpdateSettingsLock() override {}
  void PlayPendingAlert() override {}
};

// A week of use, second by second: spells of typing and of absence.
std::vector<std::uint8_t> MakeWeek() {
  std::vector<std::uint8_t> activeAt(kWeek);
  std::mt19937 random(7);
  bool working = true;
  for (auto& a : activeAt) {
    if (std::uniform_int_distribution<int>(1, working ? 3000 : 500)(random) == 1) working = !working;
    a = working && std::uniform_int_distribution<int>(1, 4)(random) != 1;
  }
  return activeAt;
}

// Keys and a cursor that replay the prepared week.
struct ReplayedInput final : quellin::InputSource {
  const std::vector<std::uint8_t>& activeAt;
  std::size_t second = 0;
  std::uint32_t keys = 0;

  explicit ReplayedInput(const std::vector<std::uint8_t>& week) : activeAt(week) {}
  std::uint32_t GetKeyboardCount() override {
    if (activeAt[second % activeAt.size()] != 0) keys += 2;
    return keys;
  }
  void GetMousePos(std::int32_t& x, std::int32_t& y) override {
    x = 400;
    y = 300;
  }
};

// One tick per iteration, the clock running on through the replayed week and beyond.
void BM_Tick(benchmark::State& state) {
  const quellin::Settings settings;
  const quellin::BuiltinTexts texts;
  Sink sink;
  const std::vector<std::uint8_t> week = MakeWeek();
  ReplayedInput input(week);
  quellin::ActivitySampler sampler(input);
  Seconds now = 1'700'000'000;
  quellin::Cycle cycle(now);
  // Warm up past the first work period so that every phase has been seen once.
  for (int i = 0; i < 4 * 3600; ++i, ++input.second) cycle.Tick(++now, sampler.SampleActivity(), settings, texts, sink);

  const std::uint64_t before = g_allocations;
  for (auto _ : state) {
    cycle.Tick(++now, sampler.SampleActivity(), settings, texts, sink);
    ++input.second;
  }
  state.counters["allocs_per_tick"] =
      benchmark::Counter(static_cast<double>(g_allocations - before), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Tick);

// A whole simulated week per iteration: the time per tick, the mean allocations per tick,
// and the most allocations any single tick made, which must stay a small constant.
void BM_Week(benchmark::State& state) {
  const quellin::Settings settings;
  const quellin::BuiltinTexts texts;
  Sink sink;
  const std::vector<std::uint8_t> week = MakeWeek();
  std::uint64_t worstTick = 0;
  std::uint64_t total = 0;
  for (auto _ : state) {
    ReplayedInput input(week);
    quellin::ActivitySampler sampler(input);
    Seconds now = 1'700'000'000;
    quellin::Cycle cycle(now);
    const std::uint64_t start = g_allocations;
    for (int i = 0; i < kWeek; ++i, ++input.second) {
      const std::uint64_t tickStart = g_allocations;
      cycle.Tick(++now, sampler.SampleActivity(), settings, texts, sink);
      worstTick = std::max(worstTick, g_allocations - tickStart);
    }
    total += g_allocations - start;
  }
  const double ticks = static_cast<double>(state.iterations()) * kWeek;
  state.counters["time_per_tick"] =
      benchmark::Counter(ticks, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["allocs_per_tick"] = static_cast<double>(total) / ticks;
  state.counters["max_allocs_one_tick"] = static_cast<double>(worstTick);
}
BENCHMARK(BM_Week)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
