#pragma once
// Adds the input side: the input file cut into record texts, progress, end
// of input, and the field survey.
#include <string>
#include <string_view>
#include <vector>

#include "convert/KonvBase.h"
#include "record/Iso2709.h"
#include "record/Vblrec.h"

namespace kelvo {

class TKonvSimple : public TKonvBase {
public:
  // Opens the input at once; raises MarcError naming the file when it cannot
  // be opened (and when the output cannot be created).
  TKonvSimple(const std::string& outFileName, const std::string& inFileName, const std::string& separator);
  TKonvSimple(const std::string& inFileName, const std::string& separator);
  ~TKonvSimple() override;

  TVblRec Reader;
  std::string RecordText;
  std::string InFileName;

  // Reads the next record text into RecordText, sets EndOfInput, clears OutRecord.
  void ConvertNext() override;
  int Percent() const override;

  // Field survey
  void ClearSurvey();
  void SurveyRecord();
  const std::vector<std::string>& FinishSurvey();

  // Fills rec (cleared first) from RecordText: ISO 2709 through the reader
  // (directory order, leader as "000", SortFields), else line-format parsing.
  void ParseRecordText(TMarcRec& rec, bool sourceIsIso);

protected:
  std::string workBuffer_;
  TIso2709 isoReader_;
};

// Joins filter-file lines into one text (one space between two non-blank lines).
std::string JoinFilterLines(const std::vector<std::string>& lines);
// Reads a filter file into its lines; a missing file gives no lines.
std::vector<std::string> LoadFilterLines(const std::string& fileName);

} // namespace kelvo
