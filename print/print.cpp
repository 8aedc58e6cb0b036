// The print-list writers: text blocks and paragraphs, coloured marks, graphic blocks
// and the plot file. print/FORMAT.md describes what they write.
#include "print/print.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <initializer_list>
#include <memory>
#include <vector>

#include "host/host.h"
#include "support/cp850.h"
#include "support/support.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// A formatted floating number that shows nothing but zeros ("-0.00", "-0", "-0.0e+00",
// "-0x0p+0").
bool _All_Zero_Digits(const char *t) {
  bool digit = false;
  for (; *t && *t != 'e' && *t != 'E'; ++t) {
    if (*t >= '1' && *t <= '9') return false;
    if (*t == 'n' || *t == 'N' || *t == 'i' || *t == 'I') return false;  // nan, inf
    digit = digit || *t == '0';
  }
  return digit;
}

// The formatting of every number of the list and the plot file: vsnprintf into out, except
// that a negative number that rounds to zero in its conversion is written as zero ("0.0",
// never "-0.0"): a sign on nothing tells the reader of the list a direction the value does
// not have. Every conversion is formatted on its own with its flags, width and precision.
// Returns false (out then holds what was formatted before) for %n and unknown conversions.
bool _Format_String(std::string *out, const char *fmt, va_list ap) {
  char piece_small[128];
  std::vector<char> piece_big;
  char *piece = piece_small;
  std::size_t piece_size = sizeof piece_small;
  for (const char *f = fmt; *f;) {
    if (*f != '%') {
      const char *e = std::strchr(f, '%');
      const std::size_t k = e ? static_cast<std::size_t>(e - f) : std::strlen(f);
      out->append(f, k);
      f += k;
      continue;
    }
    if (f[1] == '%') {
      out->push_back('%');
      f += 2;
      continue;
    }
    // One conversion: flags, width, precision, length, the conversion letter.
    std::string one = "%";
    const char *q = f + 1;
    while (*q && std::strchr("-+ #0", *q)) one.push_back(*q++);
    int stars[2], n_stars = 0;
    auto number = [&](void) {
      if (*q == '*') {
        stars[n_stars++] = va_arg(ap, int);
        one.push_back(*q++);
      } else {
        while (*q >= '0' && *q <= '9') one.push_back(*q++);
      }
    };
    number();
    if (*q == '.') {
      one.push_back(*q++);
      number();
    }
    std::string length;
    while (*q && std::strchr("hlLzjt", *q)) length.push_back(*q++);
    const char conv = *q;
    if (!conv) break;
    one += length;
    one.push_back(conv);
    f = q + 1;
    // The conversion into piece (grown when the text is longer than it).
    auto put = [&](auto value) {
      auto once = [&](char *to, std::size_t room) {
        return n_stars == 2   ? std::snprintf(to, room, one.c_str(), stars[0], stars[1], value)
               : n_stars == 1 ? std::snprintf(to, room, one.c_str(), stars[0], value)
                              : std::snprintf(to, room, one.c_str(), value);
      };
      int n = once(piece, piece_size);
      if (n >= 0 && static_cast<std::size_t>(n) >= piece_size) {
        piece_big.resize(static_cast<std::size_t>(n) + 1);
        piece = piece_big.data();
        piece_size = piece_big.size();
        n = once(piece, piece_size);
      }
      return n;
    };
    int n = 0;
    switch (conv) {
      case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A':
        if (length == "L") {
          long double v = va_arg(ap, long double);
          n = put(v);
          if (n > 0 && v <= 0 && std::strchr(piece, '-') && _All_Zero_Digits(piece)) n = put(0.0L);
        } else {
          double v = va_arg(ap, double);
          n = put(v);
          if (n > 0 && v <= 0 && std::strchr(piece, '-') && _All_Zero_Digits(piece)) n = put(0.0);
        }
        break;
      case 's': n = put(va_arg(ap, const char *)); break;
      case 'p': n = put(va_arg(ap, void *)); break;
      case 'c': n = put(va_arg(ap, int)); break;
      case 'd': case 'i': case 'u': case 'o': case 'x': case 'X':
        if (length == "l") n = put(va_arg(ap, long));
        else if (length == "ll") n = put(va_arg(ap, long long));
        else if (length == "z") n = put(va_arg(ap, std::size_t));
        else if (length == "j") n = put(va_arg(ap, intmax_t));
        else if (length == "t") n = put(va_arg(ap, std::ptrdiff_t));
        else n = put(va_arg(ap, int));  // also hh and h, promoted to int
        break;
      default: return false;  // %n and unknown conversions are not written
    }
    if (n < 0) return false;
    out->append(piece, static_cast<std::size_t>(n));
  }
  return true;
}

// Control bytes of the texts that reach the list or the plot file (a label, a row name, a
// section's or a grade's name, all as their files hold them) become blanks: every byte below
// 0x20 except the line end, and 0x7F. A reader of the list takes such a byte for a broken
// file, and a terminal that shows the list would run an escape sequence.
void _Blank_Control_Bytes(char *text, std::size_t len) {
  for (std::size_t k = 0; k < len; ++k) {
    const unsigned char c = static_cast<unsigned char>(text[k]);
    if ((c < 0x20 && c != '\n') || c == 0x7F) text[k] = ' ';
  }
}

