// Widget figures (circles, arcs, polygons, discs, filled polygons and dimension lines in
// widget coordinates) and the heads and legend of factor columns.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "host/host.h"
#include "host/host_screen.h"
#include "support/support.h"
#include "widgets/widget_layer.h"
#include "widgets/widget_sheets.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFiveDegrees = 0.08726646259971647;

int _Round(double v) { return static_cast<int>(std::lround(v)); }

void _Chord(double x1, double y1, double x2, double y2) { Add_Widget_Line(x1, y1, x2, y2); }

// Line item between two widget points in the text colour without the drawing-mode test.
void _Plain_Line(double x1, double y1, double x2, double y2) {
  Transform_Widget_Point(&x1, &y1);
  Transform_Widget_Point(&x2, &y2);
  Add_Line_to_View_Area(Get_Widget_Area(), _Round(x1), _Round(y1), _Round(x2), _Round(y2), Get_Widget_Text_Color());
}

void _Copy(char *dst, std::size_t size, const char *src) { std::snprintf(dst, size, "%s", src ? src : ""); }

void _Default_Column(FAKTOR_COLUMN *c, int i) {
  std::memset(c, 0, sizeof *c);
  _Copy(c->description, sizeof c->description, "Welcher Faktor ?");
  _Copy(c->name, sizeof c->name, "???");
  _Copy(c->unit, sizeof c->unit, "???");
  c->x = 68 * i;
  c->value = 6;
  c->width = 63;
  c->gap = 5;
}

void _Init_Columns(FAKTOR_COLUMNS *table, int n, FAKTOR_COLUMN **columns) {
  const int options[5] = {0, 1, 1, 0, 0};
  std::copy(options, options + 5, table->options);
  table->count = 0;
  n = std::max(n, 0);
  *columns = static_cast<FAKTOR_COLUMN *>(
      Tools_Alloc(*columns, sizeof(FAKTOR_COLUMN) * static_cast<std::size_t>(std::max(n, 1)), 1));
  for (int i = 0; i < n; ++i) _Default_Column(*columns + i, i);
  table->rule_end = -1;
}

// Name (or symbol with index) centred over base + column x + width / 2.
void _Column_Name(int base, int y, const FAKTOR_COLUMN &c) {
  const int centre = base + c.x + c.width / 2;
  if (c.index[0]) {
    Add_Widget_Label_with_Index(centre, y, c.name, c.index, 2, 4, nullptr);
  } else {
    Set_Widget_Font(0x11000);
    Add_Widget_Label(centre, y, c.name, 2, 4, nullptr);
  }
}

void _Column_Unit(int base, int y, const FAKTOR_COLUMN &c) {
  Set_Widget_Font(4096);
  Set_Widget_Text_Color(Nearest_RGB_Color(160, 160, 164));
  Add_Widget_Label(base + c.x + c.width / 2, y, c.unit, 2, 4, nullptr);
  Set_Widget_Text_Color(BLACK_CI);
}

}  // namespace

// ---------------------------------------------------------------- figures

void Add_Widget_Circle(double x, double y, double r) { Add_Widget_Arc(x, y, r, 0.0, 2 * kPi + kFiveDegrees / 2); }

void Add_Widget_Arc(double x, double y, double r, double start, double end) {
  if (Get_Widget_Area() < 0 || !(end > start)) return;
  double px = 0, py = 0;
  for (int i = 0; i < 73; ++i) {
    const double a = start + i * kFiveDegrees;
    if (!(a < end)) break;
    const double qx = x + r * std::cos(a), qy = y - r * std::sin(a);
    if (i > 0) _Chord(px, py, qx, qy);
    px = qx;
    py = qy;
  }
}

void Add_Widget_Polygon(int n, const double *x, const double *y) {
  if (Get_Widget_Area() < 0 || n < 1 || !x || !y) return;
  for (int i = 0; i < n; ++i) _Chord(x[i], y[i], x[(i + 1) % n], y[(i + 1) % n]);
}

