#pragma once
// MARC-8 into UTF-8 through YAZ's iconv: the default sets (ASCII and the
// extended Latin set) at the start of each field, escape sequences that hold
// to the end of the field, combining marks moved after their base letter.
#include <string>
#include <string_view>

struct yaz_iconv_struct;

namespace kelvo {

class TMarc8Decoder {
public:
  // Raises MarcError when YAZ has no MARC-8 converter.
  TMarc8Decoder();
  ~TMarc8Decoder();
  TMarc8Decoder(const TMarc8Decoder&) = delete;
  TMarc8Decoder& operator=(const TMarc8Decoder&) = delete;

  // Back to the default sets: call at the start of every field.
  void StartField();
  // Appends the UTF-8 form of one value of the current field (the escapes of
  // earlier values of the field still hold) to out. Returns how many
  // characters could not be decoded; each became "?".
  int Decode(std::string_view marc8, std::string& out);

  // True when text needs decoding: it holds an escape or a byte above 0x7F.
  static bool NeedsDecoding(std::string_view text);

private:
  yaz_iconv_struct* cd_;
  std::string in_; // YAZ takes its input as a writable pointer
};

} // namespace kelvo
