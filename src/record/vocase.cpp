// Code page 1252 case mapping (the Windows ANSI rules) and the conversion
// between code page 1252 and UTF-8 used at the edges of the program.
#include <algorithm>
#include <array>
#include <cstdint>

#include "record/vostr.h"

namespace kelvo {

namespace {

using CaseTable = std::array<unsigned char, 256>;

// Lower-case letter -> upper-case letter. The sharp s (0xDF) and the micro
// sign (0xB5) have no upper-case partner in code page 1252 and stay as
// they are; 0xD7 and 0xF7 are the multiplication and division signs.
constexpr CaseTable MakeUpperTable() {
  CaseTable t{};
  for (unsigned v = 0; v < 256; ++v)
    t[v] = static_cast<unsigned char>(v);
  for (unsigned v = 'a'; v <= 'z'; ++v)
    t[v] = static_cast<unsigned char>(v - 0x20);
  for (unsigned v = 0xE0; v <= 0xFE; ++v)
    if (v != 0xF7) t[v] = static_cast<unsigned char>(v - 0x20);
  t[0x9A] = 0x8A; // s caron
  t[0x9C] = 0x8C; // oe
  t[0x9E] = 0x8E; // z caron
  t[0xFF] = 0x9F; // y diaeresis
  return t;
}

constexpr CaseTable MakeLowerTable() {
  constexpr CaseTable upper = MakeUpperTable();
  CaseTable t{};
  for (unsigned v = 0; v < 256; ++v)
    t[v] = static_cast<unsigned char>(v);
  for (unsigned v = 0; v < 256; ++v)
    if (upper[v] != v) t[upper[v]] = static_cast<unsigned char>(v);
  return t;
}

constexpr CaseTable kUpper = MakeUpperTable();
constexpr CaseTable kLower = MakeLowerTable();

static_assert(kUpper[0xDF] == 0xDF && kUpper[0xB5] == 0xB5 && kUpper[0xF7] == 0xF7);
static_assert(kLower[0xD7] == 0xD7 && kLower[0x9F] == 0xFF && kLower[0xC5] == 0xE5);

std::string MapCase(std::string_view s, const CaseTable& table) {
  std::string result(s);
  for (char& c : result)
    c = static_cast<char>(table[static_cast<unsigned char>(c)]);
  return result;
}

// Unicode code points of the bytes 0x80-0x9F; 0xFFFD marks the five bytes
// that code page 1252 leaves undefined. Every other byte is its own code point.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void AppendCp1252Char(std::string& out, char c) {
  const auto u = static_cast<unsigned char>(c);
  AppendUtf8(out, u >= 0x80 && u <= 0x9F ? char32_t{kHighControls[u - 0x80]} : char32_t{u});
}

// Decodes one UTF-8 sequence at s[i] and advances i past it. A malformed
// sequence (overlong, truncated, a surrogate) gives kInvalid and consumes one byte.
constexpr char32_t kInvalid = 0xFFFFFFFF;

char32_t DecodeUtf8(std::string_view s, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(s[i++]);
  if (lead < 0x80) return lead;
  // Lead byte pattern -> number of continuation bytes and the smallest code
  // point that needs this length (anything below is an overlong form).
  struct Form {
    unsigned char mask, value, payload;
    std::size_t extra;
    char32_t min;
  };
  constexpr std::array<Form, 3> forms = {
      {{0xE0, 0xC0, 0x1F, 1, 0x80}, {0xF0, 0xE0, 0x0F, 2, 0x800}, {0xF8, 0xF0, 0x07, 3, 0x10000}}};
  const auto form =
      std::find_if(forms.begin(), forms.end(), [lead](const Form& f) { return (lead & f.mask) == f.value; });
  if (form == forms.end() || s.size() - i < form->extra) return kInvalid;
  char32_t cp = lead & form->payload;
  for (std::size_t k = 0; k < form->extra; ++k) {
    const auto next = static_cast<unsigned char>(s[i + k]);
    if ((next & 0xC0) != 0x80) return kInvalid;
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < form->min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kInvalid;
  i += form->extra;
  return cp;
}

char Cp1252FromCodePoint(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t k = 0; k < kHighControls.size(); ++k)
    if (kHighControls[k] == cp && cp != 0xFFFD) return static_cast<char>(0x80 + k);
  return '?';
}

} // namespace

char UpperChar(char c) { return static_cast<char>(kUpper[static_cast<unsigned char>(c)]); }

char LowerChar(char c) { return static_cast<char>(kLower[static_cast<unsigned char>(c)]); }

std::string UpperCase(std::string_view s) { return MapCase(s, kUpper); }

std::string LowerCase(std::string_view s) { return MapCase(s, kLower); }

int CompareText(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const int ua = kUpper[static_cast<unsigned char>(a[i])];
    const int ub = kUpper[static_cast<unsigned char>(b[i])];
    if (ua != ub) return ua - ub;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

std::string Cp1252ToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size() + s.size() / 4);
  for (char c : s)
    AppendCp1252Char(out, c);
  return out;
}

std::string Utf8ToCp1252(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const char32_t cp = DecodeUtf8(s, i);
    out += cp == kInvalid ? '?' : Cp1252FromCodePoint(cp);
  }
  return out;
}

bool IsValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();)
    if (DecodeUtf8(s, i) == kInvalid) return false;
  return true;
}

std::string MessageToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size() + s.size() / 4);
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t start = i;
    if (DecodeUtf8(s, i) != kInvalid && i - start > 1) {
      out.append(s.substr(start, i - start));
    } else {
      i = start + 1;
      AppendCp1252Char(out, s[start]);
    }
  }
  return out;
}

} // namespace kelvo
