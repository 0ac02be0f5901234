#pragma once
// The spine of every conversion: the output record, the output file, the
// writer of records, the date stamp and the regular-expression clean-ups.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "convert/RunFiles.h"
#include "record/LineFormat.h"
#include "record/MarcError.h"
#include "record/MarcRec.h"
#include "record/VoFileOutStream.h"
#include "record/VoRegExpr.h"

namespace kelvo {

// One destination of a run and how many records went there (or nowhere).
struct TRunCount {
  std::string Label;    // Swedish text for the summary
  std::string FileName; // empty for "written nowhere"
  std::int64_t Count = 0;
  // The records are counted in another destination as well (they are a
  // part of those, not more records), e.g. "Ofullst\xe4ndiga".
  bool Subset = false;
};

// A file the run writes besides the output, and the records written there.
struct TSideFile {
  TSideFile(const std::string& fileName, const TOutputRole& role)
      : Label(role.Label), Destination(role.Destination),
        Stream(fileName, role.Name, TVoFileOutStream::TOpen::Keep) {}
  std::string_view Label;
  TDestination Destination;
  TVoFileOutStream Stream;
  std::int64_t Records = 0;
};

// In every subfield with the code of every field with the tag: when outer
// matches, the first match of inner inside the outer match is cut from the
// value (at most once per subfield).
void CleanUpSubfields(TMarcRec& rec, std::string_view tag, char code, TVoRegExpr& outer, TVoRegExpr& inner);

// Appends a field tag with indicators "0" "0", $a text (left out when blank)
// and $b today's date as "YYYY-MM-DD".
void AddStampField(TMarcRec& rec, std::string_view text, std::string_view tag);

// What the run has to tell when it ends, one text each: a warning (records
// skipped, an incomplete last record) or a note (what the character-set step
// did).
struct TRunMessage {
  enum class TKind { Warning, Note };
  TKind Kind;
  std::string Text;
};

class TKonvBase {
public:
  // Opens the output file at once ("-": standard output) and raises
  // MarcError naming it when it cannot be opened. An existing file keeps its
  // content until BeginOutput.
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
  std::vector<std::string> SurveyList;
  TMarcRec OutRecord;
  TVoRegExpr RegEx;

  // Records written by WriteRecord, and records a converter wrote nowhere.
  // A converter counts a record it drops in DroppedRecords, and so does a
  // write that fails; the blank piece after a file's final separator is no
  // record and counts nowhere.
  std::int64_t WrittenRecords = 0;
  std::int64_t DroppedRecords = 0;
  // Records cut short by the end of the input, converted as far as they go
  // (and counted where they went as well).
  std::int64_t IncompleteRecords = 0;

  // Checks that no two files the run writes are one file on disk, nor the
  // input (CheckDistinctFiles), then empties them all. Until then they are
  // open but unchanged, so a start refused here or earlier leaves every
  // existing file as it was; the files the run created are removed again
  // then. The first ConvertNext and the first write call it; once only.
  void BeginOutput();
  // Writes what is gathered and closes the output and the side files, every
  // one of them; raises MarcError naming the first file whose data the
  // system could not store. Called again, it does nothing.
  void CloseOutput();

  // Renders OutRecord with RecordSeparator straight into the output file's
  // block, which reaches the file when it is full or at CloseOutput. A file
  // that cannot take a block raises MarcError naming it and ends on the
  // last whole record it took; the records of the block that did not reach
  // it move from WrittenRecords to DroppedRecords.
  virtual void WriteRecord();
  virtual void ConvertNext() = 0;
  virtual int Percent() const = 0;
  // Where the records of the run went, for the summary:
  // {"Utfil", OutFileName, WrittenRecords}, one entry per side file in the
  // order they were opened, and {"Ej skrivna", "", DroppedRecords} (each also
  // when 0), then {"Ofullst\xe4ndiga", "", IncompleteRecords} as a subset
  // when there are any.
  virtual std::vector<TRunCount> RunCounts() const;
  // After the last record (or an error): what the run has to tell.
  virtual std::vector<TRunMessage> RunMessages() const { return {}; }
  // After the last record: raises TInputFormatError when the input held text
  // but nothing that reads as a record of its format.
  virtual void CheckInputFormat() const {}

