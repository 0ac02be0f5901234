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
  explicit TKonvBase(const std::string& outFileName);
  // No output file (the field survey).
  TKonvBase();
  virtual ~TKonvBase();
  TKonvBase(const TKonvBase&) = delete;
  TKonvBase& operator=(const TKonvBase&) = delete;

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
  std::int64_t WrittenRecords = 0;
  std::int64_t DroppedRecords = 0;

  // Renders OutRecord and appends it with RecordSeparator to the output file;
  // a failed write raises MarcError naming the file.
  virtual void WriteRecord();
  virtual void ConvertNext() = 0;
  virtual int Percent() const = 0;
  // Where the records of the run went: the output file first, then side files
  // and "written nowhere"; converters with side files extend the list.
  virtual std::vector<TRunCount> RunCounts() const;

  void AddStampField(std::string_view text, std::string_view tag);
  // Raises "CleanUpWithRegEx anropat med felaktigt antal parametrar" when the
  // arrays differ in length.
  void CleanUpWithRegEx(std::string_view outerPattern, std::string_view innerPattern,
                        const std::vector<std::string>& tags, std::string_view codes);
  void CleanUpWithRegExRange(std::string_view outerPattern, std::string_view innerPattern,
                             std::string_view fromTag, std::string_view toTag, char code);

  // The rendering WriteRecord writes (trim, filter, variants), without the separator.
  std::string RenderOutRecord();

protected:
  // Renders OutRecord like WriteRecord and appends it with RecordSeparator to
  // a side file (converters' WriteSideRecord).
  void WriteRenderedTo(class TVoFileOutStream& stream);

  TVoRegExpr plainRegEx_{false}; // the inner expression of CleanUpWithRegEx
  std::string textBuffer_;       // reused between records
};

} // namespace kelvo
