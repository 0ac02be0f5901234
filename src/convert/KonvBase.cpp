#include "convert/KonvBase.h"

#include <unistd.h>

#include "record/LineFormat.h"
#include "record/MarcError.h"
#include "record/VoFileOutStream.h"
#include "record/vomisc.h"
#include "record/vostr.h"

namespace kelvo {

TKonvBase::TKonvBase() = default;

TKonvBase::TKonvBase(const std::string& outFileName) { OpenOutFile(outFileName); }

TKonvBase::~TKonvBase() {
  // A start that never began leaves no new files behind.
  if (outputBegun_) return;
  if (OutFile.IsOpen && OutFile.Created) ::unlink(OutFileName.c_str());
  for (const auto& side : sideFiles_)
    if (side->Stream.File().Created) ::unlink(side->Stream.FileName().c_str());
}

void TKonvBase::OpenOutFile(const std::string& outFileName) {
  OutFileName = outFileName;
  if (!OutFile.OpenForOutput(outFileName)) throw OutFileError("Kan inte skapa ");
}

MarcError TKonvBase::OutFileError(std::string_view what) const {
  return MarcError(std::string(what) + std::string(OutputRole.Name) + " " + OutFileName);
}

TSideFile& TKonvBase::OpenSideFile(const std::string& fileName, const TOutputRole& role) {
  sideFiles_.push_back(std::make_unique<TSideFile>(fileName, role));
  return *sideFiles_.back();
}

TSideFile* TKonvBase::SideFile(TDestination destination) const {
  for (const auto& side : sideFiles_)
    if (side->Destination == destination) return side.get();
  return nullptr;
}

void TKonvBase::BeginOutput() {
  if (outputBegun_) return;
  std::vector<TRunFile> writes;
  if (OutFile.IsOpen) writes.push_back({OutFileName, OutputRole.Name, OutFile.Handle});
  for (const auto& side : sideFiles_)
    writes.push_back({side->Stream.FileName(), side->Stream.Role(), side->Stream.File().Handle});
  CheckDistinctFiles(writes, ReadFiles());
  // Every file is open and every check made: only now is anything emptied.
  outputBegun_ = true;
  if (OutFile.IsOpen && !OutFile.Truncate()) throw OutFileError("Kan inte skriva till ");
  for (const auto& side : sideFiles_)
    side->Stream.Truncate();
}

void TKonvBase::CloseOutput() {
  const bool stored = OutFile.Close();
  for (const auto& side : sideFiles_)
    side->Stream.Close();
  if (!stored) throw OutFileError("Kan inte skriva till ");
}

void TKonvBase::RenderToBuffer() {
  if (TrimBeforeRendering) OutRecord.TrimSubfields();
  textBuffer_.clear();
  OutRecord.AppendText(textBuffer_); // applies the filter when ApplyFilter is set
  AdaptRenderedText(textBuffer_);
  // Each variant reads one buffer and fills the other; both keep their room.
  const auto apply = [this](auto variant) {
    variantBuffer_.clear();
    variant(variantBuffer_, std::string_view(textBuffer_));
    textBuffer_.swap(variantBuffer_);
  };
  if (RemoveDuplicateLines) apply(AppendWithoutDuplicateLines);
  if (SubfieldLines)
    apply([this](std::string& out, std::string_view text) {
      AppendSubfieldLines(out, text, OutRecord.SubfieldDelimiter);
    });
}

std::string TKonvBase::RenderOutRecord() {
  RenderToBuffer();
  return textBuffer_;
}

void TKonvBase::WriteRecord() {
  RenderToBuffer();
  // An empty rendering still writes the separator. Text and separator go out
  // in one call, so a stopped or failed run never leaves half a record behind.
  textBuffer_ += RecordSeparator;
  WriteToOutFile(textBuffer_);
}

void TKonvBase::WriteToOutFile(std::string_view text) {
  BeginOutput();
  if (!OutFile.IsOpen || !OutFile.WriteString(text)) {
    ++DroppedRecords; // the record that failed is in no file
    throw OutFileError("Kan inte skriva till ");
  }
  ++WrittenRecords;
}

void TKonvBase::WriteRenderedTo(TSideFile& side) {
  RenderToBuffer();
  textBuffer_ += RecordSeparator;
  WriteTo(side, textBuffer_);
}

void TKonvBase::WriteTo(TSideFile& side, std::string_view text) {
  BeginOutput();
  try {
    side.Stream.WriteString(text);
  } catch (const MarcError&) {
    ++DroppedRecords; // the record that failed is in no file
    throw;
  }
  ++side.Records;
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
  field->AddSubfield('b', FormatDateYmd(Today()));
}

void TKonvBase::AddStampField(std::string_view text, std::string_view tag) {
  kelvo::AddStampField(OutRecord, text, tag);
}

void CleanUpSubfields(TMarcRec& rec, std::string_view tag, char code, TVoRegExpr& outer, TVoRegExpr& inner) {
  for (const auto& field : rec.Fields) {
    if (field->Tag != tag) continue;
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
