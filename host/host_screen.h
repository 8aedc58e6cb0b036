// host/host_screen.h — the host's screen, fonts, bitmaps, input, property sheets and services,
// headless: a software canvas of colour indices that tests probe pixel by pixel.
// Included by host/host.h; callers include "host/host.h".
//
// Coordinates are screen pixels, (0, 0) top left, y downward; rectangles are inclusive and
// every drawing is clipped to the clip rectangle (pxView) and the screen. Colours are palette
// indices 0..255 (see Nearest_RGB_Color). Texts are code page 850 bytes.
//
// Module state (one struct, reset by Host_Reset): the canvas and palette, drawing settings,
// saved rectangles, bitmap cache, the input device state and the event script, the sheet stack
// with its items, the timer, clipboard and user settings. Not re-entrant; one thread.
// The test harness is host/host_test.h.
#pragma once

#include <cstdint>
#include <cstdio>

// ---------------------------------------------------------------- screen and palette
extern int NPIXEL_X;  // screen width in pixels (1280)
extern int NPIXEL_Y;  // screen height in pixels (1024)

// Fixed palette entries (RGB in host/README.md); GetYRMColor gives the host's own colours.
inline constexpr int BLACK_CI = 0;
inline constexpr int WHITE_CI = 1;
inline constexpr int BUTTON_CI = 2;  // face of buttons and the sheets' button row
inline constexpr int MENUE_CI = 3;   // menu and full-screen sheet background

// Palette index of RGB (components clamped to 0..255): an exact entry, else a new entry,
// else (palette full) the nearest by squared distance. The two names behave the same.
int Nearest_RGB_Color(int r, int g, int b);
int Nearest_Color_Index(int r, int g, int b);
// RGB of a palette index into r, g, b (black for an index outside 0..255); returns 0.
int pxQCR(int index, int *r, int *g, int *b);
// Palette index of a host colour number: -1 window background, -2 light edge, -3 dark edge,
// -6 greyed text, -9 normal text (blue), -15 shadow edge, -21 picture background;
// any other number gives BLACK_CI.
int GetYRMColor(int number);

// Screen set-up (the canvas exists from the first call of any screen function; these two
// only clear it and select the start font).
void Init_Grafik_Mode();
void Init_RFont();

// ---------------------------------------------------------------- drawing state
void pxFgc(int index);        // foreground (drawing) colour
int pxQFgc(int *index);       // writes and returns the foreground colour (index may be null)
void pxBgc(int index);        // background colour used by pxCls
void pxCls();                 // fills the clip rectangle with the background colour
void pxView(int x1, int y1, int x2, int y2);  // clip rectangle (corners in any order, cut to the screen)
void pxQVwp(int *x1, int *y1, int *x2, int *y2);  // reads the clip rectangle
// Line style: 0 solid, 1 dashed (0xF0F0F0F0), 2 dash-dot (0xFF18FF18), 3 long dash (0xFFFF0000),
// 4 dotted (0xAAAAAAAA); other values solid. The pattern restarts at each line, bit 31 first.
void pxSLn(int style);
void pxSULn(unsigned int pattern);  // a user line pattern, bit 31 first
// Fill pattern of pxRect, pxFill and pxTri: 16 rows of 16 bits (bit 15 the leftmost pixel),
// anchored at the screen origin; 0-bits leave the canvas as it is. pxSFA(0) switches back to solid.
void pxSUFA(const unsigned short *rows16);
void pxSFA(int style);
// Drawing operation: 0 copy, 3 XOR (pixel index ^= colour index); other values copy.
void pxSBop(int mode);
// Drawing buffer: -1 direct; returns the previous mode. Headless drawing is always direct.
int pxBuff(int mode);
int pxFlsh();  // shows buffered drawing; returns 0

