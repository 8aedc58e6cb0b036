// Fuzz target: the print-list and plot-file reader must take any bytes without reading
// outside them, and the markup reader any line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/testsupport/olireader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const char *bytes = reinterpret_cast<const char *>(data);
  OLI_DOCUMENT doc;
  Read_Oli_Text(bytes, size, &doc);
  for (const std::string &line : Oli_All_Text_Lines(doc)) {
    std::string plain;
    std::vector<OLI_MARKUP_CODE> codes;
    Oli_Markup_Plain(line, &plain, &codes);
  }
  PLOT_DOCUMENT plot;
  Read_Plot_Text(bytes, size, &plot);
  std::string plain;
  Oli_Markup_Plain(std::string(bytes, size), &plain, nullptr);
  return 0;
}
