#include "record/Cp1252Encoder.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>
#include <unordered_map>

#include "record/LatinForm.h"
#include "record/MarcError.h"

namespace kelvo {

namespace {

// The Latin forms of the characters the table made at build time lacks,
// worked out once a process: every encoder (one a thread) asks here for
// such a character it has not met before.
class TLatinFallbacks {
public:
  static TLatinFallbacks& Instance() {
    static TLatinFallbacks instance;
    return instance;
  }

  std::string Find(char32_t c) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto known = fallbacks_.find(c);
    if (known != fallbacks_.end()) return known->second;
    return fallbacks_.emplace(c, maker_.Make(c)).first->second;
  }

private:
  std::mutex mutex_;
  TLatinFormMaker maker_;
  std::unordered_map<char32_t, std::string> fallbacks_;
};

} // namespace

struct TCp1252Encoder::Impl {
  const TCodePage& page = TCodePage::Instance();
  const icu::Normalizer2* nfc = nullptr;
  std::unordered_map<char32_t, std::string> others; // the forms met of characters the table lacks
  // The latest replaced characters by their low bits, so that a character
  // met again (most are, many times a record) costs no search.
  struct TRecent {
    char32_t CodePoint = ~char32_t{0};
    std::string_view Form;
  };
  std::array<TRecent, 256> recent;
  icu::UnicodeString text, normalized; // reused between values

  Impl();
  int Map(UChar32 c) const { return page.Map(c); }
  bool Fast(UChar32 c) const { return c < static_cast<UChar32>(NfcStableLimit) || nfc->isInert(c); }
  std::string_view Fallback(UChar32 c);
  void EncodeNormalised(std::string_view utf8, std::string& out, std::vector<TReplacedChar>& replaced);
};

TCp1252Encoder::Impl::Impl() {
  UErrorCode status = U_ZERO_ERROR;
  nfc = icu::Normalizer2::getNFCInstance(status);
  if (U_FAILURE(status))
    throw MarcError(std::string("NFC-normalisering saknas (ICU): ") + u_errorName(status));
}

// The closest Latin form: from the table made at build time, else worked
// out by ICU (once a process) and kept.
std::string_view TCp1252Encoder::Impl::Fallback(UChar32 c) {
  const auto codePoint = static_cast<char32_t>(c);
  TRecent& slot = recent[codePoint % recent.size()];
  if (slot.CodePoint == codePoint) return slot.Form;
  std::string_view form;
  if (!FindLatinForm(codePoint, form)) {
    auto known = others.find(codePoint);
    if (known == others.end())
      known = others.emplace(codePoint, TLatinFallbacks::Instance().Find(codePoint)).first;
    form = known->second; // the table's values stay where they are
  }
  slot = {codePoint, form};
  return form;
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
  const UChar* units = normalized.getBuffer();
  const int32_t length16 = normalized.length();
  for (int32_t i = 0; i < length16;) {
    UChar32 c;
    U16_NEXT(units, i, length16, c);
    const int byte = Map(c);
    if (byte >= 0) {
      out += static_cast<char>(byte);
      continue;
    }
    const std::string_view r = Fallback(c);
    out += r;
    replaced.push_back({static_cast<char32_t>(c), std::string(r)});
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
      const std::size_t run = AsciiPrefix(utf8.substr(static_cast<std::size_t>(i)));
      out.append(utf8.data() + i, run);
      i += static_cast<int32_t>(run);
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
    const std::string_view r = impl_->Fallback(c);
    out += r;
    replaced_.push_back({static_cast<char32_t>(c), std::string(r)});
  }
}

std::string TCp1252Encoder::CharName(char32_t codePoint) {
  char name[256];
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length =
      u_charName(static_cast<UChar32>(codePoint), U_UNICODE_CHAR_NAME, name, sizeof name, &status);
  return U_SUCCESS(status) ? std::string(name, static_cast<std::size_t>(length)) : std::string();
}

bool IsWellFormedUtf8(std::string_view text, bool& multiByte) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto n = static_cast<int32_t>(text.size());
  for (auto i = static_cast<int32_t>(AsciiPrefix(text)); i < n;) {
    if (p[i] < 0x80) {
      i += static_cast<int32_t>(AsciiPrefix(text.substr(static_cast<std::size_t>(i))));
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
