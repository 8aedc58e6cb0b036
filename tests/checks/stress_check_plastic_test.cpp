// The plastic methods of the stress check of a member section (S235, γ_M 1.0, nachweis 1,
// compression negative, stresses in N/mm²): known utilisations of IPE 300 (EN 10365:
// W_pl,y 628.4 cm³), the print lists, one turn of an angle, the failure paths of the plastic
// methods inside the cross-section check, the preparation gates, the result files and a
// member of a DIN grade.
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "checks/checks.h"
#include "dwqb/dwqb.h"
#include "dwqb/dwqb_stress.h"
#include "querschnitt/querschnitt.h"
#include "sections/sections.h"
#include "stress/plo_internal.h"
#include "stress/stress_methods.h"
#include "support/shell.h"
#include "tests/checks/checks_fixture.h"
#include "tests/profil/profil_shapes.h"

namespace {
namespace fs = std::filesystem;

struct Slots {
  double U_max = -1, U_sigma = -1, U_ct = -1, s_max = -1, s_min = -1, tau = -1, s_v = -1, further = -1;
};

int Stress(PROFIL *p, int method, const double F[8], Slots *o, FILE *s, int level, int nachweis = 1) {
  return Print_Stress_Check(p, 1.0, 0, 0, nachweis, method, F[0], F[1], F[2], F[3], F[4], F[5], F[6], F[7], &o->U_max,
                            &o->U_sigma, &o->U_ct, &o->s_max, &o->s_min, &o->tau, &o->s_v, &o->further, s, level);
}

PLO_RESULT Last_Limit_State() {
  PLO_RESULT r;
  std::memcpy(&r, Get_Stress_Check_Result()->plastic, sizeof r);
  return r;
}

// The R7-PLAX channel of the take-over's sample file (h 210, b 100 mm), S235.
struct Channel {
  PROFIL p{};
  Channel() {
    const fs::path dir = fs::path(::testing::TempDir()) / ("pfstress_" + std::to_string(getpid()));
    fs::create_directories(dir);
    Set_Bauteil_Path((dir / "CH").c_str());
    Set_File_Number(1);
    fs::copy_file(fs::path(PF_SOURCE_DIR) / "tests/profil/golden/channel.XPR", dir / "CH_01.XPR",
                  fs::copy_options::overwrite_existing);
    Reset_Profil(&p);
    p.kind = PROFIL_KIND_QUER;
    Set_XPRT_Member_Filename();
    p.entry = New_QImport_Entry();
    Add_QImport_Reference(p.entry, +1);
    Read_XPRT_Result(p.entry);
    EXPECT_EQ(0, Set_Profil_from_QImport(&p, 0));
    Init_Material_Data(&p.grade);
    Check_Material_Strength(&p.grade, Get_Profil_Max_Thickness(&p), nullptr, 0, nullptr);
    fs::remove_all(dir);
  }
  ~Channel() { Reset_Profil(&p); }
};

class StressPlastic : public ChecksTest {
 protected:
  void TearDown() override {
    Set_Check_TSV_Calc_For_Tests(nullptr);
    Set_DWQB_Result_Hooks(nullptr);
    Set_PLO_Fail_Step_For_Tests(0);
    DWQB_Part_Mode_Switch = 1;
    Host_Reset();
  }
};

}  // namespace

