// The plastic methods of the stress check of a member section (S235, γ_M 1.0, nachweis 1,
// compression negative, stresses in N/mm²; IPE 300 of EN 10365: W_el,y 557.1, W_pl,y 628.4,
// W_el,z 80.5, W_pl,z 125.2 cm³, t_w 7.1 mm).
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "checks/checks.h"
#include "querschnitt/querschnitt.h"
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
int Stress(PROFIL *p, int method, const double F[8], Slots *o, FILE *s, int level = 2, int nachweis = 1) {
  return Print_Stress_Check(p, 1.0, 0, 0, nachweis, method, F[0], F[1], F[2], F[3], F[4], F[5], F[6], F[7], &o->U_max,
                            &o->U_sigma, &o->U_ct, &o->s_max, &o->s_min, &o->tau, &o->s_v, &o->further, s, level);
}
const int kMask = STRESS_DONE | STRESS_PLASTIC_ONLY | STRESS_NOT_CHECKABLE;

// A section of the catalogue (library name, or an imported entry) with a copy of its check
// data whose option words ask for method a, the c/t classification and the σ_v check.
struct Section {
  QUERSCHNITT q{};
  QS_CHECK_VIEW v{};
  Section(const char *name, QIMPORT_ENTRY *e = nullptr) {
    Init_Querschnitt_Record(&q);
    EXPECT_EQ(1, e ? Set_Querschnitt_Imported(&q, 0x10000, 0, e) : Set_Querschnitt_Profil(&q, 0x10000, 0, name));
    EXPECT_EQ(1, Calc_Querschnitt_Values(&q, 0.5, 2));
  }
  QS_CHECK_VIEW *View(int a, int d = 0) {
    v = q.view;
    const int o[4] = {a, 1, 4, d};
    for (int i = 0; i < 4; ++i) Encode_Check_Option_Word(o[i], &v.values.options[i]);
    return &v;
  }
  ~Section() { Free_Querschnitt_Record(&q); }
};
CHECK_RESULT Check(const QS_CHECK_VIEW *v, const double F[8], double *M_limit = nullptr, uint32_t kind_2 = 0,
                   uint32_t spatial = 1) {
  const uint32_t kind[2] = {1, kind_2};
  CHECK_RESULT r{};
  Check_Querschnitt_Entry(kind, F[0], F[1], F[2], F[3], F[4], F[5], F[6], F[7], v, 1.0, nullptr, nullptr, nullptr,
                          nullptr, nullptr, M_limit, nullptr, nullptr, nullptr, 0, spatial, 0, 0, &r);
  return r;
}

class StressPlastic : public ChecksTest {
 protected:
  void TearDown() override {
    Set_Check_TSV_Calc_For_Tests(nullptr), Set_DWQB_Result_Hooks(nullptr), Set_Check_Hook(nullptr);
    Set_PLO_Fail_Step_For_Tests(0);
    Host_Reset();
  }
};

}  // namespace

