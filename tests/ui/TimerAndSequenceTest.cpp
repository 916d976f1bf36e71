// Timer records and native ids; the frame sequence rules; frame names.
#include <gtest/gtest.h>

#include <vector>

#include "ui/SequenceFrames.h"
#include "ui/TimerTable.h"

using namespace SkinUI;

TEST(TimerTable, NativeIdsWrapAfter254) {
    TimerTable t;
    int owners[300];
    unsigned id = 99;
    for (int i = 0; i < 254; ++i) {
        ASSERT_EQ(t.Start(&owners[i], nullptr, 1, &id), TimerTable::StartResult::kStarted);
        EXPECT_EQ(id, (unsigned)i + 1);
    }
    ASSERT_EQ(t.Start(&owners[254], nullptr, 1, &id), TimerTable::StartResult::kStarted);
    EXPECT_EQ(id, 0u);  // the 255th timer
    t.Start(&owners[255], nullptr, 1, &id);
    EXPECT_EQ(id, 1u);
}

TEST(TimerTable, RunningFailsKilledIsRevived) {
    TimerTable t;
    int a, b;
    unsigned id1 = 0, id2 = 0, id = 0;
    EXPECT_EQ(t.Start(&a, nullptr, 2100, &id1), TimerTable::StartResult::kStarted);
    EXPECT_EQ(t.Start(&a, nullptr, 2100, &id), TimerTable::StartResult::kFailed);
    EXPECT_EQ(t.Start(&b, nullptr, 2100, &id2), TimerTable::StartResult::kStarted);
    EXPECT_NE(id1, id2);
    EXPECT_EQ(t.FindLive(nullptr, id1)->owner, &a);
    EXPECT_TRUE(t.Stop(&a, nullptr, 2100, &id));
    EXPECT_EQ(id, id1);
    EXPECT_EQ(t.FindLive(nullptr, id1), nullptr);
    EXPECT_FALSE(t.Stop(&a, nullptr, 2100, &id));
    EXPECT_EQ(t.Start(&a, nullptr, 2100, &id), TimerTable::StartResult::kRevived);
    EXPECT_EQ(id, id1);
    EXPECT_EQ(t.Records().size(), 2u);
    auto live = t.RemoveOwner(&a);
    EXPECT_EQ(live, std::vector<unsigned>{id1});
    EXPECT_EQ(t.Records().size(), 1u);
}

namespace {
std::vector<int> Ticks(SequenceFrames f, int ticks, bool* stopped) {
    std::vector<int> out;
    *stopped = false;
    for (int i = 0; i < ticks && !*stopped; ++i) {
        int frame;
        bool stop;
        if (f.Tick(&frame, &stop)) out.push_back(frame);
        if (stop) *stopped = true;
    }
    return out;
}
}  // namespace

TEST(SequenceFrames, LoopAndRoundRules) {
    SequenceFrames f;
    f.count = 4;
    bool stopped;
    EXPECT_EQ(Ticks(f, 6, &stopped), (std::vector<int>{0, 1, 2, 3, 0, 1}));
    f.loop = false;
    EXPECT_EQ(Ticks(f, 10, &stopped), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_TRUE(stopped);
    f.loop = true;
    f.round = true;
    EXPECT_EQ(Ticks(f, 9, &stopped), (std::vector<int>{0, 1, 2, 3, 2, 1, 0, 1, 2}));
    f.loop = false;
    EXPECT_EQ(Ticks(f, 20, &stopped), (std::vector<int>{0, 1, 2, 3, 2, 1}));
    EXPECT_TRUE(stopped);
}

TEST(SequenceFrames, SkinValuesRepeatEvery26Ticks) {
    SequenceFrames f;
    f.count = 26;
    bool stopped;
    auto frames = Ticks(f, 27, &stopped);
    EXPECT_EQ(frames[25], 25);
    EXPECT_EQ(frames[26], 0);
    SequenceFrames zero;
    EXPECT_EQ(Ticks(zero, 3, &stopped), (std::vector<int>{0, 0, 0}));
    SequenceFrames one;
    one.count = 1;
    one.round = true;
    auto neg = Ticks(one, 2, &stopped);
    EXPECT_EQ(neg[1], -1);
}

TEST(SequenceFrames, FrameNames) {
    EXPECT_EQ(FormatFrameName(L"res\\mainWnd\\installBtnAnimate\\%.3d.png", 7), L"res\\mainWnd\\installBtnAnimate\\007.png");
    EXPECT_EQ(FormatFrameName(L"a%d.png", 12), L"a12.png");
    EXPECT_EQ(FormatFrameName(L"same.png", 3), L"same.png");
    EXPECT_EQ(FormatFrameName(L"%02x-%%", 10), L"0a-%");
    // Conversions that would read missing arguments are kept as text.
    EXPECT_EQ(FormatFrameName(L"%s%d%d%n", 5), L"%s5%d%n");
    EXPECT_EQ(FormatFrameName(std::wstring(400, L'x') + L"%d", 1).size(), 259u);
}
