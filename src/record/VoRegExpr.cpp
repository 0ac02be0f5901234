// Regular expressions over code page 1252 text on PCRE2 (8-bit code units).
#include "record/VoRegExpr.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>
#include <array>
#include <clocale>
#include <cstring>
#include <locale.h>
#include <map>

#include "record/MarcError.h"

namespace kelvo {

namespace {

// Layout of PCRE2's character tables: lower-case map, case-flip map, the
// class bitmaps and the per-character type flags.
constexpr std::size_t kCbitsOffset = 512;
constexpr std::size_t kCbitWord = 160;
constexpr std::size_t kCbitLength = 320;
constexpr std::size_t kCtypesOffset = kCbitsOffset + kCbitLength;
constexpr std::size_t kTablesLength = kCtypesOffset + 256;
constexpr std::uint8_t kCtypeWord = 0x10;

// The code page 1252 letters that \w, \b and their negations also accept.
constexpr std::array<std::pair<int, int>, 11> kNationalWordChars = {{{138, 138},
                                                                     {140, 140},
                                                                     {142, 142},
                                                                     {154, 154},
                                                                     {156, 156},
                                                                     {158, 158},
                                                                     {159, 159},
                                                                     {165, 165},
                                                                     {192, 214},
                                                                     {216, 246},
                                                                     {248, 255}}};

using Tables = std::array<std::uint8_t, kTablesLength>;

Tables MakeNationalTables() {
  // The tables reflect the C library's character classes; take them from
  // the "C" locale whatever locale the program has set.
  Tables tables{};
  const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  const locale_t previous = cLocale ? uselocale(cLocale) : static_cast<locale_t>(nullptr);
  const std::uint8_t* made = pcre2_maketables(nullptr);
  if (cLocale) {
    uselocale(previous);
    freelocale(cLocale);
  }
  if (made == nullptr) throw MarcError("Kan inte skapa teckentabeller f\xf6r regulj\xe4ra uttryck");
  std::memcpy(tables.data(), made, tables.size());
  pcre2_maketables_free(nullptr, made);

  for (const auto& [lo, hi] : kNationalWordChars) {
    for (int c = lo; c <= hi; ++c) {
      tables[kCbitsOffset + kCbitWord + static_cast<std::size_t>(c) / 8] |=
          static_cast<std::uint8_t>(1U << (c % 8));
      tables[kCtypesOffset + static_cast<std::size_t>(c)] |= kCtypeWord;
    }
  }
  return tables;
}

// The compile context of national objects, built once per process.
pcre2_compile_context* NationalContext() {
  static const Tables tables = MakeNationalTables();
  static const std::unique_ptr<pcre2_compile_context, decltype(&pcre2_compile_context_free)> context = [] {
    std::unique_ptr<pcre2_compile_context, decltype(&pcre2_compile_context_free)> made(
        pcre2_compile_context_create(nullptr), &pcre2_compile_context_free);
    if (!made) throw MarcError("Kan inte skapa teckentabeller f\xf6r regulj\xe4ra uttryck");
    pcre2_set_character_tables(made.get(), tables.data());
    return made;
  }();
  return context.get();
}

std::string ErrorText(int code) {
  std::array<PCRE2_UCHAR, 256> text{};
  const int n = pcre2_get_error_message(code, text.data(), text.size());
  return n < 0 ? "PCRE2-fel " + std::to_string(code)
               : std::string(reinterpret_cast<const char*>(text.data()), static_cast<std::size_t>(n));
}

} // namespace

struct TVoRegExpr::Impl {
  struct Compiled {
    std::unique_ptr<pcre2_code, decltype(&pcre2_code_free)> code{nullptr, &pcre2_code_free};
    std::unique_ptr<pcre2_match_data, decltype(&pcre2_match_data_free)> matchData{nullptr,
                                                                                  &pcre2_match_data_free};
    bool jit = false;
    int groups = 0;
  };

  bool national;
  std::map<std::string, Compiled, std::less<>> cache;
  const std::string* expression = nullptr; // key of current in cache
  Compiled* current = nullptr;
  // The part of the last Exec's input that the groups of its match cover, and
  // where it begins in that input: the match outlives the input without a
  // copy of all of it.
  std::string matched;
  std::size_t matchedStart = 0;
  int matchCount = 0; // pcre2_match's result: 0 without a match

  explicit Impl(bool nationalWordChars) : national(nationalWordChars) {}

