// Text box: line table and drawing geometry, the editing operations, and the focus loop
// driven by scripted clicks and keys.
#include <cstring>
#include <memory>

#include "host/host_screen.h"
#include "support/support.h"
#include "tests/widgets/widgets_fixture.h"
#include "widgets/widget_layer.h"
#include "widgets/widget_layer_internal.h"

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
  // Focuses the box by a click on caret position k of display line i, runs the script, then
  // clicks outside to leave.
  void Focus(int k, int i, const std::string &script) {
    msStCu(Col(k), Row(i));
    M_LEFT = 1;
    Script("p1 r1 " + script + " c5,5");
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

// A long word is broken where it overflows, words wrap after the last blank, ten lines of
// 14 pixels fit in 164.
TEST_F(TextBox, LineTable) {
  const struct Case {
    std::string text;
    std::vector<int> lines;
  } cases[] = {{std::string(100, 'a') + "\n", {0, 36, 72, 101}}, {[] {
                                                                      std::string w;
                                                                      for (int i = 0; i < 20; ++i) w += "wort ";
                                                                      return w + "\n";
                                                                    }(),
                                                                    {0, 35, 70, 101}}};
  for (const Case &c : cases) {
    std::vector<char> text(c.text.begin(), c.text.end());
    text.resize(200, '\0');
    Make(text.data(), 199);
    Draw();
    EXPECT_EQ(Lines(), c.lines);
  }
  EXPECT_EQ(state->visible_lines, 10);
  EXPECT_EQ(Text_Box_Text_Width("abcde", 0), 0);
  Pop_RFont(0);  // outside the focus the host measures in the selected font
  EXPECT_EQ(Text_Box_Text_Width("abcde", 5), 37);
  Push_RFont();
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

// Typing replaces the selection; a full text takes nothing but loses its selection.
TEST_F(TextBox, TypingReplacesTheSelection) {
  char text[20] = "abcde\n";
  Make(text, 19);
  state->text = text;
  state->sel_start = 2;
  state->sel_end = 4;
  Insert_Text_Box_Char('X', state);
  EXPECT_STREQ(text, "abXe\n");
  EXPECT_EQ(std::vector<int>({state->length, state->caret}), std::vector<int>({5, 3}));
  Insert_Text_Box_Char(13, state);
  EXPECT_STREQ(text, "abX\ne\n");
  char full[6] = "abcde";
  Make(full, 5);
  state->text = full;
  state->caret = 1;
  Insert_Text_Box_Char('X', state);
  EXPECT_STREQ(full, "abcde");
  state->sel_start = 1;
  state->sel_end = 3;
  Insert_Text_Box_Char('X', state);
  EXPECT_STREQ(full, "aXde");
  EXPECT_EQ(state->length, 4);
}

// (text, caret clicked, clipboard, script) → (text, caret, clipboard). Ctrl+A 1, C 3, X 24,
// V 22, Del 339, arrows 331/333/336, Ctrl+Home 375; the right button's menu "Sonderzeichen".
TEST_F(TextBox, KeyScripts) {
  const struct Case {
    const char *text;
    int k, i;
    const char *clip_in;
    int raw;
    const char *script, *text_after;
    int caret;
    const char *clip_out;
  } cases[] = {
      {"abc\n", 3, 0, "", 0, "k339 k8", "ab\n", 2, ""},  // Del on the final break does nothing
      {"abcdef\n", 3, 0, "", 0, "k8 tX", "abXdef\n", 3, ""},  // the caret follows a backspace
      {"abc\n", 1, 0, "", 0, "k1 k3", "abc\n", -1, "abc"},
      {"abc\n", 1, 0, "", 0, "k1 k24", "\n", 0, "abc"},
      {"abcdef\n", 3, 0, "", 0, "k13", "abc\ndef\n", 4, ""},
      {"abc\ndef\n", 2, 6, "", 0, "", "abc\ndef\n", 7, ""},  // below the last line: on the final break
      {"abc\nde\n", 3, 0, "", 0, "k336 tX k333 tY k375 k331 tZ", "Zabc\ndeXY\n", 1, ""},  // stops at the edges
      {"\n", 0, 0, "a\r\nb\rc\n", 0, "k22", "a\nb\nc\n\n", 6, "a\r\nb\rc\n"},  // each line end one break
      {"\n", 0, 0, "a\r\nb\rc\n", 1, "k22", "a\nb\nc\n\n", 6, "a\r\nb\rc\n"},
      {"abc\n", 3, 0, "", 0, "w50 m200,150 p2 r2 w50 m210,158 p1 r1 w50 c215,166 w50", "abcä\n"_cp, 4, ""},
      // The wheel toward the end scrolls one line and takes the caret along; back again.
      {"a\na\na\na\na\na\na\na\na\na\na\na\na\na\na\na\na\na\n", 1, 0, "", 0, "W-1 w50 tX",
       "a\naX\na\na\na\na\na\na\na\na\na\na\na\na\na\na\na\na\n", 4, ""},
      {"a\na\na\na\na\na\na\na\na\na\na\na\na\na\na\na\na\na\n", 1, 0, "", 0, "W-1 w50 W1 w50 tX",
       "aX\na\na\na\na\na\na\na\na\na\na\na\na\na\na\na\na\na\n", 2, ""},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.text) + " " + c.script);
    std::vector<char> text(c.text, c.text + std::strlen(c.text));
    text.resize(40, '\0');
    Make(text.data(), 39);
    YRMSetClipboardText(c.clip_in);
    Host_Test_Set_Clipboard_Raw(c.raw);
    Set_MouseWheel_Activity(1);
    Focus(c.k, c.i, c.script);
    Host_Test_Set_Clipboard_Raw(0);
    EXPECT_STREQ(text.data(), std::string(c.text_after).c_str());
    EXPECT_EQ(c.caret < 0 ? c.caret : state->caret, c.caret);
    EXPECT_TRUE(Host_Clipboard_Is(c.clip_out));
    EXPECT_EQ(Current_Text_Box(), nullptr);
  }
}

