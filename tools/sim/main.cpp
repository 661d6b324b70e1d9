// quellin-sim: plays a scenario from standard input against the program's logic on a
// recording fake platform and prints what the program does, one effect a line.
#include <iostream>

#include "tools/sim/scenario_reader.h"
#include "tools/sim/simulator.h"

int main() {
  std::ios::sync_with_stdio(false);
  quellin::sim::ScenarioReader reader(std::cin);
  quellin::sim::Simulator simulator(std::cout);
  while (const std::optional<quellin::sim::ScenarioLine> line = reader.Next()) {
    quellin::sim::ScenarioError error;
    if (!simulator.Run(*line, error)) {
      std::cout.flush();
      std::cerr << "quellin-sim: line " << line->number << ": " << error.message << '\n';
      return 2;
    }
  }
  std::cout.flush();
  if (reader.error()) {
    std::cerr << "quellin-sim: line " << reader.lineNumber() << ": " << reader.error()->message << '\n';
    return 2;
  }
  return 0;
}
