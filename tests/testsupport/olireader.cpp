// Reader of the print list and the plot file (see olireader.h and print/FORMAT.md).
#include "tests/testsupport/olireader.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "support/support.h"

namespace {

constexpr unsigned char kMarkup = 0xCE;
constexpr unsigned char kOpenQuote = 0xAE;   // «
constexpr unsigned char kCloseQuote = 0xAF;  // »

struct Lines {
  std::vector<std::string> items;
  bool unterminated = false;  // the data did not end with "\n"
};

Lines Split_Lines(const char *data, std::size_t size) {
  Lines out;
  std::size_t start = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\n') {
      out.items.emplace_back(data + start, i - start);
      start = i + 1;
    }
  }
  if (start < size) {
    out.items.emplace_back(data + start, size - start);
    out.unterminated = true;
  }
  return out;
}

void Error(std::vector<std::string> &errors, std::size_t line, const std::string &what) {
  errors.push_back("line " + std::to_string(line + 1) + ": " + what);
}

// Whitespace-separated tokens of a text.
std::vector<std::string> Tokens(const std::string &s) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && s[i] == ' ') ++i;
    std::size_t j = i;
    while (j < s.size() && s[j] != ' ') ++j;
    if (j > i) out.push_back(s.substr(i, j - i));
    i = j;
  }
  return out;
}

// A finite number that fills the whole token.
bool Number(const std::string &t, double *v) {
  if (t.empty()) return false;
  char *end = nullptr;
  double d = std::strtod(t.c_str(), &end);
  if (!end || *end != '\0' || !std::isfinite(d)) return false;
  *v = d;
  return true;
}

bool Integer(const std::string &t, double *v) {
  if (!Number(t, v)) return false;
  return *v == std::floor(*v) && std::fabs(*v) < 2147483648.0 && t.find_first_of(".eE") == std::string::npos;
}

bool Numbers(const std::vector<std::string> &toks, std::size_t from, std::vector<double> *out) {
  for (std::size_t i = from; i < toks.size(); ++i) {
    double v;
    if (!Number(toks[i], &v)) return false;
    out->push_back(v);
  }
  return true;
}

bool Starts(const std::string &s, const char *prefix) { return s.rfind(prefix, 0) == 0; }

// Is the line a directive word exactly, or followed by a blank?
bool Directive(const std::string &s, const char *word) {
  std::size_t n = std::strlen(word);
  return s.compare(0, n, word) == 0 && (s.size() == n || s[n] == ' ');
}

bool Is_Block_Directive(const std::string &s) {
  return Directive(s, "#SHOWPARA") || Directive(s, "#SHOWTABLE") || Directive(s, "#SHOWGRAFIC") ||
         Directive(s, "#SHOWXYPLOT") || Directive(s, "#NEWPAGE") || Directive(s, "#CONTENTS") ||
         Directive(s, "#OLI_FLAGS") || Directive(s, "#OLI_YPOS") || Directive(s, "#OLI_RESERVE");
}

bool Parse_Para_Head(const std::string &s, OLI_PARAGRAPH *p) {
  std::vector<std::string> t = Tokens(s);
  double kind, spacing, indent, n;
  if (t.size() < 5 || !Integer(t[1], &kind) || !Number(t[2], &spacing) || !Number(t[3], &indent) ||
      !Integer(t[4], &n) || n < 0 || n > 100 || t.size() != 5 + 2 * static_cast<std::size_t>(n))
    return false;
  p->kind = static_cast<int>(kind);
  p->spacing = spacing;
  p->indent = indent;
  for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
    double k, pos;
    if (!Integer(t[5 + 2 * i], &k) || !Number(t[6 + 2 * i], &pos)) return false;
    p->tabs.push_back(OLI_TAB{static_cast<int>(k), pos});
  }
  return true;
}

// The text between « and » that ends the line; the text itself may hold any other byte.
bool Quoted_Tail(const std::string &s, std::string *head, std::string *text) {
  std::size_t open = s.find(static_cast<char>(kOpenQuote));
  if (open == std::string::npos || s.empty() || static_cast<unsigned char>(s.back()) != kCloseQuote ||
      s.size() - 1 <= open)
    return false;
  *head = s.substr(0, open);
  *text = s.substr(open + 1, s.size() - open - 2);
  return true;
}

