// The runs of TKonvSimple on more than one thread: converting batches of
// records on worker threads (profiles with NewWorker), or reading ahead on a
// second thread (ReadAndParse). Either way every record reaches
// the files, the counts, the messages and the observer on the calling
// thread, in input order, as in the run on one thread.
#include <exception>
#include <utility>

#include "convert/KonvSimple.h"
#include "record/Iso2709.h"

namespace kelvo {

void TKonvSimple::StartPipeline(bool readAhead) {
  BeginOutput(); // refuses clashing files before any thread starts
  const auto fill = [this](TRecordBatch& batch) { return FillBatch(batch); };
  if (readAhead) {
    pipeline_ = std::make_unique<TRecordPipeline>(
        1, fill, [](std::size_t, TRecordBatch&) {}, TRecordPipeline::TFillOn::Worker);
    return;
  }
  for (int i = 0; i < Jobs; ++i) {
    std::unique_ptr<TKonvSimple> worker = NewWorker();
    if (!worker) { // the profile converts on the calling thread only
      workers_.clear();
      return;
    }
    worker->labelsWanted_ = static_cast<bool>(OnRecord);
    if (OnReplaced) // kept with the record, told on the calling thread in its turn
      worker->OnReplaced = [w = worker.get()](std::int64_t, std::string_view id, const TReplacedChar& r) {
        w->captured_->ReplacedId = id;
        w->captured_->Replaced.push_back(r);
      };
    workers_.push_back(std::move(worker));
  }
  pipeline_ = std::make_unique<TRecordPipeline>(
      workers_.size(), fill,
      [this](std::size_t worker, TRecordBatch& batch) { workers_[worker]->ConvertBatch(batch); });
}

void TKonvSimple::ReadAndConvert() {
  if (Jobs > 1 && RecordNumber == 0 && !xmlReader_) StartPipeline(false);
  const auto [record, batch] = TakeRecord();
  if (record) {
    DeliverConverted(*record, *batch);
    return;
  }
  TKonvSimple::ConvertNext();
  ConvertRecord();
}

void TKonvSimple::ReadAndParse(TMarcRec& rec) {
  if (Jobs > 1 && RecordNumber == 0 && !xmlReader_) StartPipeline(true);
  if (!TakeRecord().first) TKonvSimple::ConvertNext();
  ParseRecordText(rec, SourceIsIso);
}

std::pair<TBatchRecord*, const TRecordBatch*> TKonvSimple::TakeRecord() {
  if (!pipeline_ || EndOfInput) return {}; // at the end ConvertNext stays at the end
  const auto [record, batch] = pipeline_->Next();
  if (!record) return {}; // never after a last record: the reader says which is last
  ++RecordNumber;
  RecordText = record->Text.In(batch->Text);
  EndOfInput = record->Last;
  percent_ = record->Percent;
  OutRecord.Clear();
  if (record->ReadError) std::rethrow_exception(record->ReadError);
  NoteInput(record->TooLongLength, record->RecordOffset);
  return {record, batch};
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
    record.Text = {batch.Text.size(), Reader.Current.size()};
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

// On a worker's converter: each record as ConvertNext would see it, with
// its outcome noted in the record instead of written.
void TKonvSimple::ConvertBatch(TRecordBatch& batch) {
  capturedBatch_ = &batch;
  for (TBatchRecord& record : batch.Records) {
    if (record.ReadError) break;
    RecordNumber = record.Number;
    RecordText = record.Text.In(batch.Text);
    EndOfInput = record.Last;
    IncompleteRecords = EndOfInput && SourceIsIso && IsIncompleteIso2709Record(RecordText) ? 1 : 0;
    OutRecord.Clear();
    captured_ = &record;
    const std::size_t outBegin = batch.Out.size();
    try {
      ConvertRecord();
    } catch (...) {
      record.Error = std::current_exception();
      batch.Out.resize(outBegin);
    }
    record.Out = {outBegin, batch.Out.size() - outBegin};
    if (decoder_ && !decoder_->Empty()) record.Tally = decoder_->TakeTally();
  }
  captured_ = nullptr;
  capturedBatch_ = nullptr;
}

// On the calling thread, in input order: what ConvertNext and Deliver would
// have done with the record.
void TKonvSimple::DeliverConverted(TBatchRecord& record, const TRecordBatch& batch) {
  if (record.Tally && decoder_) decoder_->Add(*record.Tally);
  for (const TReplacedChar& replaced : record.Replaced)
    OnReplaced(record.Number, record.ReplacedId, replaced);
  if (record.Error) std::rethrow_exception(record.Error);
  if (!record.Delivered) return;
  const std::string_view text = record.Out.In(batch.Out);
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
  TellRecord(record.Route, record.Id.In(batch.Labels), record.Title.In(batch.Labels));
}

} // namespace kelvo
