#pragma once
// The line end of the line format and the two output variants of a record's text.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

// The line end of the format, also what parsing turns into a blank.
inline constexpr std::string_view LineEnd = "\r\n";
// Separates the records of a line-format input.
inline constexpr char LineRecordTerminator = '^';

// True when some line of a record text begins with the field mark "*"
// (after blanks): what tells a line-format record from other text.
bool HasFieldLine(std::string_view text);

// "Dubblettrader i resultat raderas": every line once (case-insensitive),
// each followed by CR LF; trailing empty lines dropped.
std::string RemoveDuplicateLinesText(std::string_view text);
// Every subfield after the first of a line on a line of its own; lines joined
// with CR LF only between two non-blank lines, none after the last.
std::string SubfieldLinesText(std::string_view text, char delimiter = '$');

// The same two variants appended to out (the writer's reused buffer); text
// must not be a view into out.
void AppendWithoutDuplicateLines(std::string& out, std::string_view text);
void AppendSubfieldLines(std::string& out, std::string_view text, char delimiter = '$');

// Both variants, or either, in one pass over the text, with the storage of
// duplicate-line removal kept from record to record: what the writer uses.
// With both, the result is that of AppendSubfieldLines on the text that
// AppendWithoutDuplicateLines makes.
class TLineVariants {
public:
  TLineVariants();
  // text must not be a view into out.
  void Append(std::string& out, std::string_view text, bool removeDuplicates, bool subfieldLines,
              char delimiter = '$');

private:
  // False when line equals (but for letter case and CR) a line kept before.
  bool IsNewLine(std::string_view line);
  std::uint64_t Hash(std::string_view line);
  void Rehash(std::size_t slotCount); // a table of slotCount slots (a power of two) for kept_
  bool SameLine(std::string_view a, std::string_view b) const;
  // Appends a piece of a line without its CR characters.
  void AppendPiece(std::string& out, std::string_view piece) const;
  void AppendSubfieldLine(std::string& out, std::string_view line, char delimiter) const;

  unsigned char upper_[256];              // the case mapping, at hand for every byte
  bool bareCr_ = false;                   // the text holds a CR that ends no line
  std::vector<std::string_view> kept_;    // the lines kept so far of this text
  std::vector<std::uint64_t> keptHashes_; // and their hashes
  std::vector<std::int32_t> slots_;       // open-addressed table of kept_ indexes, -1 for free
  std::size_t slotMask_ = 0;
  std::string crFree_; // a line without its CR characters, to hash
};

} // namespace kelvo