// The limit state reaches M_pl = f_y W_pl; so does the plated method, whose flange plates
// take the root fillets (within the band of its load-increase search), with M_z scaled by
// 0.8 α_z = 0.8 · 1.4953; the check runs the method (never the elastic 0x1010). A DIN grade (first row: 240 N/mm² in the DIN half, 235 in the Eurocode half) is
// checked with 240 on every road. The stress-strain constant is the law's limit strain: at
// 2.5 ‰ the web keeps an elastic core z_e = 15 cm · ε_y/ε_u and loses t_w f_y z_e²/3.
TEST_F(StressPlastic, UtilisationsOfIpe300AndOfADinGrade) {
  Library ipe("IPE300", 0), din("IPE300", 0);
  din.p.grade.family = MATERIAL_FAMILY_DIN_STEEL;
  Check_Material_Strength(&din.p.grade, din.p.t_fo, nullptr, 0, nullptr);
  ASSERT_EQ(240.0, din.p.grade.fy);
  struct Case {
    PROFIL *p;
    int method;
    double M_y, M_z, U, tol;
    uint32_t flags;
  } cases[] = {
      {&ipe.p, 2, 100, 0, 10000 / (23.5 * 628.4), 0.01, 0x401000}, {&ipe.p, 2, 0, -20, 2000 / (23.5 * 125.2), 0.01, 0x401000},
      {&ipe.p, 1, 100, 0, 10000 / (23.5 * 628.4), 0.003, 0x101000},                  {&ipe.p, 1, 0, 20, 0.8455, 0.006, 0x101000},
      {&din.p, 0, 100, 0, 179.5 / 240, 0.005, 0x1010},              {&din.p, 1, 100, 0, 10000 / (24.0 * 628.4), 0.003, 0x101000},
      {&din.p, 2, 100, 0, 10000 / (24.0 * 628.4), 0.01, 0x401000},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.p->grade.fy << " method " << c.method << " M_y " << c.M_y << " M_z " << c.M_z);
    Slots o;
    const double F[8] = {0, c.M_y, c.M_z};
    EXPECT_EQ(c.method ? STRESS_DONE | STRESS_PLASTIC_ONLY : STRESS_DONE, Stress(c.p, c.method, F, &o, nullptr) & kMask);
    EXPECT_NEAR(c.U, o.U_sigma, c.tol * c.U);
    EXPECT_EQ(std::fmax(o.U_sigma, o.U_ct), o.U_max);
    EXPECT_EQ(c.flags, Get_Stress_Check_Result()->flags_first);
    EXPECT_EQ(c.flags, Get_Stress_Check_Result()->flags_end);
  }
  Slots o;
  const double F[8] = {0, 100};
  Set_Stress_Check_Constant(2.5);
  Set_Stress_PLO_Flag(1);
  Stress(&ipe.p, 2, F, &o, nullptr);
  const double z_e = 15 * (235.0 / 210000 * 1000) / 2.5;
  EXPECT_NEAR(10000 / (23.5 * 628.4 - 0.71 * 23.5 * z_e * z_e / 3), o.U_sigma, 0.002);
  PLO_RESULT r;
  std::memcpy(&r, Get_Stress_Check_Result()->plastic, sizeof r);
  EXPECT_EQ(PLO_F_NO_WARPING, r.flags & PLO_F_NO_WARPING);  // the plastic flag: warping off
}

// The print lists of the three methods at level 2 (M_y and V_z; all eight forces in the head),
// of the plastic methods at levels 1 and 0, of overloaded plated sections, of the limit
// state without warping, with the line lists of application 180 and in stresses-only mode.
TEST_F(StressPlastic, PrintListsGolden) {
  Library ipe("IPE300", 0);
  PrintCapture cap;
  Oli_Set_Colors(1);
  Slots o;
  const double my[8] = {0, 100, 0, 0, 60}, all[8] = {-100, 50, 5, 10, 60, 1, 0.5, 0.2}, over[8] = {0, 400};
  const double over_z[8] = {0, 0, 60}, over_y[8] = {0, 0, 0, 450};  // the flanges can take no more
  for (int method : {0, 1, 2}) Stress(&ipe.p, method, my, &o, cap.stream());
  for (int level : {2, 1, 0})
    for (int method : {1, 2}) Stress(&ipe.p, method, all, &o, cap.stream(), level);
  for (const double *F : {over, over_z, over_y}) Stress(&ipe.p, 1, F, &o, cap.stream());
  Set_Stress_PLO_Flag(1);
  Stress(&ipe.p, 2, all, &o, cap.stream());
  Set_Stress_PLO_Flag(0);
  Host_Set_Application_Number(180);
  Stress(&ipe.p, 2, my, &o, cap.stream());
  Host_Set_Application_Number(0);
  Stress(&ipe.p, 2, my, &o, cap.stream(), 2, 0);
  EXPECT_EQ(0, o.U_max);
  Oli_End_Text(cap.stream());
  Expect_Golden("stress_plastic.oli", cap.Raw());
}

namespace {
TSV_RESULT g_tsv{};
int g_tsv_rc = 1;
int Fake_Plated(const double *, const double *, const QS_CHECK_VIEW *, TSV_RESULT *r) { return (*r = g_tsv, g_tsv_rc); }
TSV_EX_RESULT g_line{};
const DWQB_RESULT_HOOKS kLineHooks{
    [](const double *, void *) -> void * { return &g_line; },
    [](void *, void *, const double *, const double *, void *r, void **, const DWQB_RESULT_HOOKS *, void *) {
      return (*static_cast<TSV_EX_RESULT *>(r) = g_line, 1);
    },
    [](void *, void *) {}, nullptr};
CHECK_TEXT_RECORD g_text{};
int Text_Hook(void *, void *out, void *, void *) { return (*static_cast<CHECK_TEXT_RECORD *>(out) = g_text, 1); }
}  // namespace

