// A turned angle end to end: its line model written to the exchange file, read through the
// section catalogue, its limit state prepared and checked with the plastic method.
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "checks/checks.h"
#include "dwqb/dwqb.h"
#include "dwqb/dwqb_stress.h"
#include "querschnitt/querschnitt.h"
#include "sections/sections.h"
#include "stress/plo_internal.h"
#include "stress/stress_methods.h"
#include "support/shell.h"
#include "tests/checks/checks_fixture.h"

namespace {
namespace fs = std::filesystem;

// An imported section with a copy of its check data whose option words ask for method a,
// the c/t classification and the σ_v check.
struct Imported {
  QUERSCHNITT q{};
  QS_CHECK_VIEW v{};
  explicit Imported(QIMPORT_ENTRY *e) {
    Init_Querschnitt_Record(&q);
    EXPECT_EQ(1, e ? Set_Querschnitt_Imported(&q, 0x10000, 0, e) : 0);
    EXPECT_EQ(1, Calc_Querschnitt_Values(&q, 0.5, 2));
  }
  QS_CHECK_VIEW *View(int a) {
    v = q.view;
    const int o[4] = {a, 1, 4, 0};
    for (int i = 0; i < 4; ++i) Encode_Check_Option_Word(o[i], &v.values.options[i]);
    return &v;
  }
  ~Imported() { Free_Querschnitt_Record(&q); }
};

CHECK_RESULT Check(const QS_CHECK_VIEW *v, const double F[8]) {
  const uint32_t kind[2] = {1, 0};
  CHECK_RESULT r{};
  Check_Querschnitt_Entry(kind, F[0], F[1], F[2], F[3], F[4], F[5], F[6], F[7], v, 1.0, nullptr, nullptr, nullptr,
                          nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 1, 0, 0, &r);
  return r;
}

// An equal angle L 100 × 10 as a line model (centre lines 9.5 cm, t 1 cm, corner at the origin).
XPRT_NODE g_nodes[3] = {{1, 0, 0}, {2, 9.5, 0}, {3, 0, 9.5}};
int Node(int i, XPRT_NODE *out) { return i < 3 ? (*out = g_nodes[i], 1) : 0; }
int Line(int i, XPRT_LINE *out) { return i < 2 ? (*out = XPRT_LINE{i + 1, 1, i + 2, 0, 1, 1, 0, {}, 0, 0, 0, 0}, 1) : 0; }
const XPRT_REQUEST kAngle = {"L 100 x 10", 14, 3, 2, Node, Line, nullptr};

class TurnedAngle : public ChecksTest {
 protected:
  void TearDown() override {
    Set_Check_TSV_Calc_For_Tests(nullptr), Set_DWQB_Result_Hooks(nullptr), Set_Check_Hook(nullptr);
    Set_PLO_Fail_Step_For_Tests(0);
    g_nodes[1] = {2, 9.5, 0}, g_nodes[2] = {3, 0, 9.5};
    Host_Reset();
  }
};

}  // namespace

// One turn: the angle under M_y 5 kNm and V_z 20 kN and the same angle turned by β = 0.4
// (its nodes from the solver after Move_DWQB_Querschnitt) under the forces turned by β,
// (V_y, V_z) = (−sin β, cos β) 20 kN and (M_y, M_z) = (cos β, sin β) 5 kNm, reach their
// limit state through the check at the same load; the unturned forces do not.
TEST_F(TurnedAngle, ThroughTheCheck) {
  const fs::path dir = fs::path(::testing::TempDir()) / ("pfturn_" + std::to_string(getpid()));
  fs::create_directories(dir);
  Set_Bauteil_Path((dir / "TURN").c_str());
  ASSERT_EQ(1, Set_XPRT_Member_Filename());
  Imported a(Write_XPRT_File(&kAngle));
  const double beta = 0.4, c = std::cos(beta), s = std::sin(beta), move[3] = {0, 0, beta};
  ASSERT_EQ(1, Move_DWQB_Querschnitt(move));
  ASSERT_EQ(0, Calc_DWQB_Querschnitt());
  for (DWQB_NODE *n = Get_DWQB_First_Node(); n; n = n->next) g_nodes[n->nr - 1] = {n->nr, n->y, n->z};
  EXPECT_NEAR(9.5 * s, g_nodes[1].z, 1e-9);  // the leg along y turned by β
  EXPECT_NEAR(9.5 * c, g_nodes[1].y, 1e-9);
  Imported b(Write_XPRT_File(&kAngle));
  const PLO_PREPARE_OPTIONS tight{0, 1e-6, 150, 0.001, 1.0};  // shear iteration to 1e-6
  auto U = [&](Imported &x, const double F[8]) {
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
