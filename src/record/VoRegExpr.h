#pragma once
// A regular expression over code page 1252 text (PCRE2, 8-bit, no UTF),
// matched with dot-all and dollar-end-only and compiled with the JIT.
//
// A national object's \w, \W, \b and \B also hold the code page 1252 letters
// 138, 140, 142, 154, 156, 158, 159, 165, 192-214, 216-246 and 248-255; a
// plain object uses the engine's default tables.
//
// SetExpression keeps every pattern it has compiled, so a rule that switches
// between a few patterns record after record compiles each of them once.
#include <memory>
#include <string>
#include <string_view>

namespace kelvo {

class TVoRegExpr {
public:
  explicit TVoRegExpr(bool nationalWordChars = true);
  ~TVoRegExpr();
  TVoRegExpr(const TVoRegExpr&) = delete;
  TVoRegExpr& operator=(const TVoRegExpr&) = delete;

  // Raises MarcError with the engine's message when the pattern is invalid.
  void SetExpression(std::string_view pattern);
  const std::string& Expression() const;

  // Finds the first match in input; the match data stays valid until the next Exec.
  bool Exec(std::string_view input);
  // Same, starting at the 1-based position start of input.
  bool ExecFrom(std::string_view input, int start);

  // Number 0 is the whole match, 1.. the capture groups. Position is 1-based
  // in the input; 0 and an empty text for a group that did not take part.
  int MatchPos(int n = 0) const;
  int MatchLen(int n = 0) const;
  std::string Match(int n = 0) const;
  int GroupCount() const;

private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

} // namespace kelvo