// IPE 300 under M_y 100 kNm: the limit state reaches M_pl,y = f_y W_pl,y (U 0.677), the plated
// partial internal forces 10000/14402.78 kNcm on the plates of its plate model; M_z 20 kNm
// alone is scaled by 0.8 α_z (α_z = 2828.8/(23.5 · 80.50) = 1.4953). The check runs the method
// (flags 0x401000, 0x101000, never the elastic 0x1010) and the code says "plastic". The
// stress-strain constant is the limit strain of the law (2.5 ‰ leaves an elastic core in
// the web), the plastic flag switches warping off.
TEST_F(StressPlastic, KnownUtilisationsOfIpe300) {
  Library ipe("IPE300", 0);
  struct Case {
    int method;
    double M_y, M_z, lo, hi;
    uint32_t flags;
  } cases[] = {
      {2, 100, 0, 0.6772 * 0.99, 0.6772 * 1.01, 0x401000},
      {1, 100, 0, 0.694, 0.698, 0x101000},
      {1, 0, 20, 0.841, 0.850, 0x101000},
      {2, 0, -20, 0.6798 * 0.99, 0.6798 * 1.01, 0x401000},  // |M_z| / (f_y W_pl,z), W_pl,z 125.2 cm³
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "method " << c.method << " M_y " << c.M_y << " M_z " << c.M_z);
    Slots o;
    const double F[8] = {0, c.M_y, c.M_z};
    const int code = Stress(&ipe.p, c.method, F, &o, nullptr, 2);
    EXPECT_EQ(STRESS_DONE | STRESS_PLASTIC_ONLY, code & (STRESS_DONE | STRESS_PLASTIC_ONLY | STRESS_NOT_CHECKABLE));
    EXPECT_GE(o.U_sigma, c.lo);
    EXPECT_LE(o.U_sigma, c.hi);
    EXPECT_EQ(std::fmax(o.U_sigma, o.U_ct), o.U_max);
    EXPECT_EQ(c.flags, Get_Stress_Check_Result()->flags_first);
    EXPECT_EQ(c.flags, Get_Stress_Check_Result()->flags_end);
    EXPECT_NEAR(c.M_y != 0 ? 179.5 : 248.4, o.s_max, 0.006 * o.s_max);  // elastic M/W_el of the check
  }
  Slots plain, core;
  const double F[8] = {0, 100};
  Stress(&ipe.p, 2, F, &plain, nullptr, 2);
  EXPECT_EQ(0u, Last_Limit_State().flags & PLO_F_NO_WARPING);
  Set_Stress_Check_Constant(2.5);
  Stress(&ipe.p, 2, F, &core, nullptr, 2);
  // Strain ε_u at the flange edge z = 15 cm: the web stays elastic within z_e = 15 ε_y/ε_u and
  // loses t_w f_y z_e²/3 of M_pl (t_w 0.71 cm).
  const double z_e = 15 * (235.0 / 210000 * 1000) / 2.5;
  EXPECT_NEAR(10000 / (23.5 * 628.4 - 0.71 * 23.5 * z_e * z_e / 3), core.U_sigma, 0.002);
  Set_Stress_Check_Constant(150);
  Set_Stress_PLO_Flag(1);
  Stress(&ipe.p, 2, F, &core, nullptr, 2);
  EXPECT_EQ(PLO_F_NO_WARPING, Last_Limit_State().flags & PLO_F_NO_WARPING);
}

// The print lists of the three methods at level 2 (M_y and V_z; all eight forces in the head),
// of the plastic methods at levels 1 and 0, of an overloaded plated section, of the limit
// state without warping, with the line lists of application 180 and in stresses-only mode.
TEST_F(StressPlastic, PrintListsGolden) {
  Library ipe("IPE300", 0);
  PrintCapture cap;
  Oli_Set_Colors(1);
  Slots o;
  const double my[8] = {0, 100, 0, 0, 60}, all[8] = {-100, 50, 5, 10, 60, 1, 0.5, 0.2}, over[8] = {0, 400};
  for (int method : {0, 1, 2}) Stress(&ipe.p, method, my, &o, cap.stream(), 2);
  for (int method : {1, 2}) Stress(&ipe.p, method, all, &o, cap.stream(), 2);
  for (int level : {1, 0})
    for (int method : {1, 2}) Stress(&ipe.p, method, all, &o, cap.stream(), level);
  Stress(&ipe.p, 1, over, &o, cap.stream(), 2);
  EXPECT_GT(o.U_sigma, 2.7);
  Set_Stress_PLO_Flag(1);
  Stress(&ipe.p, 2, all, &o, cap.stream(), 2);
  Set_Stress_PLO_Flag(0);
  Host_Set_Application_Number(180);
  Stress(&ipe.p, 2, my, &o, cap.stream(), 2);
  Host_Set_Application_Number(0);
  Stress(&ipe.p, 2, my, &o, cap.stream(), 2, 0);
  EXPECT_EQ(0, o.U_max);
  Oli_End_Text(cap.stream());
  Expect_Golden("stress_plastic.oli", cap.Raw());
}

namespace {

// An equal angle L 100 × 10 as a line model (centre lines 9.5 cm, t 1 cm), the corner at the
// origin; the turned copy takes its nodes from the solver after Move_DWQB_Querschnitt.
XPRT_NODE g_nodes[3] = {{1, 0, 0}, {2, 9.5, 0}, {3, 0, 9.5}};
int Node(int i, XPRT_NODE *out) { return i < 3 ? (*out = g_nodes[i], 1) : 0; }
int Line(int i, XPRT_LINE *out) {
  if (i >= 2) return 0;
  *out = XPRT_LINE{i + 1, 1, i + 2, 0, 1.0, 1.0, 0, {0, 0}, 0, 0, 0, 0};
  return 1;
}

struct Imported {
  QUERSCHNITT q{};
  QS_CHECK_VIEW v{};
  Imported() {
    const XPRT_REQUEST request = {"L 100 x 10", 14, 3, 2, Node, Line, nullptr};
    QIMPORT_ENTRY *e = Write_XPRT_File(&request);
    EXPECT_NE(nullptr, e);
    Init_Querschnitt_Record(&q);
    EXPECT_EQ(1, Set_Querschnitt_Imported(&q, 0x10000, 0, e));
    EXPECT_EQ(1, Calc_Querschnitt_Values(&q, 0.5, 2));
  }
  // The limit state of the check (method 4, c/t, σ_v) under the forces N, V_1, V_2, T, M_1,
  // M_2, T_w, B with a shear iteration of tolerance 1e-6.
  double U(const double F[8]) {
    v = q.view;
    const int o[4] = {4, 1, 4, 0};
    for (int i = 0; i < 4; ++i) Encode_Check_Option_Word(o[i], &v.values.options[i]);
    const PLO_PREPARE_OPTIONS prepare{0, 1e-6, 150, 0.001, 1.0};
    EXPECT_EQ(4, Prepare_PLO_Result(&prepare, &v));
    const uint32_t kind[2] = {1, 0};
    CHECK_RESULT r{};
    Check_Querschnitt_Entry(kind, F[0], F[1], F[2], F[3], F[4], F[5], F[6], F[7], &v, 1.0, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 1, 0, 0, &r);
    EXPECT_EQ(0x401000u, r.flags_end);
    return r.U;
  }
  ~Imported() { Free_Querschnitt_Record(&q); }
};

}  // namespace