  // AddStampField on OutRecord.
  void AddStampField(std::string_view text, std::string_view tag);
  // codes holds one subfield code per tag. Raises "CleanUpWithRegEx anropat
  // med felaktigt antal parametrar" when the lengths differ.
  void CleanUpWithRegEx(std::string_view outerPattern, std::string_view innerPattern,
                        const std::vector<std::string>& tags, std::string_view codes);
  // Every tag from fromTag to toTag (as numbers, padded to 3 digits); an
  // unreadable fromTag counts as 999 and an unreadable toTag as 0.
  void CleanUpWithRegExRange(std::string_view outerPattern, std::string_view innerPattern,
                             std::string_view fromTag, std::string_view toTag, char code);

  // The rendering WriteRecord writes (trim, filter, variants), without the separator.
  std::string RenderOutRecord();
  // What a record delivered to destination is written as, without the
  // separator: RenderOutRecord, unless the profile writes a side file otherwise.
  virtual std::string RenderFor(TDestination destination);

protected:
  // Opens a side file the way the output is opened (BeginOutput empties it);
  // raises MarcError naming it when it cannot be opened.
  TSideFile& OpenSideFile(const std::string& fileName, const TOutputRole& role);
  // Renders OutRecord like WriteRecord into a side file (converters'
  // WriteSideRecord).
  void WriteRenderedTo(TSideFile& side);
  // Append one whole record's text (separator included) to the output or a
  // side file and count it, like WriteRecord.
  void WriteToOutFile(std::string_view text);
  void WriteTo(TSideFile& side, std::string_view text);
  // Opens the output file and sets OutFileName, as the constructor describes.
  void OpenOutFile(const std::string& outFileName);
  // The files the run reads, for BeginOutput's check.
  virtual std::vector<TRunFile> ReadFiles() const { return {}; }
  // The side file opened for the destination, or none.
  TSideFile* SideFile(TDestination destination) const;
  // A side file is open for the destination (on a worker's converter: on its master's).
  bool HasSideFile(TDestination destination) const;
  // A worker's converter routes like master: to the side files master opened.
  void CopySideFileDestinations(const TKonvBase& master) { sideDestinations_ = master.sideDestinations_; }
  // Appends what WriteRecord writes, separator included, to out.
  void RenderWithSeparator(std::string& out);
  // What a converter may change in the rendering: whether the subfield values
  // are trimmed first, and (when AdaptsRenderedText is set) what is done to
  // the text before the variants.
  bool TrimBeforeRendering = true;
  bool AdaptsRenderedText = false;
  virtual void AdaptRenderedText(std::string& /*text*/) {}

  TVoRegExpr plainRegEx_{false}; // the inner expression of CleanUpWithRegEx
  std::string textBuffer_;       // reused between records

private:
  std::unique_ptr<TVoFileOutStream> outFile_;
  std::vector<std::unique_ptr<TSideFile>> sideFiles_;
  std::vector<TDestination> sideDestinations_;
  bool outputBegun_ = false;
  TLineVariants lineVariants_;

  // Appends what WriteRecord writes, without the separator, to out.
  void AppendRendering(std::string& out);
  // The output stream; raises (and counts the record as dropped) when there is none.
  TVoFileOutStream& OutStream();
  // Renders OutRecord with RecordSeparator into stream as one record counted in count.
  void WriteRendered(TVoFileOutStream& stream, std::int64_t& count);
  // Ends the record appended to stream's block and counts it in count.
  void EndRecord(TVoFileOutStream& stream, std::int64_t& count);
  // "<what>utfilen <name>".
  MarcError OutFileError(std::string_view what) const;
};

} // namespace kelvo
