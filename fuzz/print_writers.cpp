// Fuzz target: any sequence of writer calls with any numbers and texts gives a print
// list and a plot file that read back without a fault, and the graphic save/restore
// directives stay balanced.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "print/print.h"

// The fuzz targets link only their own library; the reader is compiled in here.
#include "tests/testsupport/olireader.cpp"

namespace {

struct Input {
  const uint8_t *p;
  size_t n;
  uint8_t Byte() {
    if (n == 0) return 0;
    --n;
    return *p++;
  }
  double Number() {
    uint8_t k = Byte();
    if (k < 8) {  // raw bits: NaN, infinities, huge and tiny values
      double d = 0;
      uint8_t b[8];
      for (uint8_t &x : b) x = Byte();
      std::memcpy(&d, b, sizeof d);
      return d;
    }
    return (static_cast<int>(Byte()) - 128) * (k / 16.0);
  }
  // A text of any bytes except '#': a text line that begins with a directive word would
  // be read as that directive, which the format cannot tell apart.
  std::string Text() {
    size_t len = Byte() % 40;
    std::string s;
    for (size_t i = 0; i < len && n > 0; ++i) {
      char c = static_cast<char>(Byte());
      s.push_back(c == '#' ? '+' : c);
    }
    return s;
  }
};

std::string Read_All(const std::string &path) {
  std::string out;
  FILE *f = std::fopen(path.c_str(), "rb");
  if (!f) return out;
  char buf[4096];
  size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, got);
  std::fclose(f);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // Lists are synced when closed: a memory file system (when there is one) keeps that cheap.
  static const std::string dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  static const std::string list = dir + "/fuzz_print_" + std::to_string(getpid()) + ".oli";
  static const std::string plot = dir + "/fuzz_print_" + std::to_string(getpid()) + ".spf";
  Reset_Print_For_Tests();
  FILE *f = Open_Druckliste(list.c_str());
  if (!f) return 0;
  Oliplot_Open_Plot_File(plot.c_str());
  Input in{data, size};
  double xs[8], zs[8];
  for (int step = 0; step < 200 && in.n > 0; ++step) {
    switch (in.Byte() % 24) {
      case 0: Oli_Printf(f, "%s", in.Text().c_str()); break;
      case 1: Oli_Printf(f, "%s\n", in.Text().c_str()); break;
      case 2: Oli_End_Text(f); break;
      case 3: Oli_Para_Set_Kind(in.Byte() % 6); break;
      case 4: Oli_Para_Set_Spacing(in.Number()); break;
      case 5: {
        int n = in.Byte() % 9;
        for (int i = 0; i < n; ++i) xs[i] = in.Number();
        Oli_Para_Set_Tabs(in.Byte() % 4, nullptr, xs, n);
        break;
      }
      case 6: Oli_Para_Flush_Tabs(); break;
      case 7: Oli_Para_Add_Indent(in.Number()); break;
      case 8: Oli_Write_Separated_Item(f, in.Byte() % 10, in.Byte() % 4, in.Text().c_str()); break;
      case 9: Oli_Print_Fehler_Datencheck(f, in.Text().c_str()); break;
      case 10: Oli_Set_Colors(in.Byte() & 1); Oli_Set_Fills(in.Byte() & 1); break;
      case 11:
        Oliplot_Begin_Grafic(f, in.Number(), in.Number(), in.Number(), in.Number(), in.Number(), in.Number(),
                             in.Number(), in.Byte() & 1);
        Oliplot_Set_Extended_Mode(in.Byte() & 1);
        break;
      case 12: Oliplot_End_Grafic(f); break;
      case 13: Oliplot_Save_State(); break;
      case 14: Oliplot_Restore_State(); break;
      case 15: Oliplot_Set_Color(in.Byte()); Oliplot_Fill_Color(in.Byte(), in.Byte(), in.Byte()); break;
      case 16: Oliplot_Line(in.Number(), in.Number(), in.Number(), in.Number()); break;
      case 17: Oliplot_Arc(in.Number(), in.Number(), in.Number(), in.Number(), in.Number()); break;
      case 18:
        Oliplot_Filled_Circle(in.Number(), in.Number(), in.Number());
        Oliplot_Filled_Ring(in.Number(), in.Number(), in.Number(), in.Number());
        break;
      case 19: {
        int n = in.Byte() % 9;
        for (int i = 0; i < n; ++i) xs[i] = in.Number(), zs[i] = in.Number();
        Oliplot_Filled_Polygon(n, xs, zs);
        Oliplot_Polyline(in.Byte() & 1 ? n : -n, xs, zs);
        break;
      }
      case 20: Oliplot_Rectangle_Centered(in.Number(), in.Number(), in.Number(), in.Number()); break;
      case 21: {
        std::string t = in.Text();
        Oliplot_Text_Printf(in.Number(), in.Number(), in.Byte() % 5, in.Byte() % 4, "%s", t.c_str());
        Oliplot_Text_Rotated(in.Number(), in.Number(), t.c_str());
        Oliplot_Text_Box(in.Number(), in.Number(), t.c_str());
        break;
      }
      case 22:
        Oliplot_Set_Dimension_Style(in.Byte());
        Oliplot_Dimension_Line(in.Number(), in.Number(), in.Number(), in.Number(), in.Number(),
                               static_cast<int>(in.Byte() % 7) - 3);
        break;
      case 23: {
        std::string a = in.Text(), b = in.Text();
        Oliplot_Axis_Pair(in.Number(), in.Number(), a.c_str(), b.c_str(), in.Number(), in.Number());
        break;
      }
    }
  }
  Oliplot_Close_Plot_File();
  Close_Druckliste(f);

  std::string bytes = Read_All(list);
  OLI_DOCUMENT doc;
  if (Read_Oli_Text(bytes.data(), bytes.size(), &doc) != 0) std::abort();
  std::string plotbytes = Read_All(plot);
  PLOT_DOCUMENT pd;
  int plot_errors = Read_Plot_Text(plotbytes.data(), plotbytes.size(), &pd);
  if (plot_errors != 0) std::abort();
  for (const OLI_GRAPHIC &g : doc.graphics) {
    int depth = 0;
    for (const OLI_PRIMITIVE &p : g.items) {
      depth += p.code == 30 ? 1 : p.code == 31 ? -1 : 0;
      if (depth < 0) std::abort();
    }
  }
  return 0;
}
