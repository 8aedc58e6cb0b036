// Cross-section mask: the reinforced-concrete builder, the equilibrium shortcut and the
// evaluation interface, which for one current mask computes a plane, an equilibrium
// state, a limit state, a limit factor or the resultants in one of five modes and fills a
// result block with the plane, its zero line, strain extremes and the stress and strain
// at every evaluation point.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "analysis/masque_solve_internal.h"
#include "host/host.h"

// ======================================================================= builder

MASQUE *Build_Masque_Stahlbeton(int id, int n, const double *y, const double *z, int nb, const double *by,
                                const double *bz, const double *area, const SPANNUNGSDEHNUNGSLINIE *beton,
                                const SPANNUNGSDEHNUNGSLINIE *stahl) {
  if (n > 2 && (!y || !z)) return nullptr;
  if (nb > 0 && (!by || !bz || !area)) return nullptr;
  if (!beton) beton = Find_Builtin_Spannungsdehnungslinie("B25");
  if (!stahl) stahl = Find_Builtin_Spannungsdehnungslinie("BSt 500 SA");
  MASQUE *mask = Create_Masque_Querschnitt(id, 0);
  if (!mask) return nullptr;
  auto fail = [&]() -> MASQUE * {
    Destroy_Masque_Querschnitt(mask);
    return nullptr;
  };
  // Adds an object or destroys it; false on failure.
  auto add = [](auto *object, int (*adder)(MASQUE *, decltype(object)), MASQUE *m, void (*destroy)(decltype(object))) {
    if (!object) return false;
    if (adder(m, object)) return true;
    destroy(object);
    return false;
  };
  SPANNUNGSDEHNUNGSLINIE *lb = Clone_Masque_Spannungsdehnungslinie(beton);
  if (!add(lb, Add_Masque_Spannungsdehnungslinie, mask, Destroy_Masque_Spannungsdehnungslinie)) return fail();
  SPANNUNGSDEHNUNGSLINIE *ls = Clone_Masque_Spannungsdehnungslinie(stahl);
  if (!add(ls, Add_Masque_Spannungsdehnungslinie, mask, Destroy_Masque_Spannungsdehnungslinie)) return fail();
  if (n > 2) {
    MASQUE_GRUPPE *g = Create_Masque_Flaeche(1, lb);
    if (!add(g, Add_Masque_Gruppe, mask, Destroy_Masque_Gruppe)) return fail();
    MASQUE_KNOTEN *first = Create_Masque_Knoten(1, y[0], z[0]);
    if (!add(first, Add_Masque_Knoten, mask, Destroy_Masque_Knoten)) return fail();
    MASQUE_KNOTEN *prev = first;
    for (int i = 1; i <= n; ++i) {
      MASQUE_KNOTEN *next = first;
      if (i < n) {
        next = Create_Masque_Knoten(i + 1, y[i], z[i]);
        if (!add(next, Add_Masque_Knoten, mask, Destroy_Masque_Knoten)) return fail();
      }
      MASQUE_KANTE *e = Create_Masque_Kante(i, prev, next, 0.0);
      if (!add(e, Add_Masque_Kante, mask, Destroy_Masque_Kante) || !Add_Kante_to_Masque_Flaeche(g, e)) return fail();
      prev = next;
    }
  }
  for (int k = 1; k <= nb; ++k) {
    MASQUE_KNOTEN *node = Create_Masque_Knoten(k, by[k - 1], bz[k - 1]);
    if (!add(node, Add_Masque_Knoten, mask, Destroy_Masque_Knoten)) return fail();
    MASQUE_GRUPPE *g = Create_Masque_Punktgruppe(k + 1, ls);
    if (!add(g, Add_Masque_Gruppe, mask, Destroy_Masque_Gruppe) || !Add_Masque_Punkt(g, node, area[k - 1]))
      return fail();
  }
  return mask;
}
