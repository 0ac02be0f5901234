// MARCXML input: the same records as ISO 2709 whatever the form of the
// document, a conversion with the same output, a fault that ends the run
// after the records before it, entities left alone, and telling the format.
#include "record/MarcXmlReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SourceDate.h"
#include "app/Fakes.h"
#include "app/ProfileRun.h"
#include "profiles/sorvia_kv21/Kv21TestSupport.h"
#include "record/Iso2709.h"
#include "record/MarcRec.h"
#include "record/test_files.h"

namespace kelvo {
namespace {

using kv21test::IsoRecord;
using kv21test::TIsoField;
using testing::ReadAll;
using testing::TempDir;

struct TSourceRecord {
  std::string Leader;
  std::vector<TIsoField> Fields; // control data, or indicators and 0x1F before each code
};

const std::vector<TSourceRecord> Source = {
    {"00000nam a2200000   4500",
     {{"001", "A1"},
      {"008", "040305s2004    sw            000 0 swe d"},
      {"100", "1 \x1f"
              "aBerg, Anna,\x1f"
              "d1950-"},
      {"245", "10\x1f"
              "aSm\xc3\xa5 visor & s\xc3\xa5nger <1> \"2\"\x1f"
              "cAnna Berg."},
      {"650", " 7\x1f"
              "aVisor\x1f"
              "2sao"}}},
    {"00000cas a2200000   4500",
     {{"001", "P7"},
      {"022", "  \x1f"
              "a1234-5678"},
      {"245", "00\x1f"
              "aTidskrift f\xc3\xb6r bibliotek."}}},
};

std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text)
    out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '"' ? "&quot;" : std::string(1, c);
  return out;
}

// The records as MARCXML elements with the prefix p ("" or "marc:").
std::string XmlRecords(const std::vector<TSourceRecord>& records, const std::string& p) {
  std::string xml;
  for (const TSourceRecord& r : records) {
    const std::string leader = IsoRecord(r.Leader, r.Fields).substr(0, 24); // with the lengths filled in
    xml += "\n <" + p + "record>\n  <" + p + "leader>" + leader + "</" + p + "leader>";
    for (const auto& [tag, content] : r.Fields) {
      if (content.find('\x1f') == std::string::npos) {
        xml +=
            "\n  <" + p + "controlfield tag=\"" + tag + "\">" + Escaped(content) + "</" + p + "controlfield>";
        continue;
      }
      xml += "\n  <" + p + "datafield tag=\"" + tag + "\" ind1=\"" + content[0] + "\" ind2=\"" + content[1] +
             "\">";
      for (std::size_t at = content.find('\x1f'); at != std::string::npos;) {
        const std::size_t next = content.find('\x1f', at + 1);
        const std::string sub = content.substr(at + 1, next == std::string::npos ? next : next - at - 1);
        xml += "<" + p + "subfield code=\"" + sub.substr(0, 1) + "\">" + Escaped(sub.substr(1)) + "</" + p +
               "subfield>";
        at = next;
      }
      xml += "</" + p + "datafield>";
    }
    xml += "\n </" + p + "record>";
  }
  return xml;
}

std::string IsoRecords(const std::vector<TSourceRecord>& records) {
  std::string iso;
  for (const TSourceRecord& r : records)
    iso += IsoRecord(r.Leader, r.Fields);
  return iso;
}

constexpr const char* Slim = "http://www.loc.gov/MARC21/slim";

struct TFormCase {
  const char* Name;
  std::string Open, Prefix, Close;
};

const TFormCase Forms[] = {
    {"Collection", std::string("<collection xmlns=\"") + Slim + "\">", "", "\n</collection>"},
    {"PrefixedNamespace", std::string("<marc:collection xmlns:marc=\"") + Slim + "\">",
     "marc:", "</marc:collection>"},
    {"NoNamespace", "<collection>", "", "</collection>"},
    {"InsideAnotherDocumentsRecord",
     std::string("<x:list xmlns:x=\"urn:other\"><x:record><collection xmlns=\"") + Slim + "\">", "",
     "</collection></x:record></x:list>"},
};

class MarcXmlForms : public ::testing::TestWithParam<TFormCase> {};

TEST_P(MarcXmlForms, GiveTheRecordsOfIso2709) {
  const TFormCase& form = GetParam();
  TempDir dir;
  TMarcXmlReader reader;
  reader.Open(dir.Write("in.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + form.Open +
                                      XmlRecords(Source, form.Prefix) + form.Close));
  TIso2709 iso;
  TMarcRec fromXml, fromIso;
  std::string xml;
  for (const TSourceRecord& r : Source) {
    ASSERT_TRUE(reader.Next(fromXml, xml));
    const std::string text = IsoRecord(r.Leader, r.Fields);
    BuildRecordFromIso(iso, std::string_view(text).substr(0, text.size() - 1), fromIso);
    EXPECT_EQ(fromXml.AsText(), fromIso.AsText());
    EXPECT_NE(xml.find("record>"), std::string::npos);
  }
  EXPECT_FALSE(reader.Next(fromXml, xml));
  EXPECT_FALSE(reader.Failed());
  EXPECT_EQ(reader.Records(), 2);
}

