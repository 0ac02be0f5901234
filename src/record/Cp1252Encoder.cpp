#include "record/Cp1252Encoder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <unicode/normalizer2.h>
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>
#include <unordered_map>
#include <utility>

#include "record/MarcError.h"

namespace kelvo {

namespace {

// Below U+0300 every character is its own NFC form (the combining marks start there).
constexpr char32_t NfcStableLimit = 0x300;

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

// Code page 1252 by code point, from ICU's converter of it; built once a process.
class TCodePage {
public:
  static const TCodePage& Instance() {
    static const TCodePage page;
    return page;
  }

  int Map(UChar32 c) const {
    if (c < 0) return -1;
    if (c < static_cast<UChar32>(NfcStableLimit)) return low_[static_cast<std::size_t>(c)];
    const auto it = std::lower_bound(high_.begin(), high_.end(), static_cast<char32_t>(c),
                                     [](const auto& entry, char32_t v) { return entry.first < v; });
    return it != high_.end() && it->first == static_cast<char32_t>(c) ? static_cast<unsigned char>(it->second)
                                                                      : -1;
  }

private:
  TCodePage() {
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

  std::array<std::int16_t, NfcStableLimit> low_; // U+0000..U+02FF -> byte, or -1
  std::vector<std::pair<char32_t, char>> high_;  // the rest of the code page, by code point
};

// The closest Latin forms, worked out once a process: every encoder (one a
// thread) asks here for a character it has not met before. The
// transliterators are opened when first needed, since that takes a while.
class TLatinFallbacks {
public:
  static TLatinFallbacks& Instance() {
    static TLatinFallbacks instance;
    return instance;
  }

  std::string Find(UChar32 c, const TCodePage& page) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto known = fallbacks_.find(static_cast<char32_t>(c));
    if (known != fallbacks_.end()) return known->second;
    return fallbacks_.emplace(static_cast<char32_t>(c), Compute(c, page)).first->second;
  }

private:
  // The Latin transliteration when the code page holds all of it ("Ж" ->
  // "Ž"), else that taken down to ASCII ("ł" -> "l").
  std::string Compute(UChar32 c, const TCodePage& page) {
    if (!toLatin_) {
      toLatin_ = OpenTransliterator("Any-Latin");
      toAscii_ = OpenTransliterator("Latin-ASCII");
    }
    icu::UnicodeString t(c);
    toLatin_->transliterate(t);
    auto allMapped = [&] {
      for (int32_t i = 0; i < t.length(); i = t.moveIndex32(i, 1))
        if (page.Map(t.char32At(i)) < 0) return false;
      return true;
    };
    if (!allMapped()) toAscii_->transliterate(t);
    std::string result;
    for (int32_t i = 0; i < t.length(); i = t.moveIndex32(i, 1)) {
      const UChar32 d = t.char32At(i);
      const int byte = page.Map(d);
      if (byte >= 0)
        result += static_cast<char>(byte);
      else if (!IsInvisible(d))
        result += '?';
    }
    if (result.empty() && !IsInvisible(c)) result = "?";
    return result;
  }

  std::mutex mutex_;
  std::unique_ptr<icu::Transliterator> toLatin_, toAscii_;
  std::unordered_map<char32_t, std::string> fallbacks_;
};

} // namespace

struct TCp1252Encoder::Impl {
  const TCodePage& page = TCodePage::Instance();
  const icu::Normalizer2* nfc = nullptr;
  std::unordered_map<char32_t, std::string> fallbacks; // what each replaced character became
  icu::UnicodeString text, normalized;                 // reused between values

