// Text box: line table and drawing geometry, the editing operations, and the focus loop
// driven by scripted clicks and keys.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/host_screen.h"
#include "support/support.h"
#include "tests/widgets/widgets_fixture.h"
#include "widgets/view_events.h"
#include "widgets/widget_layer.h"
#include "widgets/widget_layer_internal.h"
#include "widgets/widgets_internal.h"

namespace {

// A box of 300 × 164 pixels at content (10, 10) of an area at (100, 100): on screen
// (110, 110)-(410, 274); font 0 (8-pixel cells, 8n − 3 wide).
constexpr int kX1 = 110, kY1 = 110, kX2 = 410, kY2 = 274;

class TextBox : public WidgetsTest {
 protected:
  void Make(char *buffer, int limit, int font = 0) {
    area = Create_Scrollable_View_Area(100, 100, 700, 600, 0, 0);
    Add_Text_Box_to_View_Area(area, 10, 10, 310, 174, buffer, limit, BLACK_CI, WHITE_CI, 1, &on);
    Set_Text_Box_Font(area, font);
    item = Get_Scrollable_View_Area(area)->last_item;
    state = static_cast<TEXT_BOX_STATE *>(item->image_off);
  }
  void Draw() { Draw_Text_Box(item, kX1, kY1, kX2, kY2); }
  std::vector<int> Lines() const { return std::vector<int>(state->lines, state->lines + state->line_count); }
  // Focuses the box by a click at (x, y), runs the script, then clicks outside to leave.
  void Focus(int x, int y, const std::function<void()> &script) {
    msStCu(x, y);
    M_LEFT = 1;
    Host_Script_Press(1);
    Host_Script_Release(1);
    script();
    Host_Script_Click(5, 5);
    Run_Text_Box_Focus_Loop(area, item);
  }
  // Screen point of the caret position k on display line i (font 0).
  static int Col(int k) { return kX1 + 7 + (k > 0 ? 8 * k - 3 + 2 : 0); }
  static int Row(int i) { return kY1 + 7 + 14 * i + 3; }

  int on = 1;
  int area = -1;
  VIEW_ITEM *item = nullptr;
  TEXT_BOX_STATE *state = nullptr;
};

}  // namespace

TEST_F(TextBox, LongWordIsBrokenWhereItOverflows) {
  char text[200];
  std::memset(text, 'a', 100);
  std::strcpy(text + 100, "\n");
  Make(text, 199);
  Draw();
  EXPECT_EQ(Lines(), (std::vector<int>{0, 36, 72, 101}));
  EXPECT_EQ(state->line_count, 4);
}

TEST_F(TextBox, WordsWrapAfterTheLastBlank) {
  std::string words;
  for (int i = 0; i < 20; ++i) words += "wort ";
  words += "\n";
  char text[200];
  std::strcpy(text, words.c_str());
  Make(text, 199);
  Draw();
  EXPECT_EQ(Lines(), (std::vector<int>{0, 35, 70, 101}));
}

TEST_F(TextBox, ElevenLinesFitInA164PixelBox) {
  std::string many;
  for (int i = 0; i < 14; ++i) many += "xxxx\n";
  char text[200];
  std::strcpy(text, many.c_str());
  Make(text, 199);
  Draw();
  EXPECT_EQ(state->visible_lines, 10);
  // Baselines 16 to 156 below the top: glyph rows from baseline − 6 to + 2.
  EXPECT_GT(Host_Count_Pixels(kX1 + 7, kY1 + 16 - 6, kX1 + 40, kY1 + 16 + 2, BLACK_CI), 0);
  EXPECT_GT(Host_Count_Pixels(kX1 + 7, kY1 + 156 - 6, kX1 + 40, kY1 + 156 + 2, BLACK_CI), 0);
  EXPECT_EQ(Host_Count_Pixels(kX1 + 7, kY1 + 164, kX1 + 40, kY1 + 180, BLACK_CI), 0);  // the 12th is not drawn
  EXPECT_EQ(Host_Count_Pixels(kX1 + 7, kY1 + 159, kX1 + 40, kY1 + 163, BLACK_CI), 0);  // nor clipped in
}

TEST_F(TextBox, AddingAppendsTheFinalLineBreakWhenThereIsRoom) {
  char text[10] = "abc";
  Make(text, 9);
  EXPECT_STREQ(text, "abc\n");
  EXPECT_EQ(state->length, 4);
  char full[6] = "abcde";
  Add_Text_Box_to_View_Area(area, 0, 0, 100, 100, full, 5, 0, 1, 0, &on);
  EXPECT_STREQ(full, "abcde");
  int count = View_Area_Item_Count(area);
  Add_Text_Box_to_View_Area(area, 0, 0, 100, 100, full, 0, 0, 1, 0, &on);
  EXPECT_EQ(View_Area_Item_Count(area), count);
}