// Every way a plastic method of the cross-section check ends (IPE 300, kind 1; the lines of
// the check's stream golden): the plated method's reason lines for its state bits 4, 0, 1
// (plates and tube), 2, 3 and the unknown error, with and without its prepared bit 24, and
// its failure; the limit state's failure; the line section without bit 24 and reached, one
// out of reach ("  pl: U > 0.99e6" on the console). A failed method leaves E = 0x10 and U to
// the elastic σ_v check. The level: U 0.999 raises it only with σ_v above 1.001 f_y,d (M 140
// kNm), 0.9991 always. The limit moment follows the sign of the principal moment (on the
// angle a positive M_1 with a larger M_2 of the other sign takes M_lo). Then the interaction
// in fire (k_y,θ 0.5 doubles U) and the plated form of the material text of IPE 300, a T
// 200 × 150 × 10 × 15 mm and a tube (no plates).
TEST_F(StressPlastic, PlasticMethodsOfTheCheckEveryEnd) {
  const uint32_t FAIL = CQ_R_PLASTIC_FAILED | CQ_R_U, OK = CQ_R_PLASTIC | CQ_R_U;
  struct Row {
    const char *section;
    int method, mode;  // mode: plate model code, 0 as prepared, −1 the calculation fails
    uint32_t flags;
    double U, M_1;
    uint32_t ret;
    int cls;
    double M_limit;
  } rows[] = {
      {"IPE300", 3, 0, 0x0, 0, 100, FAIL, -1, 0},          {"IPE300", 3, 0, 0x10, 2, 100, FAIL, -1, 0},
      {"IPE300", 3, 0, 0x11, 2, 100, FAIL, -1, 0},         {"IPE300", 3, 1, 0x11, 2, 100, FAIL, -1, 0},
      {"IPE300", 3, 0, 0x13, 2, 100, FAIL, -1, 0},         {"IPE300", 3, 0, 0x17, 2, 100, FAIL, -1, 0},
      {"IPE300", 3, 0, 0x1F, 2, 100, FAIL, -1, 0},         {"IPE300", 3, -1, 0x0, 2, 100, FAIL, -1, 0},
      {"IPE300", 3, 0, 0x100001F, 0.999, 100, OK, 2, 150}, {"IPE300", 3, 0, 0x100001F, 0.999, 140, OK, 1, 150},
      {"IPE300", 3, 0, 0x100001F, 0.9991, 100, OK, 1, 150}, {"IPE300", 3, 0, 0x1000011, 0.5, 100, OK, 2, 150},
      {"IPE300", 3, 0, 0x100001F, 0.5, -100, OK, 2, 120},  {"L100X10", 3, 0, 0x100001F, 0.5, 1, OK, -1, 120},
      {"IPE300", 4, 0, 0, 0, 100, FAIL, -1, 0},            {"IPE300", 5, 0, TSV_EX_F_REACHED, 0.5, 100, FAIL, -1, 0},
      {"IPE300", 5, 0, TSV_EX_F_LIMIT, 0.5, 100, OK, 2, 12.34}, {"IPE300", 5, 0, TSV_EX_F_LIMIT, 2e6, 100, OK, 1, 12.34},
  };
  Set_Check_TSV_Calc_For_Tests(Fake_Plated);
  Set_DWQB_Result_Hooks(&kLineHooks);
  const double other_key = -1;  // the solver keeps a failed request per key (f_y): forget it
  Get_DWQB_Hook_Result(&other_key);
  PrintCapture cap;
  Set_Check_Querschnitt_Stream(cap.stream());
  ::testing::internal::CaptureStdout();
  for (const Row &row : rows) {
    SCOPED_TRACE(::testing::Message() << row.section << " method " << row.method << " flags " << row.flags);
    Section s(row.section);
    const uint32_t field = 0;
    QS_CHECK_VIEW *v = s.View(row.method);
    ASSERT_EQ(row.method, row.method == 3   ? Run_TSV_Nachweis(1, v, 0)
                          : row.method == 4 ? Prepare_PLO_Result(nullptr, v)
                                            : Prepare_TSV_EX_Result(&field, v));
    if (row.mode > 0) v->values.slot.state = (v->values.slot.state & ~0xFu) | uint32_t(row.mode);
    g_tsv = TSV_RESULT{}, g_tsv.flags = row.flags, g_tsv.U = row.U, g_tsv.M_lo = -12000, g_tsv.M_hi = 15000;
    g_tsv_rc = row.mode < 0 ? 0 : 1;
    g_line = TSV_EX_RESULT{}, g_line.flags = row.flags, g_line.U_pl = row.U, g_line.M_y = -1234;
    Set_PLO_Fail_Step_For_Tests(row.method == 4 ? 4 : 0);
    const double alpha = s.q.values[DWQB_V_ALPHA], M_2 = alpha == 0 ? 0 : std::sin(alpha) > 0 ? -3 : 3;
    const double F[8] = {0, 0, 0, 0, row.M_1, M_2};
    double M_limit = -1;
    const CHECK_RESULT r = Check(v, F, &M_limit);
    EXPECT_EQ(row.ret, r.returned & (CQ_R_PLASTIC_FAILED | CQ_R_PLASTIC | CQ_R_U));
    const bool failed = row.ret == FAIL;
    EXPECT_EQ(failed ? 0x1010u : r.flags_first, r.flags_end);
    EXPECT_EQ(failed ? 10 * r.points[5].sigma_v / 235 : row.U, r.U);  // failed: the elastic σ_v check
    EXPECT_NEAR(row.M_limit, M_limit, 1e-9);
    EXPECT_TRUE(row.cls < 0 || row.cls == r.class_index) << "level: class index " << r.class_index;
  }
  EXPECT_EQ("  pl: U > 0.99e6\n", ::testing::internal::GetCapturedStdout());
  Section ipe("IPE300");
  const float p[6] = {53.81e-4f, 0.2893f, 0.0071f, 628.36e-6f, 235000, 557.1f};  // A, h_S, t_w, W_pl (m); f_d; W_el
  double U[2];
  for (int fire : {0, 1}) {
    QS_CHECK_VIEW *v = ipe.View(1, fire ? 0x2000 : 0);
    v->header.interaction = 1, v->values.k_fy = 0.5f;
    std::copy(p, p + 6, v->values.interaction);
    const double F[8] = {0, 0, 0, 0, 50};
    U[fire] = Check(v, F, nullptr, 0x10000, 0).U;
  }
  EXPECT_NEAR(5000 / (23.5 * 628.36), U[0], 1e-4);
  EXPECT_NEAR(2.0, U[1] / U[0], 1e-9);
  QUERSCHNITT tee{};
  Init_Querschnitt_Record(&tee);
  const double dims[10] = {20, 15, 1.0, 1.5};
  ASSERT_EQ(1, Set_Querschnitt_Parametric(&tee, 0x10000, 0, QS_FAMILY_T, 0, dims, nullptr));
  ASSERT_EQ(1, Calc_Querschnitt_Values(&tee, 0.5, 2));
  QS_CHECK_VIEW t = tee.view;
  ASSERT_EQ(3, Run_TSV_Nachweis(1, &t, 0));
  ASSERT_EQ(3, Run_TSV_Nachweis(1, ipe.View(3), 0));
  Set_Check_Hook(Text_Hook);
  const QS_CHECK_VIEW *views[3] = {&ipe.v, &t, &ipe.v};
  for (int i = 0; i < 3; ++i) {
    g_text = CHECK_TEXT_RECORD{};
    g_text.kind = 1, g_text.f_yk = 235, g_text.section_form = 5, g_text.plate_angle = i == 1 ? -90 : 0;
    g_text.plate_state = i == 2 ? uint32_t(TSV_MODE_TUBE) : views[i]->values.slot.state;
    std::copy_n(views[i]->values.slot.data, 16, g_text.plate_data);
    Print_Material_Kopf(&g_text);
  }
  Set_Check_Querschnitt_Stream(nullptr);
  Free_Querschnitt_Record(&tee);
  Oli_End_Text(cap.stream());
  Expect_Golden("check_plastic_ends.oli", cap.Raw());
}