// Parses one graphic directive; for " 18" the caller reads the points.
bool Parse_Primitive(const std::string &s, OLI_PRIMITIVE *p, std::string *why) {
  std::string head = s, text;
  bool quoted = false;
  if (Starts(s, " 9 ")) {
    if (!Quoted_Tail(s, &head, &text)) {
      *why = "text directive without its text in guillemets";
      return false;
    }
    quoted = true;
  }
  std::vector<std::string> t = Tokens(head);
  double code;
  if (t.empty() || !Integer(t[0], &code)) {
    *why = "not a graphic directive";
    return false;
  }
  // Directives start with a blank, except the extended colour "50".
  if ((s[0] != ' ') != (code == 50)) {
    *why = "directive with a wrong lead";
    return false;
  }
  p->code = static_cast<int>(code);
  p->text = text;
  auto count = [&](std::size_t n) { return t.size() == n + 1 && Numbers(t, 1, &p->numbers); };
  bool ok = false;
  switch (p->code) {
    case 1:
    case 24:
      ok = count(4);
      break;
    case 4:
    case 7:
    case 8:
    case 20:
    case 18: {
      double v;
      ok = t.size() == 2 && Integer(t[1], &v);
      if (ok) p->numbers.push_back(v);
      if (ok && p->code == 18 && v < 0) ok = false;
      break;
    }
    case 9: {
      double v;
      ok = quoted && t.size() == 6 && Numbers({t[1], t[2], t[3], t[4]}, 0, &p->numbers) && Integer(t[5], &v);
      if (ok) p->numbers.push_back(v);
      break;
    }
    case 14:
      ok = count(2);
      break;
    case 30:
    case 31:
    case 52:
    case 53:
      ok = t.size() == 1;
      break;
    case 38: {
      double a, b;
      ok = t.size() >= 3 && Integer(t[1], &a) && Integer(t.back(), &b) && Numbers(t, 1, &p->numbers);
      break;
    }
    case 50: {
      ok = count(3);
      for (double v : p->numbers)
        if (v < 0 || v > 255 || v != std::floor(v)) ok = false;
      break;
    }
    default:
      *why = "unknown graphic directive " + t[0];
      return false;
  }
  if (!ok) *why = "malformed graphic directive " + t[0];
  return ok;
}

bool Point_Line(const std::string &s, std::array<double, 2> *pt) {
  std::vector<std::string> t = Tokens(s);
  return t.size() == 2 && !s.empty() && s[0] == ' ' && Number(t[0], &(*pt)[0]) && Number(t[1], &(*pt)[1]);
}

bool Read_File_Bytes(const char *path, std::string *out) {
  if (!path) return false;
  return Read_Whole_File(path, out, 0) == WHOLE_FILE_OK;  // a regular file up to the input cap
}

}  // namespace

