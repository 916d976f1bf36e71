#include <gtest/gtest.h>

#include <windows.h>

#include "ChildProgram.h"
#include "utils/Exception.h"
#include "utils/InstanceMutex.h"
#include "utils/Process.h"

using QvTest::ChildResult;
using QvTest::RunChild;
using QvTest::TestChildPath;

TEST(Process, ParentKeepsOnlyItsEndsAndReadEndsWhenChildExits) {
  Utils::Process process;
  std::wstring program = TestChildPath();
  ASSERT_FALSE(program.empty());
  process.Launch(L"\"" + program + L"\" sleep 300", program);
  EXPECT_NE(process.outputPipe.readEnd, nullptr);
  EXPECT_NE(process.errorPipe.readEnd, nullptr);
  EXPECT_NE(process.inputPipe.writeEnd, nullptr);
  EXPECT_EQ(process.outputPipe.writeEnd, nullptr);
  EXPECT_EQ(process.errorPipe.writeEnd, nullptr);
  EXPECT_EQ(process.inputPipe.readEnd, nullptr);
  EXPECT_NE(process.processInfo.hProcess, nullptr);
  EXPECT_NE(process.processInfo.dwProcessId, 0u);

  // A blocking read: it only returns once the child has gone.
  char buffer[64];
  DWORD got = 1;
  BOOL ok = ReadFile(process.outputPipe.readEnd, buffer, sizeof(buffer), &got, nullptr);
  EXPECT_TRUE(!ok || got == 0);
  EXPECT_EQ(WaitForSingleObject(process.processInfo.hProcess, 5000), WAIT_OBJECT_0);

  process.Close();
  EXPECT_EQ(process.processInfo.hProcess, nullptr);
  EXPECT_EQ(process.processInfo.hThread, nullptr);
  EXPECT_EQ(process.outputPipe.readEnd, nullptr);
  EXPECT_EQ(process.errorPipe.readEnd, nullptr);
  EXPECT_EQ(process.inputPipe.writeEnd, nullptr);
}

TEST(Process, OutputAndExitCodeReachTheParent) {
  ChildResult r = RunChild(L"cmdline");
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 0u);
  EXPECT_NE(r.output.find("cmdline"), std::string::npos) << r.output;
  EXPECT_EQ(RunChild(L"exit 42").exitCode, 42u);
}

TEST(Process, ReadEndsOnlyWhenDescendantsCloseTheirCopies) {
  // The grandchild inherits the output and keeps it for 500 ms after the child left.
  DWORD before = GetTickCount();
  ChildResult r = RunChild(L"spawn-sleep 500");
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 0u);
  EXPECT_GE(GetTickCount() - before, 400u);
}

TEST(Process, CommandLineLongerThan1024CharactersReachesTheChildWhole) {
  std::wstring program = TestChildPath();
  std::wstring tail(5000, L'x');
  tail += L"END";
  std::wstring line = L"\"" + program + L"\" cmdline " + tail;
  Utils::Process process;
  process.Launch(line, program);
  ChildResult r = QvTest::Collect(process);
  ASSERT_TRUE(r.finished);
  std::string expected(tail.begin(), tail.end());
  ASSERT_GE(r.output.size(), expected.size());
  EXPECT_EQ(r.output.substr(r.output.size() - expected.size()), expected);
  EXPECT_EQ(r.output.size(), line.size());
}

TEST(Process, ChildWritingMuchToStandardErrorDoesNotBlock) {
  ChildResult r = RunChild(L"stderr 4194304", 30000);
  ASSERT_TRUE(r.finished) << "the child blocked on its standard error";
  EXPECT_EQ(r.exitCode, 0u);
  EXPECT_EQ(r.output, "done");
}

TEST(Process, ProgramInAFolderWithBlanksIsTheOneStarted) {
  QvTest::TempFolder base(L"qv proc");
  std::wstring folder = base.path() + L"\\my dir";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  std::wstring real = folder + L"\\child.exe";
  // The decoy is what an unquoted path would start first.
  std::wstring decoy = base.path() + L"\\my.exe";
  ASSERT_TRUE(CopyFileW(TestChildPath().c_str(), real.c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(TestChildPath().c_str(), decoy.c_str(), FALSE));

  Utils::Process process;
  process.Launch(real + L" whoami", real);
  ChildResult r = QvTest::Collect(process);
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 0u);
  wchar_t longReal[MAX_PATH * 2] = {};
  GetLongPathNameW(real.c_str(), longReal, MAX_PATH * 2);
  std::wstring expectedWide = longReal;
  std::string expected(expectedWide.begin(), expectedWide.end());
  EXPECT_EQ(_stricmp(r.output.c_str(), expected.c_str()), 0) << r.output << " vs " << expected;
}

TEST(Process, LaunchFailureThrowsAndKeepsThePipesForClose) {
  Utils::Process process;
  try {
    process.Launch(L"Z:\\no\\such\\program.exe arg", L"Z:\\no\\such\\program.exe");
    FAIL() << "no exception";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "Unknown exception");
  }
  EXPECT_EQ(process.processInfo.hProcess, nullptr);
  EXPECT_NE(process.outputPipe.readEnd, nullptr);
  process.Close();
  EXPECT_EQ(process.outputPipe.readEnd, nullptr);
  EXPECT_EQ(process.outputPipe.writeEnd, nullptr);
}

TEST(Exception, MessageFromWideTextOrUnknown) {
  EXPECT_STREQ(Utils::Exception().what(), "Unknown exception");
  EXPECT_STREQ(Utils::Exception(std::wstring(L"pipe failed")).what(), "pipe failed");
  EXPECT_STREQ(Utils::Exception(std::wstring(L"")).what(), "Unknown exception");
}

TEST(InstanceMutex, SecondCopyElsewhereSeesItHeldUntilReleased) {
  std::wstring base = L"QvTest_" + std::to_wstring(GetCurrentProcessId());
  EXPECT_EQ(Utils::InstanceMutex::FullName(L"Installer_Quelvox"), L"D1A547DB89C0BC61_Installer_Quelvox");
  Utils::InstanceMutex first(base);
  ASSERT_TRUE(first.Create());
  ASSERT_NE(first.Handle(), nullptr);
  EXPECT_TRUE(first.Create()) << "a second Create on the holder keeps its handle";

  ChildResult r = RunChild(L"mutex " + base);
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 3u) << "the child should have found the mutex held";
  EXPECT_NE(first.Handle(), nullptr);

  first.Release();
  EXPECT_EQ(first.Handle(), nullptr);
  r = RunChild(L"mutex " + base);
  EXPECT_EQ(r.exitCode, 0u);
}