// ---------------------------------------------------------------- primitives
void pxDot(int x, int y);
void pxLine(int x1, int y1, int x2, int y2);
void pxTkLn(int x1, int y1, int x2, int y2, int width);  // a line width pixels wide (square pen)
void pxRect(int x1, int y1, int x2, int y2);  // filled, corners in any order
void pxTri(int x1, int y1, int x2, int y2, int x3, int y3);  // filled triangle
void pxFill(int n, const int *x, const int *y);  // filled polygon of n points (even-odd rule)
void pxCrcl(int x, int y, int r);                // circle outline of radius r
// Elliptic arc about (xc, yc) with radii rx, ry, from the direction of (xs, ys) counter-clockwise
// (as seen on the screen) to the direction of (xe, ye); mode 2 also draws the two radii.
void pxArc(int xc, int yc, int rx, int ry, int xs, int ys, int xe, int ye, int mode);
// Monochrome mask in the current colour: rows of bytes_per_row bytes, the leftmost pixel in the
// high bit; the rectangle gives its size (x2 - x1 + 1 columns, y2 - y1 + 1 rows).
void pxMask(int x1, int y1, int x2, int y2, const unsigned char *bits, int bytes_per_row);

// ---------------------------------------------------------------- raster text
extern int RFONT_HEIGHT;  // line pitch of the current raster font (pixels)
// Text at (x, y) = start of the baseline, first len bytes (len < 0: the whole string).
void pxText(int x, int y, const char *text, int len);
// Text in the box (x1, y1)-(x2, y2) aligned by mode: mode & 7 horizontal (1 starts at x1,
// 4 ends at x2, else centred), (mode >> 4) & 3 vertical (0 centred, 1 baseline at y2,
// 2 top at y1, 3 baseline at y1), mode & 0x700 turn: 0 none, 256 a quarter turn up (reading
// upward), 512 half turn, 1024 a quarter turn down. Other bits are ignored.
void pxBTxt(int x1, int y1, int x2, int y2, const char *text, int len, int mode);
// Selects the raster font without touching the font stack (the current selection is replaced).
void pxSFnt(int font);
void Set_RFont(int font);
// Extent of the first count bytes drawn at (*x, *y) in the current font: extent[0] left,
// extent[1] right (= left + width), extent[2] top, extent[3] bottom. x, y may be null (0 used).
// extra is not used. Returns the width: count × (RFONT_WIDTH + RFONT_SPACE) − RFONT_SPACE.
int pxQTxX(const char *text, int count, int *x, int *y, int *extent, int extra);
// Graphic text: the raster glyphs scaled to the character height pxChH (pixels), width factor
// pxExpF, spacing pxSpac (fraction of the height), turned by pxOrnt (radians, counter-clockwise).
void pxChH(double height);
void pxExpF(double factor);
void pxSpac(double spacing);
void pxOrnt(double radians);
// Draws the text anchored at (x, y); style aligns as pxBTxt's mode on the box (x, y)-(x, y).
void pxGBTt(int x, int y, const char *text, int len, int style);
// Width and height in pixels of the graphic text unturned; returns the width rounded.
int pxQGTX(const char *text, int len, double *width, double *height);
// The raster glyph of byte c, the one glyph table of the host fonts (pxText, pxGBTt and the
// print-list renderer of the tests draw it): 9 rows of 5 bits, bit 4 the leftmost column;
// rows 0..6 stand above and on the baseline (row 6 on it), rows 7 and 8 below it.
const uint8_t *Host_Glyph_Rows(unsigned char c);

// ---------------------------------------------------------------- saving pixels
// Bytes needed to save the rectangle (8 + width × height); *width gets its width.
void pxQSvR(int x1, int y1, int x2, int y2, int *width, int *size);
void pxSvRc(int x1, int y1, int x2, int y2, void *buffer);  // copies the pixels into buffer
void pxStRc(int x1, int y1, int x2, int y2, const void *buffer);  // puts them back
// Keeps a copy of the rectangle; Restore_Screen_Rectangle puts back the latest copy of the same
// rectangle and drops it (a rectangle never saved is left alone).
void Save_Screen_Rectangle(int x1, int y1, int x2, int y2);
void Restore_Screen_Rectangle(int x1, int y1, int x2, int y2);