int Read_Oli_Text(const char *data, std::size_t size, OLI_DOCUMENT *doc) {
  if (!doc) return 1;
  *doc = OLI_DOCUMENT{};
  if (!data) size = 0;
  Lines lines = Split_Lines(data ? data : "", size);
  std::vector<std::string> &err = doc->errors;
  const std::vector<std::string> &L = lines.items;
  if (lines.unterminated) Error(err, L.size() - 1, "last line without its line end");

  std::size_t i = 0;
  while (i < L.size()) {
    const std::string &s = L[i];
    int here = static_cast<int>(i + 1);
    if (Directive(s, "#SHOWPARA")) {
      // A text block: paragraphs up to "#END_OF_TEXT".
      OLI_TEXT_BLOCK block{{}, false};
      while (i < L.size()) {
        const std::string &u = L[i];
        if (Directive(u, "#SHOWPARA")) {
          OLI_PARAGRAPH p{};
          if (!Parse_Para_Head(u, &p)) Error(err, i, "malformed #SHOWPARA");
          block.paragraphs.push_back(static_cast<int>(doc->paragraphs.size()));
          doc->paragraphs.push_back(p);
        } else if (u == "#END_OF_TEXT") {
          block.closed = true;
          ++i;
          break;
        } else if (Is_Block_Directive(u)) {
          Error(err, i, "directive inside an open text block");
        } else {
          doc->paragraphs.back().lines.push_back(u);
        }
        ++i;
      }
      if (!block.closed) Error(err, L.size(), "text block without #END_OF_TEXT");
      doc->elements.push_back({OLI_EL_TEXT, static_cast<int>(doc->text_blocks.size()), here});
      doc->text_blocks.push_back(block);
      continue;
    }
    if (s == "#SHOWTABLE") {
      OLI_TABLE t{{}, {}, {}, {}, false};
      std::vector<double> *heads[3] = {&t.options, &t.layout, &t.rules};
      ++i;
      for (int h = 0; h < 3; ++h, ++i) {
        if (i >= L.size() || !Numbers(Tokens(L[i]), 0, heads[h]) || heads[h]->empty()) {
          Error(err, i, "malformed table head");
          break;
        }
      }
      for (; i < L.size(); ++i) {
        if (L[i] == "#END_OF_TEXT") {
          t.closed = true;
          ++i;
          break;
        }
        if (Is_Block_Directive(L[i])) {
          Error(err, i, "directive inside a table");
          break;
        }
        t.rows.push_back(L[i]);
      }
      if (!t.closed) Error(err, i, "table without #END_OF_TEXT");
      doc->elements.push_back({OLI_EL_TABLE, static_cast<int>(doc->tables.size()), here});
      doc->tables.push_back(t);
      continue;
    }
    if (Directive(s, "#SHOWGRAFIC")) {
      OLI_GRAPHIC gr{0, 0, {}, false};
      std::vector<std::string> t = Tokens(s);
      if (t.size() != 3 || !Number(t[1], &gr.width) || !Number(t[2], &gr.height) || gr.width < 0 ||
          gr.height < 0)
        Error(err, i, "malformed #SHOWGRAFIC");
      ++i;
      while (i < L.size()) {
        const std::string &u = L[i];
        if (u == " -1") {
          gr.closed = true;
          ++i;
          break;
        }
        if (Is_Block_Directive(u) || u == "#END_OF_TEXT") {
          Error(err, i, "directive inside a graphic block");
          break;
        }
        OLI_PRIMITIVE p{};
        p.line = static_cast<int>(i + 1);
        std::string why;
        if (u.empty() || !Parse_Primitive(u, &p, &why)) {
          Error(err, i, why.empty() ? "empty line in a graphic block" : why);
          ++i;
          continue;
        }
        ++i;
        if (p.code == 18) {
          std::size_t n = static_cast<std::size_t>(p.numbers[0]);
          if (n > L.size() - i) {
            Error(err, i, "polygon with fewer points than announced");
            n = L.size() - i;
          }
          for (std::size_t k = 0; k < n; ++k, ++i) {
            std::array<double, 2> pt{};
            if (!Point_Line(L[i], &pt)) {
              Error(err, i, "malformed polygon point");
              break;
            }
            p.points.push_back(pt);
          }
        }
        gr.items.push_back(p);
      }
      if (!gr.closed) Error(err, i, "graphic block without \" -1\"");
      doc->elements.push_back({OLI_EL_GRAPHIC, static_cast<int>(doc->graphics.size()), here});
      doc->graphics.push_back(gr);
      continue;
    }
    if (Directive(s, "#SHOWXYPLOT")) {
      std::vector<std::string> body{s};
      bool closed = false;
      for (++i; i < L.size(); ++i) {
        if (L[i] == "#END_OF_TEXT") {
          closed = true;
          ++i;
          break;
        }
        body.push_back(L[i]);
      }
      if (!closed) Error(err, i, "diagram without #END_OF_TEXT");
      doc->elements.push_back({OLI_EL_XYPLOT, static_cast<int>(doc->xyplots.size()), here});
      doc->xyplots.push_back(body);
      continue;
    }
    if (s == "#NEWPAGE") {
      doc->elements.push_back({OLI_EL_NEWPAGE, -1, here});
    } else if (s == "#CONTENTS") {
      int entry = doc->elements.empty() || doc->elements.back().kind != OLI_EL_RAW
                      ? -1
                      : doc->elements.back().index;
      doc->elements.push_back({OLI_EL_CONTENTS, entry, here});
    } else if (Directive(s, "#OLI_FLAGS") || Directive(s, "#OLI_YPOS") || Directive(s, "#OLI_RESERVE")) {
      std::vector<std::string> t = Tokens(s);
      OLI_LAYOUT_COMMAND c{t[0], {}};
      bool ok;
      if (c.name == "#OLI_FLAGS") {
        ok = t.size() == 2 && Starts(t[1], "0x") && t[1].size() > 2 && t[1].size() <= 10 &&
             t[1].find_first_not_of("0123456789abcdef", 2) == std::string::npos;
        if (ok) c.numbers.push_back(static_cast<double>(std::strtoul(t[1].c_str() + 2, nullptr, 16)));
      } else if (c.name == "#OLI_RESERVE") {
        double v;
        ok = t.size() == 2 && Number(t[1], &v) && v > 0;
        if (ok) c.numbers = {v};
      } else {
        double m, v;
        ok = t.size() == 3 && Integer(t[1], &m) && Number(t[2], &v);
        if (ok) c.numbers = {m, v};
      }
      if (!ok) Error(err, i, "malformed layout command");
      doc->elements.push_back({OLI_EL_LAYOUT, static_cast<int>(doc->layout.size()), here});
      doc->layout.push_back(c);
    } else if (s == "#END_OF_TEXT") {
      Error(err, i, "#END_OF_TEXT outside a block");
    } else if (!s.empty() && s[0] == '#') {
      Error(err, i, "unknown directive");
    } else {
      doc->elements.push_back({OLI_EL_RAW, static_cast<int>(doc->raw_lines.size()), here});
      doc->raw_lines.push_back(s);
    }
    ++i;
  }
  return static_cast<int>(err.size());
}