// _Format_String into buf of size bytes (cut there, NUL-terminated when size > 0). Returns
// the length of the whole text, as vsnprintf does, or -1.
int _Format_Text(char *buf, std::size_t size, const char *fmt, va_list ap) {
  std::string out;
  if (!_Format_String(&out, fmt, ap)) return -1;
  if (size > 0) {
    const std::size_t k = std::min(out.size(), size - 1);
    std::memcpy(buf, out.data(), k);
    buf[k] = '\0';
  }
  return static_cast<int>(out.size());
}

struct PlotSave {
  int color_index;
  int fill_code;
  int dim_style;
};

struct PrintState {
  // Text state of the open list.
  int kind = OLI_KIND_TEXT;
  double spacing = OLI_DEFAULT_SPACING;
  double indent = OLI_DEFAULT_INDENT;
  int tab_count = 0;
  int tab_kind[OLI_MAX_TABS] = {};
  double tab_pos[OLI_MAX_TABS] = {};
  bool changed = false;       // attributes differ from those of the open paragraph
  bool block_open = false;    // a "#SHOWPARA" text block is open
  bool at_line_start = true;  // the last text ended its line

  // Print options.
  bool colors = true;
  bool fills = true;

  // The open graphic block (gstream null: none).
  FILE *gstream = nullptr;
  double xc = 0, zc = 0;  // centre of the extent (world)
  double sx = 1, sz = 1;  // cm per world unit
  double cos_a = 1, sin_a = 0, angle = 0;
  int orientation = 0;
  double half_w = 0, half_h = 0;  // half the turned block size on paper (cm)
  bool extended = false;
  int color_index = 0;
  int fill_code = 0;
  int dim_style = 0;
  PlotSave stack[OLIPLOT_SAVE_DEPTH] = {};
  int depth = 0;
  int overflow = 0;  // saves beyond the stack depth, written and restored as nothing
  bool drawn = false;
  double ext[4] = {0, 0, 0, 0};
  int block_number = 0;

  // The plot file: its stream writes a temporary file that closing puts in place.
  FILE *plot = nullptr;
  FILE_REPLACE plot_file = {};

  // Every list opened and not yet closed, each writing a temporary file beside its target.
  // A list stream belongs to its caller: a reset keeps these.
  std::vector<std::unique_ptr<FILE_REPLACE>> lists;

  // Static buffers of the returned texts.
  char mark_ok[48] = {};
  char mark_nicht_ok[48] = {};
  char mark_red[48] = {};
  char mark_blue[48] = {};
  char color_red[24] = {};
  char color_reset[24] = {};
};

PrintState g;

}  // namespace

// Colour codes of the in-line markup.
static const char *const kRed = "╬{C 1 230 0 0}"_cp;
static const char *const kBlue = "╬{C 1 0 0 230}"_cp;
static const char *const kReset = "╬{C 768}"_cp;

// The 16 colours of the block's colour table (the common 16-colour VGA palette).
const unsigned char OLIPLOT_COLOR_TABLE[OLIPLOT_COLOR_COUNT][3] = {
    {0, 0, 0},     {0, 0, 128},   {0, 128, 0},   {0, 128, 128},   {128, 0, 0},   {128, 0, 128},
    {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255}, {0, 255, 0},   {0, 255, 255},
    {255, 0, 0},   {255, 0, 255}, {255, 255, 0}, {255, 255, 255},
};

// Every lasting change of the state (an opened list or plot file, a switch) makes sure
// that Host_Reset also resets this module; the host keeps each function once.
static void _Register_Reset() { Host_Register_Reset(Reset_Print_For_Tests); }

// A number as written: −0 and values below 5e-7 in magnitude become 0.
static double _Clean(double v) { return std::fabs(v) < 5e-7 ? 0.0 : v; }

static void _Reset_Text_State() {
  g.kind = OLI_KIND_TEXT;
  g.spacing = OLI_DEFAULT_SPACING;
  g.indent = OLI_DEFAULT_INDENT;
  g.tab_count = 0;
  g.changed = false;
  g.block_open = false;
  g.at_line_start = true;
}

static void _Clear_Block_State() {
  g.gstream = nullptr;
  g.extended = false;
  g.color_index = 0;
  g.fill_code = 0;
  g.dim_style = 0;
  g.depth = 0;
  g.overflow = 0;
  g.drawn = false;
}

void Reset_Print_For_Tests() {
  if (g.plot) Abort_File_Replace(&g.plot_file);
  auto lists = std::move(g.lists);
  g = PrintState{};
  g.lists = std::move(lists);
}

// ================================================================ stream

FILE *Open_Druckliste(const char *path) {
  _Register_Reset();
  if (!path) return nullptr;
  auto list = std::make_unique<FILE_REPLACE>();
  FILE *f = Begin_File_Replace(list.get(), path);
  if (!f) return nullptr;
  g.lists.push_back(std::move(list));
  _Reset_Text_State();
  _Clear_Block_State();
  return f;
}