// One turn: the angle under M_y 5 kNm and V_z 20 kN, and the same angle turned by β = 0.4
// with V and M turned by β, reach their limit state at the same load (a double turn or none
// in the check or the method changes U).
TEST_F(StressPlastic, TurnedAngleThroughTheCheck) {
  const fs::path dir = fs::path(::testing::TempDir()) / ("pfturn_" + std::to_string(getpid()));
  fs::create_directories(dir);
  Set_Bauteil_Path((dir / "TURN").c_str());
  Set_File_Number(1);
  ASSERT_EQ(1, Set_XPRT_Member_Filename());
  Imported a;
  const double beta = 0.4, c = std::cos(beta), s = std::sin(beta), move[3] = {0, 0, beta};
  ASSERT_EQ(1, Move_DWQB_Querschnitt(move));
  ASSERT_EQ(0, Calc_DWQB_Querschnitt());
  for (DWQB_NODE *n = Get_DWQB_First_Node(); n; n = n->next) g_nodes[n->nr - 1] = {n->nr, n->y, n->z};
  EXPECT_NEAR(9.5 * s, g_nodes[1].z, 1e-9);  // turned towards +z
  Imported b;
  const double F[8] = {0, 0, 20, 0, 5, 0, 0, 0}, turned[8] = {0, -s * 20, c * 20, 0, c * 5, s * 5, 0, 0};
  const double U = a.U(F);
  EXPECT_GT(U, 0.3);
  EXPECT_NEAR(1.0, b.U(turned) / U, 1e-6);
  EXPECT_GT(std::fabs(b.U(F) / U - 1.0), 0.01);  // the forces unturned: another load
  g_nodes[1] = {2, 9.5, 0}, g_nodes[2] = {3, 0, 9.5};
  fs::remove_all(dir);
}

namespace {

// The plated method's answer in the check (test seam) and the line-section component (hook).
TSV_RESULT g_tsv{};
int g_tsv_rc = 1;
int Fake_Plated(const double *, const double *, const QS_CHECK_VIEW *, TSV_RESULT *r) { return (*r = g_tsv, g_tsv_rc); }
TSV_EX_RESULT g_line{};
void *Line_Create(const double *, void *) { return &g_line; }
int Line_Query(void *, void *, const double *, const double *, void *result, void **, const DWQB_RESULT_HOOKS *,
               void *) {
  *static_cast<TSV_EX_RESULT *>(result) = g_line;
  return 1;
}
void Line_Free(void *, void *) {}
const DWQB_RESULT_HOOKS kLineHooks{Line_Create, Line_Query, Line_Free, nullptr};

// A library section of the catalogue with its check data.
struct Section {
  QUERSCHNITT q{};
  QS_CHECK_VIEW v{};
  explicit Section(const char *name) {
    Init_Querschnitt_Record(&q);
    EXPECT_EQ(1, Set_Querschnitt_Profil(&q, 0x10000, 0, name));
    EXPECT_EQ(1, Calc_Querschnitt_Values(&q, 0.5, 2));
    v = q.view;
  }
  ~Section() { Free_Querschnitt_Record(&q); }
};

}  // namespace

