// drawing/drawing.h — cross-section drawings in the print list.
//
// Plot_Profil_Querschnitt draws a profile (PROFIL kinds 0 and 1) and
// Plot_Polygon_Querschnitt a section of kind 2 (nodes with wall lines or polygons) as a
// graphic block of the print list (print/print.h), mirrored into the plot file by its
// writers: the filled area, the outline with root fillets, toe radii and weld marks,
// dimension lines, the axes y and z at the centroid "S" and the shear centre "M".
// Beside them the geometry they are built of (rotations, the expansion of outlines with
// arc edges) and the weld and mark shapes of the drawing module.
//
// Units: section coordinates in mm, world coordinates of the block in mm with x to the
// right and z downward on paper (the section's y axis points left, so a section point
// (y, z) is drawn at (y0 − y, z0 + z)); lengths on paper in cm, multiplied by the scale
// S (mm of section per cm of drawing) where they become world lengths. Angles of records
// in degrees, of operations in radians unless named.
//
// Module state (one struct, Reset_Drawing_For_Tests, registered with Host_Reset when the
// height is set): the height of the free-standing drawing area (5 cm) and the point
// buffers of the plots. Colours and fill codes come from PLOT_PALETTE
// (drawing_base/drawing_base.h): the writer of a drawing calls Init_Plot_Palette before
// it and may then change the roles. Not re-entrant.
#pragma once

#include <cstdint>
#include <cstdio>

#include "materials/materials.h"
#include "profil/profil.h"

// ================================================================ geometry

// Rotates n points about (y0, z0) by a (radians): y' = (y − y0)c + (z − z0)s + y0,
// z' = (z − z0)c − (y − y0)s + z0, with cos and sin of the exact quarter turns within
// 0.001 rad of 0, π/2, π, 3π/2. n below 1: nothing.
void Rotate_Points(double *y, double *z, int n, double y0, double z0, double a);
// One point, four points, six points rotated alike.
void Rotate_Point(double *y, double *z, double y0, double z0, double a);
void Turn_Point(double *y, double *z, double y0, double z0, double a);
void Rotate_Quad(double *y, double *z, double y0, double z0, double a);
void Rotate_Six_Points(double *y, double *z, double y0, double z0, double a);

// Outline of an imported polygon section: vertices (number, y, z, bulge in s_p, contour
// number in polygon); contour_flag non-zero when the vertices carry contour numbers.
struct SECTION_OUTLINE {
  int32_t contour_flag;
  int32_t count;
  const PROFIL_NODE *vertices;
};
// Points an expanded outline holds; Expand_Outline_Arcs returns this count on overflow.
inline constexpr int OUTLINE_MAX_POINTS = 10000;
// Writes the outline as points (y negated: mirrored for plotting, z as it is) with arc
// edges expanded into Round_Pixel(θ·15/π) intermediate points (a half circle gives 15),
// each with its contour and vertex number. A positive bulge (arc height over chord)
// bulges left of the direction of travel as the section is seen. Each output may be
// null and needs room for OUTLINE_MAX_POINTS. Returns the count, or OUTLINE_MAX_POINTS
// when the outline needs more (nothing is written past it); 0 for a null outline.
int Expand_Outline_Arcs(const SECTION_OUTLINE *outline, double *y, double *z, int *contour, int *number);

// Height of the free-standing drawing area in cm (truncated; 5 at program start).
void Set_Section_Plot_Height(double cm);
int Get_Section_Plot_Height();

// ================================================================ weld and mark shapes
// Each shape writes inside one state bracket; colours are palette indices (negative:
// that part left out), line types and fill codes the print list's numbers.

// Filled right triangle at the corner (x, y) with legs a (along x) and b (along z):
// kind 0 toward (−x, +z), 1 (+x, +z), 2 (+x, −z), any other (−x, −z); the legs turned by
// angle (radians) about the corner; fill code 64, edges in line colour, line type 1.
void Plot_Corner_Weld(int kind, int fill_color, int line_color, double x, double y, double a, double b,
                      double angle);
