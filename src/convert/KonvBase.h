#pragma once
// The spine of every conversion: the output record, the output file, the
// writer of records, the date stamp and the regular-expression clean-ups.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "record/Binfile.h"
#include "record/MarcRec.h"
#include "record/VoRegExpr.h"

namespace kelvo {

// One destination of a run and how many records went there (or nowhere).
struct TRunCount {
  std::string Label;    // Swedish text for the summary
  std::string FileName; // empty for "written nowhere"
  std::int64_t Count = 0;
};

class TKonvBase {
public:
  // Creates (truncates) the output file at once; raises MarcError naming the
  // file when it cannot be created.
  explicit TKonvBase(const std::string &outFileName);
  // No output file (the field survey).
  TKonvBase();
  virtual ~TKonvBase();
  TKonvBase(const TKonvBase &) = delete;
  TKonvBase &operator=(const TKonvBase &) = delete;

  bool RemoveDuplicateLines = false;
  bool SubfieldLines = false;
  std::string RecordSeparator = "\r\n^\r\n";
  std::string OutFileName;
  bool EndOfInput = false;
  TBinFile OutFile;
  std::vector<std::string> SurveyList;
  TMarcRec OutRecord;
  TVoRegExpr RegEx;

  // Records written by WriteRecord, and records a converter wrote nowhere.
  // A converter counts a record it drops in DroppedRecords; the blank piece
  // after a file's final separator is no record and counts nowhere.
  std::int64_t WrittenRecords = 0;
  std::int64_t DroppedRecords = 0;

  // Renders OutRecord and appends it with RecordSeparator to the output file;
  // a failed write raises MarcError naming the file.
  virtual void WriteRecord();
  virtual void ConvertNext() = 0;
  virtual int Percent() const = 0;
  // Where the records of the run went, for the summary: always
  // {"Utfil", OutFileName, WrittenRecords} and then
  // {"Ej skrivna", "", DroppedRecords} (also when 0). A converter with side
  // files calls this and appends one entry per side file it opened.
  virtual std::vector<TRunCount> RunCounts() const;
  // Further lines of the run's summary (what the character-set step did);
  // none by default.
  virtual std::vector<std::string> RunNotes() const { return {}; }

  // Appends a field tag with indicators "0" "0", $a text (left out when
  // blank) and $b today's date as "YYYY-MM-DD".
  void AddStampField(std::string_view text, std::string_view tag);
  // codes holds one subfield code per tag. Raises "CleanUpWithRegEx anropat
  // med felaktigt antal parametrar" when the lengths differ.
  void CleanUpWithRegEx(std::string_view outerPattern, std::string_view innerPattern,
                        const std::vector<std::string> &tags, std::string_view codes);
  // Every tag from fromTag to toTag (as numbers, padded to 3 digits); an
  // unreadable fromTag counts as 999 and an unreadable toTag as 0.
  void CleanUpWithRegExRange(std::string_view outerPattern, std::string_view innerPattern,
                             std::string_view fromTag, std::string_view toTag, char code);

  // The rendering WriteRecord writes (trim, filter, variants), without the separator.
  std::string RenderOutRecord();

protected:
  // Renders OutRecord like WriteRecord and appends it with RecordSeparator to
  // a side file (converters' WriteSideRecord).
  void WriteRenderedTo(class TVoFileOutStream &stream);
  // Creates (truncates) the output file and sets OutFileName; raises
  // MarcError naming the file when it cannot be created.
  void CreateOutFile(const std::string &outFileName);

  TVoRegExpr plainRegEx_{false}; // the inner expression of CleanUpWithRegEx
  std::string textBuffer_;       // reused between records

private:
  std::string variantBuffer_; // the output variants' second buffer

  // Fills textBuffer_ with what WriteRecord writes, without the separator.
  void RenderToBuffer();
  // One clean-up step on every subfield code of every field tag, with the
  // patterns already set in RegEx and plainRegEx_.
  void CleanUpTag(std::string_view tag, char code);
};

} // namespace kelvo