// The plastic methods inside the cross-section check (IPE 300, kind 1, σ_v check, c/t): each
// way a method ends, with its lines byte for byte, the bits of the returned word, the flags,
// the level (class index 2 − level), U and the limit moment. A failed method, and one without
// a prepared result (bit 24), clears its flag, adds the elastic check 0x10 and leaves U to it.
TEST_F(StressPlastic, PlasticMethodsOfTheCheckEveryEnd) {
  const std::string elastic = "   ╬bDer Nachweis wird elastisch geführt !!!\n"_cp;
  struct Row {
    const char *name;
    int method;               // 3 plated (seam), 4 limit state (fail step), 5 line section (hook)
    uint32_t flags;           // plated: the result's state; line section: its flags
    double U;                 // the method's utilisation
    int mode;                 // plated: the plate model code of the slot (0: as prepared)
    double M_1;               // kNm
    std::string line, line2;  // expected lines of the check's stream
    uint32_t ret;             // bits 0x11008000, 0x4000, 0x800 of the returned word
    int class_index;          // −1: not compared
    double M_limit;           // kNm; −1: not compared
  } rows[] = {
      {"no partial forces", 3, 0x0, 0, 0, 100, "   ╬bDer Querschnitt kann nicht nachgewiesen werden !!!╬r\n"_cp,
       elastic, 0x11008800, -1, 0},
      {"shear", 3, 0x10, 2, 0, 100,
       "   ╬bDie Schubspannungen können vom Querschnitt nicht aufgenommen werden !!!╬r\n"_cp, elastic, 0x11008800, -1, 0},
      {"flange bending", 3, 0x11, 2, 0, 100,
       "   ╬bDie Gurtbiegemomente können vom Querschnitt (mit Schub) nicht aufgenommen werden !!!╬r\n"_cp, elastic,
       0x11008800, -1, 0},
      {"bending of a tube", 3, 0x11, 2, 1, 100,
       "   ╬bDie Biegemomente können vom Querschnitt (mit Schub) nicht aufgenommen werden !!!╬r\n"_cp, elastic,
       0x11008800, -1, 0},
      {"normal force", 3, 0x13, 2, 0, 100,
       "   ╬bDie Normalkraft kann vom Querschnitt (mit Schub und Gurtbiegung) nicht aufgenommen werden !!!╬r\n"_cp,
       elastic, 0x11008800, -1, 0},
      {"y moment", 3, 0x17, 2, 0, 100,
       "   ╬bDas y-Moment kann vom Querschnitt (mit Schub, Gurtbiegung und Normalkraft) nicht aufgenommen werden "
       "!!!╬r\n"_cp,
       elastic, 0x11008800, -1, 0},
      {"unknown", 3, 0x1F, 2, 0, 100, "   ╬bUnbekannter Fehler╬r in Teilschnittgrößenverfahren !!!\n"_cp, elastic,
       0x11008800, -1, 0},
      {"no result", 3, 0x0, -1, -1, 100, "   ╬bUnbekannter Fehler╬r in Teilschnittgrößenverfahren !!!\n"_cp, "",
       0x11008800, -1, 0},
      {"U 0.999, σ_v below f_y,d", 3, 0x100001F, 0.999, 0, 100, "", "", 0x4800, 2, 150},
      {"U 0.999, σ_v above 1.001 f_y,d", 3, 0x100001F, 0.999, 0, 140, "", "", 0x4800, 1, 150},
      {"U 0.9991", 3, 0x100001F, 0.9991, 0, 100, "", "", 0x4800, 1, 150},
      {"reached with a reason", 3, 0x1000011, 0.5, 0, 100,
       "   ╬bDie Gurtbiegemomente können vom Querschnitt (mit Schub) nicht aufgenommen werden !!!╬r\n"_cp, "", 0x4800,
       2, 150},
      {"negative moment", 3, 0x100001F, 0.5, 0, -100, "", "", 0x4800, 2, 120},
      {"limit state fails", 4, 0, 0, 0, 100, "   ╬bUnbekannter Fehler╬r im Verfahren der Dehnungsiteration !!!\n"_cp,
       "", 0x11008800, -1, 0},
      {"line section without bit 24", 5, TSV_EX_F_REACHED, 0.5, 0, 100, elastic, "", 0x11008800, -1, 0},
      {"line section reached", 5, TSV_EX_F_REACHED | TSV_EX_F_LIMIT, 0.5, 0, 100, "", "", 0x4800, 2, 12.34},
  };
  Set_Check_TSV_Calc_For_Tests(Fake_Plated);
  Set_DWQB_Result_Hooks(&kLineHooks);
  const double other_key = -1;  // the solver keeps a failed request per key (f_y): forget it
  Get_DWQB_Hook_Result(&other_key);
  for (const Row &row : rows) {
    SCOPED_TRACE(row.name);
    Section s("IPE300");
    const int o[4] = {row.method, 1, 4, 0};
    for (int i = 0; i < 4; ++i) Encode_Check_Option_Word(o[i], &s.v.values.options[i]);
    const uint32_t field = 0;
    ASSERT_EQ(row.method, row.method == 3   ? Run_TSV_Nachweis(1, &s.v, 0)
                          : row.method == 4 ? Prepare_PLO_Result(nullptr, &s.v)
                                            : Prepare_TSV_EX_Result(&field, &s.v));
    if (row.mode > 0) s.v.values.slot.state = (s.v.values.slot.state & ~0xFu) | uint32_t(row.mode);
    g_tsv = TSV_RESULT{}, g_tsv.flags = row.flags, g_tsv.U = row.U, g_tsv.M_lo = -12000, g_tsv.M_hi = 15000;
    g_tsv_rc = row.mode < 0 ? 0 : 1;
    g_line = TSV_EX_RESULT{}, g_line.flags = row.flags, g_line.U_pl = row.U, g_line.M_y = -1234;
    Set_PLO_Fail_Step_For_Tests(row.method == 4 ? 4 : 0);
    PrintCapture cap;
    Set_Check_Querschnitt_Stream(cap.stream());
    const uint32_t kind[2] = {1, 0};
    CHECK_RESULT r{};
    double M_limit = -1;
    const uint32_t ret = Check_Querschnitt_Entry(kind, 0, 0, 0, 0, row.M_1, 0, 0, 0, &s.v, 1.0, nullptr, nullptr,
                                                 nullptr, nullptr, nullptr, &M_limit, nullptr, nullptr, nullptr, 0, 1,
                                                 0, 0, &r);
    Set_Check_Querschnitt_Stream(nullptr);
    const std::string text = cap.Raw();
    for (const std::string &line : {row.line, row.line2})
      if (!line.empty()) {
        EXPECT_NE(std::string::npos, text.find("\n" + line)) << Cp850_To_Utf8(text);
      }
    EXPECT_EQ(row.line2.empty() && row.line != elastic, std::string::npos == text.find(elastic));
    EXPECT_EQ(row.ret, ret & (CQ_R_PLASTIC_FAILED | CQ_R_PLASTIC | CQ_R_U));
    const uint32_t bit = row.method == 3 ? CQ_F_TSV : row.method == 4 ? CQ_F_PLO : CQ_F_TSV_EX;
    const bool failed = row.ret & CQ_R_PLASTIC_FAILED;
    EXPECT_EQ(failed ? 0x1010u : bit | 0x1000u, r.flags_end);
    if (failed) {
      EXPECT_NEAR(10 * r.points[5].sigma_v / 235, r.U, 1e-9);  // the elastic σ_v check
      EXPECT_EQ(0.0, M_limit);
    } else {
      EXPECT_EQ(row.U, r.U);
      EXPECT_NEAR(row.M_limit, M_limit, 1e-9);
    }
    if (row.class_index >= 0) {
      EXPECT_EQ(row.class_index, r.class_index);
    }
  }
  // On an angle (principal axes at ±45°) a positive M_1 with a larger M_2 of the other sign
  // acts negative about the principal axis the method works in: the lower limit moment.
  {
    Section l("L100X10");
    const int o[4] = {3, 1, 4, 0};
    for (int i = 0; i < 4; ++i) Encode_Check_Option_Word(o[i], &l.v.values.options[i]);
    ASSERT_EQ(3, Run_TSV_Nachweis(1, &l.v, 0));
    const double alpha = l.q.values[DWQB_V_ALPHA], M_2 = std::sin(alpha) > 0 ? -3.0 : 3.0;
    ASSERT_LT(std::cos(alpha) + M_2 * std::sin(alpha), 0.0);
    g_tsv = TSV_RESULT{}, g_tsv.flags = 0x100001F, g_tsv.U = 0.5, g_tsv.M_lo = -12000, g_tsv.M_hi = 15000;
    g_tsv_rc = 1;
    const uint32_t kind[2] = {1, 0};
    double M_limit = -1;
    Check_Querschnitt_Entry(kind, 0, 0, 0, 0, 1, M_2, 0, 0, &l.v, 1.0, nullptr, nullptr, nullptr, nullptr, nullptr,
                            &M_limit, nullptr, nullptr, nullptr, 0, 1, 0, 0, nullptr);
    EXPECT_EQ(120.0, M_limit);
  }
  // The interaction of shape 1 (IPE 300: A, h_S, t_w, W_pl,y in m; f_d; W_el in cm³) in fire
  // reduces f_d by k_y,θ like every other path: k_y,θ 0.5 doubles U under a moment alone.
  {
    Section ipe("IPE300");
    const float p[6] = {53.81e-4f, 0.2893f, 0.0071f, 628.36e-6f, 235000, 557.1f};
    ipe.v.header.interaction = 1;
    std::copy(p, p + 6, ipe.v.values.interaction);
    ipe.v.values.k_fy = 0.5f;
    double U[2];
    for (int fire : {0, 1}) {
      const int o[4] = {1, 0, 0, fire ? 0x2000 : 0};
      for (int i = 0; i < 4; ++i) Encode_Check_Option_Word(o[i], &ipe.v.values.options[i]);
      const uint32_t kind[2] = {1, 0x10000};
      Check_Querschnitt_Entry(kind, 0, 0, 0, 0, 50, 0, 0, 0, &ipe.v, 1.0, nullptr, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr, &U[fire], 0, 0, 0, 0, nullptr);
    }
    EXPECT_NEAR(5000 / (23.5 * 628.36), U[0], 1e-4);
    EXPECT_NEAR(2.0, U[1] / U[0], 1e-9);
  }
  // A limit state far out of reach reports U on the console.
  Section s("IPE300");
  const int o[4] = {5, 1, 4, 0};
  for (int i = 0; i < 4; ++i) Encode_Check_Option_Word(o[i], &s.v.values.options[i]);
  const uint32_t field = 0, kind[2] = {1, 0};
  ASSERT_EQ(5, Prepare_TSV_EX_Result(&field, &s.v));
  g_line.flags = TSV_EX_F_LIMIT, g_line.U_pl = 2e6;
  ::testing::internal::CaptureStdout();
  Check_Querschnitt_Entry(kind, 0, 0, 0, 0, 100, 0, 0, 0, &s.v, 1.0, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr, nullptr, nullptr, 0, 1, 0, 0, nullptr);
  EXPECT_EQ("  pl: U > 0.99e6\n", ::testing::internal::GetCapturedStdout());
}

