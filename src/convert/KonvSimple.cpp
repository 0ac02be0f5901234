#include "convert/KonvSimple.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "record/LineFormat.h"
#include "record/MarcError.h"
#include "record/vostr.h"

namespace kelvo {

namespace {

// The reader's separator character: the separator itself when it is one
// character, else a placeholder (the whole string separates then).
char SeparatorChar(const std::string& separator) { return separator.size() == 1 ? separator[0] : '\x01'; }

// What the record observer is told of a record: its 001 and its title.
struct TRecordLabel {
  std::string_view Id, Title;
};
TRecordLabel LabelOf(const TMarcRec& source) {
  TRecordLabel label;
  if (const TMarcField* id = source.FindFieldPtr("001")) label.Id = id->Data;
  const TMarcField* title = source.FindFieldPtr("245");
  if (!title) title = source.FindFieldPtr("295");
  if (const TMarcSubField* a = title ? title->FindSubfieldPtr('a') : nullptr) label.Title = a->Value;
  return label;
}

} // namespace

TKonvSimple::TKonvSimple(const std::string& outFileName, const std::string& inFileName,
                         const std::string& separator)
    : Reader(SeparatorChar(separator)) {
  // The input first: a run that cannot read creates no output.
  OpenInput(inFileName, separator);
  OpenOutFile(outFileName);
}

TKonvSimple::TKonvSimple(const std::string& inFileName, const std::string& separator)
    : Reader(SeparatorChar(separator)) {
  OpenInput(inFileName, separator);
}

TKonvSimple::TKonvSimple(TWorkerOf worker) : Reader(worker.Master.Reader.SepChar) {
  const TKonvSimple& master = worker.Master;
  RemoveDuplicateLines = master.RemoveDuplicateLines;
  SubfieldLines = master.SubfieldLines;
  RecordSeparator = master.RecordSeparator;
  TrimBeforeRendering = master.TrimBeforeRendering;
  AdaptsRenderedText = master.AdaptsRenderedText;
  CopySideFileDestinations(master);
  OutRecord.CopyOptions(master.OutRecord);
  InFileName = master.InFileName;
  SourceIsIso = master.SourceIsIso;
  ConvertToKv2 = master.ConvertToKv2;
  ConversionLabel = master.ConversionLabel;
  SetCharset(master.charset_);
}

TKonvSimple::~TKonvSimple() {
  pipeline_.reset(); // the workers stop before their converters go
  Reader.Close();
}

void TKonvSimple::OpenInput(const std::string& inFileName, const std::string& separator) {
  if (separator.empty()) throw MarcError("Postavgr\xe4nsare saknas f\xf6r indatafilen " + inFileName);
  InFileName = inFileName;
  Reader.SetSingleCharMode(separator.size() == 1);
  if (separator.size() != 1) Reader.SetSepString(separator);
  // A folder opens on some systems but yields no data: refuse it like a missing file.
  std::error_code ec;
  if (std::filesystem::is_directory(inFileName, ec) || !Reader.Open(inFileName))
    throw MarcError("Kan inte \xf6ppna indatafilen " + inFileName);
}

void TKonvSimple::SetSourceFormat(bool sourceIsIso) {
  SourceIsIso = sourceIsIso;
  Reader.SetSingleCharMode(true);
  Reader.SepChar = sourceIsIso ? IsoRecordTerminator : LineRecordTerminator;
}

std::vector<TRunFile> TKonvSimple::ReadFiles() const {
  return {{InFileName, InputRole, Reader.File.IsOpen ? Reader.File.Handle : -1}};
}

void TKonvSimple::ConvertNext() {
  BeginOutput();
  ++RecordNumber;
  if (EndOfInput) {
    RecordText = {}; // stays at the end; never reads past it
    xmlRecord_.Clear();
  } else if (xmlReader_) {
    NextXmlRecord();
  } else {
    EndOfInput = Reader.ReadRecord(workBuffer_, TVblRec::ChunkSize);
    RecordText = Reader.Current; // parsed from the reader's buffer, never copied
    NoteInput(Reader.TooLongLength, Reader.RecordOffset);
  }
  OutRecord.Clear();
}

void TKonvSimple::NoteInput(std::int64_t tooLongLength, std::int64_t recordOffset) {
  const std::string number = std::to_string(RecordNumber);
  if (tooLongLength > 0) {
    ++DroppedRecords;
    TellRecord({TDestination::NotWritten, reason::TooLong}, {}, {});
    inputWarnings_.push_back({TRunMessage::TKind::Warning,
                              "Post nr " + number + " (byte " + std::to_string(recordOffset) +
                                  " i infilen) \xe4r " + std::to_string(tooLongLength) +
                                  " byte l\xe5ng, l\xe4ngre \xe4n gr\xe4nsen " +
                                  std::to_string(Reader.MaxRecordLength) + " byte, och har hoppats \xf6ver"});
    return;
  }
  // Once a record of the format has been seen the input is of that format.
  if (!recordSeen_ && !IsBlank(RecordText)) {
    textSeen_ = true;
    recordSeen_ = SourceIsIso ? ReadsAsIso2709Record(RecordText) : HasFieldLine(RecordText);
  }
  if (EndOfInput && SourceIsIso && IsIncompleteIso2709Record(RecordText)) {
    ++IncompleteRecords;
    inputWarnings_.push_back(
        {TRunMessage::TKind::Warning,
         "Ofullst\xe4ndig sista post: nr " + number +
             " (infilen tar slut inne i posten, som har konverterats s\xe5 l\xe5ngt den r\xe4"
             "cker)"});
  }
}

void TKonvSimple::CheckInputFormat() const {
  if (!textSeen_ || recordSeen_) return;
  const std::string start = "Infilen " + InFileName + " inneh\xe5ller inga poster i ";
  if (SourceIsIso)
    throw TInputFormatError(start + "Iso2709-format. \xc4r den i radformat? Sl\xe5 av \"K\xe4llfilen har "
                                    "Iso2709-format\" (kelvokonv: --format line, batch: /iso=0).");
  throw TInputFormatError(start + "radformat. \xc4r den i Iso2709-format? Sl\xe5 p\xe5 \"K\xe4llfilen har "
                                  "Iso2709-format\" (kelvokonv: --format iso, batch: /iso=1).");
}

int TKonvSimple::Percent() const {
  if (pipeline_) return percent_; // the reader may be on another thread
  return xmlReader_ ? xmlReader_->Percent() : Reader.Percent();
}

void TKonvSimple::ParseRecordText(TMarcRec& rec, bool sourceIsIso) {
  if (&rec == &SourceRecord) sourceTaken_ = false;
  if (xmlReader_) {
    rec.Clear();
    rec.Couples.Clear();
    rec.Fields.swap(xmlRecord_.Fields);
  } else if (sourceIsIso) {
    BuildRecordFromIso(isoReader_, RecordText, rec);
  } else {
    rec.ParseText(RecordText);
  }
  if (decoder_) decoder_->Decode(rec, RecordNumber, RecordText);
}

void TKonvSimple::SetCharset(TCharset charset) {
  charset_ = charset;
  const TCharset used = xmlReader_ ? TCharset::Utf8 : charset;
  decoder_ = used == TCharset::Cp1252 ? nullptr : std::make_unique<TCharsetDecoder>(used);
  if (decoder_)
    decoder_->OnReplaced = [this](std::int64_t record, std::string_view id, const TReplacedChar& replaced) {
      if (OnReplaced) OnReplaced(record, id, replaced);
    };
}

std::vector<TRunMessage> TKonvSimple::RunMessages() const {
  std::vector<TRunMessage> messages = inputWarnings_;
  if (decoder_)
    for (std::string& line : decoder_->SummaryLines())
      messages.push_back({TRunMessage::TKind::Note, std::move(line)});
  return messages;
}

void TKonvSimple::TakeSourceAsOutput() {
  if (KeepsSourceRecord) {
    for (const auto& field : SourceRecord.Fields)
      OutRecord.CopyField(*field);
    return;
  }
  if (OnRecord || labelsWanted_) {
    const TRecordLabel label = LabelOf(SourceRecord);
    takenId_.assign(label.Id);
    takenTitle_.assign(label.Title);
  }
  OutRecord.TakeFieldsOf(SourceRecord);
  sourceTaken_ = true;
}

void TKonvSimple::Deliver(const TRoute& route, const TMarcRec& source) {
  TRoute told = route;
  // A record cut short by the end of the input may have lost what it lacks.
  if (route.Destination == TDestination::NotWritten && EndOfInput && IncompleteRecords > 0)
    told.Reason = reason::Incomplete;
  const bool taken = sourceTaken_ && &source == &SourceRecord;
  sourceTaken_ = false;
  TRecordLabel label;
  if (OnRecord || labelsWanted_) label = taken ? TRecordLabel{takenId_, takenTitle_} : LabelOf(source);
  if (captured_) { // a worker: the calling thread writes it in its turn
    captured_->Delivered = true;
    captured_->Route = told;
    captured_->Id = capturedBatch_->AddLabel(label.Id);
    captured_->Title = capturedBatch_->AddLabel(label.Title);
    if (route.Destination != TDestination::NotWritten) RenderWithSeparator(capturedBatch_->Out);
    return;
  }
  switch (route.Destination) {
  case TDestination::Output:
    WriteRecord();
    break;
  case TDestination::NotWritten:
    ++DroppedRecords;
    break;
  default:
    WriteSideRecord(DestinationFile(route.Destination));
    break;
  }
  TellRecord(told, label.Id, label.Title, taken ? nullptr : &source);
}

TSideFile& TKonvSimple::DestinationFile(TDestination destination) {
  TSideFile* side = SideFile(destination);
  if (!side) {
    ++DroppedRecords; // a run that routes to a file it did not open
    throw MarcError("Ingen fil \xe4r \xf6ppnad f\xf6r postens destination");
  }
  return *side;
}

void TKonvSimple::TellRecord(const TRoute& route, std::string_view id, std::string_view title,
                             const TMarcRec* source) const {
  if (OnRecord) OnRecord({RecordNumber, id, title, route, source});
}

void TKonvSimple::ReadMarcXml() {
  Reader.Close();
  xmlReader_ = std::make_unique<TMarcXmlReader>();
  xmlReader_->Open(InFileName);
  SetCharset(charset_);
  xmlHasNext_ = xmlReader_->Next(xmlNext_, xmlNextText_);
}

// One record behind the reader, so that EndOfInput is known with the last record.
void TKonvSimple::NextXmlRecord() {
  if (!xmlHasNext_) {
    if (xmlReader_->Failed()) throw MarcError(xmlReader_->Error());
    throw MarcError("Indatafilen inneh\xe5ller inga MARCXML-poster: " + InFileName);
  }
  xmlRecord_.Clear();
  xmlRecord_.Fields.swap(xmlNext_.Fields);
  xmlText_.swap(xmlNextText_);
  RecordText = xmlText_;
  xmlHasNext_ = xmlReader_->Next(xmlNext_, xmlNextText_);
  EndOfInput = !xmlHasNext_ && !xmlReader_->Failed();
}

void TKonvSimple::ClearSurvey() {
  SurveyList.clear();
  surveyIndex_.clear();
}

void TKonvSimple::SurveyRecord() {
  ConvertNext();
  // A field mark counts only as the first character of a line; elsewhere it
  // is content and becomes a blank. Every line end becomes CR LF.
  surveyText_.clear();
  bool lineStart = true;
  for (std::size_t i = 0; i < RecordText.size(); ++i) {
    const char c = RecordText[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < RecordText.size() && RecordText[i + 1] == '\n') ++i;
      surveyText_ += "\r\n";
      lineStart = true;
      continue;
    }
    surveyText_ += (c == OutRecord.FieldMark && !lineStart) ? ' ' : c;
    lineStart = false;
  }
  OutRecord.ParseText(surveyText_);

  // Parsed tags are three characters, so the first entry that begins with a
  // tag is the one entry made for it.
  for (const auto& field : OutRecord.Fields) {
    auto it = surveyIndex_.find(field->Tag);
    if (it == surveyIndex_.end()) {
      it = surveyIndex_.emplace(field->Tag, SurveyList.size()).first;
      SurveyList.push_back(field->Tag);
    }
    std::string& entry = SurveyList[it->second];
    for (const auto& subfield : field->Subfields)
      if (entry.find(subfield->Code, 3) == std::string::npos) entry += subfield->Code;
  }
}

const std::vector<std::string>& TKonvSimple::FinishSurvey() {
  for (std::string& entry : SurveyList)
    if (entry.size() > 3) entry.replace(3, std::string::npos, SortChars(std::string_view(entry).substr(3)));
  std::stable_sort(SurveyList.begin(), SurveyList.end(),
                   [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  // Keep the index in step with the new order, should surveying go on.
  surveyIndex_.clear();
  for (std::size_t i = 0; i < SurveyList.size(); ++i)
    surveyIndex_.emplace(SurveyList[i].substr(0, 3), i);
  return SurveyList;
}

} // namespace kelvo
