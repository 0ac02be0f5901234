#pragma once
// Code page 1252 by code point, and the closest Latin form of a character
// that the code page lacks. Both are worked out with ICU. The Latin forms are
// also in a table made when the program is built (LatinFormTable.cpp, by
// tools/MakeLatinFormTable.cpp): opening ICU's transliterations takes a
// tenth of a second of every run that meets a Han character, and some
// hundredths for the other scripts.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unicode/uversion.h>
#include <utility>
#include <vector>

U_NAMESPACE_BEGIN
class Transliterator;
U_NAMESPACE_END

namespace kelvo {

// Below U+0300 every character is its own NFC form (the combining marks start there).
constexpr char32_t NfcStableLimit = 0x300;

// Code page 1252, from ICU's converter of it; built once a process.
class TCodePage {
public:
  static const TCodePage& Instance();

  // The byte of c, or -1 when the code page does not hold it.
  int Map(std::int32_t c) const {
    if (c < 0) return -1;
    if (c < static_cast<std::int32_t>(NfcStableLimit)) return low_[static_cast<std::size_t>(c)];
    return MapHigh(static_cast<char32_t>(c));
  }

private:
  TCodePage();
  int MapHigh(char32_t c) const;

  std::array<std::int16_t, NfcStableLimit> low_; // U+0000..U+02FF -> byte, or -1
  std::vector<std::pair<char32_t, char>> high_;  // the rest of the code page, by code point
};

// The closest Latin form in code page 1252 of a character the code page
// lacks, by ICU's transliterators, which it opens when first asked.
class TLatinFormMaker {
public:
  TLatinFormMaker();
  ~TLatinFormMaker();
  TLatinFormMaker(const TLatinFormMaker&) = delete;
  TLatinFormMaker& operator=(const TLatinFormMaker&) = delete;

  // The Latin transliteration when the code page holds all of it ("Ж" ->
  // "Ž"), else that taken down to ASCII ("ł" -> "l"); characters that show
  // nothing are left out, anything else without a form is "?".
  std::string Make(char32_t c);

private:
  const TCodePage& page_ = TCodePage::Instance();
  std::unique_ptr<icu::Transliterator> toLatin_, toAscii_;
};

// What TLatinFormMaker::Make gives c, from the table made at build time;
// false for a character the table does not hold (one that code page 1252
// holds, a private-use one, one Unicode has not assigned).
bool FindLatinForm(char32_t c, std::string_view& form);

} // namespace kelvo
