// The fire load table of the member record: allocation and its block of the data file.
#include "stahl_ec3/stahl_ec3.h"

#include <cctype>
#include <cstddef>
#include <cmath>
#include <cstring>

#include "stahl_ec3/program_internal.h"
#include "support/shell.h"
#include "support/support.h"

namespace {

// Reads one row; false on a name over 40 bytes or a force that is missing or not finite.
bool _Read_Row(FILE *f, BRANDLAST *row) {
  char token[BRANDLAST_NAME_SIZE + 1];
  if (std::fscanf(f, "%41s", token) != 1) return false;
  if (std::strlen(token) > BRANDLAST_NAME_SIZE - 1) return false;
  if (std::strcmp(token, "~") == 0) token[0] = '\0';  // the empty name
  Tilde_to_Blank(token);
  std::memcpy(row->name, token, std::strlen(token) + 1);
  double *v = Brandlast_Forces(row);
  for (int k = 0; k < BRANDLAST_FORCES; ++k)
    if (std::fscanf(f, "%lf", &v[k]) != 1 || !std::isfinite(v[k])) return false;
  return true;
}

}  // namespace

int Alloc_Brandlasten(BAUTEIL *b, int count) {
  if (!b || count < 1 || count > BRANDLAST_MAX_ROWS) return 1;
  Tools_Free(&b->brandlasten);
  Tools_Free(&b->results);
  b->brandlasten = static_cast<BRANDLAST *>(Tools_Alloc(nullptr, sizeof(BRANDLAST) * count, 1));
  b->results = static_cast<BRANDLAST_RESULT *>(Tools_Alloc(nullptr, sizeof(BRANDLAST_RESULT) * count, 1));
  b->brandlast_count = count;
  return 0;
}

int Write_Brandlasten(FILE *f, const BAUTEIL *b) {
  if (!f || !b) return 1;
  const int count = b->brandlasten ? b->brandlast_count : 0;
  // What the reader refuses is not written: a count outside its range, a force that is
  // not finite.
  if (count > BRANDLAST_MAX_ROWS || count < 0) return 1;
  for (int i = 0; i < count; ++i)
    for (int k = 0; k < BRANDLAST_FORCES; ++k)
      if (!std::isfinite(Brandlast_Forces(&b->brandlasten[i])[k])) return 1;
  int bad = std::fprintf(f, " %d\n", count) < 0;
  for (int i = 0; i < count && !bad; ++i) {
    const BRANDLAST &row = b->brandlasten[i];
    // The name as one token: any white space as '~', the empty name as "~".
    char name[BRANDLAST_NAME_SIZE];
    std::memcpy(name, row.name, sizeof name);
    name[BRANDLAST_NAME_SIZE - 1] = '\0';
    for (char *p = name; *p; ++p)
      if (std::isspace(static_cast<unsigned char>(*p))) *p = ' ';
    Blank_to_Tilde(name);
    bad |= std::fprintf(f, " %s", name[0] ? name : "~") < 0;
    const double *v = Brandlast_Forces(&row);
    for (int k = 0; k < BRANDLAST_FORCES; ++k) bad |= std::fprintf(f, " %lf", v[k]) < 0;
    bad |= std::fprintf(f, "\n") < 0;
  }
  return (bad || std::ferror(f)) ? 1 : 0;
}

int Read_Brandlasten(FILE *f, BAUTEIL *b) {
  if (!f || !b) return 1;
  long count;
  if (std::fscanf(f, "%ld", &count) != 1 || count < 0 || count > BRANDLAST_MAX_ROWS) return 1;
  // Read into a new table first, so that a failed read leaves the old one.
  BAUTEIL fresh{};
  Alloc_Brandlasten(&fresh, count == 0 ? 1 : static_cast<int>(count));
  for (long i = 0; i < count; ++i) {
    if (!_Read_Row(f, &fresh.brandlasten[i])) {
      Tools_Free(&fresh.brandlasten);
      Tools_Free(&fresh.results);
      return 1;
    }
  }
  Tools_Free(&b->brandlasten);
  Tools_Free(&b->results);
  b->brandlasten = fresh.brandlasten;
  b->results = fresh.results;
  b->brandlast_count = fresh.brandlast_count;
  return 0;
}
