#include "profiles/dalk_kv21/LokalAnpass.h"

#include <gtest/gtest.h>

#include <string>

#include "record/MarcError.h"
#include "support/TempDir.h"

namespace kelvo::dalk_kv21 {
namespace {

TLocalAdaptation FromXml(std::string_view xml) {
  TLocalAdaptation adaptation;
  adaptation.LoadFromMemory(xml, "test.xml");
  return adaptation;
}

TEST(LokalAnpass, ReadsTheUsualDocument) {
  const auto a = FromXml(R"(<?xml version="1.0" encoding="UTF-8"?>
<root>
  <oegentligaflerbandsverk><objekttyper><t>KA</t><annat> KB </annat></objekttyper></oegentligaflerbandsverk>
  <mediekoder>
    <mediekod in="TA" ut="sd fsngnnmmned" klartext1="Talbok" klartext2="Ljudbok p&#229; CD"/>
    <kod in="VI" ut="vd cvaizu"/>
  </mediekoder>
  <copy503till020>true</copy503till020>
</root>)");
  EXPECT_EQ(a.ObjectTypes(), (std::vector<std::string>{"KA", "KB"}));
  EXPECT_TRUE(a.IsImproperObjectType("KB"));
  EXPECT_FALSE(a.IsImproperObjectType("kb")); // object types are compared exactly
  EXPECT_FALSE(a.IsImproperObjectType(""));
  ASSERT_TRUE(a.HasMediaCodes());
  ASSERT_EQ(a.MediaCodes().size(), 2u); // any element name counts as a media code
  EXPECT_EQ(a.MediaCodes()[0].In, "TA");
  EXPECT_EQ(a.MediaCodes()[0].Ut, "sd fsngnnmmned");
  EXPECT_EQ(a.MediaCodes()[1].Ut, "vd cvaizu");
  const TMediaText* text = a.FindMediaText("ta"); // ignoring case
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Klartext1, "Talbok");
  EXPECT_EQ(text->Klartext2, "Ljudbok p\xe5 CD"); // code page 1252, whatever the file's encoding
  EXPECT_EQ(a.FindMediaText("VI"), nullptr);      // only "mediekod" elements carry plain texts
  EXPECT_TRUE(a.Copy503To020());
}

TEST(LokalAnpass, PathIsComparedIgnoringCase) {
  const auto a = FromXml("<ROOT><OegentligaFlerbandsverk><OBJEKTTYPER><x>KA</x></OBJEKTTYPER>"
                         "</OegentligaFlerbandsverk></ROOT>");
  EXPECT_TRUE(a.IsImproperObjectType("KA"));
}

TEST(LokalAnpass, ObjectTypesOnlyAtTheirPath) {
  const char* const documents[] = {
      // root element not named root
      "<rot><oegentligaflerbandsverk><objekttyper><x>KA</x></objekttyper></oegentligaflerbandsverk>"
      "<mediekoder><mediekod in='KA' ut='ta' klartext1='Bok'/></mediekoder>"
      "<copy503till020>Y</copy503till020></rot>",
      // objekttyper one level too deep
      "<root><a><oegentligaflerbandsverk><objekttyper><x>KA</x></objekttyper></oegentligaflerbandsverk></a>"
      "<mediekoder><mediekod in='KA' ut='ta' klartext1='Bok'/></mediekoder>"
      "<copy503till020>Y</copy503till020></root>",
  };
  for (const char* xml : documents) {
    const auto a = FromXml(xml);
    EXPECT_TRUE(a.ObjectTypes().empty()) << xml;
    // found by name alone, wherever they stand
    EXPECT_TRUE(a.HasMediaCodes()) << xml;
    ASSERT_NE(a.FindMediaText("KA"), nullptr) << xml;
    EXPECT_EQ(a.FindMediaText("KA")->Klartext1, "Bok");
    EXPECT_TRUE(a.Copy503To020()) << xml;
  }
}

TEST(LokalAnpass, FirstElementInDepthFirstOrder) {
  // The mediekoder nested in the first child comes before the shallower one after it.
  const auto a =
      FromXml("<root><a><b><MedieKoder><k in='TA' ut='first'/></MedieKoder></b></a>"
              "<mediekoder><k in='TA' ut='second'/></mediekoder>"
              "<copy503till020>false</copy503till020><copy503till020>true</copy503till020></root>");
  ASSERT_EQ(a.MediaCodes().size(), 1u);
  EXPECT_EQ(a.MediaCodes()[0].Ut, "first");
  EXPECT_FALSE(a.Copy503To020());
}

TEST(LokalAnpass, MediaTextAtAnyDepthBelowMediaCodes) {
  const auto a = FromXml("<root><mediekod in='TA' klartext1='outside'/>"
                         "<mediekoder><grupp><MEDIEKOD in='ta' klartext2='Kassett'/></grupp>"
                         "<mediekod in='TA' klartext1='later'/></mediekoder></root>");
  const TMediaText* text = a.FindMediaText("TA");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Klartext1, ""); // absent attribute
  EXPECT_EQ(text->Klartext2, "Kassett");
  // the nested group is no direct child with "in" and "ut" of its own
  ASSERT_EQ(a.MediaCodes().size(), 2u);
  EXPECT_EQ(a.MediaCodes()[0].In, "");
}