// The gates of the plastic methods: a preparation that fails gives the red method line and
// 0 with the slots untouched (a box girder has no plate model; without part mode there is no
// limit state); an R7-PLAX section is checked under method 2 (plastic limit values only) and
// refused under method 1. After every exit the keep switch is as before and the kept lists
// are given back through the free functions the driver registers (LeakSanitizer).
TEST_F(StressPlastic, PreparationGatesAndTheKeepSwitch) {
  Channel ch;
  const fs::path dir = fs::path(::testing::TempDir()) / ("pfgates_" + std::to_string(getpid()));
  fs::create_directories(dir);
  Set_Bauteil_Path((dir / "BOX").c_str());  // the box girder goes through the section export
  Library ipe("IPE300", 0);
  PROFIL box{};
  Reset_Profil(&box);
  Init_Material_Data(&box.grade);
  Set_Shape(&box, PROFIL_BOX, 400, 10, 200, 15, 200, 15, 0);
  ASSERT_EQ(0, Calc_Profil_Querschnittswerte(&box, nullptr, 0, ""));
  const std::string refused = "Der Querschnitt kann mit diesem Verfahren nicht nachgewiesen werden !!";
  struct Case {
    PROFIL *p;
    int method, part_mode, fail_step;
    int code;  // bits of STRESS_DONE | STRESS_PLASTIC_ONLY | STRESS_NOT_CHECKABLE, −1: 0 and the line alone
    std::string line;  // the last line
  } cases[] = {
      {&box, 1, 1, 0, -1, refused},
      {&ipe.p, 2, 0, 0, -1, refused},
      {&ch.p, 2, 1, 0, STRESS_DONE | STRESS_PLASTIC_ONLY, ""},
      {&ch.p, 1, 1, 0, -1, "R7-PLAX-Profil: Nachweis nicht möglich !!"_cp},
      {&ipe.p, 1, 1, 0, STRESS_DONE | STRESS_PLASTIC_ONLY, ""},
      {&ipe.p, 2, 1, 0, STRESS_DONE | STRESS_PLASTIC_ONLY, ""},
      // The limit state fails inside the check: the elastic checks stand in.
      {&ipe.p, 2, 1, 4, STRESS_DONE | STRESS_PLASTIC_ONLY | STRESS_NOT_CHECKABLE,
       "Der Querschnitt kann nicht nachgewiesen werden !!"},
  };
  Set_Check_Kept_Free(nullptr, nullptr);
  for (int keep : {0, 1})
    for (const Case &c : cases) {
      SCOPED_TRACE(::testing::Message() << "method " << c.method << " type " << c.p->type << " keep " << keep);
      Set_Check_Keep_Results(keep);
      DWQB_Part_Mode_Switch = c.part_mode;
      Set_PLO_Fail_Step_For_Tests(c.fail_step);
      PrintCapture cap;
      Slots o;
      const double F[8] = {-50, 20, 2, 0, 30};
      const int code = Stress(c.p, c.method, F, &o, cap.stream(), 2);
      DWQB_Part_Mode_Switch = 1;
      Set_PLO_Fail_Step_For_Tests(0);
      if (c.code < 0) {
        EXPECT_EQ(0, code);
        EXPECT_EQ(std::vector<std::string>{c.line}, cap.Lines());
        EXPECT_EQ(-1, o.U_max);
      } else {
        EXPECT_EQ(c.code, code & (STRESS_DONE | STRESS_PLASTIC_ONLY | STRESS_NOT_CHECKABLE));
        EXPECT_GT(o.U_sigma, 0.05);
        EXPECT_EQ(c.line.empty() ? "" : c.line, c.line.empty() ? "" : cap.Lines().back());
      }
      EXPECT_EQ(keep, Get_Check_Keep_Results());
      if (keep) {
        EXPECT_EQ(nullptr, Get_Check_Kept_Results()->limit_strain);
      }
    }
  Set_Check_Keep_Results(0);
  Reset_Profil(&box);
  fs::remove_all(dir);
}

