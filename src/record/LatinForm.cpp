#include "record/LatinForm.h"

#include <algorithm>
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include "record/MarcError.h"

namespace kelvo {

namespace {

// Characters that show nothing: left out when they have no code page 1252 form.
bool IsInvisible(UChar32 c) {
  switch (u_charType(c)) {
  case U_NON_SPACING_MARK:
  case U_ENCLOSING_MARK:
  case U_FORMAT_CHAR:
  case U_CONTROL_CHAR:
    return true;
  default:
    return false;
  }
}

std::unique_ptr<icu::Transliterator> OpenTransliterator(const char* id) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Transliterator> t(
      icu::Transliterator::createInstance(icu::UnicodeString::fromUTF8(id), UTRANS_FORWARD, status));
  if (U_FAILURE(status) || !t)
    throw MarcError(std::string("Translitterering ") + id +
                    " kan inte \xf6ppnas (ICU): " + u_errorName(status));
  return t;
}

} // namespace

const TCodePage& TCodePage::Instance() {
  static const TCodePage page;
  return page;
}

TCodePage::TCodePage() {
  UErrorCode status = U_ZERO_ERROR;
  UConverter* cnv = ucnv_open("windows-1252", &status);
  if (U_FAILURE(status))
    throw MarcError(std::string("Teckentabell 1252 kan inte \xf6ppnas (ICU): ") + u_errorName(status));
  low_.fill(-1);
  for (int b = 0; b < 256; ++b) {
    const char in = static_cast<char>(b);
    UChar u[2];
    status = U_ZERO_ERROR;
    if (ucnv_toUChars(cnv, u, 2, &in, 1, &status) != 1 || U_FAILURE(status)) continue;
    if (u[0] < NfcStableLimit)
      low_[u[0]] = static_cast<std::int16_t>(b);
    else
      high_.emplace_back(u[0], in);
  }
  ucnv_close(cnv);
  std::sort(high_.begin(), high_.end());
}

int TCodePage::MapHigh(char32_t c) const {
  const auto it = std::lower_bound(high_.begin(), high_.end(), c,
                                   [](const auto& entry, char32_t v) { return entry.first < v; });
  return it != high_.end() && it->first == c ? static_cast<unsigned char>(it->second) : -1;
}

TLatinFormMaker::TLatinFormMaker() = default;

TLatinFormMaker::~TLatinFormMaker() = default;

std::string TLatinFormMaker::Make(char32_t codePoint) {
  const auto c = static_cast<UChar32>(codePoint);
  if (!toLatin_) {
    toLatin_ = OpenTransliterator("Any-Latin");
    toAscii_ = OpenTransliterator("Latin-ASCII");
  }
  icu::UnicodeString t(c);
  toLatin_->transliterate(t);
  auto allMapped = [&] {
    for (int32_t i = 0; i < t.length(); i = t.moveIndex32(i, 1))
      if (page_.Map(t.char32At(i)) < 0) return false;
    return true;
  };
  if (!allMapped()) toAscii_->transliterate(t);
  std::string result;
  for (int32_t i = 0; i < t.length(); i = t.moveIndex32(i, 1)) {
    const UChar32 d = t.char32At(i);
    const int byte = page_.Map(d);
    if (byte >= 0)
      result += static_cast<char>(byte);
    else if (!IsInvisible(d))
      result += '?';
  }
  if (result.empty() && !IsInvisible(c)) result = "?";
  return result;
}

} // namespace kelvo
