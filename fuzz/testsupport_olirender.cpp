// Fuzz target: the renderer must draw any parsed graphic block, however damaged, without
// touching memory outside its raster (a small bound keeps each run fast; clipping is the same
// at every bound).
#include <cstddef>
#include <cstdint>

#include "tests/testsupport/olireader.h"
#include "tests/testsupport/olirender.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  OLI_DOCUMENT doc;
  Read_Oli_Text(reinterpret_cast<const char *>(data), size, &doc);
  for (const OLI_RASTER &r : Render_Oli_Graphics(doc, 256)) {
    int col = 0, row = 0;
    if (Oli_Raster_Pixel_Of(r, 1.0, 1.0, &col, &row)) Oli_Raster_Color(r, col, row);
  }
  return 0;
}
