#include "record/CharsetDecoder.h"

#include <algorithm>
#include <cstdio>

#include "record/MarcRec.h"
#include "record/vostr.h"

namespace kelvo {

namespace {

constexpr std::string_view LeaderTag = "000";
constexpr char32_t Undecodable = 0; // a MARC-8 byte sequence YAZ could not read
constexpr char32_t MaxCodePoint = 0x10FFFF;

// Calls fn(value) for the data and every subfield value of each field but the
// leader; fn may change the value. Stops when fn returns false.
template <class Fn> void ForEachValue(TMarcRec& rec, Fn&& fn) {
  for (const auto& field : rec.Fields) {
    if (field->HasTag(LeaderTag)) continue;
    if (!field->Data.empty() && !fn(field->Data)) return;
    for (const auto& subfield : field->Subfields)
      if (!fn(subfield->Value)) return;
  }
}

std::string CodePointText(char32_t c) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
  return text;
}

} // namespace

std::string ReplacementText(const TReplacedChar& r) {
  if (r.CodePoint == Undecodable) return "ett MARC-8-tecken som inte kunde avkodas ersattes med \"?\"";
  std::string text = CodePointText(r.CodePoint);
  const std::string name = TCp1252Encoder::CharName(r.CodePoint);
  if (!name.empty()) text += " " + name;
  return text + (r.Replacement.empty() ? " utel\xe4mnades" : " ersattes med \"" + r.Replacement + "\"");
}

namespace {

std::string ExampleLine(const TCharsetExample& e) {
  std::string line = "  post " + std::to_string(e.Record);
  if (!e.Id.empty()) line += " (001 " + e.Id + ")";
  if (!e.Text.empty()) line += ": " + e.Text;
  return line;
}

} // namespace

std::optional<TCharset> CharsetFromName(std::string_view name) {
  for (const TCharsetName& n : CharsetNames)
    if (n.Name == name) return n.Charset;
  return std::nullopt;
}

TCharsetDecoder::TCharsetDecoder(TCharset charset) : Charset(charset) {
  if (charset == TCharset::Cp1252) return;
  encoder_ = std::make_unique<TCp1252Encoder>();
  if (charset == TCharset::Marc8) marc8_ = std::make_unique<TMarc8Decoder>();
}

TCharsetDecoder::~TCharsetDecoder() = default;

void TCharsetDecoder::Decode(TMarcRec& rec, std::int64_t recordNumber, std::string_view source) {
  if (Charset == TCharset::Cp1252) return;
  // An escape is ASCII, but MARC-8 text beyond the default sets.
  const bool plain = Charset == TCharset::Marc8 ? !TMarc8Decoder::NeedsDecoding(source)
                                                : AsciiPrefix(source) == source.size();
  if (!source.empty() && plain) return;
  recordReplaced_.clear();
  const bool decoded = Charset == TCharset::Marc8 ? DecodeMarc8(rec) : DecodeUtf8(rec, recordNumber);
  if (!decoded) return;
  ++(Charset == TCharset::Marc8 ? Marc8Records : Utf8Records);
  if (recordReplaced_.empty()) return;

  ReplacedChars += static_cast<std::int64_t>(recordReplaced_.size());
  ++RecordsWithReplacements;
  const std::string id = Trim(rec.FieldData("001"));
  if (OnReplaced)
    for (const TReplacedChar& r : recordReplaced_)
      OnReplaced(recordNumber, id, r);
  if (offered_.empty()) offered_.resize((MaxCodePoint + 1) / 64);
  for (const TReplacedChar& r : recordReplaced_) {
    if (ReplacedExamples.size() >= MaxExamples) break;
    // Each character stands for one replacement: its form is always the same.
    if (r.CodePoint <= MaxCodePoint) {
      std::uint64_t& word = offered_[r.CodePoint / 64];
      const std::uint64_t bit = std::uint64_t{1} << (r.CodePoint % 64);
      if (word & bit) continue;
      word |= bit;
    }
    AddReplacedExample({recordNumber, id, ReplacementText(r)});
  }
}

void TCharsetTally::AddReplacedExample(const TCharsetExample& example) {
  if (ReplacedExamples.size() >= MaxExamples) return;
  const bool shown = std::any_of(ReplacedExamples.begin(), ReplacedExamples.end(),
                                 [&](const TCharsetExample& e) { return e.Text == example.Text; });
  if (!shown) ReplacedExamples.push_back(example);
}

