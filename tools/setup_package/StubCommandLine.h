// The switches the stand-in programs understand. A path after "/D=" or
// "_?=" is the rest of the command line, blanks included; "-instdir=" takes
// one (possibly quoted) token.
#pragma once

#include <string>
#include <vector>

struct StubCommandLine {
  std::wstring raw;            // the whole command line as received
  bool silent = false;         // "/S"
  bool console = false;        // "-console=show"
  std::wstring folder;         // "/D=" or, without it, "-instdir="
  std::wstring targetFolder;   // "_?="
  bool desktopShortcut = false;     // "-dsc=true"
  bool quickLaunchShortcut = false; // "-ssc=true"

  static StubCommandLine Parse(const std::wstring& commandLine);
};

// Blank-separated tokens; double quotes group and are removed.
std::vector<std::wstring> SplitTokens(const std::wstring& text);