// Triangle of the centre (x, y) and the points at radius r in the directions start and
// start + sweep (radians, counter-clockwise on paper); fill code 64; edges when line_type
// is not negative. Nothing for r below 0.001.
void Plot_Weld_Triangle(double x, double y, double r, double start, double sweep, int fill_color, int line_type,
                        int line_color);
// The weld triangle of legs r in quadrant 0..3 (0: toward +x and −z, each further one a
// quarter turn on); nothing for r below 0.001 or another quadrant.
void Plot_Weld_Triangle_Quadrant(double x, double y, double r, int quadrant, int fill_color, int line_type,
                                 int line_color);

// Further shapes of the module (no caller in the member program).
void Plot_Hexagon(int fill_color, int fill_code, int line_type, double x, double y, double r, int line_color);
void Plot_Circle_16(int fill_color, int fill_code, int line_type, double x, double y, double r, int line_color);
void Plot_Circle_16_Checked(double x, double y, double r, int fill_color, int fill_code, int line_type,
                            int line_color);
// Top view of a bolt: hole, washer and head (sizes as diameters, each above 0.1).
void Plot_Bolt_Top(double x, double y, double d_hole, double d_washer, double d_head, int fill_color,
                   int line_color);
void Plot_Bolt_Top_Outline(double x, double y, double d_hole, double d_washer, double d_head, int line_color);
void Plot_Polygon_Filled_Outlined(int n, const double *y, const double *z, int fill_color, int fill_code,
                                  int line_type, int line_color);
void Plot_Band(double y1, double z1, double y2, double z2, double w, double h, int fill_color, int fill_code,
               int line_type, int line_color);
void Plot_Framed_Box(double x1, double y1, double x2, double y2, int fill_color, int fill_code, int line_type,
                     int line_color);
// Slotted hole of width a and overall length b along the angle (degrees) about (x, y).
void Plot_Slotted_Hole(double x, double y, double a, double b, double angle_deg, int fill_color, int fill_code,
                       int line_type, int line_color);
// Weld label "a%.0lf" with leader, shelf and weld triangle; kind 0..3 the quadrant of
// the shelf; h the text height in world units.
void Plot_Weld_Label(int kind, double x, double y, double a, double h, int fill_color, int line_type,
                     int line_color);
void Plot_Weld_Label_Other(int kind, double x, double y, double a, double h, int fill_color, int line_type,
                           int line_color);
void Plot_Radius_Label(int kind, double x, double y, double r, double h, int line_color);
// Side views of a bolt head (width w, height h) and a nut (width w, height h); kinds 0
// and 2 turned a quarter turn about (x, y). line_flag negative: outlined in fill_color.
void Plot_Bolt_Head_Side(int kind, int fill_color, int fill_code, double x, double y, double w, double h,
                         int line_flag);
void Plot_Nut_Side(int kind, int fill_color, int fill_code, double x, double y, double w, double h, int line_flag);
void Plot_Rotated_Rectangle(double x, double y, double w, double h, double angle, int fill_color, int fill_code,
                            int line_color);
// Bolt of shank diameter d from (x, y) along the angle over the clamp length l: head,
// shank and nut.
void Plot_Bolt_Side_Rotated(double x, double y, double d, double l, double angle, int fill_color, int fill_code,
                            int line_color);
void Plot_Bolt_Side(int kind, double x, double y, double d, double l, int fill_color, int fill_code, int line_color);

// ================================================================ section plots

// Caller-owned options of the section plots (Reset_Profil_Plot_Options clears them).
struct PROFIL_PLOT_OPTIONS {
  double y0, z0;           // inset mode: drawing origin (mm)
  double reserved1, reserved2;
  double scale;            // mm of section per cm of drawing; below 1e-8: free-standing
  int32_t fill_color;      // palette entry of the area; negative: no fill
  int32_t line_type;       // of the outline
  int32_t line_color;      // palette entry of the outline
  int32_t mirror_z;        // T sections and angles mirrored about the horizontal axis
  int32_t mirror_y;        // flat bars, angles and channels mirrored about the vertical
  const PROFIL *profil;
  int32_t web_plate_count; // doubler plates: 0, 1 on the left web face, 2 on both
  const PLATE *web_plate;
  int32_t web_plate_weld;  // 2: marks of plate and web thickness; else fillet marks
  double web_plate_weld_size;
  int32_t stiffener_count;
  const PLATE *stiffener;
  double stiffener_snipe;
  int32_t stiffener_from_top;
  double angle;            // inset mode: rotation in degrees
};
void Reset_Profil_Plot_Options(PROFIL_PLOT_OPTIONS *options);

