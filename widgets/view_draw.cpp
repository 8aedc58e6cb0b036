// Drawing of view items: Draw_View_Area paints the visible part of an area, every item by
// its kind in creation order; Draw_Hover_Text shows the hover text of a button or spot.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "host/host.h"
#include "host/host_screen.h"
#include "support/support.h"
#include "widgets/widgets.h"
#include "widgets/widgets_internal.h"

namespace {

// Built-in monochrome masks: rows of two bytes, leftmost pixel in the highest bit.
constexpr unsigned char kArrowMask[13 * 2] = {
    0xff, 0xf8, 0x80, 0x08, 0x80, 0x08, 0x80, 0x08, 0x80, 0x08, 0xbf, 0xe8, 0x9f,
    0xc8, 0x8f, 0x88, 0x87, 0x08, 0x82, 0x08, 0x80, 0x08, 0x80, 0x08, 0xff, 0xf8};
constexpr unsigned char kRadioSetMask[12 * 2] = {0x0f, 0x00, 0x3f, 0xc0, 0x70, 0xe0, 0x60, 0x60,
                                                 0xc6, 0x30, 0xcf, 0x30, 0xcf, 0x30, 0xc6, 0x30,
                                                 0x60, 0x60, 0x70, 0xe0, 0x3f, 0xc0, 0x0f, 0x00};
constexpr unsigned char kRadioOffMask[12 * 2] = {0x0f, 0x00, 0x3f, 0xc0, 0x70, 0xe0, 0x60, 0x60,
                                                 0xc0, 0x30, 0xc0, 0x30, 0xc0, 0x30, 0xc0, 0x30,
                                                 0x60, 0x60, 0x70, 0xe0, 0x3f, 0xc0, 0x0f, 0x00};
constexpr unsigned char kCheckSetMask[13 * 2] = {
    0xff, 0xf8, 0xff, 0xf8, 0xc0, 0x18, 0xc0, 0x58, 0xc0, 0xd8, 0xd1, 0xd8, 0xdb,
    0x98, 0xdf, 0x18, 0xce, 0x18, 0xc4, 0x18, 0xc0, 0x18, 0xff, 0xf8, 0xff, 0xf8};
constexpr unsigned char kCheckOffMask[13 * 2] = {
    0xff, 0xf8, 0xff, 0xf8, 0xc0, 0x18, 0xc0, 0x18, 0xc0, 0x18, 0xc0, 0x18, 0xc0,
    0x18, 0xc0, 0x18, 0xc0, 0x18, 0xc0, 0x18, 0xc0, 0x18, 0xff, 0xf8, 0xff, 0xf8};

constexpr unsigned kDottedLine = 0xaaaaaaaau;
constexpr int kInactiveText = 0x1000;  // font of the inactive text of a field
constexpr int kHoverFont = 0x1000;

struct ViewDrawState {
  bool colours_known;
  int white, black, grey;           // module colours, found on the first pass
  bool text_box_colours_known;
  int text_box_grey, text_box_black;  // found on the first text box drawn
  VIEW_HOVER_STATE hover;
  bool reset_registered;
} g;

ViewDrawState &_State() {
  if (!g.reset_registered) {
    g.reset_registered = true;
    Host_Register_Reset(&Reset_View_Drawing_For_Tests);
  }
  return g;
}

// One pass: the visible rectangle and scroll offset, and where an item point lies.
struct Pass {
  int scroll_x, scroll_y;
  int vx1, vy1, vx2, vy2;
  SCROLLABLE_VIEW_AREA *area;
  int X(int x) const { return vx1 + x - scroll_x; }
  int Y(int y) const { return vy1 + y - scroll_y; }
  // Whether a screen rectangle (corners in any order) meets the visible one.
  bool Meets(int x1, int y1, int x2, int y2) const {
    int left = std::min(x1, x2), right = std::max(x1, x2);
    int top = std::min(y1, y2), bottom = std::max(y1, y2);
    return top <= vy2 && bottom >= vy1 && left <= vx2 && right >= vx1;
  }
};

int _Even(int w) { return (w & 1) ? w + 1 : w; }

// A caller's active flag: a missing flag counts as active.
bool _Is_Active(const int *active_ptr) { return !active_ptr || *active_ptr != 0; }

int _Length(const char *text) { return text ? static_cast<int>(std::strlen(text)) : 0; }

// Copies at most n characters of a text into the 512-byte buffer (at most 511).
void _Cut_Text(char (&buffer)[512], const char *text, int n) {
  n = std::clamp(n, 0, static_cast<int>(sizeof buffer) - 1);
  int len = 0;
  if (text)
    while (len < n && text[len]) ++len;
  if (len) std::memcpy(buffer, text, len);
  buffer[len] = '\0';
}

// A text at the baseline, again one pixel to the right when bold.
void _Text(int x, int y, const char *text, int style) {
  if (!text) return;
  int len = _Length(text);
  pxText(x, y, text, len);
  if (style == VIEW_STYLE_BOLD) pxText(x + 1, y, text, len);
}

// A dotted line; the pattern restarts at each line.
void _Dotted_Line(int x1, int y1, int x2, int y2) {
  pxSULn(kDottedLine);
  pxLine(x1, y1, x2, y2);
  pxSLn(0);
}

void _Dotted_Rect(int x1, int y1, int x2, int y2) {
  _Dotted_Line(x1, y1, x2, y1);
  _Dotted_Line(x1, y2, x2, y2);
  _Dotted_Line(x1, y1, x1, y2);
  _Dotted_Line(x2, y1, x2, y2);
}

// Width of the first len bytes of a text in the current font (the host's extent, right
// less left).
int _Extent_Width(const char *text, int len) {
  if (len <= 0) return 0;
  int extent[4] = {0, 0, 0, 0};
  pxQTxX(text, len, nullptr, nullptr, extent, 0);
  return extent[1] - extent[0];
}

void _Mask(int x1, int y1, int x2, int y2, const unsigned char *bits) { pxMask(x1, y1, x2, y2, bits, 2); }

void _Draw_Text_Item(const Pass &p, const VIEW_ITEM *item) {
  int sx = p.X(item->x1), sy = p.Y(item->y1);
  // A text is drawn while its baseline lies in the rectangle or up to 12 pixels below it.
  if (sy < p.vy1 || sy > p.vy2 + 12 || sx > p.vx2 || !item->text) return;
  Pop_RFont(item->font);
  int style = item->x2;
  if (style == VIEW_STYLE_LIGHT_SHADOW || style == VIEW_STYLE_FAINT_SHADOW) {
    double a = style == VIEW_STYLE_LIGHT_SHADOW ? 0.65 : 0.9;
    double b = style == VIEW_STYLE_LIGHT_SHADOW ? 0.35 : 0.1;
    int br = 0, bg = 0, bb = 0, cr = 0, cg = 0, cb = 0;
    pxQCR(p.area->background, &br, &bg, &bb);
    pxQCR(item->colour, &cr, &cg, &cb);
    pxFgc(Nearest_RGB_Color(static_cast<int>(br * a + cr * b), static_cast<int>(bg * a + cg * b),
                            static_cast<int>(bb * a + cb * b)));
    pxText(sx + 1, sy, item->text, _Length(item->text));
  }
  pxFgc(item->colour);
  _Text(sx, sy, item->text, style);
  Push_RFont();
}

void _Draw_Bitmap_File(const Pass &p, const VIEW_ITEM *item) {
  if (!item->text) return;
  int r = 0, gr = 0, b = 0;
  pxQCR(item->colour, &r, &gr, &b);
  if (item->option)  // pinned: fixed in the visible rectangle
    pxDrawTransparentDIB(item->text, p.vx1 + item->x1, p.vy1 + item->y1, p.vx1 + item->x2, p.vy1 + item->y2, 201,
                         -1, r, gr, b);
  else
    pxDrawTransparentDIB(item->text, p.X(item->x1), p.Y(item->y1), p.X(item->x2), p.Y(item->y2), 201, -1, r, gr,
                         b);
}

void _Draw_Rotated_Text(const Pass &p, const VIEW_ITEM *item) {
  if (!item->text) return;
  int sx = p.X(item->x1), sy = p.Y(item->y1);
  int len = _Length(item->text);
  pxFgc(item->colour);
  Pop_RFont(item->font);
  pxBTxt(sx, sy, sx, sy, item->text, len, item->y2);
  if (item->x2 == VIEW_STYLE_BOLD) {
    // The second pass is one pixel along the text's direction.
    int bx = sx + 1, by = sy;
    if (item->y2 == VIEW_ROTATE_180) bx = sx - 1;
    if (item->y2 == VIEW_ROTATE_90) bx = sx, by = sy - 1;
    if (item->y2 == VIEW_ROTATE_270) bx = sx, by = sy + 1;
    pxBTxt(bx, by, bx, by, item->text, len, item->y2);
  }
  Push_RFont();
}

void _Draw_Check_or_Radio(const Pass &p, const ViewDrawState &s, const VIEW_ITEM *item) {
  int sx = p.X(item->x1), sy = p.Y(item->y1);
  int colour = _Is_Active(item->active_ptr) ? item->colour : s.grey;
  pxFgc(colour);
  if (item->text) {
    Pop_RFont(item->font);
    _Text(sx, sy, item->text, item->x2);
    Push_RFont();
  }
  int value = item->value_ptr ? *item->value_ptr : 0;
  bool set = item->kind == VIEW_CHECK_BOX ? value != 0 : value == item->option;
  auto *image = static_cast<const TREEVIEW_IMAGE *>(set ? item->image_on : item->image_off);
  if (image)
    Draw_TreeViewImage(image, sx - 13, sy - 3, colour);
  else if (item->kind == VIEW_CHECK_BOX)
    _Mask(sx - 20, sy - 10, sx - 8, sy + 2, set ? kCheckSetMask : kCheckOffMask);
  else
    _Mask(sx - 20, sy - 10, sx - 9, sy + 1, set ? kRadioSetMask : kRadioOffMask);
}

void _Draw_List_Row(const Pass &p, const VIEW_ITEM *item) {
  int sx = p.X(item->x1), sy = p.Y(item->y1);
  Pop_RFont(item->font);
  const int *target = static_cast<const int *>(item->target_ptr);
  if (target && *target == View_Item_Click_Value(item)) {
    pxFgc(item->aux);
    pxRect(sx - 2, sy - 10, sx + (item->text ? Get_Text_Width(item->text) : 0) + 4, sy + 2);
  }
  pxFgc(item->colour);
  _Text(sx, sy, item->text, item->x2);
  Push_RFont();
}

// Number field (kind 10) and text field (kind 15): the shown text in a white box with a
// dotted frame, or the inactive text in the normal font without the box.
void _Draw_Field(const Pass &p, const ViewDrawState &s, const VIEW_ITEM *item) {
  int sx = p.X(item->x1), sy = p.Y(item->y1);
  bool active = _Is_Active(item->active_ptr);
  char shown[512];
  Pop_RFont(item->font);
  if (!active && item->text2) {
    Set_RFont(kInactiveText);
    _Cut_Text(shown, item->text2, static_cast<int>(sizeof shown) - 1);
  } else if (item->kind == VIEW_NUMBER_FIELD) {
    char printed[512];
    printed[0] = '\0';
    if (item->text) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
      std::snprintf(printed, sizeof printed, item->text, item->double_ptr ? *item->double_ptr : 0.0);
#pragma GCC diagnostic pop
    }
    _Cut_Text(shown, printed, item->option);
  } else {
    _Cut_Text(shown, item->text, item->y2);
  }
  int w = _Even(Get_Text_Width(shown));
  if (active) {
    pxFgc(s.white);
    pxRect(sx - 6, sy - 13, sx + w + 6, sy + 5);
  }
  pxFgc(item->colour);
  _Text(sx, sy, shown, item->x2);
  Push_RFont();
  pxFgc(active ? s.black : s.grey);
  _Dotted_Rect(sx - 7, sy - 13, sx + w + 7, sy + 5);
}

