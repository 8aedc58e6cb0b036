// The member record: reset, defaults, the ".INP" data file and the checks before computing.
#include "stahl_ec3/stahl_ec3.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/host.h"
#include "nad/nad.h"
#include "support/cp850.h"
#include "support/shell.h"
#include "support/support.h"

namespace {

constexpr const char *kNadKey = "ACTIV_NADNAME";

// Writes text as one token: blanks as '~', an empty text as "~".
int _Write_Token(FILE *f, const char *text, int size) {
  char buf[NAD_NAME_LENGTH];
  std::snprintf(buf, sizeof buf, "%.*s", size - 1, text ? text : "");
  Blank_to_Tilde(buf);
  return std::fprintf(f, "%s %s\n", kNadKey, buf[0] ? buf : "~") < 0;
}

// The end of a line: optional blanks, tabs and a carriage return, then a line feed.
bool _Line_End(FILE *f) {
  int c;
  while ((c = std::fgetc(f)) == ' ' || c == '\t' || c == '\r') {
  }
  return c == '\n';
}

}  // namespace

void Reset_Bauteil(BAUTEIL *b) {
  if (!b) return;
  Tools_Free(&b->brandlasten);
  Tools_Free(&b->results);
  b->brandlast_count = 0;
  Reset_Safety_Factors(&b->safety);
  Reset_Material_Data(&b->material);
  Reset_Profil(&b->profil);
  b->method = BAUTEIL_METHOD_ELASTIC;
  b->ct_check = 0;
  Reset_Material_Data(&b->material_2);
  b->display_units = 0;
  b->profil_note[0] = '\0';
}

int Set_Bauteil_Defaults(BAUTEIL *b) {
  if (!b) return 1;
  Reset_Bauteil(b);
  b->safety.standardised = 1;
  b->safety.source = 0;
  Load_Safety_Factors_from_NAD(&b->safety);
  Init_Material_Data(&b->material);
  Init_Material_Data(&b->material_2);
  const int rc = Set_Default_Profil(&b->profil);
  // The record keeps names blank-padded, as a read gives them: a new member's file then
  // reads back to the same bytes.
  Pad_With_Blanks(b->profil.name, PROFIL_NAME_SIZE);
  b->method = BAUTEIL_METHOD_ELASTIC;
  b->ct_check = 1;
  Alloc_Brandlasten(b, 1);
  return rc;
}

int Write_Bauteil(FILE *f, const BAUTEIL *b) {
  if (!f || !b) return 1;
  // A record that its reader would refuse is not written: the screen's units, a method or
  // switch outside its values (the blocks of the owners refuse their own).
  if (b->display_units || (b->method != BAUTEIL_METHOD_ELASTIC && b->method != BAUTEIL_METHOD_PLASTIC) ||
      (b->ct_check != 0 && b->ct_check != 1))
    return 1;
  // The blocks go to memory first, so that a block refused half-way writes nothing.
  char *text = nullptr;
  std::size_t size = 0;
  FILE *m = open_memstream(&text, &size);
  if (!m) return 1;
  int bad = std::fprintf(m, " %d\n", BAUTEIL_FILE_VERSION) < 0;
  bad |= Write_Safety_Factors(m, &b->safety);
  bad |= Write_Material_Data(m, &b->material);
  bad |= Write_Profil(m, &b->profil);
  bad |= std::fprintf(m, " %d %d\n", b->method, b->ct_check) < 0;
  bad |= Write_Material_Data(m, &b->material_2);
  bad |= Write_Brandlasten(m, b);
  bad |= _Write_Token(m, Get_Active_NAD_Name(), NAD_NAME_LENGTH);
  bad |= std::fclose(m) != 0;
  if (!bad) bad = std::fwrite(text, 1, size, f) != size;
  std::free(text);
  // A write that the buffer still holds fails only when it is flushed.
  bad |= std::fflush(f) != 0;
  return (bad || std::ferror(f)) ? 1 : 0;
}

int Save_Bauteil_File(const char *path, const BAUTEIL *b) {
  if (!b) return 1;
  auto write = [](FILE *f, void *record) { return Write_Bauteil(f, static_cast<const BAUTEIL *>(record)); };
  return Replace_File(path, write, const_cast<BAUTEIL *>(b));
}

