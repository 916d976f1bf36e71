// Scripted behaviour of the stand-in programs for tests: a text file named
// by an environment variable says what to print, in which chunks, with
// which pauses, in which code page, when to do the real work and which exit
// code to return. The format is described in README.md.
#pragma once

#include <functional>
#include <string>

#include "StubOutput.h"

struct ScenarioContext {
  std::wstring folder;            // replaces ${DIR} in printed text
  std::wstring commandLine;       // written by "cmdline"
  // "work": the program's real install or uninstall, quiet; returns an
  // error text, empty on success.
  std::function<std::wstring()> work;
  // The variable that names the scenario file, for "spawn".
  std::wstring scenarioVariable;
  // "default": the program's whole default run, printing included.
  std::function<int()> defaults;
};

// Runs the scenario file; returns the process exit code. A file that cannot
// be read prints "Error=scenario file not readable" and returns 3.
int RunScenario(const std::wstring& path, StubOutput& out, const ScenarioContext& context);
