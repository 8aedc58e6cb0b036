// oli2png FILE.OLI [outdir] — writes each graphic block of a print list as a PNG,
// <outdir>/<stem>_<n>.png with n from 1 (outdir: the current folder, made when missing), and
// prints the paths, one a line. Departures from the print-list format are reported on standard
// error and what was read is drawn all the same.
// Exit code: 0 done; 1 the file cannot be read or a picture not written; 2 wrong arguments.
#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/testsupport/olireader.h"
#include "tests/testsupport/olirender.h"

int main(int argc, char **argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: oli2png FILE.OLI [outdir]\n");
    return 2;
  }
  // Read with stdio: a folder opens but fails to read (a stream of the C++ library would
  // throw there), and so does any other file that cannot be read to its end.
  std::string bytes;
  FILE *in = std::fopen(argv[1], "rb");
  bool bad = !in;
  if (in) {
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, in)) > 0) bytes.append(buf, n);
    bad = std::ferror(in) != 0;
    std::fclose(in);
  }
  if (bad) {
    std::fprintf(stderr, "oli2png: cannot read %s\n", argv[1]);
    return 1;
  }
  OLI_DOCUMENT doc;
  int errors = Read_Oli_Text(bytes.data(), bytes.size(), &doc);
  for (int i = 0; i < errors && i < 10; ++i) std::fprintf(stderr, "%s: %s\n", argv[1], doc.errors[i].c_str());
  if (errors > 10) std::fprintf(stderr, "%s: %d more format errors\n", argv[1], errors - 10);

  std::filesystem::path dir = argc == 3 ? argv[2] : ".";
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  std::string stem = std::filesystem::path(argv[1]).stem().string();
  int status = 0;
  for (std::size_t n = 0; n < doc.graphics.size(); ++n) {
    OLI_RASTER raster = Render_Oli_Graphic(doc.graphics[n]);
    std::string path = (dir / (stem + "_" + std::to_string(n + 1) + ".png")).string();
    if (Write_Oli_Raster_Png(path.c_str(), raster) != 0) {
      std::fprintf(stderr, "oli2png: cannot write %s\n", path.c_str());
      status = 1;
      continue;
    }
    if (raster.clipped) std::fprintf(stderr, "%s: cut to %d x %d pixels\n", path.c_str(), raster.width, raster.height);
    std::printf("%s\n", path.c_str());
  }
  return status;
}