int Close_Druckliste(FILE *stream) {
  if (!stream) return 1;
  Oliplot_End_Grafic(stream);
  Oli_End_Text(stream);
  int bad;
  auto it = std::find_if(g.lists.begin(), g.lists.end(), [stream](const auto &r) { return r->stream == stream; });
  if (it != g.lists.end()) {
    bad = Commit_File_Replace(it->get());
    g.lists.erase(it);
  } else {  // a stream the caller opened itself
    bad = std::ferror(stream) ? 1 : 0;
    if (std::fclose(stream) != 0) bad = 1;
  }
  _Reset_Text_State();
  return bad;
}

// ================================================================ text

static void _Write_Para_Head(FILE *f) {
  Oli_Raw_Printf(f, "#SHOWPARA %d %.3f %.3f %d", g.kind, _Clean(g.spacing), _Clean(g.indent), g.tab_count);
  for (int i = 0; i < g.tab_count; ++i) Oli_Raw_Printf(f, " %d %.3f", g.tab_kind[i], _Clean(g.tab_pos[i]));
  std::fputc('\n', f);
}

// Writes len bytes of text, opening a paragraph first where one is due.
static int _Write_Text(FILE *f, const char *text, std::size_t len) {
  if (g.gstream == f) Oliplot_End_Grafic(f);
  if (len > 0) {
    if (g.at_line_start && (!g.block_open || g.changed)) {
      _Write_Para_Head(f);
      g.block_open = true;
      g.changed = false;
    }
    std::fwrite(text, 1, len, f);
    g.at_line_start = text[len - 1] == '\n';
  }
  if (std::ferror(f)) return -1;
  return static_cast<int>(len);
}

int Oli_Printf(FILE *stream, const char *fmt, ...) {
  if (!stream || !fmt) return -1;
  char buf[OLI_MAX_TEXT + 1];
  va_list ap;
  va_start(ap, fmt);
  int n = _Format_Text(buf, sizeof buf, fmt, ap);
  va_end(ap);
  if (n < 0) return -1;
  std::size_t len = std::min<std::size_t>(static_cast<std::size_t>(n), OLI_MAX_TEXT);
  _Blank_Control_Bytes(buf, len);
  return _Write_Text(stream, buf, len);
}

int Oli_Snprintf(char *buf, std::size_t size, const char *fmt, ...) {
  if (!fmt) return -1;
  va_list ap;
  va_start(ap, fmt);
  const int n = _Format_Text(buf, buf ? size : 0, fmt, ap);
  va_end(ap);
  return n;
}

static int _Raw_Vprintf(FILE *stream, const char *fmt, va_list ap) {
  std::string out;
  if (!stream || !fmt || !_Format_String(&out, fmt, ap)) return -1;
  _Blank_Control_Bytes(out.data(), out.size());
  std::fwrite(out.data(), 1, out.size(), stream);
  return std::ferror(stream) ? -1 : static_cast<int>(out.size());
}

int Oli_Raw_Printf(FILE *stream, const char *fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  const int n = _Raw_Vprintf(stream, fmt, ap);
  va_end(ap);
  return n;
}

void Oli_End_Text(FILE *stream) {
  if (!stream) return;
  if (!g.at_line_start) {
    std::fputc('\n', stream);
    g.at_line_start = true;
  }
  if (g.block_open) {
    std::fputs("#END_OF_TEXT\n", stream);
    g.block_open = false;
    if (g.indent != OLI_DEFAULT_INDENT) {
      g.indent = OLI_DEFAULT_INDENT;
      g.changed = true;
    }
  }
}

void Oli_Para_Set_Kind(int kind) {
  if (kind != g.kind) {
    g.kind = kind;
    g.changed = true;
  }
}

double Oli_Para_Get_Spacing() { return g.spacing; }

void Oli_Para_Set_Spacing(double cm) {
  if (!std::isfinite(cm)) return;
  if (cm != g.spacing) {
    g.spacing = cm;
    g.changed = true;
  }
}

void Oli_Para_Set_Tabs(int kind, const int *kinds, const double *positions, int count) {
  if (count < 1 || !positions) count = 0;
  if (count > OLI_MAX_TABS) count = OLI_MAX_TABS;
  bool differs = count != g.tab_count;
  for (int i = 0; i < count; ++i) {
    int k = kinds ? kinds[i] : kind;
    double p = std::isfinite(positions[i]) ? positions[i] : 0.0;
    if (i >= g.tab_count || k != g.tab_kind[i] || p != g.tab_pos[i]) differs = true;
    g.tab_kind[i] = k;
    g.tab_pos[i] = p;
  }
  g.tab_count = count;
  if (differs) g.changed = true;
}

void Oli_Para_Flush_Tabs() {
  if (g.tab_count > 0) {
    g.tab_count = 0;
    g.changed = true;
  }
}

void Oli_Para_Add_Indent(double cm) {
  if (!std::isfinite(cm) || cm == 0.0) return;
  g.indent += cm;
  g.changed = true;
}

void Oli_Write_Separated_Item(FILE *stream, int index, int per_line, const char *text) {
  if (!stream) return;
  const char *t = text ? text : "";
  if (index <= 0)
    Oli_Printf(stream, "%s", t);
  else if (per_line >= 1 && index % per_line == 0)
    Oli_Printf(stream, "\n%s", t);
  else
    Oli_Printf(stream, ";  %s", t);
}