// Flags of the section plots.
enum : int {
  PLOT_FLAG_ANGLE_LEGS = 1,  // angle: legs labelled "1" and "2"
  PLOT_FLAG_NO_INNER = 2,    // hollow shapes: no inner outline; polygons: holes not outlined
  PLOT_FLAG_NO_NUMBERS = 4,  // polygon sections: no numbers, no "yp"/"zp" cross
};

// Quarter-ellipse inner points: for k = 1..n at a = (start + k)(π/2)/(n + 1),
// (cy + ry sin a, cz − rz cos a); reversed when direction is below 0.
void Quarter_Ellipse_Points(double cy, double cz, double ry, double rz, double *y, double *z, int start, int n,
                            int direction);
// Outline of a profile (no directives): the points (up to 50) about the origin turned by
// angle_deg; *count the number; (py, pz) further points (each may be null) turned alike.
void Calc_Profil_Outline_Points(const PROFIL *profil, double y0, double z0, double angle_deg, double *y, double *z,
                                int *count, double *py, double *pz);

// Draws the profile. Free-standing (scale 0): a block of its own fitted into 16 cm ×
// the drawing-area height, the section's bounding box at world (0, 0), closed with
// " -1"; returns the scale S. Inset: into the caller's open block at (y0, z0), turned by
// the record's angle (axes and dimensions only while it is 0); returns the record's
// scale. axis_mode: 0 none, 1 axis cross "y"/"z", 2 cross without labels, 3 dot.
// Nothing is drawn (returning the record's scale, 0 in free-standing mode) for a null
// record or profile, an extent below 1 mm, an unknown shape in free-standing mode, or no
// stream in free-standing mode.
double Plot_Profil_Querschnitt(const PROFIL_PLOT_OPTIONS *options, FILE *stream, int flags, int axis_mode,
                               int with_dimensions);
// Draws a section of kind 2 in the same two modes: wall lines through the line model
// (querschnitt/querschnitt.h) with their centre lines, or polygons with holes; node and
// line numbers and the "yp"/"zp" cross with dimensions (unless PLOT_FLAG_NO_NUMBERS),
// principal axes when alpha exceeds 0.1°. Returns the scale as Plot_Profil_Querschnitt;
// nothing is drawn for a record of another kind, without nodes, a wall-line section
// without lines, a polygon section with lines, an outline of more than 9999 points or an
// extent below 1 mm.
double Plot_Polygon_Querschnitt(const PROFIL_PLOT_OPTIONS *options, FILE *stream, int flags, int axis_mode,
                                int with_dimensions);

// ================================================================ pixel shapes
// Screen pixels (x right, y down), host colour indices; a negative colour or width leaves
// that part out. Every routine that sets a colour gives back the one it found. Turns are
// counter-clockwise on the screen, by radians, with the exact quarter turns within
// 0.001 rad; turned points are taken to pixels with Round_Pixel.

