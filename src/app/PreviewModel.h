#pragma once
// The preview of a conversion: the first records of the input converted with
// the window's profile, format, character set and switches, each beside the
// record it was made from, or with the reason it would not be written. The
// run itself does the converting, on outputs that keep nothing (the null
// device), so the preview shows what a run does and writes no file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/MainState.h"
#include "convert/RecordOutcome.h"

namespace kelvo {

class TCustomIniFile;

struct TPreviewRecord {
  std::int64_t Number = 0; // its place in the input, from 1
  std::string Source;      // the record as read, in line format
  std::string Converted;   // what the run writes, without the record separator; empty when not written
  TRoute Route;
};

// The preview needs an existing input file; no output.
bool PreviewAvailable(const TMainState& state);

class TPreviewModel {
public:
  static constexpr std::size_t MaxRecords = 20;

  // Converts the first MaxRecords records of the state's input. False, with
  // Error set, when the input cannot be read or holds no record.
  bool Load(const TMainState& state, const TCustomIniFile* settings);

  std::vector<TPreviewRecord> Records;
  std::string Error;
  // What the preview shows otherwise than the run would, or empty.
  std::string Note;

  std::size_t Current = 0; // index into Records
  bool HasPrevious() const { return Current > 0; }
  bool HasNext() const { return Current + 1 < Records.size(); }
  void Previous();
  void Next();
  // "Post N av M" (N and M counted in the preview).
  std::string PositionText() const;
  // "Skrivs till: Utfil" (or the side file's label), or "Skrivs inte: <reason>".
  std::string DestinationText() const;
};

} // namespace kelvo