namespace {

// Caps the size of files this process writes, with SIGXFSZ ignored so that a write fails.
struct FileSizeCap {
  rlimit old{};
  void (*old_handler)(int);
  explicit FileSizeCap(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old);
    old_handler = signal(SIGXFSZ, SIG_IGN);
    rlimit cap{bytes, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &cap);
  }
  ~FileSizeCap() {
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, old_handler);
  }
};

// A stress result file read back: its node rows (twelve fields each) and whether every
// element refers to nodes 1..NODES.
struct ResultFileRows {
  std::vector<std::vector<double>> nodes;
  int elements = 0;
  bool in_range = true;
};
ResultFileRows Read_Result_File(const std::string &name) {
  ResultFileRows r;
  std::ifstream in(name);
  std::string line, word;
  int n = 0;
  EXPECT_TRUE(std::getline(in, line) && line == "PARAMS 0" && std::getline(in, line) && in >> word >> n);
  EXPECT_EQ("NODES", word);
  std::getline(in, line);
  for (int i = 0; i < n && std::getline(in, line); ++i) {
    std::istringstream fields(line);
    r.nodes.emplace_back(std::istream_iterator<double>(fields), std::istream_iterator<double>());
  }
  EXPECT_TRUE(in >> word >> r.elements && word == "ELEMENTS");
  for (int i = 0; i < 3 * r.elements; ++i) {
    int k = 0;
    r.in_range = r.in_range && (in >> k) && k >= 1 && k <= n;
  }
  return r;
}

}  // namespace