const char *Oli_Line_Prefix() { return ""; }

char *Get_Application_Kuerzel(char *buffer) {
  if (!buffer) return nullptr;
  // The host numbers its applications 150 to 180; their two-letter codes are not known
  // to this program, so every number (and every number outside that range) gives "??".
  (void)CurOb_Application_Number();
  std::strcpy(buffer, "??");
  return buffer;
}

// ================================================================ marks and colours

void Oli_Set_Colors(int on) {
  _Register_Reset();
  g.colors = on != 0;
}
int Oli_Colors_On() { return g.colors ? 1 : 0; }
void Oli_Set_Fills(int on) {
  _Register_Reset();
  g.fills = on != 0;
}
int Oli_Fills_On() { return g.fills ? 1 : 0; }

static const char *_Mark(char *buf, std::size_t size, const char *code, const char *word) {
  if (g.colors)
    std::snprintf(buf, size, "%s%s%s", code, word, kReset);
  else
    std::snprintf(buf, size, "%s", word);
  return buf;
}

const char *Oli_Mark_Ok() { return _Mark(g.mark_ok, sizeof g.mark_ok, kBlue, "ok"); }
const char *Oli_Mark_Nicht_Ok() { return _Mark(g.mark_nicht_ok, sizeof g.mark_nicht_ok, kRed, "nicht ok !!"); }
const char *Oli_Mark_Red_Exclam() { return _Mark(g.mark_red, sizeof g.mark_red, kRed, "!!"); }
const char *Oli_Mark_Blue_Exclam() { return _Mark(g.mark_blue, sizeof g.mark_blue, kBlue, "!!"); }
const char *Oli_Mark_Verdict(double u) { return u <= 1.0 ? Oli_Mark_Ok() : Oli_Mark_Nicht_Ok(); }

const char *Oli_Color_Red() {
  std::snprintf(g.color_red, sizeof g.color_red, "%s", g.colors ? kRed : "");
  return g.color_red;
}

const char *Oli_Color_Reset() {
  std::snprintf(g.color_reset, sizeof g.color_reset, "%s", g.colors ? kReset : "");
  return g.color_reset;
}

const char *Oli_Compare_Mark_Le(double a, double b) {
  float fa = static_cast<float>(a), fb = static_cast<float>(b);
  if (fa < fb) return "<";
  if (fa == fb) return "¾"_cp;
  return ">";
}

const char *Oli_Mult_Dot() { return "╬/.╬r"_cp; }

void Oli_Print_Fehler_Datencheck(FILE *stream, const char *text) {
  if (!stream) return;
  const char *t = text ? text : "";
  Oli_Printf(stream, "%s%sFehler beim Datencheck %s%s !%s\n", Oli_Line_Prefix(), Oli_Color_Red(), t,
             *t ? " " : "", Oli_Color_Reset());
}

void Oli_Print_Fehler_Berechnung(FILE *stream, const char *prefix, const char *text) {
  if (!stream) return;
  const char *p = prefix ? prefix : Oli_Line_Prefix();
  const char *t = text ? text : "";
  Oli_Printf(stream, "%s%sFehler bei der Berechnung%s%s !!%s\n", p, Oli_Color_Red(), *t ? " " : "", t,
             Oli_Color_Reset());
}

// ================================================================ graphic blocks

// Cosine and sine, exact within 0.001 rad of a quarter turn.
static void _Cos_Sin(double a, double *c, double *s) {
  double r = std::fmod(a, 2.0 * kPi);
  if (r < 0) r += 2.0 * kPi;
  static const double kC[5] = {1, 0, -1, 0, 1}, kS[5] = {0, 1, 0, -1, 0};
  for (int k = 0; k <= 4; ++k) {
    if (std::fabs(r - k * kPi / 2.0) < 0.001) {
      *c = kC[k];
      *s = kS[k];
      return;
    }
  }
  *c = std::cos(a);
  *s = std::sin(a);
}

// World point to paper (cm).
static void _Paper(double x, double z, double *X, double *Y) {
  double p = (x - g.xc) * g.sx;
  double q = (g.orientation == 0 ? (g.zc - z) : (z - g.zc)) * g.sz;
  *X = g.half_w + p * g.cos_a - q * g.sin_a;
  *Y = g.half_h + p * g.sin_a + q * g.cos_a;
}

// World direction to a unit direction on paper; false for a zero vector.
static bool _Paper_Dir(double dx, double dz, double *ux, double *uy) {
  double p = dx * g.sx;
  double q = (g.orientation == 0 ? -dz : dz) * g.sz;
  double X = p * g.cos_a - q * g.sin_a, Y = p * g.sin_a + q * g.cos_a;
  double l = std::hypot(X, Y);
  if (!(l > 0) || !std::isfinite(l)) return false;
  *ux = X / l;
  *uy = Y / l;
  return true;
}