// The selected index of a choice, or 0 when it lies outside 0..count − 1; −1 when the
// choice has no entry.
int _Choice_Index(const VIEW_ITEM *item) {
  int count = item->aux;
  if (count < 1) return -1;
  int index = item->value_ptr ? *item->value_ptr : 0;
  return (index < 0 || index >= count) ? 0 : index;
}

void _Draw_Choice_List(const Pass &p, const ViewDrawState &s, const VIEW_ITEM *item) {
  int sx = p.X(item->x1), sy = p.Y(item->y1);
  bool active = _Is_Active(item->active_ptr);
  int w = _Even(item->option);
  if (active) {
    pxFgc(s.white);
    pxRect(sx - 6, sy - 13, sx + w + 24, sy + 5);
  }
  const auto *entries = static_cast<const VIEW_CHOICE_ENTRY *>(item->target_ptr);
  int index = entries ? _Choice_Index(item) : -1;
  Pop_RFont(item->font);
  if (index >= 0) {
    char shown[512];
    _Cut_Text(shown, entries[index].text, static_cast<int>(sizeof shown) - 1);
    pxFgc(entries[index].colour);
    bool narrowed = sx + w + 6 < p.vx2;
    if (narrowed) pxView(p.vx1, p.vy1, sx + w + 6, p.vy2);
    _Text(sx, sy, shown, item->x2);
    if (narrowed) pxView(p.vx1, p.vy1, p.vx2, p.vy2);
  }
  Push_RFont();
  pxFgc(active ? s.black : s.grey);
  _Dotted_Rect(sx - 7, sy - 13, sx + w + 25, sy + 5);
  _Mask(sx + w + 10, sy - 10, sx + w + 22, sy + 2, kArrowMask);
}

