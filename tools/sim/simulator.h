#pragma once
#include <memory>
#include <ostream>

#include "core/texts.h"
#include "shell/quellin_app.h"
#include "tools/sim/fake_platform.h"
#include "tools/sim/scenario_reader.h"

namespace quellin::sim {

// Plays scenario commands against the real program logic on the fake platform.
class Simulator {
 public:
  explicit Simulator(std::ostream& out);
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // Runs one command; false with `error` set when the command is malformed or does not fit
  // the moment (a tick before start, a store command while the program runs).
  bool Run(const ScenarioLine& line, ScenarioError& error);

 private:
  // The commands, one each; the table of names and when they may come is in the source.
  struct Commands;
  bool Store(const ScenarioLine& line, ScenarioError& error);
  bool Nt(const ScenarioLine& line, ScenarioError& error);
  bool Start(const ScenarioLine& line, ScenarioError& error);
  bool Colors(const ScenarioLine& line, ScenarioError& error);
  bool Keys(const ScenarioLine& line, ScenarioError& error);
  bool Mouse(const ScenarioLine& line, ScenarioError& error);
  bool Shell(const ScenarioLine& line, ScenarioError& error);
  bool Sounds(const ScenarioLine& line, ScenarioError& error);
  bool Tick(const ScenarioLine& line, ScenarioError& error);
  bool Click(const ScenarioLine& line, ScenarioError& error);
  bool Resume(const ScenarioLine& line, ScenarioError& error);
  bool Pick(const ScenarioLine& line, ScenarioError& error);
  bool Ok(const ScenarioLine& line, ScenarioError& error);
  bool Exit(const ScenarioLine& line, ScenarioError& error);
  // The colour-change notifications that the program's own calls (and the scenario's)
  // owe it, delivered once the command is done.
  void DeliverColorNotifications();

  FakePlatform fakes_;
  BuiltinTexts texts_;
  Platform platform_;
  bool ntFamily_ = true;
  std::unique_ptr<QuellinApp> app_;
};

}  // namespace quellin::sim
