#include "convert/KonvBase.h"

#include <algorithm>
#include <exception>
#include <unistd.h>

#include "record/LineFormat.h"
#include "record/MarcError.h"
#include "record/VoFileOutStream.h"
#include "record/vomisc.h"
#include "record/vostr.h"

namespace kelvo {

namespace {

// Runs action on stream. A file that fails loses records the stream had
// taken: they move from count to dropped.
template <class Action>
void Counted(const TVoFileOutStream& stream, std::int64_t& count, std::int64_t& dropped, Action action) {
  const std::int64_t lostBefore = stream.LostRecords();
  try {
    action();
  } catch (const MarcError&) {
    const std::int64_t lost = stream.LostRecords() - lostBefore;
    count -= lost;
    dropped += lost;
    throw;
  }
}

} // namespace

TKonvBase::TKonvBase() = default;

TKonvBase::TKonvBase(const std::string& outFileName) { OpenOutFile(outFileName); }

TKonvBase::~TKonvBase() {
  // A start that never began leaves no new files behind.
  if (outputBegun_) return;
  if (outFile_ && outFile_->File().Created) ::unlink(OutFileName.c_str());
  for (const auto& side : sideFiles_)
    if (side->Stream.File().Created) ::unlink(side->Stream.FileName().c_str());
}

void TKonvBase::OpenOutFile(const std::string& outFileName) {
  OutFileName = outFileName;
  outFile_ = std::make_unique<TVoFileOutStream>(outFileName, OutputRole.Name, TVoFileOutStream::TOpen::Keep);
}

MarcError TKonvBase::OutFileError(std::string_view what) const {
  return MarcError(std::string(what) + std::string(OutputRole.Name) + " " + OutFileName);
}

TSideFile& TKonvBase::OpenSideFile(const std::string& fileName, const TOutputRole& role) {
  sideFiles_.push_back(std::make_unique<TSideFile>(fileName, role));
  sideDestinations_.push_back(role.Destination);
  return *sideFiles_.back();
}

bool TKonvBase::HasSideFile(TDestination destination) const {
  return std::find(sideDestinations_.begin(), sideDestinations_.end(), destination) !=
         sideDestinations_.end();
}

TSideFile* TKonvBase::SideFile(TDestination destination) const {
  for (const auto& side : sideFiles_)
    if (side->Destination == destination) return side.get();
  return nullptr;
}

void TKonvBase::BeginOutput() {
  if (outputBegun_) return;
  std::vector<TRunFile> writes;
  if (outFile_) writes.push_back({OutFileName, OutputRole.Name, outFile_->File().Handle});
  for (const auto& side : sideFiles_)
    writes.push_back({side->Stream.FileName(), side->Stream.Role(), side->Stream.File().Handle});
  CheckDistinctFiles(writes, ReadFiles());
  // Every file is open and every check made: only now is anything emptied.
  outputBegun_ = true;
  if (outFile_) outFile_->Truncate();
  for (const auto& side : sideFiles_)
    side->Stream.Truncate();
}

void TKonvBase::CloseOutput() {
  std::exception_ptr failure;
  const auto close = [&](TVoFileOutStream& stream, std::int64_t& count) {
    try {
      Counted(stream, count, DroppedRecords, [&] { stream.Close(); });
    } catch (const MarcError&) {
      if (!failure) failure = std::current_exception();
    }
  };
  if (outFile_) close(*outFile_, WrittenRecords);
  for (const auto& side : sideFiles_)
    close(side->Stream, side->Records);
  if (failure) std::rethrow_exception(failure);
}

void TKonvBase::AppendRendering(std::string& out) {
  if (TrimBeforeRendering) OutRecord.TrimSubfields();
  // AppendText applies the filter when ApplyFilter is set.
  if (!RemoveDuplicateLines && !SubfieldLines && !AdaptsRenderedText) {
    OutRecord.AppendText(out);
    return;
  }
  textBuffer_.clear();
  OutRecord.AppendText(textBuffer_);
  AdaptRenderedText(textBuffer_);
  if (!RemoveDuplicateLines && !SubfieldLines) {
    out += textBuffer_;
    return;
  }
  lineVariants_.Append(out, textBuffer_, RemoveDuplicateLines, SubfieldLines, OutRecord.SubfieldDelimiter);
}

std::string TKonvBase::RenderOutRecord() {
  std::string text;
  AppendRendering(text);
  return text;
}

std::string TKonvBase::RenderFor(TDestination) { return RenderOutRecord(); }

TVoFileOutStream& TKonvBase::OutStream() {
  BeginOutput();
  if (!outFile_) {
    ++DroppedRecords; // the record is in no file
    throw OutFileError("Kan inte skriva till ");
  }
  return *outFile_;
}

void TKonvBase::WriteRecord() { WriteRendered(OutStream(), WrittenRecords); }

void TKonvBase::WriteRenderedTo(TSideFile& side) {
  BeginOutput();
  WriteRendered(side.Stream, side.Records);
}

void TKonvBase::RenderWithSeparator(std::string& out) {
  // An empty rendering still writes the separator.
  AppendRendering(out);
  out += RecordSeparator;
}

void TKonvBase::WriteRendered(TVoFileOutStream& stream, std::int64_t& count) {
  // Rendered straight into the file's block.
  try {
    RenderWithSeparator(stream.Block());
  } catch (...) {
    stream.DropOpenRecord();
    throw;
  }
  EndRecord(stream, count);
}

void TKonvBase::EndRecord(TVoFileOutStream& stream, std::int64_t& count) {
  Counted(stream, count, DroppedRecords, [&] {
    ++count;
    stream.EndRecord();
  });
}

void TKonvBase::WriteToOutFile(std::string_view text) {
  TVoFileOutStream& stream = OutStream();
  stream.Block() += text;
  EndRecord(stream, WrittenRecords);
}

void TKonvBase::WriteTo(TSideFile& side, std::string_view text) {
  BeginOutput();
  side.Stream.Block() += text;
  EndRecord(side.Stream, side.Records);
}

std::vector<TRunCount> TKonvBase::RunCounts() const {
  std::vector<TRunCount> counts{{std::string(OutputRole.Label), OutFileName, WrittenRecords}};
  for (const auto& side : sideFiles_)
    counts.push_back({std::string(side->Label), side->Stream.FileName(), side->Records});
  counts.push_back({std::string(NotWrittenLabel), "", DroppedRecords});
  if (IncompleteRecords > 0) counts.push_back({"Ofullst\xe4ndiga", "", IncompleteRecords, true});
  return counts;
}

void AddStampField(TMarcRec& rec, std::string_view text, std::string_view tag) {
  TMarcField* field = rec.AddField(tag, '0', '0');
  if (!IsBlank(text)) field->AddSubfield('a', text);
  field->AddSubfield('b', TodayYmd());
}

void TKonvBase::AddStampField(std::string_view text, std::string_view tag) {
  kelvo::AddStampField(OutRecord, text, tag);
}

void CleanUpSubfields(TMarcRec& rec, std::string_view tag, char code, TVoRegExpr& outer, TVoRegExpr& inner) {
  for (const auto& field : rec.Fields) {
    if (!field->HasTag(tag)) continue;
    for (const auto& subfield : field->Subfields) {
      if (subfield->Code != code || !outer.Exec(subfield->Value)) continue;
      const int outerPos = outer.MatchPos();
      const std::string_view match = std::string_view(subfield->Value).substr(outerPos - 1, outer.MatchLen());
      if (inner.Exec(match)) subfield->Value.erase(outerPos - 1 + inner.MatchPos() - 1, inner.MatchLen());
    }
  }
}

void TKonvBase::CleanUpWithRegEx(std::string_view outerPattern, std::string_view innerPattern,
                                 const std::vector<std::string>& tags, std::string_view codes) {
  if (tags.size() != codes.size()) throw MarcError("CleanUpWithRegEx anropat med felaktigt antal parametrar");
  RegEx.SetExpression(outerPattern);
  plainRegEx_.SetExpression(innerPattern);
  for (std::size_t i = 0; i < tags.size(); ++i)
    CleanUpSubfields(OutRecord, tags[i], codes[i], RegEx, plainRegEx_);
}

void TKonvBase::CleanUpWithRegExRange(std::string_view outerPattern, std::string_view innerPattern,
                                      std::string_view fromTag, std::string_view toTag, char code) {
  // Unreadable bounds make the range empty.
  const long long from = StrToIntDef(fromTag, 999);
  const long long to = StrToIntDef(toTag, 0);
  RegEx.SetExpression(outerPattern);
  plainRegEx_.SetExpression(innerPattern);
  for (long long n = from; n <= to; ++n)
    CleanUpSubfields(OutRecord, PadLeft(std::to_string(n), 3, '0'), code, RegEx, plainRegEx_);
}

} // namespace kelvo
