// The hook procedure's cost per keyboard event beyond CallNextHookEx, timed with the
// performance counter under Wine. Wine's CallNextHookEx takes microseconds and varies by
// more than the procedure's own work, so the procedure body is also timed with a pass-on
// that does nothing, against that pass-on alone.
// Usage: hook_benchmark.exe [EVENTS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "hook/hook_logic.h"

namespace {

tapline::SharedHookData shared = {nullptr, nullptr, 1, 0};

// Stands in for CallNextHookEx where only the procedure's own work is to be timed.
struct EmptyPassOn {
  __attribute__((noinline)) LRESULT CallNext(HHOOK, int code, WPARAM, LPARAM) {
    asm volatile("" ::: "memory");
    return code;
  }
};

LRESULT CALLBACK HookProcedure(int code, WPARAM wParam, LPARAM lParam) {
  tapline::SystemHookApi api;
  return tapline::CountAndPassOn(api, shared, code, wParam, lParam);
}

LRESULT CALLBACK CallNextAlone(int code, WPARAM wParam, LPARAM lParam) {
  return ::CallNextHookEx(shared.HookHandle, code, wParam, lParam);
}

LRESULT CALLBACK BodyWithEmptyPassOn(int code, WPARAM wParam, LPARAM lParam) {
  EmptyPassOn api;
  return tapline::CountAndPassOn(api, shared, code, wParam, lParam);
}

LRESULT CALLBACK EmptyPassOnAlone(int code, WPARAM wParam, LPARAM lParam) {
  EmptyPassOn api;
  return api.CallNext(shared.HookHandle, code, wParam, lParam);
}

double NanosecondsPerEvent(HOOKPROC procedure, unsigned long events) {
  LARGE_INTEGER frequency;
  LARGE_INTEGER start;
  LARGE_INTEGER stop;
  ::QueryPerformanceFrequency(&frequency);
  // Called through a volatile pointer, as the platform calls a hook: never inlined.
  HOOKPROC volatile call = procedure;
  LRESULT sink = 0;
  ::QueryPerformanceCounter(&start);
  for (unsigned long i = 0; i < events; ++i) sink += call(HC_ACTION, 'A', static_cast<LPARAM>(i));
  ::QueryPerformanceCounter(&stop);
  if (sink == 1) std::printf(" ");
  return static_cast<double>(stop.QuadPart - start.QuadPart) * 1e9 / static_cast<double>(frequency.QuadPart) /
         static_cast<double>(events);
}

// Best of nine, the two sides alternating, so that a busy neighbour weighs on neither alone.
void Compare(const char* what, HOOKPROC with, HOOKPROC without, unsigned long events) {
  double best[2] = {0, 0};
  for (int round = 0; round < 9; ++round) {
    const double a = NanosecondsPerEvent(with, events);
    const double b = NanosecondsPerEvent(without, events);
    if (round == 0 || a < best[0]) best[0] = a;
    if (round == 0 || b < best[1]) best[1] = b;
  }
  std::printf("%s: %.2f ns with the procedure, %.2f ns the pass-on alone, %.2f ns the procedure's own\n", what,
              best[0], best[1], best[0] - best[1]);
}

}  // namespace

int main(int argc, char** argv) {
  const unsigned long events = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
  std::printf("events per run: %lu\n", events);
  Compare("real CallNextHookEx", &HookProcedure, &CallNextAlone, events);
  Compare("empty pass-on", &BodyWithEmptyPassOn, &EmptyPassOnAlone, events * 50);
  return 0;
}