int Read_Oli_File(const char *path, OLI_DOCUMENT *doc) {
  std::string bytes;
  if (!Read_File_Bytes(path, &bytes)) {
    if (!doc) return 1;
    *doc = OLI_DOCUMENT{};
    doc->errors.push_back("cannot read the file");
    return 1;
  }
  return Read_Oli_Text(bytes.data(), bytes.size(), doc);
}

std::vector<std::string> Oli_All_Text_Lines(const OLI_DOCUMENT &doc) {
  std::vector<std::string> out;
  for (const OLI_PARAGRAPH &p : doc.paragraphs) out.insert(out.end(), p.lines.begin(), p.lines.end());
  return out;
}

bool Oli_Markup_Plain(const std::string &line, std::string *plain, std::vector<OLI_MARKUP_CODE> *codes) {
  std::string out;
  std::size_t i = 0, n = line.size();
  bool ok = true;
  while (i < n) {
    unsigned char c = static_cast<unsigned char>(line[i]);
    if (c != kMarkup) {
      out.push_back(line[i++]);
      continue;
    }
    if (i + 1 >= n) {
      ok = false;
      break;
    }
    char letter = line[i + 1];
    OLI_MARKUP_CODE code{letter, {}};
    if (letter == '{') {
      std::size_t close = line.find('}', i + 2);
      if (close == std::string::npos) {
        ok = false;
        break;
      }
      code.argument = line.substr(i + 2, close - i - 2);
      i = close + 1;
    } else if (letter == 'C' || letter == 'c' || letter == 'B' || letter == 'b') {
      // Letter form: the argument runs to the next 0xCE; one byte after it belongs to the code.
      std::size_t close = line.find(static_cast<char>(kMarkup), i + 2);
      std::size_t end = close == std::string::npos ? n : close;
      code.argument = line.substr(i + 2, end - i - 2);
      std::string shown = code.argument;
      if (letter == 'C' || letter == 'c') {
        std::size_t blank = shown.find(' ');
        shown = blank == std::string::npos ? std::string() : shown.substr(blank + 1);
      }
      out += shown;
      i = close == std::string::npos ? n : std::min(n, close + 2);
    } else {
      i += 2;
    }
    if (codes) codes->push_back(code);
  }
  if (plain) *plain = out;
  return ok;
}

// ---------------------------------------------------------------- plot file