void Add_Widget_Disc(double x, double y, double r) {
  if (Get_Widget_Area() < 0) return;
  const double step = r < 10 ? kPi / 32 : r < 100 ? kPi / 64 : kPi / 128;
  const int steps = r < 10 ? 16 : r < 100 ? 32 : 64;  // a below pi / 2
  for (int i = 0; i < steps; ++i) {
    const double a = i * step;
    Add_Widget_Box(x - r * std::sin(a), y - r * std::cos(a), x + r * std::sin(a), y + r * std::cos(a));
  }
}

// The item's rectangle is the bounding box of the transformed points, so that the view
// area draws it wherever it is scrolled; the draw function moves the points to it.
void Add_Widget_Filled_Polygon(int n, const double *x, const double *y) {
  const int area = Get_Widget_Area();
  if (area < 0) return;
  if (n < 1 || !x || !y) {
    Set_Widget_Polygon(0, nullptr, nullptr);
    Add_Draw_Callback_to_View_Area(area, 0, 0, 0, 0, nullptr, &Draw_Widget_Polygon);
    return;
  }
  std::vector<int> px(static_cast<std::size_t>(n)), py(static_cast<std::size_t>(n));
  int x1 = INT_MAX, y1 = INT_MAX, x2 = INT_MIN, y2 = INT_MIN;
  for (int i = 0; i < n; ++i) {
    double a = x[i], b = y[i];
    Transform_Widget_Point(&a, &b);
    px[i] = _Round(a);
    py[i] = _Round(b);
    x1 = std::min(x1, px[i]);
    y1 = std::min(y1, py[i]);
    x2 = std::max(x2, px[i]);
    y2 = std::max(y2, py[i]);
  }
  for (int i = 0; i < n; ++i) {
    px[i] -= x1;
    py[i] -= y1;
  }
  Set_Widget_Polygon(n, px.data(), py.data());
  Add_Draw_Callback_to_View_Area(area, x1, y1, x2, y2, nullptr, &Draw_Widget_Polygon);
}

void Add_Widget_Dimension_Line(int kind, double x1, double y1, double x2, double y2, double length) {
  if (Get_Widget_Area() < 0) return;
  const double scale = Get_Widget_Scale();
  const double d = 5 / scale, L = length / scale;
  double zero = 0;
  if (kind == 0) {
    Untransform_Widget_Point(&zero, &y1);
    zero = 0;
    Untransform_Widget_Point(&zero, &y2);
  } else if (kind == 1) {
    Untransform_Widget_Point(&x1, &zero);
    zero = 0;
    Untransform_Widget_Point(&x2, &zero);
  } else if (kind == 3) {
    Untransform_Widget_Point(&x1, &y1);
    Untransform_Widget_Point(&x2, &y2);
  }
  const double t = Line_Direction_Angle(x1, y1, x2, y2);
  double px[2] = {x1, x2}, py[2] = {y1, y2};
  World_To_Local_Points(px, py, 2, 0, 0, -t, 1);
  const double s = px[1] < px[0] ? -d : d;
  double lx[8] = {px[0] - s, px[1] + s, px[0], px[0], px[1], px[1], 0, 0};
  double ly[8] = {py[0], py[1], py[0] - d, py[0] + L, py[1] - d, py[1] + L, 0, 0};
  World_To_Local_Points(lx, ly, 6, 0, 0, t, 1);
  _Plain_Line(lx[0], ly[0], lx[1], ly[1]);
  _Plain_Line(lx[2], ly[2], lx[3], ly[3]);
  _Plain_Line(lx[4], ly[4], lx[5], ly[5]);
}

// ---------------------------------------------------------------- factor columns

void Init_Faktor_Columns(FAKTOR_COLUMNS *table, int n, FAKTOR_COLUMN **columns) {
  if (!table || !columns) return;
  _Init_Columns(table, n, columns);
  table->columns = *columns;
}