// ---------------------------------------------------------------- bitmaps
// Uncompressed BMP files (8-, 24- or 32-bit) in the bitmap folder (Host_Set_Bitmap_Dir; the
// build's data folder by default), cached; '\' read as '/', names compared without regard to
// case. Draws the source rectangle (sx1, sy1)-(sx2, sy2) of the file into (x1, y1)-(x2, y2);
// sx2 = sy2 = -1 copies the target's size unscaled, else nearest-neighbour scaling. Pixels of the
// RGB (r, g, b) are skipped (a negative component: none). mode and extra are not used (the callers
// pass 201 and -1). A missing file draws a crossed placeholder, is recorded and returns 1; else 0.
int pxDrawPartialTransparentDIB(const char *file, int sx1, int sy1, int sx2, int sy2, int x1, int y1,
                                int x2, int y2, int mode, int extra, int r, int g, int b);
// The whole file scaled into (x1, y1)-(x2, y2).
int pxDrawTransparentDIB(const char *file, int x1, int y1, int x2, int y2, int mode, int extra, int r,
                         int g, int b);

// Writes an RGB picture as PNG: w × h pixels, 3 bytes each (r, g, b), rows from the top. 0 ok;
// 1 for a null path or picture, a size below 1 or above 65535, or a failed write.
int Host_Write_Png_RGB(const char *path, int w, int h, const uint8_t *rgb);

// A small picture of palette slots: slot 0 transparent, slot s from 1 to colour_count drawn in
// colours[s - 1], slot 255 in the colour the caller passes (skipped when that is negative).
struct TREEVIEW_IMAGE {
  int width;
  int height;
  const unsigned char *slots;  // width × height, row by row
  const int *colours;          // palette indices
  int colour_count;
};
// Draws the image centred on (x, y).
void Draw_TreeViewImage(const TREEVIEW_IMAGE *image, int x, int y, int colour);

// ---------------------------------------------------------------- input
// Event kinds (bits of GetYRMMessage's result and mask).
inline constexpr int YRM_LEFT_RELEASE = 0x1;
inline constexpr int YRM_POINTER = 0x2;  // any move or button change
inline constexpr int YRM_RIGHT = 0x8;
inline constexpr int YRM_LEFT_PRESS = 0x20;
inline constexpr int YRM_WHEEL = 0x4000;
inline constexpr int YRM_KEY = 0x10000;
inline constexpr int YRM_SYSTEM = 0x80000;   // timer tick, abort
inline constexpr int YRM_LIMIT = 0x40000000;  // mask bit: also return after limit_ms

// The host's message record: eight ints.
struct YRMMESSAGE {
  int kinds;     // result of the wait
  int x, y;      // pointer
  int buttons;   // 1 left, 2 right
  int wheel;     // wheel turns of the event
  int key;       // sixth word: code of the key at the head of the buffer, 0 none
  int limit_ms;  // seventh word: wait limit in ms (with YRM_LIMIT in the mask)
  int time_ms;   // clock at the return (ms, truncated)
};
void InitYRMMessage(YRMMESSAGE *record);  // all words 0
// Waits for the first event of a kind in mask (other events still update the device state),
// a timer tick (ends any wait), or the limit; returns the kinds (0 at the limit). Copies the
// device state into M_LEFT, M_RIGHT, M_XPOS, M_YPOS and a wheel turn into M_SCROLL.
int GetYRMMessage(int mask, YRMMESSAGE *record);
// Advances the clock 10 ms, applies the due events up to the next pointer event and copies the
// device state into the globals; returns the kinds applied.
int Get_Mouse_Event();
extern int M_LEFT, M_RIGHT, M_XPOS, M_YPOS;
extern int M_SCROLL;  // wheel turns (negative down), kept until a caller sets 0
void Set_MouseWheel_Activity(int on);  // wheel turns count only after (1)
int hitkey();     // code of the waiting key, -1 none
int getkey();     // takes the waiting key; -1 none
int getkeymask(); // 1 when the loops should return at once (abort)
// Pointer: msStCu moves it (device and globals, no event); msStat reads it, returns the buttons.
void msStCu(int x, int y);
int msStat(int *x, int *y);
void setMouseCursor(int id);  // 0 the arrow
void Save_Mouse_Position();
void Restore_Mouse_Position();
// Pointer restriction: Init sets the base rectangle, Pop narrows it (a stack), Push goes back.
void Init_Mouse_Move_Restriction(int x1, int y1, int x2, int y2);
void Pop_Mouse_Move_Restriction(int x1, int y1, int x2, int y2);
void Push_Mouse_Move_Restriction();