int Read_Plot_Text(const char *data, std::size_t size, PLOT_DOCUMENT *doc) {
  if (!doc) return 1;
  *doc = PLOT_DOCUMENT{false, false, false, false, {}, {}, {}};
  if (!data) size = 0;
  Lines lines = Split_Lines(data ? data : "", size);
  const std::vector<std::string> &L = lines.items;
  std::vector<std::string> &err = doc->errors;
  if (lines.unterminated) Error(err, L.size() - 1, "last line without its line end");
  std::size_t i = 0;
  if (i < L.size() && L[i] == "kelm-ZadaDade (1.0)A") doc->banner = true, ++i;
  else Error(err, 0, "missing banner");
  if (i < L.size() && L[i] == "*TABLES") doc->tables = true, ++i;
  else Error(err, i, "missing *TABLES");
  for (; i < L.size() && Starts(L[i], "COLORDEF "); ++i) {
    std::vector<std::string> t = Tokens(L[i]);
    double v[4];
    bool ok = t.size() == 5;
    for (int k = 0; ok && k < 4; ++k) ok = Integer(t[1 + k], &v[k]);
    if (!ok) {
      Error(err, i, "malformed COLORDEF");
      continue;
    }
    doc->colors.push_back({static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                           static_cast<int>(v[3])});
  }
  if (i < L.size() && L[i] == "*ENTITIES") doc->entities = true, ++i;
  else Error(err, i, "missing *ENTITIES");
  for (; i < L.size(); ++i) {
    const std::string &s = L[i];
    if (s == "*EOI") {
      doc->eoi = true;
      if (i + 1 != L.size()) Error(err, i + 1, "records after *EOI");
      break;
    }
    PLOT_RECORD r;
    std::string head = s;
    if (Starts(s, "TEXT ")) {
      if (!Quoted_Tail(s, &head, &r.text)) {
        Error(err, i, "TEXT without its text in guillemets");
        continue;
      }
    }
    std::vector<std::string> t = Tokens(head);
    if (t.empty()) {
      Error(err, i, "empty record");
      continue;
    }
    r.name = t[0];
    std::size_t want;
    if (r.name == "LINE" || r.name == "RECT") want = 4;
    else if (r.name == "BLOCK") want = 3;
    else if (r.name == "TEXT") want = 5;
    else if (r.name == "POLY" || r.name == "FILL" || r.name == "COLOR" || r.name == "TEXTDIR") want = 1;
    else if (r.name == "SAVE" || r.name == "RESTORE") want = 0;
    else if (r.name == "ENDBLOCK") want = t.size() == 1 ? 0 : 4;
    else {
      Error(err, i, "unknown record " + r.name);
      continue;
    }
    if (t.size() != want + 1 || !Numbers(t, 1, &r.numbers)) {
      Error(err, i, "malformed record " + r.name);
      continue;
    }
    if (r.name == "POLY") {
      double n = r.numbers[0];
      if (n < 0 || n != std::floor(n) || n > static_cast<double>(L.size() - i - 1)) {
        Error(err, i, "polygon with fewer points than announced");
        continue;
      }
      for (std::size_t k = 0; k < static_cast<std::size_t>(n); ++k) {
        std::vector<std::string> pt = Tokens(L[i + 1 + k]);
        std::array<double, 2> p{};
        if (pt.size() != 2 || !Number(pt[0], &p[0]) || !Number(pt[1], &p[1])) {
          Error(err, i + 1 + k, "malformed polygon point");
          break;
        }
        r.points.push_back(p);
      }
      i += static_cast<std::size_t>(n);
    }
    doc->records.push_back(r);
  }
  if (!doc->eoi) Error(err, L.size(), "missing *EOI");
  return static_cast<int>(err.size());
}

int Read_Plot_File(const char *path, PLOT_DOCUMENT *doc) {
  std::string bytes;
  if (!Read_File_Bytes(path, &bytes)) {
    if (!doc) return 1;
    *doc = PLOT_DOCUMENT{false, false, false, false, {}, {}, {"cannot read the file"}};
    return 1;
  }
  return Read_Plot_Text(bytes.data(), bytes.size(), doc);
}
