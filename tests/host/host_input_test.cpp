// Input: waits and their masks, limits, timer ticks, keys, the wheel, the pointer, the virtual
// clock and the two policies for a script that runs out.
#include <string>

#include "host/host_test.h"
#include "tests/testsupport/screen_test.h"
#include "support/support.h"

namespace {

using HostInput = HostScreenTest;

constexpr int kPointerKinds = YRM_POINTER | YRM_LEFT_PRESS | YRM_LEFT_RELEASE;

TEST_F(HostInput, AMoveEndsNoWaitLackingPointerKindsYetShowsAfterIt) {
  Script("m300,200 w40 p1");
  YRMMESSAGE rec;
  InitYRMMessage(&rec);
  EXPECT_EQ(std::vector<int>({GetYRMMessage(YRM_LEFT_PRESS, &rec), M_XPOS, M_YPOS, M_LEFT}),
            std::vector<int>({YRM_LEFT_PRESS | YRM_POINTER, 300, 200, 1}));
  EXPECT_DOUBLE_EQ(Host_Clock_Ms(), 40.0);
  EXPECT_EQ(std::vector<int>({rec.x, rec.buttons}), std::vector<int>({300, 1}));

  Host_Script_Move(10, 20);
  rec.limit_ms = 100;
  EXPECT_EQ(GetYRMMessage(YRM_LEFT_RELEASE | YRM_LIMIT, &rec), 0);  // the move does not end it
  EXPECT_EQ(std::vector<int>({M_XPOS, M_YPOS}), std::vector<int>({10, 20}));
  EXPECT_DOUBLE_EQ(Host_Clock_Ms(), 140.0);
}

TEST_F(HostInput, TheLimitEndsAnEmptyWaitAtItsTime) {
  YRMMESSAGE rec;
  InitYRMMessage(&rec);
  rec.limit_ms = 100;
  EXPECT_EQ(GetYRMMessage(0x94022 | YRM_LIMIT, &rec), 0);
  EXPECT_DOUBLE_EQ(Host_Clock_Ms(), 100.0);
  EXPECT_EQ(rec.time_ms, 100);
  // without the limit bit the record's limit does not count: an event ends the wait
  Script("w500 m1,1");
  EXPECT_EQ(GetYRMMessage(YRM_POINTER, &rec), YRM_POINTER);
  EXPECT_DOUBLE_EQ(Host_Clock_Ms(), 600.0);
}

TEST_F(HostInput, TimerTicksEveryFiftyMillisecondsEndAnyWait) {
  EXPECT_EQ(YRMSetTimer(1), 0);
  const double expected[] = {50, 100, 150};
  for (double t : expected) {
    EXPECT_EQ(GetYRMMessage(YRM_KEY, nullptr), YRM_SYSTEM);
    EXPECT_DOUBLE_EQ(Host_Clock_Ms(), t);
  }
  YRMSleep(120);  // 270: the tick of 200 is due at once, then 300
  EXPECT_EQ(GetYRMMessage(YRM_KEY, nullptr), YRM_SYSTEM);
  EXPECT_DOUBLE_EQ(Host_Clock_Ms(), 270.0);
  EXPECT_EQ(GetYRMMessage(YRM_KEY, nullptr), YRM_SYSTEM);
  EXPECT_DOUBLE_EQ(Host_Clock_Ms(), 300.0);
  EXPECT_EQ(std::vector<int>({Host_Timer_On(), YRMSetTimer(0), Host_Timer_On()}),
            std::vector<int>({1, 1, 0}));
}

TEST_F(HostInput, AKeyIsReportedOnceAndStaysInTheBufferUntilTaken) {
  Script("k328 ta");
  EXPECT_EQ(GetYRMMessage(YRM_POINTER | YRM_LIMIT, nullptr), 0);  // arrives, not reported
  YRMMESSAGE rec;
  InitYRMMessage(&rec);
  EXPECT_EQ(std::vector<int>({GetYRMMessage(YRM_KEY, &rec), rec.key}), std::vector<int>({YRM_KEY, 328}));
  EXPECT_EQ(GetYRMMessage(YRM_KEY, &rec), YRM_KEY);  // the second key
  rec.limit_ms = 30;
  EXPECT_EQ(GetYRMMessage(YRM_KEY | YRM_LIMIT, &rec), 0);  // no key reported twice
  EXPECT_EQ(std::vector<int>({hitkey(), getkey(), getkey(), hitkey(), getkey()}),
            std::vector<int>({328, 328, 'a', -1, -1}));
}

TEST_F(HostInput, TheWheelCountsOnlyWhenSwitchedOnAndStaysUntilReset) {
  Script("W-1 m5,5");
  EXPECT_EQ(GetYRMMessage(YRM_WHEEL | YRM_POINTER, nullptr), YRM_POINTER);
  EXPECT_EQ(M_SCROLL, 0);
  Set_MouseWheel_Activity(1);
  Host_Script_Wheel(-2);
  EXPECT_EQ(std::vector<int>({GetYRMMessage(YRM_WHEEL, nullptr), M_SCROLL}), std::vector<int>({YRM_WHEEL, -2}));
  Host_Script_Move(6, 6);
  GetYRMMessage(YRM_POINTER, nullptr);
  EXPECT_EQ(M_SCROLL, -2);  // kept until a caller sets 0
  M_SCROLL = 0;
  Host_Script_Wheel(1);
  GetYRMMessage(YRM_WHEEL, nullptr);
  EXPECT_EQ(M_SCROLL, 1);
}

TEST_F(HostInput, GetMouseEventAdvancesTenMillisecondsUpToTheNextPointerEvent) {
  Script("tx p1 m50,60 w100 r1");
  EXPECT_EQ(Get_Mouse_Event(), YRM_KEY | YRM_LEFT_PRESS | YRM_POINTER);
  EXPECT_EQ(M_LEFT, 1);
  EXPECT_EQ(M_XPOS, 0);  // the move waits for the next call
  EXPECT_DOUBLE_EQ(Host_Clock_Ms(), 10.0);
  EXPECT_EQ(hitkey(), 'x');
  Get_Mouse_Event();
  EXPECT_EQ(M_XPOS, 50);
  int calls = 0;
  while (M_LEFT && calls < 100) {
    Get_Mouse_Event();
    ++calls;
  }
  EXPECT_EQ(M_LEFT, 0);
  EXPECT_EQ(calls, 8);  // 30, 40, ... 100 ms: the release is due at 100 ms
}

TEST_F(HostInput, GlobalsChangeOnlyWhenTheHostCopiesTheDeviceState) {
  Host_Script_Press(1);
  GetYRMMessage(YRM_LEFT_PRESS, nullptr);
  M_LEFT = 0;  // the caller may write the globals in between
  M_YPOS = 999;
  Host_Script_Move(7, 8);
  GetYRMMessage(YRM_POINTER, nullptr);
  EXPECT_EQ(std::vector<int>({M_LEFT, M_YPOS}), std::vector<int>({1, 8}));
}

TEST_F(HostInput, PointerPlacementSavingAndRestriction) {
  msStCu(100, 120);
  EXPECT_EQ(M_XPOS, 100);
  int x, y;
  EXPECT_EQ(std::vector<int>({msStat(&x, &y), x, y}), std::vector<int>({0, 100, 120}));
  Save_Mouse_Position();
  Pop_Mouse_Move_Restriction(200, 200, 300, 260);
  int r[4];
  EXPECT_EQ(std::vector<int>({Host_Pointer_Restriction(r), r[2]}), std::vector<int>({1, 300}));
  Host_Script_Move(10, 900);
  GetYRMMessage(YRM_POINTER, nullptr);
  EXPECT_EQ(std::vector<int>({M_XPOS, M_YPOS}), std::vector<int>({200, 260}));
  Push_Mouse_Move_Restriction();
  EXPECT_EQ(std::vector<int>({Host_Pointer_Restriction(r), r[2]}), std::vector<int>({0, NPIXEL_X - 1}));
  Restore_Mouse_Position();
  EXPECT_EQ(std::vector<int>({M_XPOS, M_YPOS}), std::vector<int>({100, 120}));
  Init_Mouse_Move_Restriction(0, 0, 99, 99);
  msStCu(500, 50);
  EXPECT_EQ(M_XPOS, 99);
  setMouseCursor(7);
  EXPECT_EQ(Host_Mouse_Cursor(), 7);
}

TEST_F(HostInput, SleepsAndWaitsMoveTheVirtualClockThatTimeoutsRead) {
  Set_Timeout(1.0);
  EXPECT_FALSE(Timeout_Reached());
  YRMSleep(600);
  Wait_Seconds(0.3);
  EXPECT_DOUBLE_EQ(Host_Clock_Ms(), 900.0);
  EXPECT_FALSE(Timeout_Reached());
  YRMMESSAGE rec;
  InitYRMMessage(&rec);
  rec.limit_ms = 100;
  GetYRMMessage(YRM_LIMIT, &rec);
  EXPECT_TRUE(Timeout_Reached());
}

TEST_F(HostInput, AnAbortEndsTheWaitAndSetsTheKeyMask) {
  Script("w20 A");
  EXPECT_EQ(std::vector<int>({getkeymask(), GetYRMMessage(YRM_LEFT_PRESS, nullptr), getkeymask()}),
            std::vector<int>({0, YRM_SYSTEM, 1}));
}

TEST_F(HostInput, AnExhaustedScriptFailsFastNamingTheLastCalls) {
  pxRect(1, 2, 3, 4);
  try {
    GetYRMMessage(YRM_LEFT_PRESS, nullptr);
    FAIL() << "no exception";
  } catch (const HostScriptExhausted &e) {
    std::string what = e.what();
    EXPECT_NE(what.find("GetYRMMessage"), std::string::npos);
    EXPECT_NE(what.find("pxRect(1,2,3,4)"), std::string::npos);
  }
  EXPECT_THROW(
      {
        for (int i = 0; i < 20000; ++i) Get_Mouse_Event();
      },
      HostScriptExhausted);
  EXPECT_THROW(
      {
        while (hitkey() == -1) {
        }
      },
      HostScriptExhausted);
}

TEST_F(HostInput, TheSoftPolicyReleasesTheButtonsAndUnwinds) {
  Host_Test_Set_Policy(HOST_SCRIPT_SOFT);
  Define_Prop_Sheet(100, 100, 400, 300, 1, 0, "Dialog", 1, 1);
  Add_Escape_Area_to_PS(110, 130, 390, 290, 0, 5);
  Activate_Prop_Sheet();
  Host_Script_Press(1);
  EXPECT_EQ(GetYRMMessage(kPointerKinds, nullptr), YRM_LEFT_PRESS | YRM_POINTER);
  EXPECT_EQ(M_LEFT, 1);
  int polls = 0;
  while (M_LEFT) {  // a caller waiting for the release
    Get_Mouse_Event();
    ASSERT_LT(++polls, 20000);
  }
  EXPECT_EQ(std::vector<int>({getkeymask(), GetYRMMessage(YRM_LEFT_PRESS, nullptr), Edit_Prop_Sheet()}),
            std::vector<int>({1, 0, 0}));
}

}  // namespace