INSTANTIATE_TEST_SUITE_P(Forms, MarcXmlForms, ::testing::ValuesIn(Forms),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(MarcXmlReader, LeavesEntitiesUnexpandedAndLoadsNothing) {
  TempDir dir;
  TMarcXmlReader reader;
  reader.Open(dir.Write("in.xml",
                        "<!DOCTYPE record [<!ENTITY big \"EXPANDED\">"
                        "<!ENTITY ext SYSTEM \"file:///etc/hostname\">]>\n"
                        "<record><datafield tag=\"245\" ind1=\"0\" ind2=\"0\">"
                        "<subfield code=\"a\">&big;&ext;&amp;&#xe5;</subfield></datafield></record>"));
  TMarcRec rec;
  std::string xml;
  ASSERT_TRUE(reader.Next(rec, xml));
  EXPECT_EQ(rec.SubfieldValue("245", 'a'), "&big;&ext;&\xc3\xa5");
}

// Runs profile p on the input as MARCXML or ISO 2709; the output, or the error shown.
struct TRunResult {
  TRunOutcome Outcome;
  std::string Output, Error, Summary;
};

TRunResult RunInput(const TempDir& dir, const std::string& input, bool xml, int profile = 1) {
  TMainState state;
  state.Profile = profile;
  state.InFile = dir.Write(xml ? "in.xml" : "in.iso", input);
  state.OutFile = dir.File("ut.mrc");
  state.FilterFile = dir.File("inget-filter.txt");
  state.SourceIsMarcXml = xml;
  testing::TFakeShell shell;
  TRunResult result{RunProfile(state, shell.Frame), ReadAll(state.OutFile), "", ""};
  for (const auto& box : shell.Msg.Boxes)
    (box.Kind == TMsgKind::Error ? result.Error : result.Summary) += box.Text;
  return result;
}

TEST(MarcXmlRun, ConvertsToTheOutputOfTheSameRecordsInIso2709) {
  testing::ScopedSourceDate date("0");
  TempDir dir;
  for (const int profile : {0, 1}) {
    SCOPED_TRACE(profile);
    const TRunResult xml = RunInput(
        dir, std::string("<collection xmlns=\"") + Slim + "\">" + XmlRecords(Source, "") + "</collection>",
        true, profile);
    const TRunResult iso = RunInput(dir, IsoRecords(Source), false, profile);
    ASSERT_EQ(xml.Outcome, TRunOutcome::Completed) << xml.Error;
    EXPECT_EQ(xml.Output, iso.Output);
    EXPECT_NE(xml.Output.find("Sm\xe5 visor & s\xe5nger <1> \"2\""), std::string::npos) << xml.Output;
    EXPECT_EQ(xml.Summary, "Omkodade poster: 2 (UTF-8 2, MARC-8 0)");
  }
}

struct TFaultCase {
  const char* Name;
  std::string Document;
  int Written;       // records converted before the fault
  const char* Error; // part of the message
};

const std::string Two = XmlRecords(Source, "");

const TFaultCase Faults[] = {
    {"CutInARecord", "<collection>" + Two + "\n <record><leader>00000", 2, "p\xe5 rad 16"},
    {"ControlCharacter", "<collection>" + Two + "\n <record><leader>\x01</leader></record></collection>", 2,
     "p\xe5 rad 16"},
    // The parser reports the end of a root record and a cut one alike: none is taken.
    {"RecordsWithoutARoot", Two + Two, 0, "p\xe5 rad 10: Extra content"},
    {"NoRecords", "<collection>\n</collection>", 0, "inga MARCXML-poster"},
};

class MarcXmlFault : public ::testing::TestWithParam<TFaultCase> {};

TEST_P(MarcXmlFault, EndsTheRunAfterTheRecordsBeforeIt) {
  TempDir dir;
  const TRunResult r = RunInput(dir, GetParam().Document, true);
  EXPECT_EQ(r.Outcome, TRunOutcome::Failed);
  EXPECT_NE(r.Error.find(GetParam().Error), std::string::npos) << r.Error;
  int written = 0;
  for (std::size_t at = r.Output.find("\r\n^\r\n"); at != std::string::npos;
       at = r.Output.find("\r\n^\r\n", at + 1))
    ++written;
  EXPECT_EQ(written, GetParam().Written);
}

INSTANTIATE_TEST_SUITE_P(Faults, MarcXmlFault, ::testing::ValuesIn(Faults),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(MarcXmlReader, IsToldFromOtherInputByItsBeginning) {
  const std::pair<std::string, bool> cases[] = {
      {std::string("\xef\xbb\xbf \r\n<?xml version=\"1.0\"?><marc:collection xmlns:marc=\"") + Slim + "\"/>",
       true},
      {"<record><leader>00000nam</leader></record>", true},
      {"<?xml version=\"1.0\"?><settings><a/></settings>", false},
      {IsoRecords(Source), false},
      {"*00000000nam a2200000   4500\r\n*245 10$a<record>\r\n^\r\n", false},
      {"", false},
  };
  TempDir dir;
  for (const auto& [content, marcXml] : cases)
    EXPECT_EQ(LooksLikeMarcXml(dir.Write("in", content)), marcXml) << content;
}

} // namespace
} // namespace kelvo