TEST_F(TextBox, PasteStopsAtTheLimit) {
  std::unique_ptr<char[]> text(new char[5001]);
  std::memset(text.get(), 'x', 4989);
  std::strcpy(text.get() + 4989, "\n");
  Make(text.get(), 5000);
  YRMSetClipboardText(std::string(100, 'p').c_str());
  Focus(0, 0, "k22");
  EXPECT_EQ(std::strlen(text.get()), 5000u);
  EXPECT_EQ(std::string(text.get(), 10), std::string(10, 'p'));
}

TEST_F(TextBox, DragBelowTheBoxScrollsOneLinePerPause) {
  std::string many;
  for (int i = 0; i < 30; ++i) many += "zeile\n";
  std::vector<char> text(many.begin(), many.end());
  text.resize(400, '\0');
  Make(text.data(), 399);
  Focus(1, 0, "m132,134 p1 m132,294 w500 r1");  // from (Col(2), Row(1)) to 20 below the box
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
  Script("p1 r1 A");
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
  for (int key : keys) Focus(1, 0, "k" + std::to_string(key));
  EXPECT_LE(std::strlen(emptied.get()), 10u);
  // A full text without line break.
  std::unique_ptr<char[]> full(new char[6]);
  std::strcpy(full.get(), "abcde");
  Make(full.get(), 5);
  for (int key : keys) {
    Focus(4, 0, "k1 k" + std::to_string(key));
    EXPECT_LE(std::strlen(full.get()), 5u);
  }
}

// A focused box in its own font: selection over a line break, caret, fill gauge and
// line-position bar (more lines than fit).
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
  EXPECT_GOLDEN("text_box_focused.png", kX1 - 2, kY1 - 2, kX2 + 2, kY2 + 2);
}

// The event handler hands a click into the box to its focus loop and reports the change.
TEST_F(TextBox, EventHandlerRunsTheFocusLoop) {
  char text[40] = "abc\n";
  Make(text, 39);
  Update_View_Area_Scrolling(area);
  Script("c140,120 w50 tde w50 c5,5");  // at (Col(3), Row(0))
  EXPECT_EQ(Handle_View_Area_Event(area), 1);
  EXPECT_STREQ(text, "abcde\n");
  EXPECT_EQ(Current_Text_Box(), nullptr);
}
