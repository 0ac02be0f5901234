#include "convert/KonvBase.h"

#include "record/LineFormat.h"
#include "record/MarcError.h"
#include "record/VoFileOutStream.h"
#include "record/vomisc.h"
#include "record/vostr.h"

namespace kelvo {

TKonvBase::TKonvBase() = default;

TKonvBase::TKonvBase(const std::string &outFileName) { CreateOutFile(outFileName); }

TKonvBase::~TKonvBase() = default;

void TKonvBase::CreateOutFile(const std::string &outFileName) {
  OutFileName = outFileName;
  if (!OutFile.CreateFile(outFileName)) throw MarcError("Kan inte skapa utfilen " + outFileName);
}

void TKonvBase::RenderToBuffer() {
  OutRecord.TrimSubfields();
  textBuffer_.clear();
  OutRecord.AppendText(textBuffer_); // applies the filter when ApplyFilter is set
  // Each variant reads one buffer and fills the other; both keep their room.
  const auto apply = [this](auto variant) {
    variantBuffer_.clear();
    variant(variantBuffer_, std::string_view(textBuffer_));
    textBuffer_.swap(variantBuffer_);
  };
  if (RemoveDuplicateLines) apply(AppendWithoutDuplicateLines);
  if (SubfieldLines)
    apply([this](std::string &out, std::string_view text) {
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
  // in one call, so a stopped run never leaves half a separator behind.
  textBuffer_ += RecordSeparator;
  if (!OutFile.IsOpen || !OutFile.WriteString(textBuffer_))
    throw MarcError("Kan inte skriva till utfilen " + OutFileName);
  ++WrittenRecords;
}

void TKonvBase::WriteRenderedTo(TVoFileOutStream &stream) {
  RenderToBuffer();
  textBuffer_ += RecordSeparator;
  stream.WriteString(textBuffer_);
}

std::vector<TRunCount> TKonvBase::RunCounts() const {
  std::vector<TRunCount> counts{{"Utfil", OutFileName, WrittenRecords}, {"Ej skrivna", "", DroppedRecords}};
  if (IncompleteRecords > 0) counts.push_back({"Ofullst\xe4ndiga", "", IncompleteRecords, true});
  return counts;
}

void TKonvBase::AddStampField(std::string_view text, std::string_view tag) {
  TMarcField *field = OutRecord.AddField(tag, '0', '0');
  if (!IsBlank(text)) field->AddSubfield('a', text);
  field->AddSubfield('b', FormatDateYmd(Today()));
}

void TKonvBase::CleanUpTag(std::string_view tag, char code) {
  for (const auto &field : OutRecord.Fields) {
    if (field->Tag != tag) continue;
    for (const auto &subfield : field->Subfields) {
      if (subfield->Code != code || !RegEx.Exec(subfield->Value)) continue;
      // The inner expression looks only inside the outer match; what it finds
      // there is cut from the value (at most once per subfield).
      const int outerPos = RegEx.MatchPos();
      const std::string_view outer = std::string_view(subfield->Value).substr(outerPos - 1, RegEx.MatchLen());
      if (plainRegEx_.Exec(outer))
        subfield->Value.erase(outerPos - 1 + plainRegEx_.MatchPos() - 1, plainRegEx_.MatchLen());
    }
  }
}

void TKonvBase::CleanUpWithRegEx(std::string_view outerPattern, std::string_view innerPattern,
                                 const std::vector<std::string> &tags, std::string_view codes) {
  if (tags.size() != codes.size()) throw MarcError("CleanUpWithRegEx anropat med felaktigt antal parametrar");
  RegEx.SetExpression(outerPattern);
  plainRegEx_.SetExpression(innerPattern);
  for (std::size_t i = 0; i < tags.size(); ++i)
    CleanUpTag(tags[i], codes[i]);
}

void TKonvBase::CleanUpWithRegExRange(std::string_view outerPattern, std::string_view innerPattern,
                                      std::string_view fromTag, std::string_view toTag, char code) {
  // Unreadable bounds make the range empty.
  const long long from = StrToIntDef(fromTag, 999);
  const long long to = StrToIntDef(toTag, 0);
  RegEx.SetExpression(outerPattern);
  plainRegEx_.SetExpression(innerPattern);
  for (long long n = from; n <= to; ++n)
    CleanUpTag(PadLeft(std::to_string(n), 3, '0'), code);
}

} // namespace kelvo
