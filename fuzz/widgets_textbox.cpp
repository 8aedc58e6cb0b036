// Fuzz target of the text box and the markup-aware text width: the first bytes choose the
// limit, the font and the start text, the rest is typed into the focused box as keys (and
// wheel turns). The text must stay within its limit and its buffer.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#define HOST_TEST_NO_GTEST
#include "host/host.h"
#include "host/host_test.h"
#include "widgets/view_events.h"
#include "widgets/widget_layer.h"

namespace {

// Keys of the box's key table and a few it does not know.
constexpr int kKeys[] = {1, 3, 8, 13, 22, 24, 27, 327, 328, 329, 331, 333, 335, 336, 337, 339, 373, 375, 315, 999};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // Markup width on an exact-size copy: no read past the text.
  std::vector<char> copy(data, data + size);
  copy.push_back('\0');
  Get_Markup_Text_Width(copy.data());

  if (size < 3) return 0;
  const int limit = 1 + data[0] % 48;
  const int font = (data[1] & 1) ? 0 : 0x1003;
  const std::size_t start_length = data[2] % 40;
  std::size_t at = 3;

  Host_Test_Reset();
  Host_Test_Set_Trace(0);  // nothing here reads it: every key would format a dozen calls
  Host_Test_Set_Policy(HOST_SCRIPT_SOFT);
  Set_NoFrameFlag_to_Next_PropSheet();
  Define_Prop_Sheet(0, 0, 20, 20, 0, 0, "", 0, 0);  // small: the host saves the screen under it
  Activate_Prop_Sheet();
  const int area = Create_Scrollable_View_Area(100, 100, 700, 600, 0, 0);

  std::vector<char> text(static_cast<std::size_t>(limit) + 1, '\0');
  for (std::size_t i = 0; i < start_length && i < static_cast<std::size_t>(limit) && at < size; ++i, ++at)
    text[i] = data[at] ? static_cast<char>(data[at]) : 'x';
  int on = 1;
  Add_Text_Box_to_View_Area(area, 10, 10, 200, 100, text.data(), limit, BLACK_CI, WHITE_CI, 1, &on);
  Set_Text_Box_Font(area, font);
  VIEW_ITEM *item = Get_Scrollable_View_Area(area)->last_item;
  if (at < size && data[at] == 0) text[0] = '\0';  // the caller empties the buffer after adding

  msStCu(140, 120);
  M_LEFT = 1;
  Host_Script_Press(1);
  Host_Script_Release(1);
  for (; at < size; ++at) {
    const uint8_t b = data[at];
    if (b < 24)
      Host_Script_Key(kKeys[b % (sizeof kKeys / sizeof kKeys[0])]);
    else if (b == 24)
      Host_Script_Wheel(-1);
    else if (b == 25)
      Host_Script_Wheel(1);
    else
      Host_Script_Key(b);
  }
  Run_Text_Box_Focus_Loop(area, item);
  if (std::strlen(text.data()) > static_cast<std::size_t>(limit)) __builtin_trap();
  Remove_All_View_Areas();
  // The host's state (canvas, call trace) goes with the input that made it: libFuzzer takes
  // a run that ends with more blocks than it began with for a leak and runs it again.
  Host_Test_Reset();
  return 0;
}
