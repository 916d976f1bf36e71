#include "StubCommandLine.h"

std::vector<std::wstring> SplitTokens(const std::wstring& text) {
  std::vector<std::wstring> tokens;
  std::wstring current;
  bool quoted = false, any = false;
  for (wchar_t c : text) {
    if (c == L'"') {
      quoted = !quoted;
      any = true;
    } else if (!quoted && (c == L' ' || c == L'\t')) {
      if (any) tokens.push_back(current);
      current.clear();
      any = false;
    } else {
      current += c;
      any = true;
    }
  }
  if (any) tokens.push_back(current);
  return tokens;
}

StubCommandLine StubCommandLine::Parse(const std::wstring& commandLine) {
  StubCommandLine c;
  c.raw = commandLine;
  std::wstring head = commandLine;
  size_t pos = head.rfind(L" _?=");
  if (pos != std::wstring::npos) {
    c.targetFolder = head.substr(pos + 4);
    head.resize(pos);
  }
  pos = head.rfind(L" /D=");
  if (pos != std::wstring::npos) {
    c.folder = head.substr(pos + 4);
    head.resize(pos);
  }
  std::vector<std::wstring> tokens = SplitTokens(head);
  for (size_t i = 1; i < tokens.size(); ++i) {
    const std::wstring& t = tokens[i];
    if (t == L"/S")
      c.silent = true;
    else if (t == L"-console=show")
      c.console = true;
    else if (t == L"-dsc=true")
      c.desktopShortcut = true;
    else if (t == L"-ssc=true")
      c.quickLaunchShortcut = true;
    else if (t.compare(0, 3, L"/D=") == 0)  // a quoted "/D=..." token
      c.folder = t.substr(3);
    else if (t.compare(0, 3, L"_?=") == 0)
      c.targetFolder = t.substr(3);
    else if (t.compare(0, 9, L"-instdir=") == 0 && c.folder.empty())
      c.folder = t.substr(9);
  }
  while (!c.folder.empty() && (c.folder.back() == L'\\' || c.folder.back() == L' ')) c.folder.pop_back();
  while (!c.targetFolder.empty() && (c.targetFolder.back() == L'\\' || c.targetFolder.back() == L' '))
    c.targetFolder.pop_back();
  return c;
}
