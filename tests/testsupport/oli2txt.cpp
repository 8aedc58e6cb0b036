// oli2txt FILE.OLI — writes a print list as plain UTF-8 text on standard output: the
// markup dropped, the print font's symbols as Greek letters, a graphic block as one line
// "[Grafik n]" (its picture: oli2png). The file is read under the rules of every reader of
// the program (support's Read_Whole_File, with its size cap).
// Exit code: 0 done; 1 the file cannot be read, is too big, is cut or is not a print list
// (a message on standard error, nothing on standard output); 2 wrong arguments.
#include <cstdio>
#include <string>

#include "support/support.h"
#include "tests/testsupport/olitext.h"

namespace {
constexpr std::size_t kMaxListBytes = 64u << 20;  // far above any list of one member
}

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: oli2txt FILE.OLI\n");
    return 2;
  }
  std::string bytes;
  const int read = Read_Whole_File(argv[1], &bytes, kMaxListBytes);
  if (read != WHOLE_FILE_OK) {
    std::fprintf(stderr, "oli2txt: cannot read %s%s\n", argv[1],
                 read == WHOLE_FILE_TOO_BIG ? " (larger than 64 MiB)" : "");
    return 1;
  }
  std::string text, why;
  if (Oli_List_Utf8(bytes, &text, &why) != OLI_TEXT_OK) {
    std::fprintf(stderr, "oli2txt: %s: %s\n", argv[1], why.c_str());
    return 1;
  }
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0 ? 0 : 1;
}
