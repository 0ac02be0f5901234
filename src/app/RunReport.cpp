#include "app/RunReport.h"

#include <sys/stat.h>
#include <utility>

#include "app/RunFrame.h"
#include "record/MarcError.h"
#include "record/vostr.h"

namespace kelvo {

namespace {

constexpr std::string_view Header =
    "Rapport fr\xe5n Kelvo konvertering: poster som inte skrevs och tecken som ersattes";

// One field of a line: trimmed, no tab or line break inside it, at most length characters.
std::string Column(std::string_view text, std::size_t length = std::string_view::npos) {
  std::string column = Trim(text).substr(0, length);
  for (char& c : column)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  return column;
}

} // namespace

std::string ReportFileFor(const std::string& outFile) { return outFile + ".rapport.txt"; }

TRunReport::TRunReport(std::string fileName) : fileName_(std::move(fileName)) {}

TRunReport::~TRunReport() {
  Detach();
  Discard();
}

void TRunReport::Attach(TRunFrame& frame) {
  Detach();
  frame_ = &frame;
  frame.OnRecord = [this](TKonvSimple&, const TRecordOutcome& outcome) { Record(outcome); };
  frame.OnReplaced = [this](std::int64_t record, std::string_view id, const TReplacedChar& replaced) {
    Replaced(record, id, replaced);
  };
}

void TRunReport::Detach() {
  if (!frame_) return;
  frame_->OnRecord = nullptr;
  frame_->OnReplaced = nullptr;
  frame_ = nullptr;
}

void TRunReport::Record(const TRecordOutcome& outcome) {
  if (outcome.Route.Destination != TDestination::NotWritten) return;
  if (++notWritten_ == 1) {
    Open();
    Put("Poster som inte skrevs (nummer i infilen, 001, titel, orsak):");
  }
  Put(std::to_string(outcome.Number) + "\t" + Column(outcome.Id) + "\t" + Column(outcome.Title, TitleLength) +
      "\t" + std::string(outcome.Route.Reason));
}

void TRunReport::Replaced(std::int64_t record, std::string_view id, const TReplacedChar& replaced) {
  ++replacedCount_;
  if (replacements_.size() < MaxReplacements)
    replacements_.push_back(std::to_string(record) + "\t" + Column(id) + "\t" + ReplacementText(replaced));
}

void TRunReport::Open() {
  if (file_ || failed_) return;
  // A regular file is replaced whole at the end; anything else (a device, a
  // pipe) is written straight, as renaming over it would replace it.
  struct stat st {};
  direct_ = ::stat(fileName_.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
  temp_ = direct_ ? std::string() : fileName_ + ".tmp";
  file_ = std::fopen(direct_ ? fileName_.c_str() : temp_.c_str(), "wb");
  if (!file_) {
    failed_ = true;
    return;
  }
  Put(Header);
  Put("");
}

void TRunReport::Put(std::string_view line) {
  if (!file_) return;
  if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() || std::fputs("\r\n", file_) == EOF)
    failed_ = true;
}

void TRunReport::Close() {
  if (file_ && std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
}

void TRunReport::Write() {
  Open();
  if (!HasEntries()) Put("Alla poster skrevs, och inga tecken ersattes.");
  if (replacedCount_ > 0) {
    if (notWritten_ > 0) Put("");
    Put("Tecken som ersatts (nummer i infilen, 001, tecknet och vad det blev):");
    for (const std::string& line : replacements_)
      Put(line);
    const std::int64_t left = replacedCount_ - static_cast<std::int64_t>(replacements_.size());
    if (left > 0) Put("... och " + std::to_string(left) + " tecken till, som inte listas h\xe4r");
  }
  Close();
  if (failed_ || (!direct_ && std::rename(temp_.c_str(), fileName_.c_str()) != 0)) {
    Discard();
    throw MarcError("Kan inte skriva " + std::string(ReportRole) + " " + fileName_);
  }
  temp_.clear();
}

void TRunReport::Discard() {
  Close();
  if (!temp_.empty()) std::remove(temp_.c_str());
  temp_.clear();
}

} // namespace kelvo