static void _Widen(double X, double Y) {
  if (!g.drawn) {
    g.ext[0] = g.ext[2] = X;
    g.ext[1] = g.ext[3] = Y;
    g.drawn = true;
    return;
  }
  g.ext[0] = std::min(g.ext[0], X);
  g.ext[1] = std::min(g.ext[1], Y);
  g.ext[2] = std::max(g.ext[2], X);
  g.ext[3] = std::max(g.ext[3], Y);
}

// One " 1" segment between paper points.
static void _Emit_Line(double X1, double Y1, double X2, double Y2) {
  if (!g.gstream || !All_Finite({X1, Y1, X2, Y2})) return;
  X1 = _Clean(X1), Y1 = _Clean(Y1), X2 = _Clean(X2), Y2 = _Clean(Y2);
  Oli_Raw_Printf(g.gstream, " 1  %lf %lf %lf %lf\n", X1, Y1, X2, Y2);
  if (g.plot) Oli_Raw_Printf(g.plot, "LINE %lf %lf %lf %lf\n", X1, Y1, X2, Y2);
  _Widen(X1, Y1);
  _Widen(X2, Y2);
}

// A filled polygon of paper points.
static void _Emit_Polygon(int n, const double *X, const double *Y) {
  if (!g.gstream || !g.fills || n < 3) return;
  for (int i = 0; i < n; ++i)
    if (!All_Finite({X[i], Y[i]})) return;
  std::fprintf(g.gstream, " 18 %d\n", n);
  if (g.plot) std::fprintf(g.plot, "POLY %d\n", n);
  for (int i = 0; i < n; ++i) {
    Oli_Raw_Printf(g.gstream, " %lf %lf\n", _Clean(X[i]), _Clean(Y[i]));
    if (g.plot) Oli_Raw_Printf(g.plot, "%lf %lf\n", _Clean(X[i]), _Clean(Y[i]));
  }
}

// Text directive at a paper point; the text is cut at 255 bytes, and line breaks and
// guillemets (which delimit it) become blanks, other control bytes in Oli_Raw_Printf.
static void _Emit_Text(double X, double Y, double height, double angle_deg, int code, const char *text) {
  if (!g.gstream || !text || !All_Finite({X, Y, height, angle_deg})) return;
  char t[256];
  std::snprintf(t, sizeof t, "%s", text);
  for (char *c = t; *c; ++c) {
    unsigned char u = static_cast<unsigned char>(*c);
    if (u == '\n' || u == '\r' || u == 0xAE || u == 0xAF) *c = ' ';
  }
  const char *lq = "«"_cp, *rq = "»"_cp;
  Oli_Raw_Printf(g.gstream, " 9 %lf %lf %lf %lf %d %s%s%s\n", _Clean(X), _Clean(Y), _Clean(height),
               _Clean(angle_deg), code, lq, t, rq);
  if (g.plot)
    Oli_Raw_Printf(g.plot, "TEXT %lf %lf %lf %lf %d %s%s%s\n", _Clean(X), _Clean(Y), _Clean(height),
                 _Clean(angle_deg), code, lq, t, rq);
}

int Oliplot_Begin_Grafic(FILE *stream, double x_min, double z_max, double x_max, double z_min, double sx,
                         double sz, double angle, int orientation) {
  if (!stream || !All_Finite({x_min, z_max, x_max, z_min, sx, sz, angle}) || !(sx > 0) || !(sz > 0)) return 1;
  if (x_max < x_min) std::swap(x_min, x_max);
  if (z_max < z_min) std::swap(z_min, z_max);
  double c, s;
  _Cos_Sin(angle, &c, &s);
  double xc = x_min / 2.0 + x_max / 2.0, zc = z_min / 2.0 + z_max / 2.0;
  double w = (x_max - x_min) * sx, h = (z_max - z_min) * sz;
  double tw = std::fabs(w * c) + std::fabs(h * s);
  double th = std::fabs(w * s) + std::fabs(h * c);
  if (!All_Finite({xc, zc, tw, th})) return 1;  // an extent too large for the paper

  Oli_End_Text(stream);
  if (g.gstream) Oliplot_End_Grafic(g.gstream);
  _Clear_Block_State();
  g.xc = xc;
  g.zc = zc;
  g.sx = sx;
  g.sz = sz;
  g.angle = angle;
  g.cos_a = c;
  g.sin_a = s;
  g.orientation = orientation == 0 ? 0 : 1;
  g.half_w = tw / 2.0;
  g.half_h = th / 2.0;
  g.gstream = stream;
  ++g.block_number;
  Oli_Raw_Printf(stream, "#SHOWGRAFIC %.4f %.4f\n", _Clean(tw), _Clean(th));
  if (g.plot) Oli_Raw_Printf(g.plot, "BLOCK %d %.4f %.4f\n", g.block_number, _Clean(tw), _Clean(th));
  return 0;
}

void Oliplot_End_Grafic(FILE *stream) {
  if (!stream || stream != g.gstream) return;
  std::fputs(" -1\n", stream);
  if (g.plot) {
    if (g.drawn)
      Oli_Raw_Printf(g.plot, "ENDBLOCK %lf %lf %lf %lf\n", g.ext[0], g.ext[1], g.ext[2], g.ext[3]);
    else
      std::fputs("ENDBLOCK\n", g.plot);
  }
  _Clear_Block_State();
}