TEST_F(TextBox, TypingReplacesTheSelection) {
  char text[20] = "abcde\n";
  Make(text, 19);
  state->text = text;
  state->sel_start = 2;
  state->sel_end = 4;
  Insert_Text_Box_Char('X', state);
  EXPECT_STREQ(text, "abXe\n");
  EXPECT_EQ(state->length, 5);
  EXPECT_EQ(state->caret, 3);
  Insert_Text_Box_Char(13, state);
  EXPECT_STREQ(text, "abX\ne\n");
}

TEST_F(TextBox, FullTextTakesNothingButLosesItsSelection) {
  char text[6] = "abcde";
  Make(text, 5);
  state->text = text;
  state->caret = 1;
  Insert_Text_Box_Char('X', state);
  EXPECT_STREQ(text, "abcde");
  state->sel_start = 1;
  state->sel_end = 3;
  Insert_Text_Box_Char('X', state);
  EXPECT_STREQ(text, "aXde");
  EXPECT_EQ(state->length, 4);
}

TEST_F(TextBox, TextWidthInFixedCells) {
  char text[20] = "abcde\n";
  Make(text, 19);
  EXPECT_EQ(Text_Box_Text_Width("abcde", 0), 0);
  Focus(Col(0), Row(0), [] { Host_Script_Key(0x7f00); });  // nothing typed
  // Outside the focus the host measures in the selected font.
  Pop_RFont(0);
  EXPECT_EQ(Text_Box_Text_Width("abcde", 5), 37);
  Push_RFont();
}

TEST_F(TextBox, DelOnTheFinalBreakDoesNothingBackspaceRemovesTheCharBefore) {
  char text[20] = "abc\n";
  Make(text, 19);
  Focus(Col(3), Row(0), [] {
    Host_Script_Key(339);
    Host_Script_Key(8);
  });
  EXPECT_STREQ(text, "ab\n");
}

TEST_F(TextBox, SelectAllCopyAndCut) {
  char text[20] = "abc\n";
  Make(text, 19);
  Focus(Col(1), Row(0), [] {
    Host_Script_Key(1);
    Host_Script_Key(3);
  });
  EXPECT_TRUE(Host_Clipboard_Is("abc"));
  EXPECT_STREQ(text, "abc\n");
  YRMSetClipboardText("");
  Focus(Col(1), Row(0), [] {
    Host_Script_Key(1);
    Host_Script_Key(24);
  });
  EXPECT_TRUE(Host_Clipboard_Is("abc"));
  EXPECT_STREQ(text, "\n");
}

TEST_F(TextBox, PasteStopsAtTheLimit) {
  std::unique_ptr<char[]> text(new char[5001]);
  std::memset(text.get(), 'x', 4989);
  std::strcpy(text.get() + 4989, "\n");
  Make(text.get(), 5000);
  YRMSetClipboardText(std::string(100, 'p').c_str());
  Focus(Col(0), Row(0), [] { Host_Script_Key(22); });
  EXPECT_EQ(std::strlen(text.get()), 5000u);
  EXPECT_EQ(std::string(text.get(), 10), std::string(10, 'p'));
}

TEST_F(TextBox, PastedLineEndsBecomeLineBreaks) {
  // Both with the host's converted text and with raw CR / CR LF line ends, each line end
  // becomes exactly one line break.
  for (int raw = 0; raw <= 1; ++raw) {
    char text[40] = "\n";
    Make(text, 39);
    Host_Test_Set_Clipboard_Raw(raw);
    YRMSetClipboardText("a\r\nb\rc\n");
    Focus(Col(0), Row(0), [] { Host_Script_Key(22); });
    EXPECT_STREQ(text, "a\nb\nc\n\n") << "raw " << raw;
    Host_Test_Set_Clipboard_Raw(0);
  }
}

TEST_F(TextBox, EnterInMidLineAddsOneLine) {
  char text[40] = "abcdef\n";
  Make(text, 39);
  Draw();
  int before = state->line_count;
  Focus(Col(3), Row(0), [] { Host_Script_Key(13); });
  EXPECT_STREQ(text, "abc\ndef\n");
  EXPECT_EQ(state->line_count, before + 1);
}

TEST_F(TextBox, ClickBelowTheLastLinePutsTheCaretOnTheFinalBreak) {
  char text[40] = "abc\ndef\n";
  Make(text, 39);
  Focus(Col(2), Row(6), [] {});
  EXPECT_EQ(state->caret, 7);
}

TEST_F(TextBox, ArrowKeysStopAtTheEdges) {
  char text[40] = "abc\nde\n";
  Make(text, 39);
  Focus(Col(3), Row(0), [] {
    Host_Script_Key(336);  // down: to the end of "de" (its line break)
    Host_Script_Text("X");
    Host_Script_Key(333);  // right on the final break: stays
    Host_Script_Text("Y");
    Host_Script_Key(375);  // Ctrl+Home, left at the start: stays
    Host_Script_Key(331);
    Host_Script_Text("Z");
  });
  EXPECT_STREQ(text, "Zabc\ndeXY\n");
}