  Compiled Compile(std::string_view pattern) const {
    int error = 0;
    PCRE2_SIZE offset = 0;
    Compiled c;
    c.code.reset(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                               PCRE2_DOTALL | PCRE2_DOLLAR_ENDONLY, &error, &offset,
                               national ? NationalContext() : nullptr));
    if (!c.code) {
      throw MarcError("Felaktigt regulj\xe4rt uttryck \"" + std::string(pattern) + "\": " + ErrorText(error) +
                      " (position " + std::to_string(offset + 1) + ")");
    }
    c.jit = pcre2_jit_compile(c.code.get(), PCRE2_JIT_COMPLETE) == 0;
    c.matchData.reset(pcre2_match_data_create_from_pattern(c.code.get(), nullptr));
    if (!c.matchData)
      throw MarcError("Minnet r\xe4"
                      "cker inte till f\xf6r regulj\xe4ra uttryck");
    std::uint32_t groups = 0;
    pcre2_pattern_info(c.code.get(), PCRE2_INFO_CAPTURECOUNT, &groups);
    c.groups = static_cast<int>(groups);
    return c;
  }

  bool Run(std::string_view input, std::size_t from) {
    matchCount = 0;
    if (from > input.size()) return false;
    const auto* data = reinterpret_cast<PCRE2_SPTR>(input.data());
    int rc = 0;
    if (current->jit)
      rc = pcre2_jit_match(current->code.get(), data, input.size(), from, 0, current->matchData.get(),
                           nullptr);
    // Without the JIT, or when a deep pattern exhausts the JIT's small stack,
    // the interpreter matches.
    if (!current->jit || rc == PCRE2_ERROR_JIT_STACKLIMIT)
      rc = pcre2_match(current->code.get(), data, input.size(), from, PCRE2_NO_JIT, current->matchData.get(),
                       nullptr);
    if (rc == PCRE2_ERROR_NOMATCH) return false;
    if (rc < 0)
      throw MarcError("Regulj\xe4rt uttryck \"" + *expression + "\" kunde inte provas: " + ErrorText(rc));
    // rc == 0 means the ovector was too small, which cannot happen with match
    // data made from the pattern; count every group then.
    matchCount = rc == 0 ? current->groups + 1 : rc;
    KeepMatched(input);
    return true;
  }

  // Copies the span of input from the first group start to the last group
  // end (a lookbehind or \K can put a group before the whole match).
  void KeepMatched(std::string_view input) {
    std::size_t first = input.size();
    std::size_t last = 0;
    for (int n = 0; n < matchCount; ++n) {
      PCRE2_SIZE start = 0, end = 0;
      if (!Group(n, start, end)) continue;
      first = std::min(first, start);
      last = std::max(last, end);
    }
    if (first > last) first = last; // no group took part (group 0 always does)
    matchedStart = first;
    matched.assign(input.substr(first, last - first));
  }

  // Start and end offset of group n in the last Exec's input, or false when it did not take part.
  bool Group(int n, PCRE2_SIZE& start, PCRE2_SIZE& end) const {
    if (n < 0 || n >= matchCount) return false;
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(current->matchData.get());
    start = ovector[2 * n];
    end = ovector[2 * n + 1];
    return start != PCRE2_UNSET && end >= start;
  }
};

TVoRegExpr::TVoRegExpr(bool nationalWordChars) : impl_(std::make_unique<Impl>(nationalWordChars)) {
  SetExpression("");
}

TVoRegExpr::~TVoRegExpr() = default;

void TVoRegExpr::SetExpression(std::string_view pattern) {
  Impl& d = *impl_;
  if (d.expression != nullptr && *d.expression == pattern) return;
  auto it = d.cache.find(pattern);
  if (it == d.cache.end()) it = d.cache.emplace(std::string(pattern), d.Compile(pattern)).first;
  d.expression = &it->first;
  d.current = &it->second;
  d.matchCount = 0;
}

const std::string& TVoRegExpr::Expression() const { return *impl_->expression; }

bool TVoRegExpr::Exec(std::string_view input) { return impl_->Run(input, 0); }

bool TVoRegExpr::ExecFrom(std::string_view input, int start) {
  return impl_->Run(input, start < 1 ? 0 : static_cast<std::size_t>(start) - 1);
}

int TVoRegExpr::MatchPos(int n) const {
  PCRE2_SIZE start = 0, end = 0;
  return impl_->Group(n, start, end) ? static_cast<int>(start) + 1 : 0;
}

int TVoRegExpr::MatchLen(int n) const {
  PCRE2_SIZE start = 0, end = 0;
  return impl_->Group(n, start, end) ? static_cast<int>(end - start) : 0;
}

std::string TVoRegExpr::Match(int n) const {
  PCRE2_SIZE start = 0, end = 0;
  if (!impl_->Group(n, start, end)) return std::string();
  return impl_->matched.substr(start - impl_->matchedStart, end - start);
}

int TVoRegExpr::GroupCount() const { return impl_->current->groups; }

} // namespace kelvo