// The later stretch kept its first distinct examples; as many as this one
// still takes are among them, in input order.
void TCharsetTally::Add(const TCharsetTally& later) {
  Utf8Records += later.Utf8Records;
  Marc8Records += later.Marc8Records;
  InvalidUtf8Records += later.InvalidUtf8Records;
  ReplacedChars += later.ReplacedChars;
  RecordsWithReplacements += later.RecordsWithReplacements;
  for (const TCharsetExample& e : later.ReplacedExamples)
    AddReplacedExample(e);
  for (const TCharsetExample& e : later.InvalidExamples)
    if (InvalidExamples.size() < MaxExamples) InvalidExamples.push_back(e);
}

TCharsetTally TCharsetDecoder::TakeTally() {
  TCharsetTally& tally = *this;
  TCharsetTally taken = std::move(tally);
  tally = TCharsetTally();
  return taken;
}

bool TCharsetDecoder::DecodeUtf8(TMarcRec& rec, std::int64_t recordNumber) {
  // One pass judges the record and notes the values beyond ASCII, the only ones to convert.
  toDecode_.clear();
  bool wellFormed = true;
  ForEachValue(rec, [&](std::string& value) {
    bool multiByte = false;
    wellFormed = IsWellFormedUtf8(value, multiByte);
    if (multiByte) toDecode_.push_back(&value);
    return wellFormed;
  });
  if (toDecode_.empty()) return false; // ASCII only: nothing to decode
  if (!wellFormed) {
    const std::string leader = rec.Leader();
    const bool saidUtf8 = Charset == TCharset::Utf8 || (leader.size() > 9 && leader[9] == 'a');
    if (saidUtf8) {
      ++InvalidUtf8Records;
      if (InvalidExamples.size() < MaxExamples)
        InvalidExamples.push_back({recordNumber, Trim(rec.FieldData("001")), ""});
    }
    return false;
  }
  for (std::string* value : toDecode_)
    Encode(*value, *value);
  return true;
}

void TCharsetDecoder::Encode(std::string_view utf8, std::string& value) {
  cp1252_.clear();
  encoder_->Encode(utf8, cp1252_);
  value.assign(cp1252_); // in the value's own buffer: no allocation
  recordReplaced_.insert(recordReplaced_.end(), encoder_->Replaced().begin(), encoder_->Replaced().end());
}

bool TCharsetDecoder::DecodeMarc8(TMarcRec& rec) {
  bool decoded = false;
  auto decode = [&](std::string& value) {
    utf8_.clear();
    for (int i = marc8_->Decode(value, utf8_); i > 0; --i)
      recordReplaced_.push_back({Undecodable, "?"});
    Encode(utf8_, value);
  };
  for (const auto& field : rec.Fields) {
    if (field->HasTag(LeaderTag)) continue;
    // An escape in one subfield holds for the rest of the field.
    bool needed = TMarc8Decoder::NeedsDecoding(field->Data);
    for (const auto& subfield : field->Subfields)
      needed = needed || TMarc8Decoder::NeedsDecoding(subfield->Value);
    if (!needed) continue;
    decoded = true;
    marc8_->StartField();
    if (!field->Data.empty()) decode(field->Data);
    for (const auto& subfield : field->Subfields)
      decode(subfield->Value);
  }
  return decoded;
}

std::vector<std::string> TCharsetTally::SummaryLines() const {
  std::vector<std::string> lines;
  if (Empty()) return lines;
  lines.push_back("Omkodade poster: " + std::to_string(Utf8Records + Marc8Records) + " (UTF-8 " +
                  std::to_string(Utf8Records) + ", MARC-8 " + std::to_string(Marc8Records) + ")");
  if (ReplacedChars > 0) {
    lines.push_back("Tecken som ersatts: " + std::to_string(ReplacedChars) + " i " +
                    std::to_string(RecordsWithReplacements) + " poster");
    for (const TCharsetExample& e : ReplacedExamples)
      lines.push_back(ExampleLine(e));
  }
  if (InvalidUtf8Records > 0) {
    lines.push_back("Ogiltig UTF-8, l\xe4sta som teckentabell 1252: " + std::to_string(InvalidUtf8Records) +
                    " poster");
    for (const TCharsetExample& e : InvalidExamples)
      lines.push_back(ExampleLine(e));
  }
  return lines;
}

} // namespace kelvo