FILE *Oliplot_Stream() { return g.gstream; }

void Oliplot_Set_Extended_Mode(int on) {
  if (g.gstream) g.extended = on != 0;
}

void Oliplot_Save_State() {
  if (!g.gstream) return;
  if (g.depth >= OLIPLOT_SAVE_DEPTH) {
    ++g.overflow;
    return;
  }
  g.stack[g.depth++] = PlotSave{g.color_index, g.fill_code, g.dim_style};
  std::fputs(" 30\n", g.gstream);
  if (g.extended) std::fputs(" 52\n", g.gstream);
  if (g.plot) std::fputs("SAVE\n", g.plot);
}

void Oliplot_Restore_State() {
  if (!g.gstream) return;
  if (g.overflow > 0) {
    --g.overflow;
    return;
  }
  if (g.depth == 0) return;
  const PlotSave &s = g.stack[--g.depth];
  g.color_index = s.color_index;
  g.fill_code = s.fill_code;
  g.dim_style = s.dim_style;
  std::fputs(" 31\n", g.gstream);
  if (g.extended) std::fputs(" 53\n", g.gstream);
  if (g.plot) std::fputs("RESTORE\n", g.plot);
}

void Oliplot_Set_Color(int code) {
  if (!g.gstream) return;
  g.fill_code = g.colors ? code : 0;
  std::fprintf(g.gstream, " 20  %d\n", g.fill_code);
  if (g.plot) std::fprintf(g.plot, "FILL %d\n", g.fill_code);
}

int Oliplot_Fill_Color(int r, int gr, int b) {
  if (!g.gstream) return -1;
  r = std::clamp(r, 0, 255);
  gr = std::clamp(gr, 0, 255);
  b = std::clamp(b, 0, 255);
  if (!g.colors) r = gr = b = 0;
  int best = 0;
  long best_d = -1;
  for (int i = 0; i < OLIPLOT_COLOR_COUNT; ++i) {
    long dr = r - OLIPLOT_COLOR_TABLE[i][0], dg = gr - OLIPLOT_COLOR_TABLE[i][1],
         db = b - OLIPLOT_COLOR_TABLE[i][2];
    long d = dr * dr + dg * dg + db * db;
    if (best_d < 0 || d < best_d) {
      best_d = d;
      best = i;
    }
  }
  g.color_index = best;
  if (g.extended) std::fprintf(g.gstream, "50 %d %d %d\n", r, gr, b);
  if (g.plot) std::fprintf(g.plot, "COLOR %d\n", best);
  return best;
}

void Oliplot_Set_Dimension_Style(int flags) {
  if (g.gstream) g.dim_style = flags;
}

void Oliplot_Line(double x1, double z1, double x2, double z2) {
  if (!g.gstream) return;
  double X1, Y1, X2, Y2;
  _Paper(x1, z1, &X1, &Y1);
  _Paper(x2, z2, &X2, &Y2);
  _Emit_Line(X1, Y1, X2, Y2);
}

// Point at angle t (radians, counter-clockwise on paper) on a circle of radius r.
static void _Circle_Point(double x, double z, double r, double t, double *X, double *Y) {
  double dz = (g.orientation == 0 ? -r : r) * std::sin(t);
  _Paper(x + r * std::cos(t), z + dz, X, Y);
}

void Oliplot_Arc(double x, double z, double diameter, double start_deg, double sweep_deg) {
  if (!g.gstream || !All_Finite({x, z, diameter, start_deg, sweep_deg}) || !(diameter > 0)) return;
  if (sweep_deg == 0.0 || std::fabs(sweep_deg) >= 360.0) sweep_deg = 360.0;
  double sweep = sweep_deg * kPi / 180.0, start = start_deg * kPi / 180.0;
  double step = std::fabs(sweep_deg) > 180.0 ? kPi / 32.0 : kPi / 16.0;
  int n = static_cast<int>(std::ceil(std::fabs(sweep) / step - 1e-9));
  if (n < 1) n = 1;
  double r = diameter / 2.0;
  double X0, Y0;
  _Circle_Point(x, z, r, start, &X0, &Y0);
  for (int k = 1; k <= n; ++k) {
    double X1, Y1;
    _Circle_Point(x, z, r, start + sweep * k / n, &X1, &Y1);
    _Emit_Line(X0, Y0, X1, Y1);
    X0 = X1;
    Y0 = Y1;
  }
}

void Oliplot_Filled_Circle(double x, double z, double diameter) {
  if (!g.gstream || !g.fills || !All_Finite({x, z, diameter}) || !(diameter > 0)) return;
  double X[32], Y[32];
  for (int k = 0; k < 32; ++k) _Circle_Point(x, z, diameter / 2.0, 2.0 * kPi * k / 32.0, &X[k], &Y[k]);
  _Emit_Polygon(32, X, Y);
}

