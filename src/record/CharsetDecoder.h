#pragma once
// The character-set step between reading a record and converting it: the
// field values of a record read as UTF-8 or MARC-8 are decoded into code
// page 1252, once, before any rule sees them. The leader, tags, indicators
// and subfield codes stay the source's bytes.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "record/Cp1252Encoder.h"
#include "record/Marc8Decoder.h"

namespace kelvo {

class TMarcRec;

// auto: leader/09 "a", or valid UTF-8 with a multi-byte sequence, is UTF-8,
// anything else code page 1252; MARC-8 only when chosen; cp1252: no step.
enum class TCharset { Auto, Utf8, Marc8, Cp1252 };

struct TCharsetName {
  TCharset Charset;
  std::string_view Name; // as on the command line and in the settings file
};

inline constexpr TCharsetName CharsetNames[] = {
    {TCharset::Auto, "auto"},
    {TCharset::Utf8, "utf-8"},
    {TCharset::Marc8, "marc-8"},
    {TCharset::Cp1252, "cp1252"},
};

std::optional<TCharset> CharsetFromName(std::string_view name);

// A record the summary names: its number in the input, its 001 and what happened.
struct TCharsetExample {
  std::int64_t Record;
  std::string Id;
  std::string Text;
};

// Told of every character the step replaced: the record's number and 001, and the character.
using TReplacementObserver =
    std::function<void(std::int64_t record, std::string_view id, const TReplacedChar&)>;

// What became of a replaced character, in the words of the summary and the report:
// "U+0142 LATIN SMALL LETTER L WITH STROKE ersattes med "l"".
std::string ReplacementText(const TReplacedChar& replaced);

// What the character-set step did over a stretch of the input: the counts
// and the first records the summary names.
struct TCharsetTally {
  std::int64_t Utf8Records = 0;  // decoded from UTF-8
  std::int64_t Marc8Records = 0; // decoded from MARC-8
  std::int64_t InvalidUtf8Records = 0;
  std::int64_t ReplacedChars = 0; // characters without a code page 1252 form
  std::int64_t RecordsWithReplacements = 0;
  static constexpr std::size_t MaxExamples = 5;
  std::vector<TCharsetExample> ReplacedExamples; // distinct characters
  std::vector<TCharsetExample> InvalidExamples;

  bool Empty() const { return Utf8Records + Marc8Records + InvalidUtf8Records == 0; }
  // Adds the tally of the stretch of the input that follows this one, as if
  // one step had decoded both: the same counts and the same examples.
  void Add(const TCharsetTally& later);
  // The summary's lines; none when no record needed the step.
  std::vector<std::string> SummaryLines() const;

protected:
  // Keeps example as a replaced character's example unless it is shown or the list is full.
  void AddReplacedExample(const TCharsetExample& example);
};

class TCharsetDecoder : public TCharsetTally {
public:
  // Opens the converters the character set needs, once for the run; raises
  // MarcError when one cannot be opened.
  explicit TCharsetDecoder(TCharset charset);
  ~TCharsetDecoder();
  TCharsetDecoder(const TCharsetDecoder&) = delete;
  TCharsetDecoder& operator=(const TCharsetDecoder&) = delete;

  // Decodes the values of every field but the leader in place. A record that
  // is to be UTF-8 but is not well-formed UTF-8 stays as it is (code page
  // 1252) and is counted when its leader or the chosen set said UTF-8. The
  // text the record was read from, when given, lets an ASCII record pass at once.
  void Decode(TMarcRec& rec, std::int64_t recordNumber, std::string_view source = {});

  const TCharset Charset;
  // Told of every replaced character, in the order of the records; none by default.
  TReplacementObserver OnReplaced;

  // The tally so far, which starts again from nothing.
  TCharsetTally TakeTally();

private:
  bool DecodeUtf8(TMarcRec& rec, std::int64_t recordNumber);
  bool DecodeMarc8(TMarcRec& rec);
  // Writes the code page 1252 form of utf8 into value and notes what had to be replaced.
  void Encode(std::string_view utf8, std::string& value);

  std::unique_ptr<TCp1252Encoder> encoder_;
  std::unique_ptr<TMarc8Decoder> marc8_;
  std::string utf8_, cp1252_;                 // reused between values
  std::vector<std::string*> toDecode_;        // the values of the record beyond ASCII
  std::vector<TReplacedChar> recordReplaced_; // of the record being decoded
  // The characters offered as examples, a bit a code point: a character is
  // offered once. A worker's decoder starts a tally every record, so without
  // this it would word the same characters as examples record after record.
  std::vector<std::uint64_t> offered_;
};

} // namespace kelvo
