#pragma once
// The report of a run: one line for every record that was not written (its
// number in the input, its 001, the start of its title and the reason), then
// every character the character-set step replaced. Code page 1252 with CR LF.
// The lines of records not written go to a sibling temporary file as they
// come, so the report costs no memory per record; the replacements are kept
// up to a limit and the file tells how many more there were. Write renames
// the temporary over the report's name.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "convert/RecordOutcome.h"
#include "record/CharsetDecoder.h"

namespace kelvo {

class TRunFrame;

// The report file's name in messages and in the check of the run's files.
inline constexpr std::string_view ReportRole = "rapportfilen";
// The window's report: "<output name>.rapport.txt" beside the output.
std::string ReportFileFor(const std::string& outFile);

class TRunReport {
public:
  // Characters listed at most; the report tells how many more were replaced.
  static constexpr std::size_t MaxReplacements = 10000;
  // Titles are cut to this many characters.
  static constexpr std::size_t TitleLength = 60;

  // Nothing is written until the first record not written, or Write.
  explicit TRunReport(std::string fileName);
  // Removes the temporary file when the report was not written.
  ~TRunReport();
  TRunReport(const TRunReport&) = delete;
  TRunReport& operator=(const TRunReport&) = delete;

  // Makes the frame's observers tell the report; Detach (and the
  // destructor) clears them.
  void Attach(TRunFrame& frame);
  void Detach();

  void Record(const TRecordOutcome& outcome);
  void Replaced(std::int64_t record, std::string_view id, const TReplacedChar& replaced);

  // A record was not written or a character replaced.
  bool HasEntries() const { return notWritten_ > 0 || replacedCount_ > 0; }
  const std::string& FileName() const { return fileName_; }

  // Finishes the report and puts it in place; raises MarcError naming the
  // file when it could not be written (a failure during the run included).
  void Write();
  // Drops what was gathered; no report appears.
  void Discard();

private:
  void Open();
  void Put(std::string_view line);
  void Close();

  std::string fileName_;
  std::string temp_;    // the sibling written first; empty when direct_
  bool direct_ = false; // not a regular file: written straight
  std::FILE* file_ = nullptr;
  bool failed_ = false;
  TRunFrame* frame_ = nullptr;
  std::int64_t notWritten_ = 0;
  std::int64_t replacedCount_ = 0;
  std::vector<std::string> replacements_; // the lines, up to MaxReplacements
};

} // namespace kelvo