// ---------------------------------------------------------------- services
int YRMSetTimer(int on);  // timer ticks every 50 ms while on; returns the previous value
void YRMSleep(int ms);
void Wait_Seconds(double seconds);  // YRMSleep(seconds × 1000)
// Copies the clipboard text with LF line ends into buffer (at most size - 1 bytes and a zero);
// returns the number of bytes copied.
int YRMGetClipboardText(char *buffer, int size);
void YRMSetClipboardText(const char *text);
// A user setting into buffer (at most size - 1 bytes); non-zero when it exists. Settings come
// from Host_Set_User_String, else from the name=value file named by YRMUSERSETTINGS.
int YRMGetUserString(const char *name, char *buffer, int size);
void YRMSetMinMaxSize(int min_w, int min_h, int max_w, int max_h);
// A pop-up of special characters at the pointer; the chosen code, or -1.
int Get_UserSelected_SpecialCharacter();

// ---------------------------------------------------------------- menus
struct MENUE;
struct MENUE_ITEM {
  const char *text;
  const char *key;   // the entry's key word
  const char *hint;  // shown in the message line while the pointer is on it
  int active;        // 0 greyed
  void (*action)();  // run once when chosen, or null
  MENUE *submenu;    // opens on hover, or null
};
struct MENUE {
  int count;
  int text_width;  // characters
  int word1, word2, word3;
  MENUE_ITEM *items;
};
// Shows the menu at the pointer and runs the chosen entry's action once; returns 1 when an
// entry was chosen, 0 when the menu was left.
int Menue_Manager(MENUE *menu);

// ---------------------------------------------------------------- property sheets
// Coordinates given to Define_Prop_Sheet and the Add_ operations are screen pixels at the time
// of definition ("sheet coordinates"); the sheet's displacement (how far the user moved it)
// is added when it is drawn and hit. Handles are 1 or more, unique for the run.
// Saves the screen under the sheet and paints it; movable non-zero: title bar; the other words
// are stored. Returns the number of open sheets.
int Define_Prop_Sheet(int x1, int y1, int x2, int y2, int movable, int mode, const char *title,
                      int number, int flags);
void Activate_Prop_Sheet();  // draws the sheet and its items
// Waits for the user: returns the code of a pressed item (after its action), of an escape area
// (press, key or move inside it), of a click outside (Set_ClickOutsideEvent_to_PS), or 0 after
// an abort. See host/README.md.
int Edit_Prop_Sheet();
void Undefine_Prop_Sheet();  // restores the screen under the sheet, drops the sheet
void Set_NoFrameFlag_to_Next_PropSheet();
void Set_Prop_Sheet_Screen_Base(int x1, int y1, int x2, int y2);
void Set_Prop_Sheet_Edit_Float_Auto_Mode();
// Moves the rectangle onto the screen (size kept where it fits).
void Check_Prop_Sheet_Frames(int *x1, int *y1, int *x2, int *y2);
void Inquire_Prop_Sheet_Displacement(int *dx, int *dy);  // of the current sheet
void Prop_Sheet_Displacement(int *dx, int *dy);          // of the current or last closed sheet
void Set_ClickOutsideEvent_to_PS(int code);
void Define_Call_Allways_Function(void (*fn)());
void Activate_Call_Allways_Function(int on);

// Items of the sheet being defined; each returns its handle (0 without a sheet). Codes are what
// Edit_Prop_Sheet returns when the item is pressed.
int Add_Escape_Area_to_PS(int x1, int y1, int x2, int y2, int flags, int code);  // invisible
void Set_Escape_Area_to_MouseMoveEvent(int handle, int on);  // moves inside report the code
int Add_Text_to_PS(int x, int y, const char *text, int font);  // (x, y) starts the baseline
int Add_Text_Button_to_PS(int x, int y, const char *text, int code);  // text width + 16 by 22
inline constexpr int SYMBOLIC_OK_RASTER = 1;
inline constexpr int SYMBOLIC_BREAK_RASTER = 2;
int Add_Image_Button_to_PS(int x, int y, int image, int code);  // 20 × 22, a tick or a cross
// A button over the rectangle showing the bitmap (null: none) scaled, 192, 192, 192 transparent.
int Add_Single_Button_to_PS(int x1, int y1, int x2, int y2, const char *bitmap, int code);
// A 20 × 22 help button; a press records the topic (the harness's help requests).
int Add_Help_to_PS(int x, int y, int a, int b, int c, const char *topic);
inline constexpr int RADIO_BUTTON_LAYOUT = 1;
// An 11 × 11 radio button at (x, y) with its text at (tx, ty); a press sets *target = value.
int Add_Radio_Button_to_PS(int x, int y, const char *text, int tx, int ty, int value, int *target,
                           int code, int layout);