TEST_F(TextBox, DragBelowTheBoxScrollsOneLinePerPause) {
  std::string many;
  for (int i = 0; i < 30; ++i) many += "zeile\n";
  std::vector<char> text(many.begin(), many.end());
  text.resize(400, '\0');
  Make(text.data(), 399);
  Focus(Col(1), Row(0), [] {
    Host_Script_Move(Col(2), Row(1));
    Host_Script_Press(1);
    Host_Script_Move(Col(2), kY2 + 20);
    Host_Script_Wait(500);
    Host_Script_Release(1);
  });
  // Each line: the drag's wait of 50 ms and a pause of 50 ms.
  int pauses = Host_Call_Count("YRMSleep");
  EXPECT_GE(pauses, 4);
  EXPECT_LE(pauses, 5);
  EXPECT_EQ(state->first_line, 0);  // leaving shows the text from its beginning
}

TEST_F(TextBox, AbortEndsTheFocusLoop) {
  char text[20] = "abc\n";
  Make(text, 19);
  msStCu(Col(1), Row(0));
  M_LEFT = 1;
  Host_Script_Press(1);
  Host_Script_Release(1);
  Host_Script_Abort();
  Run_Text_Box_Focus_Loop(area, item);
  EXPECT_EQ(Current_Text_Box(), nullptr);
}

TEST_F(TextBox, EveryKeySurvivesAnEmptiedAndAFullBuffer) {
  const std::vector<int> keys = {3, 24, 22, 1, 331, 333, 328, 336, 329, 337, 327, 335, 375, 373, 'a', 13, 8, 339, 999};
  // A buffer emptied after the box was added (its stored length is stale).
  std::unique_ptr<char[]> emptied(new char[11]);
  std::strcpy(emptied.get(), "hallo\nxy\n");
  Make(emptied.get(), 10);
  emptied[0] = '\0';
  YRMSetClipboardText("0123456789abc");
  for (int key : keys) Focus(Col(1), Row(0), [key] { Host_Script_Key(key); });
  EXPECT_LE(std::strlen(emptied.get()), 10u);
  // A full text without line break.
  std::unique_ptr<char[]> full(new char[6]);
  std::strcpy(full.get(), "abcde");
  Make(full.get(), 5);
  for (int key : keys) {
    Focus(Col(4), Row(0), [key] {
      Host_Script_Key(1);
      Host_Script_Key(key);
    });
    EXPECT_LE(std::strlen(full.get()), 5u);
  }
}

// ---------------------------------------------------------------- golden picture


// A focused box in its own font: selection over a line break, caret, fill gauge and
// line-position bar (more lines than fit). PF_UPDATE_GOLDEN=1 writes the picture anew.
TEST_F(TextBox, GoldenFocusedBoxWithSelectionAndGauges) {
  std::string text = "Bemerkung zum Brandschutz der Stütze\n"_cp;
  for (int i = 1; i <= 14; ++i) text += "Zeile " + std::to_string(i) + " mit etwas Text\n";
  std::vector<char> buffer(text.begin(), text.end());
  buffer.resize(600, '\0');
  Make(buffer.data(), 599, 0x1003);
  Update_View_Area_Scrolling(area);  // the area draws the frame and the box
  state->box_x1 = kX1, state->box_y1 = kY1, state->box_x2 = kX2, state->box_y2 = kY2;
  state->text = buffer.data();
  state->item = item;
  state->background = WHITE_CI;
  state->first_line = 1;
  state->sel_start = 40;
  state->sel_end = 70;
  state->caret = 70;
  Draw();
  Draw_Text_Box_Caret(state);
  Draw_Text_Box_Gauges(state);
  const int x1 = kX1 - 2, y1 = kY1 - 2;
  EXPECT_GOLDEN("text_box_focused.png", x1, y1, kX2 + 2, kY2 + 2);
}

// The event handler hands a click into the box to its focus loop and reports the change.
TEST_F(TextBox, EventHandlerRunsTheFocusLoop) {
  char text[40] = "abc\n";
  Make(text, 39);
  Update_View_Area_Scrolling(area);
  Host_Script_Click(Col(3), Row(0));
  Host_Script_Wait(50);
  Host_Script_Text("de");
  Host_Script_Wait(50);
  Host_Script_Click(5, 5);
  EXPECT_EQ(Handle_View_Area_Event(area), 1);
  EXPECT_STREQ(text, "abcde\n");
  EXPECT_EQ(Current_Text_Box(), nullptr);
}

// The right button opens the menu "Sonderzeichen"; the picked character goes in at the caret.
TEST_F(TextBox, SpecialCharacterFromTheMenu) {
  char text[40] = "abc\n";
  Make(text, 39);
  Focus(Col(3), Row(0), [] {
    Host_Script_Wait(50);
    Host_Script_Move(200, 150);
    Host_Script_Press(2);
    Host_Script_Release(2);
    Host_Script_Wait(50);
    Host_Script_Move(210, 158);  // the menu's only row
    Host_Script_Press(1);
    Host_Script_Release(1);
    Host_Script_Wait(50);
    Host_Script_Click(210 + 5, 158 + 8);  // the first cell of the picker: ä
    Host_Script_Wait(50);
  });
  EXPECT_STREQ(text, "abcä\n"_cp);
}