int Read_Bauteil(FILE *f, BAUTEIL *b) {
  if (!f || !b) return 1;
  Reset_Bauteil(b);
  int version;
  // Versions below 2 were never written in this layout.
  if (std::fscanf(f, "%d", &version) != 1 || version < 2) return 1;
  if (!Check_File_Version(version, BAUTEIL_FILE_VERSION, 0)) return 1;
  if (Read_Safety_Factors(f, &b->safety) || Read_Material_Data(f, &b->material) || Read_Profil(f, &b->profil))
    return 1;
  // A library profile whose stored dimensions gave way to the library's: said once here (on
  // standard error in refresh mode, on the message line on the screen) and in every list.
  std::snprintf(b->profil_note, sizeof b->profil_note, "%s", Get_Profil_Read_Note());
  if (b->profil_note[0]) {
    if (Is_Refresh_Mode())
      std::fprintf(stderr, "stahl_ec3: %s\n", Cp850_To_Utf8(b->profil_note).c_str());
    else
      Set_Message_Line(b->profil_note);
  }
  int method, ct;
  if (std::fscanf(f, "%d %d", &method, &ct) != 2) return 1;
  if ((method != BAUTEIL_METHOD_ELASTIC && method != BAUTEIL_METHOD_PLASTIC) || (ct != 0 && ct != 1)) return 1;
  b->method = method;
  b->ct_check = ct;
  if (Read_Material_Data(f, &b->material_2) || Read_Brandlasten(f, b)) return 1;
  // The table's last line must be whole: a file cut inside its last number would read as
  // a smaller force.
  if (!_Line_End(f)) return 1;

  int c;
  while ((c = std::fgetc(f)) != EOF && std::isspace(c)) {
  }
  if (c == EOF) {  // a file that ends after the table: the default set
    Activate_Default_NAD();
    return 0;
  }
  std::ungetc(c, f);
  char key[32], name[NAD_NAME_LENGTH];
  if (std::fscanf(f, "%31s", key) != 1 || std::strcmp(key, kNadKey) != 0) return 1;
  while ((c = std::fgetc(f)) == ' ' || c == '\t') {
  }
  if (c == EOF || std::isspace(c)) return 1;  // the name stands on the key's line
  std::ungetc(c, f);
  if (std::fscanf(f, "%63s", name) != 1) return 1;
  // The set line must be whole (a name cut short names another set, or none), and
  // nothing may follow it (a name over 63 bytes leaves its rest there).
  if (!_Line_End(f)) return 1;
  while ((c = std::fgetc(f)) != EOF)
    if (!std::isspace(c)) return 1;
  if (std::strcmp(name, "~") == 0) name[0] = '\0';
  Tilde_to_Blank(name);
  if (!Set_Active_NAD(name)) {
    // The set is not known here: say which one the member was designed with.
    char line[NAD_NAME_LENGTH + 64];
    std::snprintf(line, sizeof line, "Nationaler Anhang \"%s\" nicht vorhanden: %s", name, NAD_DEFAULT_NAME);
    Set_Message_Line(line);
    Activate_Default_NAD();
  }
  return 0;
}

int Check_Bauteil_Data(BAUTEIL *b, FILE *list, int show, const char *title) {
  if (!b) return 1;
  Load_Safety_Factors_from_NAD(&b->safety);
  // The grade is checked silently here: the section-value routine checks the profile's
  // copy at the same thickness and reports a failure once.
  const int grade = Check_Material_Strength(&b->material, Get_Profil_Max_Thickness(&b->profil), nullptr, 0, nullptr);
  Copy_Material_Data(&b->material, &b->profil.grade);
  const int section = Calc_Profil_Querschnittswerte(&b->profil, list, show, title);
  return grade | section;
}

void Hand_Bauteil_to_Editors(BAUTEIL *b) {
  if (!b || b->display_units) return;
  b->method = b->method == BAUTEIL_METHOD_PLASTIC ? 1 : 0;
  b->display_units = 1;
}

void Take_Bauteil_from_Editors(BAUTEIL *b) {
  if (!b || !b->display_units) return;
  b->method = b->method == 1 ? BAUTEIL_METHOD_PLASTIC : BAUTEIL_METHOD_ELASTIC;
  b->display_units = 0;
}