// Gates of the plastic methods: a failed preparation gives the red method line and 0, slots
// untouched (a box girder has no plate model; without part mode no limit state); an R7-PLAX
// section is checked under method 2, refused under method 1; a limit state that fails inside
// the check leaves the elastic checks (0x8000, its line) with 0x4000 added. After every exit
// the keep switch is as before and the kept lists are given back through the free functions
// the driver registers (LeakSanitizer).
TEST_F(StressPlastic, PreparationGatesAndTheKeepSwitch) {
  const fs::path dir = fs::path(::testing::TempDir()) / ("pfgates_" + std::to_string(getpid()));
  fs::create_directories(dir);
  Set_Bauteil_Path((dir / "CH").c_str());
  Set_File_Number(1);
  fs::copy_file(fs::path(PF_SOURCE_DIR) / "tests/profil/golden/channel.XPR", dir / "CH_01.XPR");
  Set_XPRT_Member_Filename();
  PROFIL ch{}, box{};
  Reset_Profil(&ch), Reset_Profil(&box);
  ch.kind = PROFIL_KIND_QUER, ch.entry = New_QImport_Entry();
  Add_QImport_Reference(ch.entry, +1);
  Read_XPRT_Result(ch.entry);
  ASSERT_EQ(0, Set_Profil_from_QImport(&ch, 0));
  Set_Shape(&box, PROFIL_BOX, 400, 10, 200, 15, 200, 15, 0);
  ASSERT_EQ(0, Calc_Profil_Querschnittswerte(&box, nullptr, 0, ""));
  for (PROFIL *p : {&ch, &box}) Init_Material_Data(&p->grade);
  Library ipe("IPE300", 0);
  const std::string refused = "Der Querschnitt kann mit diesem Verfahren nicht nachgewiesen werden !!";
  struct Case {
    PROFIL *p;
    int method, part_mode, fail_step, code;  // code −1: 0 and the line alone
    std::string line;                         // the last line
  } cases[] = {
      {&box, 1, 1, 0, -1, refused},
      {&ipe.p, 2, 0, 0, -1, refused},
      {&ch, 1, 1, 0, -1, "R7-PLAX-Profil: Nachweis nicht möglich !!"_cp},
      {&ch, 2, 1, 0, STRESS_DONE | STRESS_PLASTIC_ONLY, ""},
      {&ipe.p, 1, 1, 0, STRESS_DONE | STRESS_PLASTIC_ONLY, ""},
      {&ipe.p, 2, 1, 0, STRESS_DONE | STRESS_PLASTIC_ONLY, ""},
      {&ipe.p, 2, 1, 4, kMask, "Der Querschnitt kann nicht nachgewiesen werden !!"},
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
      const int code = Stress(c.p, c.method, F, &o, cap.stream());
      DWQB_Part_Mode_Switch = 1;
      EXPECT_EQ(std::max(c.code, 0), code & kMask);
      EXPECT_EQ(c.code < 0, o.U_max == -1);  // slots untouched
      EXPECT_TRUE(c.code >= 0 || cap.Lines().size() == 1);
      EXPECT_EQ(c.line, c.line.empty() ? "" : cap.Lines().back());
      EXPECT_EQ(keep, Get_Check_Keep_Results());
      EXPECT_TRUE(!keep || !Get_Check_Kept_Results()->limit_strain);
    }
  Reset_Profil(&ch), Reset_Profil(&box);
  fs::remove_all(dir);
}

