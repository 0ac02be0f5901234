#pragma once
// Converters for tests of the run frame: they count their calls and write nothing.
#include <stdexcept>
#include <string>
#include <vector>

#include "convert/KonvBase.h"

namespace kelvo::testing {

class TCountingKonv : public TKonvBase {
public:
  explicit TCountingKonv(int records) : records_(records) {}

  int Calls = 0;
  int FailAt = 0; // the call that raises, 0 for none

  void ConvertNext() override {
    ++Calls;
    if (Calls == FailAt) throw std::runtime_error("Fel i post " + std::to_string(Calls));
    EndOfInput = Calls >= records_;
  }
  int Percent() const override { return records_ == 0 ? 0 : Calls * 100 / records_; }

private:
  int records_;
};

} // namespace kelvo::testing