// "p.res" of the limit state: the name behind the member file stem, a row of twelve fields per
// node numbered from 1 (σ_v reaches f_y = 235 N/mm² somewhere at the limit state, the load
// factor is the same in every row), elements within the nodes; switched off no file. A write
// that fails (a file-size cap) or a target that cannot be replaced (a folder of that name)
// leaves no file and nothing beside it, and the check's result is the one without files.
TEST_F(StressPlastic, ResultFilesAndFailedWrites) {
  Library ipe("IPE300", 0);
  const fs::path dir = fs::path(::testing::TempDir()) / ("pfres_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  Set_Bauteil_Path((dir / "stressM").c_str());
  Set_File_Number(7);
  Set_Stress_Result_Number(3);
  const std::string name = (dir / "stressM_07_3p.res").string();
  const double F[8] = {-100, 50, 0, 0, 60};
  Slots plain, o;
  const int code = Stress(&ipe.p, 2, F, &plain, nullptr, 2);
  EXPECT_TRUE(fs::is_empty(dir));
  Set_Stress_Result_Files(1);
  EXPECT_EQ(code, Stress(&ipe.p, 2, F, &o, nullptr, 2));
  const ResultFileRows rows = Read_Result_File(name);
  ASSERT_GT(rows.nodes.size(), 10u);
  double sv_max = 0;
  for (size_t i = 0; i < rows.nodes.size(); ++i) {
    const std::vector<double> &v = rows.nodes[i];
    ASSERT_EQ(12u, v.size()) << i;
    EXPECT_EQ(double(i + 1), v[0]);
    EXPECT_EQ(rows.nodes[0][4], v[4]);
    sv_max = std::fmax(sv_max, v[7]);
  }
  EXPECT_NEAR(235.0, sv_max, 0.01);
  EXPECT_NEAR(1.0 / plain.U_sigma, rows.nodes[0][4], 1e-5);
  EXPECT_TRUE(rows.elements > 10 && rows.in_range);
  fs::remove(name);

  for (int method : {0, 2})
    for (bool cap : {true, false}) {
      SCOPED_TRACE(::testing::Message() << "method " << method << (cap ? " size cap" : " folder"));
      const std::string target = (dir / (method ? "stressM_07_3p.res" : "stressM_07_3e.res")).string();
      Slots ref, got;
      Set_Stress_Result_Files(0);
      const int want = Stress(&ipe.p, method, F, &ref, nullptr, 2);
      Set_Stress_Result_Files(1);
      if (cap) {
        FileSizeCap limit(2048);
        EXPECT_EQ(want, Stress(&ipe.p, method, F, &got, nullptr, 2));
      } else {
        fs::create_directory(target);
        EXPECT_EQ(want, Stress(&ipe.p, method, F, &got, nullptr, 2));
        EXPECT_TRUE(fs::is_directory(target));
        fs::remove(target);
      }
      EXPECT_TRUE(fs::is_empty(dir)) << fs::directory_iterator(dir)->path();
      EXPECT_TRUE(ref.U_sigma == got.U_sigma && ref.s_max == got.s_max && ref.U_max == got.U_max);
    }
  fs::remove_all(dir);
}

// A member of a DIN grade (the first row: 240 N/mm² in its DIN half, 235 in its Eurocode half)
// is checked with 240 by every method: the grade test, the cross-section check and the plated
// method read the same half of the row.
TEST_F(StressPlastic, DinGradeIsCheckedWithItsOwnStrength) {
  PROFIL p{};
  Init_Material_Data(&p.grade);
  p.grade.family = MATERIAL_FAMILY_DIN_STEEL;
  p.grade.grade = 0;
  ASSERT_EQ(0, Set_Profil_by_Library_Name(&p, "IPE300"));
  Check_Material_Strength(&p.grade, p.t_fo, nullptr, 0, nullptr);
  ASSERT_EQ(240.0, p.grade.fy);
  struct Case {
    int method;
    double U, tol;
    std::string text;
  } cases[] = {
      {0, 179.5 / 240, 0.005, "╠╬\\v,Rd╬r = 240.0 N/mm²"_cp},
      {1, 0.696 * 235 / 240, 0.003, "╠╬\\x,Rd╬r = 240.0 N/mm²"_cp},
      {2, 10000 / (24.0 * 628.4), 0.01, "U╬\\pl╬r = 0.663"_cp},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.method);
    PrintCapture cap;
    Slots o;
    const double F[8] = {0, 100};
    EXPECT_EQ(STRESS_DONE, Stress(&p, c.method, F, &o, cap.stream(), 2) & (STRESS_DONE | STRESS_GRADE_MISMATCH));
    EXPECT_NEAR(c.U, o.U_sigma, c.tol * c.U);
    EXPECT_NE(std::string::npos, cap.Raw().find(c.text)) << Cp850_To_Utf8(cap.Raw());
  }
  Reset_Profil(&p);
}