TEST(LokalAnpass, MissingElementsGiveNothing) {
  const auto a = FromXml("<root><annat/></root>");
  EXPECT_TRUE(a.ObjectTypes().empty());
  EXPECT_FALSE(a.HasMediaCodes());
  EXPECT_TRUE(a.MediaCodes().empty());
  EXPECT_EQ(a.FindMediaText("TA"), nullptr);
  EXPECT_FALSE(a.Copy503To020());
}

TEST(LokalAnpass, EmptyMediaCodesElementExists) {
  const auto a = FromXml("<root><mediekoder/></root>");
  EXPECT_TRUE(a.HasMediaCodes());
  EXPECT_TRUE(a.MediaCodes().empty());
}

TEST(LokalAnpass, Copy503Till020Values) {
  struct TCase {
    const char* Text;
    bool Expected;
  };
  static constexpr TCase cases[] = {
      {"true", true},    {"T", true},      {"t", true},  {"Yes", true}, {"y", true},
      {" true\n", true}, {"false", false}, {"F", false}, {"N", false},  {"nej", false},
      {"1", false},      {"ja", false},    {"", false},  {"  ", false},
  };
  for (const auto& c : cases) {
    const auto a = FromXml(std::string("<root><copy503till020>") + c.Text + "</copy503till020></root>");
    EXPECT_EQ(a.Copy503To020(), c.Expected) << '"' << c.Text << '"';
  }
}

TEST(LokalAnpass, MissingFileIsAnEmptyAdaptation) {
  testing::TempDir dir;
  TLocalAdaptation a;
  a.LoadFromMemory("<root><copy503till020>true</copy503till020></root>", "x");
  a.LoadFromFile(dir.File("LokalAnpassTrux.xml"));
  EXPECT_FALSE(a.Copy503To020());
  EXPECT_FALSE(a.HasMediaCodes());
}

TEST(LokalAnpass, UnreadableFileRaisesWithTheFileName) {
  testing::TempDir dir;
  const std::string file = dir.Write("LokalAnpassTrux.xml", "<root><mediekoder></root>");
  TLocalAdaptation a;
  try {
    a.LoadFromFile(file);
    FAIL() << "no error";
  } catch (const MarcError& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find(file), std::string::npos) << message;
    EXPECT_NE(message.find("mismatch"), std::string::npos) << message; // the parser's own words
  }
  EXPECT_THROW(a.LoadFromFile(dir.Write("tom.xml", "")), MarcError);
}

TEST(LokalAnpass, TheSampleFile) {
  TLocalAdaptation a;
  a.LoadFromFile(KELVO_SOURCE_DIR "/data/samples/LokalAnpassTrux.xml");
  EXPECT_FALSE(a.ObjectTypes().empty());
  EXPECT_TRUE(a.HasMediaCodes());
  EXPECT_NE(a.FindMediaText("TA"), nullptr);
  EXPECT_TRUE(a.Copy503To020());
}

} // namespace
} // namespace kelvo::dalk_kv21
