// tests/testsupport/olitext.cpp — a print list as plain UTF-8 text.
#include "tests/testsupport/olitext.h"

#include <cstddef>

#include "print/print.h"
#include "support/cp850.h"
#include "tests/testsupport/olireader.h"

namespace {

constexpr unsigned char kMarkup = 0xCE;

// The print font draws these code page 850 positions as Greek letters and signs. The named
// ones come from print/print.h; the others are the bytes the check texts write for their
// symbols (γ_M, β, η/ζ axes, λ, χ, Φ, ρ, θ, ω, ⇒, ≥, ≤, and the cubic sign of "cm³").
struct SYMBOL {
  unsigned char byte;
  const char *utf8;
};
const SYMBOL kSymbols[] = {
    {static_cast<unsigned char>(kOliSigma[0]), "σ"},
    {static_cast<unsigned char>(kOliTau[0]), "τ"},
    {static_cast<unsigned char>(kOliEpsilon[0]), "ε"},
    {static_cast<unsigned char>(kOliPerMille[0]), "‰"},
    {static_cast<unsigned char>(kOliAlpha[0]), "α"},
    {static_cast<unsigned char>(kOliDelta[0]), "Δ"},
    {static_cast<unsigned char>("¾"_cp[0]), "≤"},
    {static_cast<unsigned char>("‗"_cp[0]), "≥"},
    {static_cast<unsigned char>("ê"_cp[0]), "⇒"},
    {static_cast<unsigned char>("└"_cp[0]), "γ"},
    {static_cast<unsigned char>("╗"_cp[0]), "β"},
    {static_cast<unsigned char>("┴"_cp[0]), "η"},
    {static_cast<unsigned char>("Ë"_cp[0]), "ζ"},
    {static_cast<unsigned char>("┼"_cp[0]), "λ"},
    {static_cast<unsigned char>("╝"_cp[0]), "χ"},
    {static_cast<unsigned char>("┌"_cp[0]), "Φ"},
    {static_cast<unsigned char>("╦"_cp[0]), "ρ"},
    {static_cast<unsigned char>("╩"_cp[0]), "θ"},
    {static_cast<unsigned char>("ð"_cp[0]), "ω"},
    {static_cast<unsigned char>("·"_cp[0]), "³"},
};

// UTF-8 of every byte, built once.
struct TABLE {
  std::string text[256];
  TABLE() {
    for (int b = 0; b < 256; ++b) {
      char32_t u = b < 0x80 ? static_cast<char32_t>(b) : cp850::kHigh[b - 0x80];
      std::string &s = text[b];
      if (u < 0x80) {
        s.push_back(static_cast<char>(u));
      } else if (u < 0x800) {
        s.push_back(static_cast<char>(0xC0 | (u >> 6)));
        s.push_back(static_cast<char>(0x80 | (u & 0x3F)));
      } else {
        s.push_back(static_cast<char>(0xE0 | (u >> 12)));
        s.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
        s.push_back(static_cast<char>(0x80 | (u & 0x3F)));
      }
    }
    for (const SYMBOL &s : kSymbols) text[s.byte] = s.utf8;
  }
};
const TABLE &Table() {
  static const TABLE t;
  return t;
}

void Append(std::string *out, const std::string &bytes) {
  for (unsigned char c : bytes) *out += Oli_Byte_Utf8(c);
}

// A superscript: digits as superscript digits, the lone dot as the multiplication dot,
// anything else behind a caret ("(235/fy)^0.5").
void Append_Superscript(std::string *out, const std::string &bytes) {
  static const char *const kDigits[10] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
  if (bytes == ".") {
    *out += "·";
    return;
  }
  bool digits = !bytes.empty();
  for (char c : bytes) digits = digits && c >= '0' && c <= '9';
  if (!digits) {
    *out += '^';
    return Append(out, bytes);
  }
  for (char c : bytes) *out += kDigits[c - '0'];
}

}  // namespace

const char *Oli_Byte_Utf8(unsigned char byte) { return Table().text[byte].c_str(); }

std::string Oli_Line_Utf8(const std::string &line) {
  std::string out;
  std::size_t i = 0, n = line.size();
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    if (c != kMarkup) {
      out += Oli_Byte_Utf8(c);
      ++i;
      continue;
    }
    if (i + 1 >= n) break;  // a lone opener at the end shows nothing
    const char letter = line[i + 1];
    const std::size_t next = line.find(static_cast<char>(kMarkup), i + 2);
    const std::size_t end = next == std::string::npos ? n : next;
    if (letter == '{') {
      const std::size_t close = line.find('}', i + 2);
      i = close == std::string::npos ? n : close + 1;
    } else if (letter == 'C' || letter == 'c' || letter == 'B' || letter == 'b') {
      // Letter form: the argument runs to the next opener; the colour form's number and
      // blank are not shown. One byte after that opener belongs to the code.
      std::string shown = line.substr(i + 2, end - i - 2);
      if (letter == 'C' || letter == 'c') {
        const std::size_t blank = shown.find(' ');
        shown = blank == std::string::npos ? std::string() : shown.substr(blank + 1);
      }
      Append(&out, shown);
      i = next == std::string::npos ? n : std::min(n, next + 2);
    } else if (letter == '/') {
      Append_Superscript(&out, line.substr(i + 2, end - i - 2));
      i = end;
    } else {
      if (letter == 't') out += '\t';
      i += 2;
    }
  }
  return out;
}

int Oli_List_Utf8(const std::string &bytes, std::string *text, std::string *why) {
  text->clear();
  for (std::size_t k = 0; k < bytes.size(); ++k) {
    const unsigned char c = static_cast<unsigned char>(bytes[k]);
    if ((c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F) {
      *why = "byte " + std::to_string(k) + " is a control byte: not a print list";
      return OLI_TEXT_BINARY;
    }
  }
  OLI_DOCUMENT doc;
  Read_Oli_Text(bytes.data(), bytes.size(), &doc);
  for (const std::string &e : doc.errors) {
    if (e.find("without") != std::string::npos) {  // no line end, or a block not closed
      *why = "the list is cut (" + e + ")";
      return OLI_TEXT_CUT;
    }
  }
  std::string out;
  auto line = [&out](const std::string &s) {
    std::string u = Oli_Line_Utf8(s);
    if (!u.empty() && u.back() == '\r') u.pop_back();
    out += u;
    out += '\n';
  };
  for (const OLI_ELEMENT &el : doc.elements) {
    switch (el.kind) {
      case OLI_EL_TEXT:
        for (int p : doc.text_blocks[el.index].paragraphs)
          for (const std::string &s : doc.paragraphs[p].lines) line(s);
        break;
      case OLI_EL_TABLE:
        for (const std::string &s : doc.tables[el.index].rows) line(s);
        break;
      case OLI_EL_GRAPHIC: out += "[Grafik " + std::to_string(el.index + 1) + "]\n"; break;
      case OLI_EL_XYPLOT: out += "[Diagramm " + std::to_string(el.index + 1) + "]\n"; break;
      case OLI_EL_RAW: line(doc.raw_lines[el.index]); break;
      case OLI_EL_NEWPAGE:
      case OLI_EL_CONTENTS:
      case OLI_EL_LAYOUT: break;
    }
  }
  *text = out;
  return OLI_TEXT_OK;
}
