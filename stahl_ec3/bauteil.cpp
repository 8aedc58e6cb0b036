// The member record: reset, defaults, the ".INP" data file and the checks before computing.
#include "stahl_ec3/stahl_ec3.h"

#include <cstring>

#include "host/host.h"
#include "nad/nad.h"
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
  int bad = std::fprintf(f, " %d\n", BAUTEIL_FILE_VERSION) < 0;
  bad |= Write_Safety_Factors(f, &b->safety);
  bad |= Write_Material_Data(f, &b->material);
  bad |= Write_Profil(f, &b->profil);
  bad |= std::fprintf(f, " %d %d\n", b->method, b->ct_check) < 0;
  bad |= Write_Material_Data(f, &b->material_2);
  bad |= Write_Brandlasten(f, b);
  bad |= _Write_Token(f, Get_Active_NAD_Name(), NAD_NAME_LENGTH);
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
  int method, ct;
  if (std::fscanf(f, "%d %d", &method, &ct) != 2) return 1;
  if ((method != BAUTEIL_METHOD_ELASTIC && method != BAUTEIL_METHOD_PLASTIC) || (ct != 0 && ct != 1)) return 1;
  b->method = method;
  b->ct_check = ct;
  if (Read_Material_Data(f, &b->material_2) || Read_Brandlasten(f, b)) return 1;

  char key[32], name[NAD_NAME_LENGTH];
  const int n = std::fscanf(f, "%31s %63s", key, name);
  if (n == EOF) {  // a file without the key: the default set
    Activate_Default_NAD();
    return 0;
  }
  if (n != 2 || std::strcmp(key, kNadKey) != 0) return 1;
  int extra;
  if ((extra = std::fgetc(f)) != EOF && extra != '\n' && extra != '\r' && extra != ' ') return 1;  // name too long
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