// Turns n points (one, four) in place about (cx, cy): x' = cx + dx·c + dy·s,
// y' = cy + dy·c − dx·s.
void Rotate_Pixel_Points(int cx, int cy, int *x, int *y, int n, double a);
void Rotate_Pixel_Point(int cx, int cy, int *x, int *y, double a);
void Rotate_Pixel_Quad(int cx, int cy, int *x, int *y, double a);
// Triangle (x, y), (x − a, y + b) and (x − a, y) with the side flag, else (x, y + b),
// turned about the corner by phi; filled, edges 1 pixel wide.
void Draw_Corner_Weld(int x, int y, int a, int b, double phi, int side, int fill_color, int line_color);
// Triangle of (x, y) and the points at L in the directions a and a + w (snapped cosines).
void Draw_Weld_Triangle(int x, int y, int L, double a, double w, int fill_color, int width, int line_color);
// The weld triangle of quadrant 0..3 (start quadrant × π/2, sweep π/2); others nothing.
void Draw_Weld_Triangle_Quadrant(int x, int y, int L, int quadrant, int fill_color, int width, int line_color);
void Draw_Colored_Thick_Line(int x1, int y1, int x2, int y2, int color, int width);
void Draw_Polygon_Filled_Outlined(int n, const int *x, const int *y, int fill_color, int width, int line_color);
void Draw_Framed_Box(int x1, int y1, int x2, int y2, int fill_color, int width, int line_color);
// w × h about (cx, cy) (integer halves) turned by a.
void Draw_Rotated_Rectangle(int cx, int cy, int w, int h, double a, int fill_color, int width, int line_color);
// Points (cx + R(sin φ·r), cy + R(cos φ·r)) at 60° (22.5°) steps; nothing for r below 1.
void Draw_Hexagon(int cx, int cy, int r, int fill_color, int width, int line_color);
void Draw_Circle_16(int cx, int cy, int r, int fill_color, int width, int line_color);
void Draw_Circle_16_Checked(int cx, int cy, int r, int fill_color, int width, int line_color);
// Two half circles of radius r, l/2 to either side of the centre, joined; turned by the
// angle (degrees) above 0.01°; nothing unless 1 ≤ r ≤ l.
void Draw_Slotted_Hole(int cx, int cy, int r, int l, double angle_deg, int fill_color, int width, int line_color);
// n points (cx + R(sin φ·rx), cy − R(cos φ·ry)), φ = k(π/2)/(n + 1), k = k0 + 1 … k0 + n;
// reversed for a negative direction.
void Fill_Quarter_Arc_Points(int cx, int cy, double rx, double ry, int *x, int *y, int k0, int n, int direction);
// Bolt symbols of joint pictures (no caller in the member program). Side views point right
// for orientation 0, each further one a quarter turn on.
void Draw_Nut_Side(int cx, int cy, int height, int w, int orientation, int fill_color, int line_color);
void Draw_Nut_Side_Rotated(int cx, int cy, int height, int w, double angle, int fill_color, int line_color);
void Draw_Bolt_Head_Side(int cx, int cy, int height, int w, int orientation, int fill_color, int line_color);
// Shank from x1 to x2 at cy, half its thickness; head, washers and nut at its ends.
void Draw_Bolt_Side(int x1, int x2, int cy, int half, int head_h, int head_w, int washer_t, int washer_w, int nut_h,
                    int nut_w, int orientation, int fill_color, int width, int line_color);
void Draw_Bolt_Side_Rotated(int x1, int x2, int cy, int half, int head_h, int head_w, int nut_h, int nut_w,
                            double angle, int fill_color, int width, int line_color);
// Washer circle, head hexagon and the dotted hole circle seen from above (each when its
// radius is above 0).
void Draw_Bolt_Top(int x, int y, int r_hole, int r_head, int r_washer, int fill_color, int line_color);
void Draw_Bolt_Top_Outline(int x, int y, int r_hole, int r_head, int r_washer, int width, int line_color);

// ================================================================ screen pictures