void Oliplot_Filled_Ring(double x, double z, double outer_diameter, double inner_diameter) {
  if (!g.gstream || !g.fills || !All_Finite({x, z, outer_diameter, inner_diameter}) || !(outer_diameter > 0))
    return;
  double ri = std::clamp(inner_diameter, 0.0, outer_diameter) / 2.0, ro = outer_diameter / 2.0;
  double X[66], Y[66];
  for (int k = 0; k <= 32; ++k) {
    double t = 2.0 * kPi * k / 32.0;
    _Circle_Point(x, z, ro, t, &X[k], &Y[k]);
    _Circle_Point(x, z, ri, t, &X[65 - k], &Y[65 - k]);
  }
  _Emit_Polygon(66, X, Y);
}

void Oliplot_Filled_Polygon(int n, const double *x, const double *z) {
  if (!g.gstream || !g.fills || n < 3 || !x || !z) return;
  // Two passes without a buffer: every point must be finite before anything is written.
  for (int i = 0; i < n; ++i) {
    double X, Y;
    _Paper(x[i], z[i], &X, &Y);
    if (!All_Finite({X, Y})) return;
  }
  std::fprintf(g.gstream, " 18 %d\n", n);
  if (g.plot) std::fprintf(g.plot, "POLY %d\n", n);
  for (int i = 0; i < n; ++i) {
    double X, Y;
    _Paper(x[i], z[i], &X, &Y);
    Oli_Raw_Printf(g.gstream, " %lf %lf\n", _Clean(X), _Clean(Y));
    if (g.plot) Oli_Raw_Printf(g.plot, "%lf %lf\n", _Clean(X), _Clean(Y));
  }
}

void Oliplot_Polyline(int n, const double *x, const double *z) {
  if (!g.gstream || !x || !z || (n >= -1 && n <= 1)) return;
  bool closed = n > 1;
  int m = closed ? n : -n;
  int segments = closed ? m : m - 1;
  for (int i = 0; i < segments; ++i) {
    int j = (i + 1) % m;
    Oliplot_Line(x[i], z[i], x[j], z[j]);
  }
}

void Oliplot_Rectangle(double x1, double z1, double x2, double z2) {
  if (!g.gstream || !All_Finite({x1, z1, x2, z2})) return;
  if (g.cos_a == 1.0 && g.sin_a == 0.0) {
    double X1, Y1, X2, Y2;
    _Paper(x1, z1, &X1, &Y1);
    _Paper(x2, z2, &X2, &Y2);
    if (!All_Finite({X1, Y1, X2, Y2})) return;
    X1 = _Clean(X1), Y1 = _Clean(Y1), X2 = _Clean(X2), Y2 = _Clean(Y2);
    Oli_Raw_Printf(g.gstream, " 24  %lf %lf %lf %lf\n", X1, Y1, X2, Y2);
    if (g.plot) Oli_Raw_Printf(g.plot, "RECT %lf %lf %lf %lf\n", X1, Y1, X2, Y2);
    _Widen(X1, Y1);
    _Widen(X2, Y2);
    return;
  }
  double x[4] = {x1, x2, x2, x1}, z[4] = {z1, z1, z2, z2};
  Oliplot_Polyline(4, x, z);
}

void Oliplot_Rectangle_Centered(double x, double z, double width, double height) {
  Oliplot_Rectangle(x - width / 2.0, z - height / 2.0, x + width / 2.0, z + height / 2.0);
}

void Oliplot_Text_Printf(double x, double z, int h_align, int v_align, const char *fmt, ...) {
  if (!g.gstream || !fmt) return;
  char buf[256];
  va_list ap;
  va_start(ap, fmt);
  int n = _Format_Text(buf, sizeof buf, fmt, ap);
  va_end(ap);
  if (n < 0) return;
  double X, Y;
  _Paper(x, z, &X, &Y);
  _Emit_Text(X, Y, 0.0, 0.0, 10 * h_align + v_align, buf);
}

void Oliplot_Text_Rotated(double x, double z, const char *text) {
  if (!g.gstream || !text || !All_Finite({x, z})) return;
  // A block angle near the largest double overflows in degrees: write nothing then.
  double deg = _Clean(g.angle * 180.0 / kPi);
  if (!std::isfinite(deg)) return;
  Oli_Raw_Printf(g.gstream, " 14 %lf 0\n", deg);
  if (g.plot) Oli_Raw_Printf(g.plot, "TEXTDIR %lf\n", deg);
  double X, Y;
  _Paper(x, z, &X, &Y);
  _Emit_Text(X, Y, 0.0, deg, 43, text);
}

void Oliplot_Text_Box(double x, double z, const char *text) {
  if (!g.gstream || !text) return;
  double X, Y;
  _Paper(x, z, &X, &Y);
  _Emit_Text(X, Y, 0.0, 0.0, 23, text);
}

// Label of a dimension: the length rounded to tenths, whole numbers without decimals.
static void _Dimension_Label(double length, char *buf, std::size_t size) {
  double t = std::round(length * 10.0) / 10.0;
  if (std::fabs(t - std::round(t)) < 1e-9)
    Oli_Snprintf(buf, size, "%.0f", t);
  else
    Oli_Snprintf(buf, size, "%.1f", t);
}

