// The runs of TKonvSimple on more than one thread: converting batches of
// records on worker threads (profiles with NewWorker), or reading and parsing
// ahead on a second thread (ReadAndParse). Either way every record reaches
// the files, the counts, the messages and the observer on the calling
// thread, in input order, as in the run on one thread.
#include <exception>
#include <tuple>

#include "convert/KonvSimple.h"
#include "record/Iso2709.h"

namespace kelvo {

void TKonvSimple::StartPipeline(bool readAhead) {
  BeginOutput(); // refuses clashing files before any thread starts
  const auto fill = [this](TRecordBatch& batch) { return FillBatch(batch); };
  if (readAhead) {
    parseOptions_.CopyOptions(OutRecord);
    pipeline_ = std::make_unique<TRecordPipeline>(
        1, fill, [this](std::size_t, TRecordBatch& batch) { ParseBatch(batch); },
        TRecordPipeline::TFillOn::Worker);
    return;
  }
  for (int i = 0; i < Jobs; ++i) {
    std::unique_ptr<TKonvSimple> worker = NewWorker();
    if (!worker) { // the profile converts on the calling thread only
      workers_.clear();
      return;
    }
    worker->labelsWanted_ = static_cast<bool>(OnRecord);
    workers_.push_back(std::move(worker));
  }
  pipeline_ = std::make_unique<TRecordPipeline>(
      workers_.size(), fill,
      [this](std::size_t worker, TRecordBatch& batch) { workers_[worker]->ConvertBatch(batch); });
}

void TKonvSimple::ReadAndConvert() {
  if (Jobs > 1 && RecordNumber == 0 && !xmlReader_) StartPipeline(false);
  TBatchRecord* record = nullptr;
  const TRecordBatch* batch = nullptr;
  if (!TakeRecord(record, batch)) {
    TKonvSimple::ConvertNext();
    ConvertRecord();
    return;
  }
  DeliverConverted(*record, *batch);
}

void TKonvSimple::ReadAndParse(TMarcRec& rec) {
  if (Jobs > 1 && RecordNumber == 0 && !xmlReader_) StartPipeline(true);
  TBatchRecord* record = nullptr;
  const TRecordBatch* batch = nullptr;
  if (!TakeRecord(record, batch)) {
    TKonvSimple::ConvertNext();
    ParseRecordText(rec, SourceIsIso);
    return;
  }
  if (record->Error) std::rethrow_exception(record->Error);
  // The parsed fields change places with the record's old ones, which the
  // parsing thread's record reuses: no node is made or freed.
  TMarcRec& parsed = *batch->Parsed[static_cast<std::size_t>(record - batch->Records.data())];
  if (SourceIsIso) rec.Couples.Clear(); // as ParseRecordText does
  rec.CurrentField = -1;
  rec.Fields.swap(parsed.Fields);
  parsed.Clear();
  if (decoder_) decoder_->Decode(rec, RecordNumber, RecordText);
}

bool TKonvSimple::TakeRecord(TBatchRecord*& record, const TRecordBatch*& batch) {
  if (!pipeline_ || EndOfInput) return false; // at the end ConvertNext stays at the end
  std::tie(record, batch) = pipeline_->Next();
  if (!record) return false; // never after a last record: the reader says which is last
  ++RecordNumber;
  RecordText = batch->TextOf(*record);
  EndOfInput = record->Last;
  percent_ = record->Percent;
  OutRecord.Clear();
  if (record->ReadError) std::rethrow_exception(record->ReadError);
  NoteInput(record->TooLongLength, record->RecordOffset);
  return true;
}

bool TKonvSimple::FillBatch(TRecordBatch& batch) {
  if (readerDone_) return true;
  while (batch.Records.size() < TRecordPipeline::BatchRecords &&
         batch.Text.size() < TRecordPipeline::BatchBytes) {
    TBatchRecord& record = batch.Records.emplace_back();
    record.Number = ++readNumber_;
    try {
      record.Last = Reader.ReadRecord(workBuffer_, TVblRec::ChunkSize);
    } catch (...) {
      record.ReadError = std::current_exception(); // raised when the record's turn comes
      readerDone_ = true;
      return true;
    }
    record.TextBegin = batch.Text.size();
    record.TextSize = Reader.Current.size();
    batch.Text += Reader.Current;
    record.TooLongLength = Reader.TooLongLength;
    record.RecordOffset = Reader.RecordOffset;
    record.Percent = Reader.Percent();
    if (record.Last) {
      readerDone_ = true;
      return true;
    }
  }
  return false;
}

void TKonvSimple::ParseBatch(TRecordBatch& batch) {
  for (std::size_t i = 0; i < batch.Records.size(); ++i) {
    if (batch.Parsed.size() <= i) {
      batch.Parsed.push_back(std::make_unique<TMarcRec>());
      batch.Parsed.back()->CopyOptions(parseOptions_);
    }
    TBatchRecord& record = batch.Records[i];
    if (record.ReadError) break;
    try {
      ParseText(batch.TextOf(record), *batch.Parsed[i], SourceIsIso);
    } catch (...) {
      record.Error = std::current_exception();
    }
  }
}

// On a worker's converter: each record as ConvertNext would see it, with
// its outcome noted in the record instead of written.
void TKonvSimple::ConvertBatch(TRecordBatch& batch) {
  capturedOut_ = &batch.Out;
  for (TBatchRecord& record : batch.Records) {
    if (record.ReadError) break;
    RecordNumber = record.Number;
    RecordText = batch.TextOf(record);
    EndOfInput = record.Last;
    IncompleteRecords = EndOfInput && SourceIsIso && IsIncompleteIso2709Record(RecordText) ? 1 : 0;
    OutRecord.Clear();
    captured_ = &record;
    record.OutBegin = batch.Out.size();
    try {
      ConvertRecord();
    } catch (...) {
      record.Error = std::current_exception();
      batch.Out.resize(record.OutBegin);
    }
    record.OutSize = batch.Out.size() - record.OutBegin;
    if (decoder_ && !decoder_->Empty()) record.Tally = decoder_->TakeTally();
  }
  captured_ = nullptr;
  capturedOut_ = nullptr;
}

// On the calling thread, in input order: what ConvertNext and Deliver would
// have done with the record.
void TKonvSimple::DeliverConverted(TBatchRecord& record, const TRecordBatch& batch) {
  if (record.Tally && decoder_) decoder_->Add(*record.Tally);
  if (record.Error) std::rethrow_exception(record.Error);
  if (!record.Delivered) return;
  const std::string_view text = batch.OutOf(record);
  switch (record.Route.Destination) {
  case TDestination::Output:
    WriteToOutFile(text);
    break;
  case TDestination::NotWritten:
    ++DroppedRecords;
    break;
  default:
    WriteTo(DestinationFile(record.Route.Destination), text);
    break;
  }
  TellRecord(record.Route, record.Id, record.Title);
}

} // namespace kelvo
