// The character-set step on real files of other systems: known words of
// known records in UTF-8 (composed and decomposed), MARC-8 and 8-bit sets,
// the same records in two character sets, and mislabelled records.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "record/CharsetDecoder.h"
#include "record/Iso2709.h"
#include "record/MarcRec.h"
#include "record/Vblrec.h"
#include "support/SharedData.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;

const fs::path& Root = testing::SharedMarc21();

struct TDecoded {
  std::vector<std::string> Texts; // each record in the line format, after the step
  std::vector<bool> Utf8;         // whether its values were well-formed UTF-8 beyond ASCII
  std::int64_t Invalid = 0;
};

bool IsUtf8(const TMarcRec& rec) {
  bool multiByte = false, wellFormed = true;
  for (const auto& field : rec.Fields) {
    if (field->Tag == "000") continue;
    wellFormed = wellFormed && IsWellFormedUtf8(field->Data, multiByte);
    for (const auto& sub : field->Subfields)
      wellFormed = wellFormed && IsWellFormedUtf8(sub->Value, multiByte);
  }
  return wellFormed && multiByte;
}

TDecoded Decode(const fs::path& file, TCharset charset) {
  TDecoded result;
  TVblRec reader('\x1d');
  if (!reader.Open(file.string())) return result;
  TCharsetDecoder decoder(charset);
  TIso2709 iso;
  TMarcRec rec;
  std::string work;
  for (bool last = false; !last;) {
    last = reader.ReadRecord(work);
    if (reader.Current.size() < 24) continue; // the piece after the last terminator
    BuildRecordFromIso(iso, reader.Current, rec);
    result.Utf8.push_back(IsUtf8(rec));
    decoder.Decode(rec, static_cast<std::int64_t>(result.Texts.size()) + 1);
    result.Texts.push_back(rec.AsText());
  }
  result.Invalid = decoder.InvalidUtf8Records;
  return result;
}

// The text without its first line, the leader, which keeps leader/09 and the lengths of the source.
std::string WithoutLeader(const std::string& text) { return text.substr(text.find('\n') + 1); }

#define SKIP_WITHOUT(file)                                                                                   \
  if (!fs::exists(Root / (file))) GTEST_SKIP() << "no " << (Root / (file))

struct TWordCase {
  const char* File;
  TCharset Charset;
  std::size_t Record; // 1-based
  std::vector<const char*> Words;
};

const TWordCase WordCases[] = {
    {"natlibfi/from2.mrc", TCharset::Auto, 1, {"Werke f\xfcr Streichorchester", "Sch\xf6nberg, Arnold"}},
    {"pymarc/utf8_without_leader_flag.dat", TCharset::Auto, 1, {"$aEscape from loneliness"}},
    {"folio/sample100.mrc",
     TCharset::Auto,
     1,
     {"$c\xa9"
      "2002"}},
    {"folio/sample100.mrc", TCharset::Auto, 2, {"$c(P)1999"}},
    {"traject/one-marc8.mrc", TCharset::Marc8, 1, {"Santos, M\xedlton", "globaliza\xe7\xe3o"}},
    {"ruby-marc/marc8_accented_chars.marc", TCharset::Marc8, 1, {"Genevi\xe8ve", "th\xe9\xe2tre"}},
    {"evergreen/lul_fre_500.mrc", TCharset::Marc8, 1, {"F\xe9lice, Philippe de."}},
    {"evergreen/jazz_1k.mrc", TCharset::Marc8, 188, {"The K\xf6ln concert"}},
};

class RealCharsetWords : public ::testing::TestWithParam<TWordCase> {};

TEST_P(RealCharsetWords, AreDecodedIntoCodePage1252) {
  const TWordCase& c = GetParam();
  SKIP_WITHOUT(c.File);
  const TDecoded decoded = Decode(Root / c.File, c.Charset);
  ASSERT_GE(decoded.Texts.size(), c.Record);
  for (const char* word : c.Words)
    EXPECT_NE(decoded.Texts[c.Record - 1].find(word), std::string::npos) << word;
}

INSTANTIATE_TEST_SUITE_P(Files, RealCharsetWords, ::testing::ValuesIn(WordCases));

struct TTwinCase {
  const char *File, *Twin;
  TCharset Charset, TwinCharset;
};

// The same records in two character sets, or with and without the leader's flag.
const TTwinCase TwinCases[] = {
    {"marc4j/brkrtest.mrc", "marc4j/brkrtest_UTF8.mrc", TCharset::Marc8, TCharset::Auto},
    {"pymarc/utf8_without_leader_flag.dat", "pymarc/utf8_with_leader_flag.dat", TCharset::Auto,
     TCharset::Auto},
    // Windows-1251 with a blank leader/09 is no UTF-8: its bytes pass as they are.
    {"pymarc/1251.dat", "pymarc/1251.dat", TCharset::Auto, TCharset::Cp1252},
};

class RealCharsetTwins : public ::testing::TestWithParam<TTwinCase> {};

TEST_P(RealCharsetTwins, GiveTheSameText) {
  const TTwinCase& c = GetParam();
  SKIP_WITHOUT(c.File);
  const TDecoded a = Decode(Root / c.File, c.Charset), b = Decode(Root / c.Twin, c.TwinCharset);
  ASSERT_EQ(a.Texts.size(), b.Texts.size());
  ASSERT_FALSE(a.Texts.empty());
  for (std::size_t i = 0; i < a.Texts.size(); ++i)
    EXPECT_EQ(WithoutLeader(a.Texts[i]), WithoutLeader(b.Texts[i])) << "record " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(Files, RealCharsetTwins, ::testing::ValuesIn(TwinCases));

TEST(RealCharsets, MarcEightSaidToBeUtf8IsKeptAsItIsAndCounted) {
  const char* file = "ruby-marc/marc8_accented_chars.marc";
  SKIP_WITHOUT(file);
  const TDecoded automatic = Decode(Root / file, TCharset::Auto);
  EXPECT_EQ(automatic.Invalid, 1);
  EXPECT_EQ(automatic.Texts, Decode(Root / file, TCharset::Cp1252).Texts);
}

// Every record of every file through both decoders: nothing breaks, and a
// record that needs no decoding (ASCII, or bytes that are no UTF-8) comes out
// of the automatic step exactly as it went in.
TEST(RealCharsets, EveryFileDecodesAndWhatNeedsNoDecodingStays) {
  const std::vector<fs::path> files = testing::IsoFiles();
  KELVO_SKIP_WITHOUT_ISO_FILES(files);
  std::size_t kept = 0;
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    const TDecoded automatic = Decode(file, TCharset::Auto);
    const TDecoded raw = Decode(file, TCharset::Cp1252);
    ASSERT_EQ(automatic.Texts.size(), raw.Texts.size());
    for (std::size_t i = 0; i < raw.Texts.size(); ++i) {
      if (raw.Utf8[i]) continue;
      EXPECT_EQ(automatic.Texts[i], raw.Texts[i]) << "record " << i + 1;
      ++kept;
    }
    Decode(file, TCharset::Marc8);
  }
  EXPECT_GT(kept, 0U);
}

} // namespace
} // namespace kelvo
