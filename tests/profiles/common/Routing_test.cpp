// Where records go, and why a record is not written: each destination and
// each reason as the run's observer is told, and weeding by tag and code.
#include "profiles/common/Routing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profiles/dalk_kv21/DalkIIToKv21.h"
#include "profiles/dalk_kv21/LokalAnpass.h"
#include "profiles/dalk_kv21/dalk_records.h"
#include "profiles/sorvia_dialect/Mrc21ToMrcKv.h"
#include "support/IsoRecord.h"
#include "support/TempDir.h"

namespace kelvo::common {
namespace {

using testing::DalkHead;
using testing::DalkPart;
using testing::DalkPlain;

std::string Told(const TRecordOutcome& o) {
  static const char* const Names[] = {"Utfil", "Periodika", "Utgallrade", "Flerbandsverk", "Ej skrivna"};
  std::string text = std::to_string(o.Number) + " " + std::string(o.Id) + " " + std::string(o.Title) + ": " +
                     Names[static_cast<int>(o.Route.Destination)];
  if (!o.Route.Reason.empty()) text += " (" + std::string(o.Route.Reason) + ")";
  return text;
}

// Converts the whole input with konv and returns what its observer was told.
template <class TKonv> std::vector<std::string> Outcomes(TKonv& konv) {
  std::vector<std::string> told;
  konv.OnRecord = [&](const TRecordOutcome& o) { told.push_back(Told(o)); };
  while (!konv.EndOfInput)
    konv.ConvertNext();
  return told;
}

TEST(Routing, TheMarc21ProfilesTellEachDestinationAndReason) {
  testing::TempDir dir;
  const std::string input = "*001A\r\n*000   a\r\n*24510$aVanlig\r\n^\r\n"
                            "*001W\r\n*000   a\r\n*24510$aGallrad\r\n*096  $sGALLR\r\n^\r\n"
                            "*001P\r\n*000   g\r\n*24510$aTidskrift\r\n^\r\n"
                            "*001N\r\n*500  $aIngen titel\r\n^\r\n"
                            "*001L\r\n*24510$a" +
                            std::string(100, 'x') + "\r\n^\r\n*001T\r\n*29500$aBara 295\r\n^\r\n";
  const std::vector<std::string> filter;
  sorvia_dialect::TMrc21ToMrcKv konv(dir.File("ut.mrc"), dir.Write("in.mrc", input), "^", filter, false, true,
                                     dir.File("per.mrc"), true, dir.File("gallr.mrc"));
  konv.ConvertToKv2 = false;
  konv.Reader.MaxRecordLength = 90;
  EXPECT_EQ(Outcomes(konv), (std::vector<std::string>{
                                "1 A Vanlig: Utfil",
                                "2 W Gallrad: Utgallrade",
                                "3 P Tidskrift: Periodika",
                                "4 N : Ej skrivna (Saknar titel (245/295))",
                                "5  : Ej skrivna (F\xf6r l\xe5ng post)",
                                "6 T Bara 295: Utfil",
                            }));

  // A last ISO 2709 record cut short, without a title.
  const std::string cut = testing::IsoRecord("00000nam a2200000   4500", {{"001", "K"},
                                                                          {"500", "  \x1f"
                                                                                  "aText"}});
  sorvia_dialect::TMrc21ToMrcKv iso(dir.File("ut2.mrc"), dir.Write("in.iso", cut.substr(0, cut.size() - 6)),
                                    "\x1d", filter, true, false, "", false, "");
  EXPECT_EQ(Outcomes(iso), (std::vector<std::string>{"1 K : Ej skrivna (Ofullst\xe4ndig sista post)"}));
}

TEST(Routing, TheVendorProfileTellsEachDestinationAndReason) {
  testing::TempDir dir;
  dalk_kv21::TLocalAdaptation adaptation;
  adaptation.LoadFromMemory("<root><oegentligaflerbandsverk><objekttyper><t>KA</t></objekttyper>"
                            "</oegentligaflerbandsverk></root>",
                            "LokalAnpassTrux.xml");
  const std::string input = DalkHead("2100001", "Oegentlig") + DalkPart("2100002", "Del", "2100001") +
                            DalkHead("2200001", "Egentlig", "XX") + DalkPlain("2300001", "") + "xy\r\n^\r\n" +
                            DalkPlain("2400001", "Vanlig");
  const std::vector<std::string> filter;
  const auto run = [&](bool onlyImproperHeads) {
    dalk_kv21::TDalkIIToKv21 konv(dir.File("ut.mrc"), dir.Write("in.mrc", input), "^", filter, false, false,
                                  "", false, "");
    konv.SetLocalAdaptation(adaptation);
    konv.SeparateProperWorks = true;
    konv.OnlyImproperHeads = onlyImproperHeads;
    konv.OpenMultiVolumeFile(dir.File("flerband.txt"));
    return Outcomes(konv);
  };
  EXPECT_EQ(run(false),
            (std::vector<std::string>{
                "1 DLK210000100 Oegentlig: Utfil",
                "2 DLK210000200 Del: Ej skrivna (Del av oegentligt flerbandsverk (numret st\xe5r i "
                "huvudposten))",
                "3 DLK220000100 Egentlig: Flerbandsverk",
                "4 DLK230000100 : Ej skrivna (Saknar titel (245/295))",
                "5  : Ej skrivna (Ol\xe4sbar post)",
                "6 DLK240000100 Vanlig: Utfil",
            }));
  EXPECT_EQ(run(true).back(),
            "6 DLK240000100 Vanlig: Ej skrivna (Inte huvudpost f\xf6r oegentligt flerbandsverk)");
}

struct TWeedingCase {
  const char* Criteria;
  const char* Holdings; // the copy fields
  bool Weeded;
};

TEST(Weeding, ComparesTheFirstCodeOfEachCopyWithTheCriteria) {
  const TWeedingCase rows[] = {
      {"Utgallr|Gallr|U", "*096  $sgallr\r\n", true},
      {"Utgallr|Gallr|U", "*096  $sGALLR\r\n", true},
      {"Utgallr|Gallr|U", "*096  $sGall\r\n", false},
      {"Utgallr|Gallr|U", "*096  $su\r\n", true},
      {"Utgallr|Gallr|U", "*096  $sHylla\r\n*096  $sUtgallr\r\n", true},
      {"Utgallr|Gallr|U", "*096  $aX\r\n*096  $sU\r\n", true},
      {"Utgallr|Gallr|U", "*096  $sHylla$sGallr\r\n", false}, // only the first $s counts
      {"Utgallr|Gallr|U", "*500  $sGallr\r\n", false},
      {"Kasserad| Gallr", "*096  $sGallr\r\n", false}, // items are not trimmed
      {"Kasserad| Gallr", "*096  $s gallr\r\n", true},
      {"\xc4ldre", "*096  $s\xe4LDRE\r\n", true}, // national letters by the code page's case rules
      {"", "*096  $sGallr\r\n", false},
  };
  TWeeding weeding("096", 's');
  for (const TWeedingCase& w : rows) {
    weeding.SetCriteria(w.Criteria);
    TMarcRec rec;
    rec.ParseText(w.Holdings);
    EXPECT_EQ(weeding.AnyCopyWeeded(rec), w.Weeded) << w.Criteria << " / " << w.Holdings;
  }
  // A trailing blank is part of the code (line-format parsing would trim it);
  // a blank piece of the criteria names no code.
  weeding.SetCriteria("Utgallr| |U");
  TMarcRec rec;
  rec.AddField("096")->AddSubfield('s', "gallr ");
  EXPECT_FALSE(weeding.AnyCopyWeeded(rec));
  rec.Fields.front()->Subfields.front()->Value = " ";
  EXPECT_FALSE(weeding.AnyCopyWeeded(rec));
}

TEST(Weeding, CriteriaCompareWholeValuesWithoutCase) {
  TWeeding criteria("852", 'i');
  criteria.SetCriteria("Utgallr|Gallr|U");
  for (const char* value : {"Gallr", "gallr", "UTGALLR", "U", "u"})
    EXPECT_TRUE(criteria.Matches(value)) << value;
  for (const char* value : {"Utgallrad", "Gall", "", " U"})
    EXPECT_FALSE(criteria.Matches(value)) << value;

  criteria.SetCriteria("Gallrat\xc5|"); // code page 1252 capital A with ring
  EXPECT_TRUE(criteria.Matches("gallrat\xe5"));
  EXPECT_FALSE(criteria.Matches("")) << "an empty piece names no code";
  EXPECT_FALSE(criteria.Matches("U")) << "the new criteria replace the old";
}

TEST(Weeding, AnyAndAllCopiesByTagAndCode) {
  struct TCase {
    const char* Holdings;
    bool Any;
    bool All;
  };
  const TCase cases[] = {
      {"*24510$aT\r\n", false, false},
      {"*852  $iUtgallr\r\n*852  $bX\r\n", true, false},
      {"*852  $iutgallr\r\n*852  $iU\r\n", true, true},
      {"*852  $iHylla$iU\r\n", false, false}, // only the first $i counts
      {"*852  $bX\r\n*852  $iGallr\r\n", true, false},
      {"*096  $sU\r\n", false, false}, // another profile's copies
  };
  TWeeding weeding("852", 'i');
  weeding.SetCriteria("Utgallr|Gallr|U");
  for (const TCase& c : cases) {
    TMarcRec rec;
    rec.ParseText(c.Holdings);
    EXPECT_EQ(weeding.AnyCopyWeeded(rec), c.Any) << c.Holdings;
    EXPECT_EQ(weeding.AllCopiesWeeded(rec), c.All) << c.Holdings;
  }
}

} // namespace
} // namespace kelvo::common