void _Draw_Picture_Choice(const Pass &p, const ViewDrawState &s, const VIEW_ITEM *item) {
  int sx = p.X(item->x1), sy = p.Y(item->y1);
  int W = _Even(item->x2 + 20), H = _Even(item->y2 + 5);
  if (!p.Meets(sx, sy, sx + W, sy + H)) return;
  bool active = _Is_Active(item->active_ptr);
  int frame = s.grey;
  if (active) {
    pxFgc(s.white);
    pxRect(sx, sy, sx + W, sy + H);
    frame = s.black;
  }
  pxFgc(frame);
  _Dotted_Rect(sx, sy, sx + W, sy + H);
  _Mask(sx + W - 15, sy + 3, sx + W - 3, sy + 15, kArrowMask);
  int index = _Choice_Index(item);
  if (index < 0 || !item->text) return;
  int pw = item->x2, ph = item->y2;
  int src_x1 = active ? 0 : pw, src_x2 = active ? pw : 2 * pw;
  // The source is one column and one row larger than the target; the scaling never
  // reaches them.
  pxDrawPartialTransparentDIB(item->text, src_x1, index * ph, src_x2, (index + 1) * ph, sx + 3, sy + 3, sx + 2 + pw,
                              sy + 2 + ph, 201, -1, 255, 255, 255);
}

