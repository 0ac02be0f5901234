#pragma once
// Converting on worker threads while the calling thread reads and writes:
// the calling thread fills batches of record texts, the workers convert
// whole batches (each with its own converter), and the calling thread takes
// the converted records back strictly in input order. Reading ahead is the
// same with one worker that fills the batches itself. A fixed ring of
// batches bounds what is in flight, so memory stays flat in the input size.
//
// Standard threads with one queue guarded by one mutex: a batch of a few
// hundred records is coarse enough that the lock is taken a few times per
// batch, and the ordering is plain to see (the ring is delivered from its
// head). No state is shared between workers; a batch belongs either to the
// calling thread or to one worker, handed over under the mutex.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "convert/RecordOutcome.h"
#include "record/CharsetDecoder.h"

namespace kelvo {

// A piece of one of a batch's texts.
struct TTextSpan {
  std::size_t Begin = 0, Size = 0;
  std::string_view In(const std::string& text) const { return std::string_view(text).substr(Begin, Size); }
};

// One record of a batch: what the reader said about it, then what the
// converter made of it.
struct TBatchRecord {
  std::int64_t Number = 0; // in the input, from 1
  TTextSpan Text;          // in the batch's Text
  bool Last = false;       // the reader's last record
  std::int64_t TooLongLength = 0, RecordOffset = 0;
  int Percent = 0;              // of the input read with it
  std::exception_ptr ReadError; // reading failed here; nothing after it was read

  bool Delivered = false; // the converter routed it (the blank end piece is not)
  TRoute Route;
  TTextSpan Out;                       // its rendering in the batch's Out, separator included
  TTextSpan Id, Title;                 // for the record observer, in the batch's Labels
  std::optional<TCharsetTally> Tally;  // what the character-set step did with it
  std::string ReplacedId;              // its 001, for the observer of replaced characters
  std::vector<TReplacedChar> Replaced; // the characters the step replaced, when observed
  std::exception_ptr Error;            // the conversion raised this
};

struct TRecordBatch {
  std::string Text;   // the record texts one after the other
  std::string Out;    // the renderings of the records that are written
  std::string Labels; // the 001 and title of each record
  std::vector<TBatchRecord> Records;
  bool Ended = false;         // the input ends with these records
  std::exception_ptr Failure; // the worker failed outside any record

  // Appends text to Labels.
  TTextSpan AddLabel(std::string_view text) {
    const TTextSpan span{Labels.size(), text.size()};
    Labels += text;
    return span;
  }
};

class TRecordPipeline {
public:
  // Fills an empty batch; returns true when the input has no more records
  // after these (and fills no more once it has said so).
  using TFill = std::function<bool(TRecordBatch&)>;
  // Converts every record of a batch on worker thread number worker.
  using TConvert = std::function<void(std::size_t worker, TRecordBatch&)>;
  // Where batches are filled: on the calling thread, or (reading ahead, with
  // one worker, which keeps the order) on the worker before it converts.
  enum class TFillOn { Caller, Worker };

  static constexpr std::size_t BatchRecords = 2048;
  static constexpr std::size_t BatchBytes = 256 << 10; // a batch ends after the record that passes this

  TRecordPipeline(std::size_t workers, TFill fill, TConvert convert, TFillOn fillOn = TFillOn::Caller);
  // Stops the workers after the batch each holds; what was read ahead is dropped.
  ~TRecordPipeline();
  TRecordPipeline(const TRecordPipeline&) = delete;
  TRecordPipeline& operator=(const TRecordPipeline&) = delete;

  // The next record in input order, converted, and its batch (valid until
  // the next call); none after the last record. Rethrows what a worker
  // raised outside any record.
  std::pair<TBatchRecord*, const TRecordBatch*> Next();

private:
  void Submit(std::size_t slot); // fills the slot's batch and queues it
  void Work(std::size_t worker);
  void Stop(); // ends every thread after the batch it holds

  TFill fill_;
  TConvert convert_;
  TFillOn fillOn_;
  std::vector<std::unique_ptr<TRecordBatch>> ring_;
  std::vector<bool> ready_;        // per ring slot, under mutex_
  std::vector<std::size_t> queue_; // slots to convert, oldest first, under mutex_
  std::size_t head_ = 0;           // the slot being delivered
  std::size_t position_ = 0;       // the next record of it
  std::size_t inFlight_ = 0;       // slots filled and not yet delivered
  bool started_ = false;
  bool inputDone_ = false;
  bool stop_ = false;
  std::mutex mutex_;
  std::condition_variable work_, done_;
  std::vector<std::thread> threads_;
};

} // namespace kelvo