namespace {
CHECK_TEXT_RECORD g_text{};
int Plate_Hook(void *object, void *out, void *, void *) {
  return object ? (*static_cast<CHECK_TEXT_RECORD *>(out) = g_text, 1) : 0;
}
}  // namespace

// The plated form of the material text: the plate model of the prepared slot, one line per
// plate relative to the web centre (print/FORMAT.md). IPE 300: flanges 150 × 10.7 mm at
// z = ∓(h − t_f)/2 = ∓144.65 mm, web 289.3 × 7.1 mm; a T 200 × 150 (t_w 10, t_f 15 mm): one
// flange 100 mm above the web centre; a tube's model is not plated.
TEST_F(StressPlastic, PlatedFormOfTheMaterialText) {
  Section ipe("IPE300");
  QUERSCHNITT t{};
  Init_Querschnitt_Record(&t);
  const double dims[10] = {20, 15, 1.0, 1.5};
  ASSERT_EQ(1, Set_Querschnitt_Parametric(&t, 0x10000, 0, QS_FAMILY_T, 0, dims, nullptr));
  ASSERT_EQ(1, Calc_Querschnitt_Values(&t, 0.5, 2));
  QS_CHECK_VIEW tee = t.view;
  ASSERT_EQ(3, Run_TSV_Nachweis(1, &ipe.v, 0));
  ASSERT_EQ(3, Run_TSV_Nachweis(1, &tee, 0));
  const std::string ipe_lines =
      "    3-Blech Querschnitt, Bezugspunkt ist Mittelpunkt Steg, Hauptachsendrehwinkel ║ = 0.00 °:\n"
      "      Gurt oben:  y = 0.00 cm,  z = -14.47 cm,  b = 15.00 cm,  t = 1.07 cm\n"
      "      Steg:  y = 0.00 cm,  z = 0.00 cm,  h = 28.93 cm,  t = 0.71 cm\n"
      "      Gurt unten:  y = 0.00 cm,  z = 14.47 cm,  b = 15.00 cm,  t = 1.07 cm\n"_cp;
  const std::string tee_lines =
      "    2-Blech Querschnitt, Bezugspunkt ist Mittelpunkt Steg, Hauptachsendrehwinkel ║ = -90.00 °:\n"
      "      Gurt oben:  y = 0.00 cm,  z = -10.00 cm,  b = 15.00 cm,  t = 1.50 cm\n"
      "      Steg:  y = 0.00 cm,  z = 0.00 cm,  h = 18.50 cm,  t = 1.00 cm\n"_cp;
  struct Case {
    const QS_CHECK_VIEW *v;
    uint32_t mode;  // 0: as prepared
    double angle;
    std::string lines;
  } cases[] = {{&ipe.v, 0, 0, ipe_lines}, {&tee, 0, -90, tee_lines}, {&ipe.v, TSV_MODE_TUBE, 0, ""}};
  Set_Check_Hook(Plate_Hook);
  int object = 0;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.lines);
    g_text = CHECK_TEXT_RECORD{};
    g_text.kind = 1, g_text.f_yk = 235, g_text.section_form = 5, g_text.plate_angle = c.angle;
    g_text.plate_state = c.mode ? (c.v->values.slot.state & ~0xFu) | c.mode : c.v->values.slot.state;
    std::copy(c.v->values.slot.data, c.v->values.slot.data + 16, g_text.plate_data);
    PrintCapture cap;
    Set_Check_Querschnitt_Stream(cap.stream());
    Print_Material_Kopf(&object);
    Set_Check_Querschnitt_Stream(nullptr);
    const std::string text = cap.Raw();
    const size_t head = text.find("f\xCE\\y,k\xCEr = 235 MN/m\xCE/2\xCEr\n");  // the material line before
    ASSERT_NE(std::string::npos, head);
    EXPECT_EQ(c.lines, text.substr(text.find('\n', head) + 1)) << Cp850_To_Utf8(text);
  }
  Set_Check_Hook(nullptr);
  Free_Querschnitt_Record(&t);
}