void _Draw_Bitmap_Button(const Pass &p, const VIEW_ITEM *item) {
  if (!item->text) return;
  int sx1 = p.X(item->x1), sy1 = p.Y(item->y1), sx2 = p.X(item->x2), sy2 = p.Y(item->y2);
  int bw = item->x2 - item->x1, bh = item->y2 - item->y1;
  int r = 0, gr = 0, b = 0;
  pxQCR(item->aux, &r, &gr, &b);
  int src_x1 = _Is_Active(item->active_ptr) ? bw : 0;  // image 1 normal, image 0 inactive
  pxDrawPartialTransparentDIB(item->text, src_x1, item->option, src_x1 + bw - 1, item->option + bh - 1, sx1, sy1,
                              sx2 - 1, sy2 - 1, 201, -1, r, gr, b);
}

void _Draw_Text_Box_Item(const Pass &p, ViewDrawState &s, VIEW_ITEM *item) {
  if (!s.text_box_colours_known) {
    s.text_box_grey = Nearest_Color_Index(190, 190, 190);
    s.text_box_black = Nearest_Color_Index(0, 0, 0);
    s.text_box_colours_known = true;
  }
  int sx1 = p.X(item->x1), sy1 = p.Y(item->y1), sx2 = p.X(item->x2), sy2 = p.Y(item->y2);
  if (item->option) {
    pxFgc(_Is_Active(item->active_ptr) ? s.text_box_black : s.text_box_grey);
    _Dotted_Rect(sx1, sy1, sx2, sy2);
  }
  Draw_Text_Box(item, sx1, sy1, sx2, sy2);
}

