// oli2png FILE.OLI [outdir] — writes each graphic block of a print list as a PNG,
// <outdir>/<stem>_<n>.png with n from 1 (outdir: the current folder, made when missing), and
// prints the paths, one a line. Departures from the print-list format are reported on standard
// error and what was read is drawn all the same.
// Exit code: 0 done; 1 the file cannot be read or a picture not written; 2 wrong arguments.
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

#include "support/support.h"
#include "tests/testsupport/olireader.h"
#include "tests/testsupport/olirender.h"

int main(int argc, char **argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: oli2png FILE.OLI [outdir]\n");
    return 2;
  }
  // Only a regular file up to the input cap is read: a FIFO, a device or a folder is refused
  // at once, and so is any file that cannot be read to its end.
  std::string bytes;
  const int read = Read_Whole_File(argv[1], &bytes, 0);
  if (read != WHOLE_FILE_OK) {
    std::fprintf(stderr, "oli2png: cannot read %s: %s\n", argv[1], Input_File_Problem(read, 0, errno).c_str());
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