// A number field of chars characters; a press edits *value with Short_Edit_Float.
int Add_Float_Field_to_PS(int x, int y, double *value, const char *format, int chars, int code);
// A register: a tab row from y1 to tab_bottom over a framed page; members are its tabs,
// numbered from 1 in the order added.
int Add_Register_to_PS(int x1, int y1, int x2, int y2, int tab_bottom);
int Add_Register_Member_to_PS(int reg, int x1, int x2, int code);
void Set_Selected_Register_Member(int number);  // 1-based within the current sheet's register
// 1 active, -1 greyed, 0 inactive; only active items react. On a scrollable area 1 makes the
// host call its draw callback; other items are drawn again.
void Change_Activity_PS(int handle, int state);
void Change_Action_State_PS(int handle, int state);  // stored
int ActivState_of_Button_PS(int handle);  // 1 active, else 0 (also for an unknown handle)
void Redraw_Item_PS(int handle);
void Set_Comment_to_Button_PS(int handle, const char *text);  // stored (the hover comment)
void Reset_Button_Frame(int handle);  // drawn without frame
void Snap_Colored_Layout_of_Single_Button(int handle);  // stored
void Move_Mouse_Cursor_to_Button_of_PS(int handle, int flags);  // msStCu to the item's centre
// The host's frames: style 1 raised (1 px), 2 sunken (1 px), 3 raised and 4 sunken (2 px each),
// 5 and above etched (2 px); extra is not used.
void Draw_Funny_Area_to_PS(int style, int x1, int y1, int x2, int y2, int extra);
// Text at the baseline (x, y) in the font and the drawing colour.
void Draw_Funny_Text_to_PS(int x, int y, const char *text, int font);

// Scrollable areas: the host calls draw(own, scroll_x, scroll_y, x1, y1, x2, y2, record) with the
// visible rectangle in screen pixels; own is the area's handle.
typedef void (*SCROLL_AREA_DRAW_FN)(int own, int scroll_x, int scroll_y, int x1, int y1, int x2, int y2,
                                    void *record);
int Add_Scrollable_Area_to_PS(int x1, int y1, int x2, int y2, int a, int b, int c, int d,
                              SCROLL_AREA_DRAW_FN draw, void *record, int e);
int Add_VSlider_to_Scrollable_Area(int area, int a, int b, int c, int d);
int Add_HSlider_to_Scrollable_Area(int area, int a, int b, int c, int d);
// step: fraction of the visible size moved per wheel turn or arrow click.
void Set_VSlider_Speed(int slider, double step, double b);
void Set_HSlider_Speed(int slider, double step, double b);
void Inquire_Scrollable_Area_PS(int area, int *scroll_x, int *scroll_y);
void Set_Scrollable_Area_PS(int area, int scroll_x, int scroll_y);  // stored, clamped
void Resize_Origin_of_Scrollable_Area_PS(int area, int content_w, int content_h);
void Reshape_Scrollable_Area_PS(int area, int x1, int y1, int x2, int y2, int a, int b, int c, int d);
void Set_Scrollable_Area_PS_Frameflag(int area, int flag);

// A sheet string list (handle chosen by the caller): appends an entry shown in colour.
void Fill_Stringlist_of_PS(int list, const char *text, int colour);

// Short editors at (x, y), the top left corner of the edit box. Return 1 for Enter, else 0;
// LAST_SHEET_EDIT_KEY holds the ending key (13, 27, 328, 336; 0 for a click outside).
int Short_Edit_Float(int x, int y, const char *format, double *value);
int Short_Edit_Text(int x, int y, char *buffer, int shown, int flags);
void Set_Short_Edit_Text_Scrollmode(int capacity);  // for the next Short_Edit_Text only
extern int LAST_SHEET_EDIT_KEY;
