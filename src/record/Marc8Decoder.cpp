#include "record/Marc8Decoder.h"

#include <algorithm>
#include <yaz/yaz-iconv.h>

#include "record/MarcError.h"

namespace kelvo {

TMarc8Decoder::TMarc8Decoder() : cd_(yaz_iconv_open("UTF-8", "MARC8")) {
  if (!cd_) throw MarcError("MARC-8-avkodningen kan inte \xf6ppnas (YAZ iconv)");
}

TMarc8Decoder::~TMarc8Decoder() { yaz_iconv_close(cd_); }

void TMarc8Decoder::StartField() { yaz_iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

int TMarc8Decoder::Decode(std::string_view marc8, std::string& out) {
  in_.assign(marc8);
  char* in = in_.data();
  std::size_t inLeft = in_.size();
  int failed = 0;
  while (inLeft > 0) {
    const std::size_t at = out.size();
    out.resize(at + inLeft * 4 + 16);
    char* to = out.data() + at;
    std::size_t toLeft = out.size() - at;
    const std::size_t result = yaz_iconv(cd_, &in, &inLeft, &to, &toLeft);
    out.resize(out.size() - toLeft);
    if (result != static_cast<std::size_t>(-1)) break;
    switch (yaz_iconv_error(cd_)) {
    case YAZ_ICONV_E2BIG:
      break;               // more room on the next turn
    case YAZ_ICONV_EINVAL: // an escape or a combining mark left unfinished at the end
      ++failed;
      out += '?';
      inLeft = 0;
      StartField();
      break;
    default: // a byte that starts no character: skipped
      ++failed;
      out += '?';
      ++in;
      --inLeft;
      break;
    }
  }
  return failed;
}

bool TMarc8Decoder::NeedsDecoding(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x80 || b == 0x1b;
  });
}

} // namespace kelvo
