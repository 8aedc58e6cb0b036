// Fuzz target of the record readers of plates (data file) and of concrete and
// reinforcing steel (value stream): any input either fails or gives a record that holds
// only finite values and a terminated name, and that can be written again.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "host/host.h"
#include "materials/materials.h"
#include "support/datastream.h"
#include "support/shell.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

bool Finite(std::initializer_list<double> values) {
  for (double v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static bool once = [] {
    Set_Refresh_Mode(1);  // no message boxes for newer blocks
    return true;
  }();
  (void)once;
  if (FILE *f = fmemopen(const_cast<uint8_t *>(data), size, "rb")) {
    PLATE p;
    Reset_Plate_Data(&p);
    if (Read_Plate_Data(f, &p) == 0) {
      Check(Finite({p.t, p.b, p.l, p.material.fy, p.material.fu, p.material.E, p.material.G}));
      Check(std::memchr(p.material.name, '\0', sizeof p.material.name) != nullptr);
      FILE *out = std::tmpfile();
      Check(out && Write_Plate_Data(out, &p) == 0);
      std::fclose(out);
    }
    std::fclose(f);
  }
  CONCRETE_GRADE c{};
  REBAR_GRADE r{};
  if (Open_Data_Reader_Memory(data, size) == 0) {
    if (Read_Concrete_Grade(&c) == 0) {
      Check(Finite({c.fck, c.alpha, c.eps_c2, c.eps_cu2, c.n, c.density, c.E_cm}));
      Check(std::memchr(c.name, '\0', sizeof c.name) != nullptr);
    }
    Seek_Data_Position(0);
    if (Read_Rebar_Grade(&r) == 0) Check(Finite({r.fyk, r.ftk, r.eps_uk, r.Es}));
    Close_Data_Reader();
  }
  Host_Clear_Messages();
  return 0;
}