  Impl();
  int Map(UChar32 c) const { return page.Map(c); }
  bool Fast(UChar32 c) const { return c < static_cast<UChar32>(NfcStableLimit) || nfc->isInert(c); }
  const std::string& Fallback(UChar32 c);
  void EncodeNormalised(std::string_view utf8, std::string& out, std::vector<TReplacedChar>& replaced);
};

TCp1252Encoder::Impl::Impl() {
  UErrorCode status = U_ZERO_ERROR;
  nfc = icu::Normalizer2::getNFCInstance(status);
  if (U_FAILURE(status))
    throw MarcError(std::string("NFC-normalisering saknas (ICU): ") + u_errorName(status));
}

// The closest Latin form, from this encoder's own table once it has met the character.
const std::string& TCp1252Encoder::Impl::Fallback(UChar32 c) {
  const auto known = fallbacks.find(static_cast<char32_t>(c));
  if (known != fallbacks.end()) return known->second;
  return fallbacks.emplace(static_cast<char32_t>(c), TLatinFallbacks::Instance().Find(c, page)).first->second;
}

void TCp1252Encoder::Impl::EncodeNormalised(std::string_view utf8, std::string& out,
                                            std::vector<TReplacedChar>& replaced) {
  // Into the buffers of earlier values; an ill-formed sequence becomes U+FFFD.
  const auto capacity = static_cast<int32_t>(utf8.size()) + 1;
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(text.getBuffer(capacity), capacity, &length, utf8.data(),
                       static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr, &status);
  text.releaseBuffer(U_SUCCESS(status) ? length : 0);
  status = U_ZERO_ERROR;
  nfc->normalize(text, normalized, status);
  if (U_FAILURE(status)) normalized = text;
  for (int32_t i = 0; i < normalized.length(); i = normalized.moveIndex32(i, 1)) {
    const UChar32 c = normalized.char32At(i);
    const int byte = Map(c);
    if (byte >= 0) {
      out += static_cast<char>(byte);
      continue;
    }
    const std::string& r = Fallback(c);
    out += r;
    replaced.push_back({static_cast<char32_t>(c), r});
  }
}

TCp1252Encoder::TCp1252Encoder() : impl_(std::make_unique<Impl>()) {}

TCp1252Encoder::~TCp1252Encoder() = default;

void TCp1252Encoder::Encode(std::string_view utf8, std::string& out) {
  replaced_.clear();
  const std::size_t start = out.size();
  const auto* p = reinterpret_cast<const std::uint8_t*>(utf8.data());
  const auto n = static_cast<int32_t>(utf8.size());
  const std::size_t ascii = AsciiPrefix(utf8);
  out.append(utf8.data(), ascii);
  // Text of characters that normalising leaves as they are (most text, in
  // any script) is taken character by character; anything else is
  // normalised first.
  for (auto i = static_cast<int32_t>(ascii); i < n;) {
    if (p[i] < 0x80) {
      out += static_cast<char>(p[i++]);
      continue;
    }
    UChar32 c;
    U8_NEXT(p, i, n, c);
    if (c < 0 || !impl_->Fast(c)) {
      out.resize(start);
      replaced_.clear();
      impl_->EncodeNormalised(utf8, out, replaced_);
      return;
    }
    if (const int byte = impl_->Map(c); byte >= 0) {
      out += static_cast<char>(byte);
      continue;
    }
    const std::string& r = impl_->Fallback(c);
    out += r;
    replaced_.push_back({static_cast<char32_t>(c), r});
  }
}

std::string TCp1252Encoder::CharName(char32_t codePoint) {
  char name[256];
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length =
      u_charName(static_cast<UChar32>(codePoint), U_UNICODE_CHAR_NAME, name, sizeof name, &status);
  return U_SUCCESS(status) ? std::string(name, static_cast<std::size_t>(length)) : std::string();
}

std::size_t AsciiPrefix(std::string_view text) {
  // Eight bytes at a time: most values are ASCII from end to end.
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

bool IsWellFormedUtf8(std::string_view text, bool& multiByte) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto n = static_cast<int32_t>(text.size());
  for (auto i = static_cast<int32_t>(AsciiPrefix(text)); i < n;) {
    if (p[i] < 0x80) {
      ++i;
      continue;
    }
    multiByte = true;
    UChar32 c;
    U8_NEXT(p, i, n, c);
    if (c < 0) return false;
  }
  return true;
}

} // namespace kelvo