int Oliplot_Dimension_Line(double x1, double z1, double x2, double z2, double text_height, int mode) {
  if (!g.gstream || !All_Finite({x1, z1, x2, z2, text_height})) return -1;
  double length = std::hypot(x2 - x1, z2 - z1);
  double ux, uy, nx, ny;
  if (!(length > 0) || !std::isfinite(length) || !_Paper_Dir(x2 - x1, z2 - z1, &ux, &uy)) return -1;
  if (!_Paper_Dir(-(z2 - z1), x2 - x1, &nx, &ny)) return -1;
  mode = std::clamp(mode, -2, 2);
  double X1, Y1, X2, Y2;
  _Paper(x1, z1, &X1, &Y1);
  _Paper(x2, z2, &X2, &Y2);
  _Emit_Line(X1, Y1, X2, Y2);
  // End marks of 0.2 cm: oblique ticks at 45° (style bit 8) or bars across the line.
  const double half = 0.1;
  double mx, my;
  if (g.dim_style & 8) {
    mx = (ux - uy) * std::sqrt(0.5);
    my = (ux + uy) * std::sqrt(0.5);
  } else {
    mx = -uy;
    my = ux;
  }
  _Emit_Line(X1 - half * mx, Y1 - half * my, X1 + half * mx, Y1 + half * my);
  _Emit_Line(X2 - half * mx, Y2 - half * my, X2 + half * mx, Y2 + half * my);
  // Label at the middle, off the line by half its height and 0.05 cm.
  double off = mode == 0 ? 0.0 : (mode < 0 ? 1.0 : -1.0) * (0.5 * text_height + 0.05);
  double LX = (X1 + X2) / 2.0 + off * nx, LY = (Y1 + Y2) / 2.0 + off * ny;
  double deg = 0.0;
  if (mode == 0 || mode == 2 || mode == -2) {
    deg = std::atan2(uy, ux) * 180.0 / kPi;
    if (deg > 90.0 + 1e-9) deg -= 180.0;
    if (deg <= -90.0 + 1e-9) deg += 180.0;
  }
  char label[64];
  _Dimension_Label(length, label, sizeof label);
  _Emit_Text(LX, LY, text_height, deg, 23, label);
  return 0;
}

// One axis arrow from a paper point along a unit paper direction.
static void _Axis_Arrow(double X, double Y, double ux, double uy, double arm, const char *label) {
  double EX = X + arm * ux, EY = Y + arm * uy;
  _Emit_Line(X, Y, EX, EY);
  // Head: two strokes of a fifth of the arm, 30° off the back direction.
  double h = 0.2 * arm, c = std::cos(kPi / 6.0), s = std::sin(kPi / 6.0);
  double bx = -ux, by = -uy;
  _Emit_Line(EX, EY, EX + h * (bx * c - by * s), EY + h * (bx * s + by * c));
  _Emit_Line(EX, EY, EX + h * (bx * c + by * s), EY + h * (-bx * s + by * c));
  if (label && *label) _Emit_Text(EX + 0.15 * ux, EY + 0.15 * uy, 0.0, 0.0, 23, label);
}

void Oliplot_Axis_Pair(double x, double z, const char *first_label, const char *second_label, double arm_cm,
                       double angle) {
  if (!g.gstream || !All_Finite({x, z, arm_cm, angle}) || !(arm_cm > 0)) return;
  double c, s;
  _Cos_Sin(angle, &c, &s);
  double X, Y, u1x, u1y, u2x, u2y;
  _Paper(x, z, &X, &Y);
  if (!_Paper_Dir(c, s, &u1x, &u1y) || !_Paper_Dir(s, -c, &u2x, &u2y)) return;
  _Axis_Arrow(X, Y, u1x, u1y, arm_cm, first_label);
  _Axis_Arrow(X, Y, u2x, u2y, arm_cm, second_label);
}

int Oliplot_Drawn_Extent(double out[4]) {
  if (!g.gstream || !g.drawn || !out) return 0;
  for (int i = 0; i < 4; ++i) out[i] = g.ext[i];
  return 1;
}

// ================================================================ plot file

int Oliplot_Open_Plot_File(const char *path) {
  _Register_Reset();
  if (g.plot) Oliplot_Close_Plot_File();
  if (!path) return 1;
  FILE *f = Begin_File_Replace(&g.plot_file, path);
  if (!f) return 1;
  std::fputs("kelm-ZadaDade (1.0)A\n*TABLES\n", f);
  for (int i = 0; i < OLIPLOT_COLOR_COUNT; ++i)
    std::fprintf(f, "COLORDEF %d %d %d %d\n", i, OLIPLOT_COLOR_TABLE[i][0], OLIPLOT_COLOR_TABLE[i][1],
                 OLIPLOT_COLOR_TABLE[i][2]);
  std::fputs("*ENTITIES\n", f);
  g.plot = f;
  if (g.gstream)
    Oli_Raw_Printf(f, "BLOCK %d %.4f %.4f\n", g.block_number, _Clean(2.0 * g.half_w), _Clean(2.0 * g.half_h));
  return 0;
}

int Oliplot_Close_Plot_File() {
  if (!g.plot) return 1;
  std::fputs("*EOI\n", g.plot);
  g.plot = nullptr;
  return Commit_File_Replace(&g.plot_file);
}

int Oliplot_Plot_File_Open() { return g.plot ? 1 : 0; }