void _Draw_Item(const Pass &p, ViewDrawState &s, VIEW_ITEM *item) {
  switch (item->kind) {
    case VIEW_TEXT:
      _Draw_Text_Item(p, item);
      break;
    case VIEW_LINE:
      if (!p.Meets(p.X(item->x1), p.Y(item->y1), p.X(item->x2), p.Y(item->y2))) break;
      pxFgc(item->colour);
      pxLine(p.X(item->x1), p.Y(item->y1), p.X(item->x2), p.Y(item->y2));
      break;
    case VIEW_BITMAP_FILE:
      _Draw_Bitmap_File(p, item);
      break;
    case VIEW_DRAW_CALLBACK:
      if (item->draw_fn) item->draw_fn(p.X(item->x1), p.Y(item->y1), p.X(item->x2), p.Y(item->y2), item->image_on);
      break;
    case VIEW_MASK: {
      const auto *mask = static_cast<const VIEW_MASK_RECORD *>(item->image_on);
      if (!mask || !mask->bits || !p.Meets(p.X(item->x1), p.Y(item->y1), p.X(item->x2), p.Y(item->y2))) break;
      pxFgc(item->colour);
      pxMask(p.X(item->x1), p.Y(item->y1), p.X(item->x2), p.Y(item->y2), mask->bits, mask->bytes_per_row);
      break;
    }
    case VIEW_ROTATED_TEXT:
      _Draw_Rotated_Text(p, item);
      break;
    case VIEW_CHECK_BOX:
    case VIEW_RADIO_BUTTON:
      _Draw_Check_or_Radio(p, s, item);
      break;
    case VIEW_LIST_ROW:
      _Draw_List_Row(p, item);
      break;
    case VIEW_NUMBER_FIELD:
    case VIEW_TEXT_FIELD:
      _Draw_Field(p, s, item);
      break;
    case VIEW_BOX:
      if (!p.Meets(p.X(item->x1), p.Y(item->y1), p.X(item->x2), p.Y(item->y2))) break;
      pxFgc(item->colour);
      pxRect(p.X(item->x1), p.Y(item->y1), p.X(item->x2), p.Y(item->y2));
      break;
    case VIEW_TREE_IMAGE: {
      auto *image = static_cast<const TREEVIEW_IMAGE *>(item->image_off);
      if (!image || !p.Meets(p.X(item->x1), p.Y(item->y1), p.X(item->x2), p.Y(item->y2))) break;
      Draw_TreeViewImage(image, (item->x1 + item->x2) / 2 + p.vx1 - p.scroll_x,
                         (item->y1 + item->y2) / 2 + p.vy1 - p.scroll_y, item->colour);
      break;
    }
    case VIEW_CHOICE_LIST:
      _Draw_Choice_List(p, s, item);
      break;
    case VIEW_PICTURE_CHOICE:
      _Draw_Picture_Choice(p, s, item);
      break;
    case VIEW_BITMAP_BUTTON:
      _Draw_Bitmap_Button(p, item);
      break;
    case VIEW_TEXT_BOX:
      _Draw_Text_Box_Item(p, s, item);
      break;
    default:  // click spots, marks and unknown kinds draw nothing
      break;
  }
}

}  // namespace

