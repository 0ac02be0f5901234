// Real ISO 2709 files from other systems: cutting them into records, and the
// road from ISO 2709 through the line format and back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "record/Iso2709.h"
#include "record/MarcRec.h"
#include "record/Vblrec.h"
#include "support/SharedData.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;

constexpr char kRecordTerminator = '\x1d';

// The record texts of a file as the converters receive them.
std::vector<std::string> ReadRecords(const fs::path& path, std::size_t bound) {
  TVblRec reader(kRecordTerminator);
  std::vector<std::string> records;
  if (!reader.Open(path.string())) {
    ADD_FAILURE() << "cannot open " << path;
    return records;
  }
  std::string work;
  for (bool last = false; !last && records.size() <= bound;) {
    last = reader.ReadRecord(work);
    records.emplace_back(reader.Current);
  }
  reader.Close();
  return records;
}

TEST(RealIsoFiles, CutIntoRecordsAtEveryTerminator) {
  const auto files = testing::IsoFiles();
  KELVO_SKIP_WITHOUT_ISO_FILES(files);
  for (const auto& path : files) {
    SCOPED_TRACE(path.string());
    const std::string bytes = testing::ReadAll(path.string());
    const auto terminators =
        static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), kRecordTerminator));
    const auto records = ReadRecords(path, terminators + 1);
    // The piece after the last terminator is a record too, even when empty.
    ASSERT_EQ(records.size(), terminators + 1);
    std::string joined;
    for (std::size_t i = 0; i < records.size(); ++i) {
      if (i > 0) joined += kRecordTerminator;
      joined += records[i];
    }
    EXPECT_TRUE(joined == bytes) << "the records do not add up to the file";
  }
}

// The line format has no escaping, and its reader joins CR LF into a blank,
// trims every field piece, cuts fields at "*", subfields at "$" and records at
// "^". So a field loses the blanks and control characters at its end, which
// the comparison allows for; a field whose content runs into any other of these
// is changed by design, not by a fault, and is left out. Both kinds are counted;
// everything else must come back exactly.
enum class Carried { Exactly, TrimmedAtEnd, Not };

bool Trimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimEnd(std::string_view s) {
  while (!s.empty() && Trimmed(s.back()))
    s.remove_suffix(1);
  return s;
}

Carried HowCarried(const TMarcField& field) {
  const std::string line = field.AsText('*', '$', false);
  const std::string_view body = std::string_view(line).substr(1);
  const std::string_view kept = TrimEnd(body);
  const std::size_t lastValue =
      field.Subfields.empty() ? field.Data.size() : field.Subfields.back()->Value.size();
  // What the trimming takes must come from the last value alone.
  if (kept.empty() || Trimmed(kept.front()) || body.size() - kept.size() > lastValue) return Carried::Not;
  if (kept.find_first_of("*^\r\n") != std::string_view::npos) return Carried::Not;
  if (static_cast<std::size_t>(std::count(kept.begin(), kept.end(), '$')) != field.Subfields.size())
    return Carried::Not;
  const bool blankPiece = std::any_of(field.Subfields.begin(), field.Subfields.end(), [](const auto& sf) {
    return (sf->Code + sf->Value).find_first_not_of(" \t") == std::string::npos;
  });
  if (blankPiece) return Carried::Not;
  return kept.size() == body.size() ? Carried::Exactly : Carried::TrimmedAtEnd;
}

void ExpectSameField(const TMarcField& want, const TMarcField& got) {
  // Only the end of the field can have lost anything (see HowCarried).
  const bool last = want.Subfields.empty();
  EXPECT_EQ(got.Tag, want.Tag);
  EXPECT_EQ(got.IsDataField, want.IsDataField) << want.Tag;
  EXPECT_EQ(got.Data, last ? TrimEnd(want.Data) : want.Data) << want.Tag;
  if (!want.IsDataField) return;
  EXPECT_EQ(got.Ind1, want.Ind1) << want.Tag;
  EXPECT_EQ(got.Ind2, want.Ind2) << want.Tag;
  ASSERT_EQ(got.Subfields.size(), want.Subfields.size()) << want.Tag;
  for (std::size_t i = 0; i < want.Subfields.size(); ++i) {
    const std::string& value = want.Subfields[i]->Value;
    EXPECT_EQ(got.Subfields[i]->Code, want.Subfields[i]->Code) << want.Tag;
    EXPECT_EQ(got.Subfields[i]->Value, i + 1 == want.Subfields.size() ? TrimEnd(value) : value) << want.Tag;
  }
}

TEST(RealIsoFiles, RoundTripThroughLineFormat) {
  const auto files = testing::IsoFiles();
  KELVO_SKIP_WITHOUT_ISO_FILES(files);
  TIso2709 iso;
  TMarcRec decoded, parsed;
  decoded.ApplyFilter = false;
  std::size_t exact = 0, trimmed = 0, skipped = 0;
  for (const auto& path : files) {
    SCOPED_TRACE(path.string());
    for (const std::string& text : ReadRecords(path, std::string::npos)) {
      BuildRecordFromIso(iso, text, decoded);
      std::vector<const TMarcField*> kept;
      for (const auto& field : decoded.Fields) {
        const Carried how = HowCarried(*field);
        field->Deleted = how == Carried::Not;
        ++(how == Carried::Exactly ? exact : how == Carried::TrimmedAtEnd ? trimmed : skipped);
        if (!field->Deleted) kept.push_back(field.get());
      }
      parsed.ParseText(decoded.AsText());
      ASSERT_EQ(parsed.Fields.size(), kept.size()) << text;
      for (std::size_t i = 0; i < kept.size(); ++i)
        ExpectSameField(*kept[i], *parsed.Fields[i]);
    }
  }
  std::cout << "[ fields   ] " << exact << " exactly, " << trimmed << " trimmed at the end, " << skipped
            << " left out\n";
  // The exceptions must stay exceptions, or the comparison proves little.
  EXPECT_GT(exact + trimmed, 50 * skipped);
}

} // namespace
} // namespace kelvo
