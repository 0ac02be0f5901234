#pragma once
// Adds the input side: the input file cut into record texts, progress, end
// of input, and the field survey.
#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "convert/FilterFile.h"
#include "convert/KonvBase.h"
#include "convert/RecordPipeline.h"
#include "record/CharsetDecoder.h"
#include "record/Iso2709.h"
#include "record/MarcXmlReader.h"
#include "record/Vblrec.h"

namespace kelvo {

class TKonvSimple : public TKonvBase {
public:
  // A converter of a worker thread: no files, the run options of master (a
  // converter of the same class), its own records, patterns and character-set step.
  struct TWorkerOf {
    const TKonvSimple& Master;
  };

  // Opens the input at once, then the output (TKonvBase); raises MarcError
  // naming the file when either cannot be opened. BeginOutput refuses an
  // output that is the input before anything is truncated.
  // separator: one character, or a string that separates records as a whole.
  TKonvSimple(const std::string& outFileName, const std::string& inFileName, const std::string& separator);
  TKonvSimple(const std::string& inFileName, const std::string& separator);
  ~TKonvSimple() override;

  TVblRec Reader;
  // The record text ConvertNext read: a view into the reader's buffer (or,
  // for MARCXML, the record's XML), valid until the next ConvertNext.
  std::string_view RecordText;
  std::string InFileName;
  // The input is ISO 2709 (else line format); the converters set it.
  bool SourceIsIso = false;
  // What every profile has: the record as read, whether the rules run at all
  // (else the record passes as it was read), and the label its stamp field
  // carries (profile 2's stamp has a fixed text).
  TMarcRec SourceRecord;
  bool ConvertToKv2 = true;
  std::string ConversionLabel;

  // Reads the next record text into RecordText, sets EndOfInput, clears
  // OutRecord. The first call begins the output (BeginOutput). A record
  // skipped by the reader as too long comes as an empty text and counts in
  // DroppedRecords; an incomplete last ISO 2709 record counts in
  // IncompleteRecords. Both are warnings of RunMessages.
  void ConvertNext() override;
  int Percent() const override;
  // The warnings of the input side, then the character-set step's notes.
  std::vector<TRunMessage> RunMessages() const override;
  void CheckInputFormat() const override;
  // Sets the format and the record terminator that goes with it; only before
  // the first record is read (after Reader.Peek).
  void SetSourceFormat(bool sourceIsIso);

  // Field survey: SurveyList gets one entry per tag, the tag followed by the
  // subfield codes seen with it. SurveyRecord reads the next record; a "*"
  // inside a line is content there, not the start of a field.
  void ClearSurvey();
  void SurveyRecord();
  // Sorts each entry's codes by byte value and the list case-insensitively.
  const std::vector<std::string>& FinishSurvey();

  // Fills rec (cleared first) from RecordText: ISO 2709 through the reader
  // (directory order, leader as "000", SortFields), else line-format parsing;
  // MARCXML input hands on the record read. Then the character-set step.
  void ParseRecordText(TMarcRec& rec, bool sourceIsIso);

  // ConvertNext and ParseRecordText into rec (SourceIsIso); with Jobs above 1
  // a second thread reads the record texts ahead. (Parsing there too gains
  // nothing: the parsed fields are cold in the cache of the thread that
  // converts them, and handing them over costs what the parsing saves.)
  void ReadAndParse(TMarcRec& rec);

  // The character-set step of the records that ParseRecordText fills (none
  // until set: the bytes pass as they are). MARCXML is always UTF-8.
  void SetCharset(TCharset charset);
  // Reads the input as MARCXML instead of cutting it into record texts;
  // RecordText is then a record's XML. A fault in the document ends the run
  // (MarcError with its line) after the records before it.
  void ReadMarcXml();
  // The one count of records read: calls of ConvertNext so far, the number
  // of the record in RecordText.
  std::int64_t RecordNumber = 0;

