#pragma once
// Unicode text (UTF-8) into code page 1252: normalised to NFC first, then
// mapped; a character that code page 1252 lacks becomes its closest Latin
// form, or "?" when there is none. The converters behind it are opened once.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

// One character that had no code page 1252 form, and what it became.
struct TReplacedChar {
  char32_t CodePoint;
  std::string Replacement; // code page 1252; empty when the character was left out
};

class TCp1252Encoder {
public:
  TCp1252Encoder();
  ~TCp1252Encoder();
  TCp1252Encoder(const TCp1252Encoder&) = delete;
  TCp1252Encoder& operator=(const TCp1252Encoder&) = delete;

  // Appends the code page 1252 form of utf8 to out. Replaced() lists the
  // characters of this call that had no code page 1252 form; an ill-formed
  // sequence counts as one such character (U+FFFD) and becomes "?".
  void Encode(std::string_view utf8, std::string& out);
  const std::vector<TReplacedChar>& Replaced() const { return replaced_; }

  // The character's Unicode name ("LATIN SMALL LETTER L WITH STROKE"), or empty.
  static std::string CharName(char32_t codePoint);

private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::vector<TReplacedChar> replaced_;
};

// How many bytes at the start of text are ASCII (all of them for ASCII text).
// Eight bytes at a time, and inline: most values are ASCII from end to end,
// and the rest are mostly ASCII between their other characters.
inline std::size_t AsciiPrefix(std::string_view text) {
  constexpr std::uint64_t HighBits = 0x8080808080808080ULL;
  std::size_t i = 0;
  for (std::uint64_t word; i + 8 <= text.size(); i += 8) {
    std::memcpy(&word, text.data() + i, 8);
    if (word & HighBits) break;
  }
  while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80)
    ++i;
  return i;
}

// Whether every byte above 0x7F in text belongs to a well-formed UTF-8
// sequence (no overlong forms, no surrogates); sets multiByte when there is
// such a byte and leaves it as it was otherwise.
bool IsWellFormedUtf8(std::string_view text, bool& multiByte);

} // namespace kelvo