// Caller-owned options of the screen picture of a profile (Reset_Profil_Screen_State).
struct PROFIL_SCREEN_STATE {
  int32_t x1, y1, x2, y2;  // picture rectangle, or with a scale: (x1, y1) the anchor
  double scale;            // pixels per mm; below 0.001 fitted into the rectangle
  int32_t fill_color;      // plate area (−1: none)
  int32_t line_width;      // below 3 thin, from 3 on a thick outline
  int32_t line_color;      // outline and weld-triangle edges (−1: none)
  int32_t hole_color;      // inner cell of box shapes (−1: host_color)
  int32_t mirror_z;        // shapes 3, 11, 15 upside down
  int32_t mirror_y;        // shape 3 mirrored left to right
  int32_t show_axes;       // axes y, z and the labels "S", "M"
  PROFIL *profil;          // its section values are computed before it is drawn
  int32_t web_plate_count;  // I shapes: 1 plate on the left web face, 2 on both
  const PLATE *web_plate;
  double web_plate_weld_size;  // mm
  int32_t stiffener_count;
  const PLATE *stiffener;
  double stiffener_snipe;      // mm; ±0.001: 1.5 × the fillet size; below −0.001: none
  int32_t stiffener_from_top;
  double angle;                // degrees, counter-clockwise on the screen
};
// fill −1, line −1, hole −1, every other field 0 or null.
void Reset_Profil_Screen_State(PROFIL_SCREEN_STATE *state);
// Flags of Draw_Profil_Querschnitt.
enum : int {
  SCREEN_FLAG_ANGLE_LEGS = 1,  // the legs of a parametric angle numbered "1" and "2"
  SCREEN_FLAG_OUTER_ONLY = 2,  // no inner outlines; a tube as a full disc
};
// Draws the profile (kinds 0 and 1) with the host's pixel primitives: the fitted
// background (fit mode), the filled outline, welds, stiffeners, web plates and, with
// show_axes, the axes and the labels "S" and "M". Computes the section values first and
// draws nothing when they fail, for a null profile, an unknown shape or an extent below
// 1 mm. Gives back the colour it found.
void Draw_Profil_Querschnitt(PROFIL_SCREEN_STATE *state, int flags);

// Draws a section of kind 2 into the rectangle (pixels) at the scale (pixels per mm, at
// most 0.001: fitted): the rectangle in host_color, then the line model's field plot
// (Draw_Querschnitt_Filled) or the polygons filled (lavender_light, holes in host_color,
// edges black) with the axes, "S" and "M". An unusable section leaves the rectangle.
void Draw_Polygon_Querschnitt(int x1, int y1, int x2, int y2, double scale, PROFIL *profil);
// The nodes of a polygon section as points x = −y, y = z (mm) with arcs expanded (the rule
// of Expand_Outline_Arcs); each output may be null and needs room for
// OUTLINE_MAX_POINTS. Returns the count, or OUTLINE_MAX_POINTS when they do not fit.
int Build_Polygon_Querschnitt_Points(const PROFIL *profil, double *x, double *y, int *id, int *number);
// The section-to-pixel transform of the line-model picture: px = X0 − R(y·s),
// py = R(z·s) + Y0 (section units, R = Round_Pixel); and its inverse, which leaves its
// outputs untouched while |s| ≤ 0.001.
void Querschnitt_to_Pixel(float y, float z, int32_t *px, int32_t *py);
void Pixel_to_Querschnitt(int32_t px, int32_t py, float *y, float *z);
// Sets the transform (pixels per section unit, origin pixel).
void Set_Querschnitt_Pixel_Transform(double s, int x0, int y0);
// The two transforms in the form the field plot takes them.
typedef void (*QS_TO_PIXEL_FN)(float y, float z, int32_t *px, int32_t *py);
typedef void (*QS_TO_SECTION_FN)(int32_t px, int32_t py, float *y, float *z);
// The coloured field plot of the record's thin-walled model (cm, built in the solver by
// Build_Profil_Thin_Walled_Model): each wall line's outline filled in lavender_light and
// edged black, then in green the principal axes at the centroid (arms of 0.3 × arm_cm,
// 0xC1 and 0xD3, or "y" and "z" for an angle below 0.001 rad), "S" and "M" with its dot.
// reserved is not read; to_section is kept for the caller and never called. Nothing for
// a null or unusable record or a model without lines.
struct QUERSCHNITT;
void Draw_Querschnitt_Filled(const QUERSCHNITT *record, double reserved, double arm_cm, QS_TO_PIXEL_FN to_pixel,
                             QS_TO_SECTION_FN to_section);

// Back to program start.
void Reset_Drawing_For_Tests();
