// Writes the source of FindLatinForm (record/LatinForm.h): the Latin form
// TLatinFormMaker gives every character that code page 1252 lacks (but the
// private-use ones), worked out with the ICU the program is built against,
// so that a run gives the same forms without opening ICU's transliterations.
//
//   MakeLatinFormTable OUTPUT.cpp
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <unicode/uchar.h>
#include <unicode/uversion.h>
#include <vector>

#include "record/LatinForm.h"

namespace {

struct TRange {
  char32_t First, Last;
  std::uint32_t Index;
};

// text as a C++ string literal's content: octal escapes for all but plain ASCII.
void AppendLiteral(std::string& out, std::string_view text) {
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte >= 0x20 && byte < 0x7F && ch != '"' && ch != '\\' && ch != '?') {
      out += ch;
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\%03o", byte);
      out += escape;
    }
  }
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Anv\xe4ndning: %s UTFIL.cpp\n", argv[0]);
    return 2;
  }
  kelvo::TLatinFormMaker maker;
  const kelvo::TCodePage& page = kelvo::TCodePage::Instance();
  std::vector<TRange> ranges;
  std::vector<std::uint32_t> offsets{0};
  std::string forms;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    const auto type = u_charType(static_cast<UChar32>(c));
    if (!u_isdefined(static_cast<UChar32>(c)) || type == U_SURROGATE || type == U_PRIVATE_USE_CHAR ||
        page.Map(static_cast<std::int32_t>(c)) >= 0)
      continue;
    if (ranges.empty() || ranges.back().Last + 1 != c)
      ranges.push_back({c, c, static_cast<std::uint32_t>(offsets.size() - 1)});
    ranges.back().Last = c;
    forms += maker.Make(c);
    offsets.push_back(static_cast<std::uint32_t>(forms.size()));
  }

  std::string out =
      "// Made by tools/MakeLatinFormTable.cpp with ICU " U_ICU_VERSION
      " when the program was built: the Latin forms of\n"
      "// the characters outside code page 1252, as TLatinFormMaker gives them. Do not edit.\n"
      "#include \"record/LatinForm.h\"\n\n"
      "#include <algorithm>\n#include <cstdint>\n#include <iterator>\n\n"
      "namespace kelvo {\n\nnamespace {\n\n"
      "struct TFormRange {\n  char32_t First, Last;\n  std::uint32_t Index; // of First in Offsets\n};\n\n"
      "constexpr TFormRange Ranges[] = {\n";
  char line[96];
  for (const TRange& r : ranges) {
    std::snprintf(line, sizeof line, "    {0x%X, 0x%X, %u},\n", static_cast<unsigned>(r.First),
                  static_cast<unsigned>(r.Last), r.Index);
    out += line;
  }
  out += "};\n\n// Where each character's form begins in Forms, and where the forms end.\n"
         "constexpr std::uint32_t Offsets[] = {";
  for (std::size_t i = 0; i < offsets.size(); ++i) {
    out += i % 12 == 0 ? "\n    " : " ";
    out += std::to_string(offsets[i]) + ",";
  }
  out += "\n};\n\nconstexpr char Forms[] =";
  for (std::size_t i = 0; i < forms.size(); i += 64) {
    out += "\n    \"";
    AppendLiteral(out, std::string_view(forms).substr(i, 64));
    out += "\"";
  }
  if (forms.empty()) out += " \"\"";
  out +=
      ";\n\n} // namespace\n\n"
      "bool FindLatinForm(char32_t c, std::string_view& form) {\n"
      "  const auto* range = std::upper_bound(std::begin(Ranges), std::end(Ranges), c,\n"
      "                                      [](char32_t v, const TFormRange& r) { return v < r.First; });\n"
      "  if (range == std::begin(Ranges) || c > (--range)->Last) return false;\n"
      "  const std::uint32_t i = range->Index + (c - range->First);\n"
      "  form = std::string_view(Forms + Offsets[i], Offsets[i + 1] - Offsets[i]);\n"
      "  return true;\n"
      "}\n\n} // namespace kelvo\n";

  std::ofstream file(argv[1], std::ios::binary);
  file << out;
  file.close();
  if (!file) {
    std::fprintf(stderr, "Kan inte skriva %s\n", argv[1]);
    return 1;
  }
  return 0;
}