void Reset_Faktor_Columns(FAKTOR_COLUMNS *table, int n) {
  if (!table) return;
  table->word0 = 0;
  table->left = 0;
  table->options[0] = 0;
  _Init_Columns(table, n, &table->columns);
}

void Free_Faktor_Columns(FAKTOR_COLUMNS *table) {
  if (!table) return;
  table->count = 0;
  Tools_Free(&table->columns);
}

int Get_Faktor_Columns_Width(const FAKTOR_COLUMNS *table) {
  if (!table) return 0;
  int w = table->left + 8;
  for (int i = 0; i < table->count; ++i) w += table->columns[i].width + table->columns[i].gap;
  return w;
}

FAKTOR_COLUMN *Add_Faktor_Column(FAKTOR_COLUMNS *table, int capacity, const char *description, const char *name,
                                 const char *index, const char *unit, int value, int width, int gap) {
  if (!table || !table->columns || table->count >= capacity) return nullptr;
  FAKTOR_COLUMN *c = table->columns + table->count;
  _Copy(c->description, sizeof c->description, description);
  _Copy(c->name, sizeof c->name, name);
  _Copy(c->index, sizeof c->index, index);
  _Copy(c->unit, sizeof c->unit, unit);
  c->x = Get_Faktor_Columns_Width(table);
  c->value = value;
  c->width = width;
  c->gap = gap;
  table->count += 1;
  return c;
}

void Add_Faktor_Column_Heads(int x, int y, int n, const FAKTOR_COLUMN *columns) {
  if (Get_Widget_Area() < 0 || n < 1 || !columns) return;
  for (int i = 0; i < n; ++i) _Column_Name(x, y - 31, columns[i]);
  for (int i = 0; i < n; ++i) _Column_Unit(x, y - 15, columns[i]);
  Set_Widget_Drawing_Mode(1);
  const FAKTOR_COLUMN &last = columns[n - 1];
  Add_Widget_Line(x, y - 9, x + last.x + last.width + last.gap, y - 9);
  Set_Widget_Font(4096);
  Set_Widget_Text_Color(BLACK_CI);
}

void Add_Faktor_Table_Heads(int x, int y, const FAKTOR_COLUMNS *table) {
  if (Get_Widget_Area() < 0 || !table) return;
  const int font = Get_Widget_Font(), colour = Get_Widget_Text_Color();
  bool units = false;
  for (int i = 0; i < table->count; ++i) units = units || table->columns[i].unit[0];
  for (int i = 0; i < table->count; ++i) _Column_Name(x - 4, units ? y - 31 : y - 16, table->columns[i]);
  if (units)
    for (int i = 0; i < table->count; ++i) _Column_Unit(x - 4, y - 15, table->columns[i]);
  Set_Widget_Text_Color(colour);
  int end = x + Get_Faktor_Columns_Width(table);
  if (table->rule_end > 0) end = std::max(end, table->rule_end);
  Add_Widget_Line(x, y - 9, end, y - 9);
  Set_Widget_Font(font);
}

void Add_Faktor_Legend(int x, int y, int n, const FAKTOR_COLUMN *columns) {
  if (Get_Widget_Area() < 0 || !columns) return;
  const int font = Get_Widget_Font(), colour = Get_Widget_Text_Color();
  int name_width = 50;
  for (int i = 0; i < n; ++i)
    if (columns[i].description[0])
      name_width = std::max(name_width, static_cast<int>(8 * std::strlen(columns[i].name) +
                                                         6 * std::strlen(columns[i].index) + 5));
  Set_Widget_Font(0x1000);
  Set_Widget_Text_Color(Nearest_RGB_Color(128, 128, 128));
  for (int i = 0; i < n; ++i) {
    if (!columns[i].description[0]) continue;
    Put_Widget_Text_with_Index(x, y, columns[i].name, columns[i].index, nullptr);
    Put_Widget_Text(x + name_width, y, columns[i].description, nullptr);
    y += 18;
  }
  Set_Widget_Font(font);
  Set_Widget_Text_Color(colour);
}