  // Told of every record of the input: where it went, or why it was not
  // written (RecordOutcome.h), in input order on the calling thread. None by default.
  TRecordObserver OnRecord;
  // Told of every character the character-set step replaced (CharsetDecoder.h). None by default.
  TReplacementObserver OnReplaced;
  // Threads that convert while the calling thread reads and writes (a
  // profile with NewWorker, input cut into record texts); 1: none. The
  // output, counts, messages and observer calls are the same for any number.
  int Jobs = 1;
  // The observer looks at the record as read (TRecordOutcome::Source, the
  // preview): TakeSourceAsOutput copies it instead of moving its fields.
  bool KeepsSourceRecord = false;
  // Writes OutRecord where the route says (a side file through
  // WriteSideRecord), or counts it as written nowhere, and tells OnRecord;
  // source gives the record's 001 and title (noted by TakeSourceAsOutput
  // when it moved the fields away).
  void Deliver(const TRoute& route, const TMarcRec& source);

protected:
  explicit TKonvSimple(TWorkerOf worker);
  // ConvertNext of a profile that converts record by record: reads the next
  // record and converts it (ConvertRecord), or with Jobs above 1 hands out
  // the next record the workers converted, as if it had been converted here.
  void ReadAndConvert();
  // Converts the record in RecordText into OutRecord and delivers it (Deliver).
  virtual void ConvertRecord() {}
  // For the profiles whose output begins as the record as read: OutRecord
  // (empty) gets what copying every field of SourceRecord gives. The fields
  // move unless KeepsSourceRecord; the 001 and title the observer is told
  // are noted first, since the rules may change them.
  void TakeSourceAsOutput();
  // A converter for a worker thread, made on the calling thread; none: the
  // profile converts on the calling thread only.
  virtual std::unique_ptr<TKonvSimple> NewWorker() const { return nullptr; }
  std::vector<TRunFile> ReadFiles() const override;
  // Writes OutRecord to a side file, rendered like the output.
  virtual void WriteSideRecord(TSideFile& side) { WriteRenderedTo(side); }

  std::string workBuffer_;
  TIso2709 isoReader_;

private:
  void OpenInput(const std::string& inFileName, const std::string& separator);
  // What ConvertNext notes about the record just read: its length when it
  // was skipped as too long, and where it began.
  void NoteInput(std::int64_t tooLongLength, std::int64_t recordOffset);
  // source: the record as read, where the calling thread converted it.
  void TellRecord(const TRoute& route, std::string_view id, std::string_view title,
                  const TMarcRec* source = nullptr) const;
  // The side file opened for a destination; raises (the record dropped) when there is none.
  TSideFile& DestinationFile(TDestination destination);

  // The runs on more threads (KonvSimpleThreads.cpp). Converting: the
  // calling thread reads batches, a worker's converter converts them, and
  // the calling thread delivers each record. Reading ahead: one thread reads
  // batches, the calling thread takes each record.
  void StartPipeline(bool readAhead);
  bool FillBatch(TRecordBatch& batch);
  void ConvertBatch(TRecordBatch& batch);
  // Takes the next record of the pipeline and its batch as ConvertNext would
  // have read it; none without a pipeline or at the end.
  std::pair<TBatchRecord*, const TRecordBatch*> TakeRecord();
  void DeliverConverted(TBatchRecord& record, const TRecordBatch& batch);
  std::unique_ptr<TRecordPipeline> pipeline_;
  std::vector<std::unique_ptr<TKonvSimple>> workers_;
  // The filling thread's: records read so far, and the reader at its end.
  std::int64_t readNumber_ = 0;
  bool readerDone_ = false;
  int percent_ = 0; // of the record handed out last
  // While a worker converts: the record whose outcome Deliver notes, and its batch.
  TBatchRecord* captured_ = nullptr;
  TRecordBatch* capturedBatch_ = nullptr;
  bool labelsWanted_ = false; // a worker notes the 001 and title for the observer
  // SourceRecord's fields went to OutRecord; its 001 and title as they were.
  bool sourceTaken_ = false;
  std::string takenId_, takenTitle_;

  bool textSeen_ = false;   // a record text that is not blank
  bool recordSeen_ = false; // one that reads as a record of the format
  std::vector<TRunMessage> inputWarnings_;

  void NextXmlRecord();

  TCharset charset_ = TCharset::Cp1252;
  std::unique_ptr<TCharsetDecoder> decoder_;
  std::unique_ptr<TMarcXmlReader> xmlReader_;
  TMarcRec xmlRecord_, xmlNext_; // the record handed on, and the one read ahead
  std::string xmlText_, xmlNextText_;
  bool xmlHasNext_ = false;

  std::string surveyText_;                                      // reused between records
  std::map<std::string, std::size_t, std::less<>> surveyIndex_; // tag -> index in SurveyList
};

} // namespace kelvo