void Reset_View_Drawing_For_Tests() {
  bool registered = g.reset_registered;
  g = ViewDrawState{};
  g.reset_registered = registered;
}

VIEW_HOVER_STATE *View_Hover_State() { return &_State().hover; }

void Ensure_View_Hover_Colours() {
  VIEW_HOVER_STATE &h = _State().hover;
  if (h.fill_colour == 0) {
    h.fill_colour = Nearest_RGB_Color(255, 255, 255);
    h.frame_colour = Nearest_RGB_Color(0, 0, 0);
  }
}

void Draw_View_Area(int scroll_x, int scroll_y, int vx1, int vy1, int vx2, int vy2, SCROLLABLE_VIEW_AREA *area) {
  if (!area) return;
  ViewDrawState &s = _State();
  if (!s.colours_known) {
    s.white = Nearest_Color_Index(255, 255, 255);
    s.black = Nearest_Color_Index(0, 0, 0);
    s.grey = Nearest_Color_Index(190, 190, 190);
    s.colours_known = true;
  }
  int colour = pxQFgc(nullptr);
  int cx1 = 0, cy1 = 0, cx2 = 0, cy2 = 0;
  pxQVwp(&cx1, &cy1, &cx2, &cy2);
  if (area->frame) Draw_Funny_Area_to_PS(4, vx1 - 2, vy1 - 2, vx2 + 2, vy2 + 2, 0);
  pxView(vx1, vy1, vx2, vy2);
  int buffering = pxBuff(-1);
  pxFgc(area->background);
  pxRect(vx1, vy1, vx2, vy2);
  Pass p{scroll_x, scroll_y, vx1, vy1, vx2, vy2, area};
  for (VIEW_ITEM *item = area->first_item; item; item = item->next) _Draw_Item(p, s, item);
  pxBuff(buffering);
  pxFgc(colour);
  pxView(cx1, cy1, cx2, cy2);
}

void Draw_Hover_Text(const char *text) {
  if (!text) text = "";
  VIEW_HOVER_STATE &h = _State().hover;
  Ensure_View_Hover_Colours();
  int colour = pxQFgc(nullptr);
  Pop_RFont(kHoverFont);
  // Widest line and number of lines (an empty text is one line).
  int widest = 0, lines = 0;
  for (const char *line = text;; ++lines) {
    const char *end = std::strchr(line, '\n');
    int len = end ? static_cast<int>(end - line) : _Length(line);
    widest = std::max(widest, _Extent_Width(line, len));
    if (!end) {
      ++lines;
      break;
    }
    line = end + 1;
  }
  int x1 = M_XPOS, y1 = M_YPOS + 20;
  int x2 = x1 + widest + 10, y2 = y1 + lines * RFONT_HEIGHT + 5;
  if (x2 >= NPIXEL_X - 8) {
    int shift = x2 - (NPIXEL_X - 9);
    x1 -= shift;
    x2 -= shift;
  }
  if (y2 >= NPIXEL_Y - 8) {
    int shift = y2 - (NPIXEL_Y - 9);
    y1 -= shift;
    y2 -= shift;
  }
  Save_Screen_Rectangle(x1, y1, x2, y2);
  pxFgc(h.fill_colour);
  pxRect(x1, y1, x2, y2);
  pxFgc(h.frame_colour);
  pxLine(x1, y1, x2, y1);
  pxLine(x2, y1, x2, y2);
  pxLine(x2, y2, x1, y2);
  pxLine(x1, y2, x1, y1);
  int i = 1;
  for (const char *line = text;; ++i) {
    const char *end = std::strchr(line, '\n');
    int len = end ? static_cast<int>(end - line) : _Length(line);
    if (len > 0) pxText(x1 + 5, y1 + i * RFONT_HEIGHT, line, len);
    if (!end) break;
    line = end + 1;
  }
  Push_RFont();
  pxFgc(colour);
  h.box_x1 = x1;
  h.box_y1 = y1;
  h.box_x2 = x2;
  h.box_y2 = y2;
  h.shown = 1;
}