namespace {
// Caps the size of files this process writes, with SIGXFSZ ignored so that a write fails.
struct FileSizeCap {
  rlimit old{};
  void (*handler)(int) = signal(SIGXFSZ, SIG_IGN);
  explicit FileSizeCap(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit cap{bytes, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &cap);
  }
  ~FileSizeCap() { setrlimit(RLIMIT_FSIZE, &old), signal(SIGXFSZ, handler); }
};
}  // namespace

// "p.res": behind the member file stem, NODES rows of twelve fields numbered from 1 (σ_v
// reaches f_y = 235 N/mm² at the limit state; the load factor 1/U in every row), elements
// within the nodes; switched off no file. A write that fails (file-size cap) or a target
// that cannot be replaced (a folder of that name) leaves no file and nothing beside it, and
// the check's result is the one without files, for "e.res" and "p.res".
TEST_F(StressPlastic, ResultFilesAndFailedWrites) {
  Library ipe("IPE300", 0);
  const fs::path dir = fs::path(::testing::TempDir()) / ("pfres_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  Set_Bauteil_Path((dir / "M").c_str());
  Set_File_Number(7);
  Set_Stress_Result_Number(3);
  const double F[8] = {-100, 50, 0, 0, 60};
  Slots ref[3], o;
  for (int method : {0, 2}) Stress(&ipe.p, method, F, &ref[method], nullptr);
  EXPECT_TRUE(fs::is_empty(dir));
  Set_Stress_Result_Files(1);
  Stress(&ipe.p, 2, F, &o, nullptr);
  std::ifstream in(dir / "M_07_3p.res");
  std::string line, word;
  int nodes = 0, elements = 0, k = 0;
  ASSERT_TRUE(std::getline(in, line) && line == "PARAMS 0" && std::getline(in, line) && in >> word >> nodes);
  ASSERT_TRUE(word == "NODES" && nodes > 10 && std::getline(in, line));
  double sv_max = 0, eps_max = 0;
  for (int i = 0; i < nodes && std::getline(in, line); ++i) {
    std::istringstream fields(line);
    std::vector<double> v{std::istream_iterator<double>(fields), {}};
    ASSERT_EQ(12u, v.size()) << line;
    EXPECT_TRUE(v[0] == i + 1 && std::fabs(v[4] * ref[2].U_sigma - 1) < 1e-5) << line;
    sv_max = std::fmax(sv_max, v[7]), eps_max = std::fmax(eps_max, std::fabs(v[3]));
  }
  EXPECT_NEAR(235.0, sv_max, 0.01);
  EXPECT_NEAR(100 * 150.0, eps_max, 1);  // the limit strain 150 ‰, times 100
  ASSERT_TRUE(in >> word >> elements && word == "ELEMENTS" && elements > 10);
  for (int i = 0; i < 3 * elements; ++i) EXPECT_TRUE(in >> k && k >= 1 && k <= nodes) << k;
  fs::remove(dir / "M_07_3p.res");
  for (int method : {0, 2})
    for (bool cap : {true, false}) {
      SCOPED_TRACE(::testing::Message() << "method " << method << (cap ? " size cap" : " folder"));
      const fs::path target = dir / (method ? "M_07_3p.res" : "M_07_3e.res");
      if (!cap) fs::create_directory(target);
      {
        FileSizeCap limit(cap ? 2048 : RLIM_INFINITY);
        EXPECT_EQ(Stress(&ipe.p, method, F, &ref[1], nullptr), Stress(&ipe.p, method, F, &o, nullptr));
      }
      EXPECT_TRUE(ref[method].U_sigma == o.U_sigma && ref[method].s_max == o.s_max);
      EXPECT_TRUE(cap ? fs::is_empty(dir) : fs::is_directory(target) && fs::remove(target) && fs::is_empty(dir));
    }
  fs::remove_all(dir);
}

namespace {
// An equal angle L 100 × 10 as a line model (centre lines 9.5 cm, t 1 cm, corner at the origin).
XPRT_NODE g_nodes[3] = {{1, 0, 0}, {2, 9.5, 0}, {3, 0, 9.5}};
int Node(int i, XPRT_NODE *out) { return i < 3 ? (*out = g_nodes[i], 1) : 0; }
int Line(int i, XPRT_LINE *out) { return i < 2 ? (*out = XPRT_LINE{i + 1, 1, i + 2, 0, 1, 1, 0, {}, 0, 0, 0, 0}, 1) : 0; }
const XPRT_REQUEST kAngle = {"L 100 x 10", 14, 3, 2, Node, Line, nullptr};
}  // namespace

// One turn: the angle under M_y 5 kNm and V_z 20 kN and the same angle turned by β = 0.4
// (its nodes from the solver after Move_DWQB_Querschnitt) under the forces turned by β reach
// their limit state through the check at the same load; the unturned forces do not.
TEST_F(StressPlastic, TurnedAngleThroughTheCheck) {
  const fs::path dir = fs::path(::testing::TempDir()) / ("pfturn_" + std::to_string(getpid()));
  fs::create_directories(dir);
  Set_Bauteil_Path((dir / "TURN").c_str());
  ASSERT_EQ(1, Set_XPRT_Member_Filename());
  Section a("", Write_XPRT_File(&kAngle));
  const double beta = 0.4, c = std::cos(beta), s = std::sin(beta), move[3] = {0, 0, beta};
  ASSERT_EQ(1, Move_DWQB_Querschnitt(move));
  ASSERT_EQ(0, Calc_DWQB_Querschnitt());
  for (DWQB_NODE *n = Get_DWQB_First_Node(); n; n = n->next) g_nodes[n->nr - 1] = {n->nr, n->y, n->z};
  EXPECT_NEAR(9.5 * s, g_nodes[1].z, 1e-9);
  Section b("", Write_XPRT_File(&kAngle));
  g_nodes[1] = {2, 9.5, 0}, g_nodes[2] = {3, 0, 9.5};
  const PLO_PREPARE_OPTIONS tight{0, 1e-6, 150, 0.001, 1.0};  // shear iteration to 1e-6
  auto U = [&](Section &x, const double F[8]) {
    EXPECT_EQ(4, Prepare_PLO_Result(&tight, x.View(4)));
    const CHECK_RESULT r = Check(&x.v, F);
    EXPECT_EQ(0x401000u, r.flags_end);
    return r.U;
  };
  const double F[8] = {0, 0, 20, 0, 5}, turned[8] = {0, -s * 20, c * 20, 0, c * 5, s * 5};
  const double U_a = U(a, F);
  EXPECT_GT(U_a, 0.3);
  EXPECT_NEAR(1.0, U(b, turned) / U_a, 1e-6);
  EXPECT_GT(std::fabs(U(b, F) / U_a - 1.0), 0.01);
  fs::remove_all(dir);
}

// Under N alone the limit state strains the whole section one way: no zero line crosses it,
// and the list says so instead of giving the far-out point of the limit plane. Under N with
// M_y the zero line lies in the section and keeps its coordinates.
TEST_F(StressPlastic, ZeroLineOfPureCompressionOrTensionIsNamedNotPlaced) {
  Library ipe("IPE300", 0);
  struct Case {
    double N, M_y;
    const char *words;  // nullptr: coordinates
  } cases[] = {{-500, 0, "gedrückt"_cp}, {500, 0, "gezogen"}, {-100, 50, nullptr}};
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "N " << c.N << " M_y " << c.M_y);
    PrintCapture cap;
    Slots o;
    const double F[8] = {c.N, c.M_y};
    Stress(&ipe.p, 2, F, &o, cap.stream());
    Oli_End_Text(cap.stream());
    const std::string text = cap.Raw();
    const std::size_t at = text.find("Nulllinie der Grenzdehnungen (plast.):  ");
    ASSERT_NE(at, std::string::npos) << text;
    const std::string line = text.substr(at, text.find('\n', at) - at);
    if (c.words) {
      EXPECT_EQ(std::string("Nulllinie der Grenzdehnungen (plast.):  keine (Querschnitt vollständig "_cp) + c.words + ")",
                line);
    } else {
      EXPECT_EQ(0u, line.find("Nulllinie der Grenzdehnungen (plast.):  y╬\\0╬r = 0.00 cm,  z╬\\0╬r = "_cp)) << line;
    }
  }
  // The rule itself at the edges: a strain of zero at one fibre is no crossing.
  EXPECT_STREQ("keine (Querschnitt vollständig gedrückt)"_cp, PLO_Zero_Line_Outside_Text(-3.5, 0.0));
  EXPECT_STREQ("keine (Querschnitt vollständig gezogen)"_cp, PLO_Zero_Line_Outside_Text(0.0, 2.0));
  EXPECT_EQ(nullptr, PLO_Zero_Line_Outside_Text(-1e-6, 1e-6));
}
