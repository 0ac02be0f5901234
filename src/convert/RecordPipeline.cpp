#include "convert/RecordPipeline.h"

#include <utility>

namespace kelvo {

TRecordPipeline::TRecordPipeline(std::size_t workers, TFill fill, TConvert convert, TFillOn fillOn)
    : fill_(std::move(fill)), convert_(std::move(convert)), fillOn_(fillOn) {
  // Two batches per worker: one being converted while the next waits, so
  // the workers never wait for the reader while the writer drains the head.
  const std::size_t slots = 2 * workers + 1;
  for (std::size_t i = 0; i < slots; ++i)
    ring_.push_back(std::make_unique<TRecordBatch>());
  ready_.assign(slots, false);
  threads_.reserve(workers);
  try {
    for (std::size_t i = 0; i < workers; ++i)
      threads_.emplace_back([this, i] { Work(i); });
  } catch (...) { // the system has no thread to spare: the ones started end
    Stop();
    throw;
  }
}

TRecordPipeline::~TRecordPipeline() { Stop(); }

void TRecordPipeline::Stop() {
  {
    const std::lock_guard lock(mutex_);
    stop_ = true;
  }
  work_.notify_all();
  for (std::thread& thread : threads_)
    thread.join();
}

void TRecordPipeline::Submit(std::size_t slot) {
  TRecordBatch& batch = *ring_[slot];
  batch.Text.clear();
  batch.Out.clear();
  batch.Labels.clear();
  batch.Records.clear();
  batch.Ended = false;
  batch.Failure = nullptr;
  if (fillOn_ == TFillOn::Caller) {
    batch.Ended = inputDone_ = fill_(batch);
    if (batch.Records.empty()) return;
  }
  ++inFlight_;
  {
    const std::lock_guard lock(mutex_);
    queue_.push_back(slot);
  }
  work_.notify_one();
}

std::pair<TBatchRecord*, const TRecordBatch*> TRecordPipeline::Next() {
  if (!started_) {
    started_ = true;
    for (std::size_t i = 0; i < ring_.size() && !inputDone_; ++i)
      Submit(i);
  }
  while (inFlight_ > 0) {
    TRecordBatch& batch = *ring_[head_];
    if (position_ == 0) { // a batch is handed back whole: the lock is taken once a batch
      std::unique_lock lock(mutex_);
      done_.wait(lock, [&] { return static_cast<bool>(ready_[head_]); });
    }
    if (batch.Failure) std::rethrow_exception(batch.Failure);
    if (batch.Ended) inputDone_ = true; // filled by the worker: known only now
    if (position_ < batch.Records.size()) return {&batch.Records[position_++], &batch};
    // The head batch is delivered: its slot takes the next batch at the tail.
    {
      const std::lock_guard lock(mutex_);
      ready_[head_] = false;
    }
    const std::size_t delivered = head_;
    --inFlight_;
    position_ = 0;
    head_ = (head_ + 1) % ring_.size();
    if (!inputDone_) Submit(delivered);
  }
  return {nullptr, nullptr};
}

void TRecordPipeline::Work(std::size_t worker) {
  for (;;) {
    std::size_t slot = 0;
    {
      std::unique_lock lock(mutex_);
      work_.wait(lock, [&] { return stop_ || !queue_.empty(); });
      if (stop_) return;
      slot = queue_.front();
      queue_.erase(queue_.begin());
    }
    TRecordBatch* batch = ring_[slot].get();
    try {
      if (fillOn_ == TFillOn::Worker) batch->Ended = fill_(*batch);
      convert_(worker, *batch);
    } catch (...) {
      batch->Failure = std::current_exception();
    }
    {
      const std::lock_guard lock(mutex_);
      ready_[slot] = true;
    }
    done_.notify_all();
  }
}

} // namespace kelvo
