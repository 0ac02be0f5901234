#include <gtest/gtest.h>

#include <string>

#include "profiles/dalk_kv21/DalkRuleHelpers.h"

namespace kelvo::dalk_kv21 {
namespace {

TMarcField Field(std::string_view text) {
  TMarcField field;
  field.ParseText(text, '*', '$');
  return field;
}

std::string Built(std::string_view source, const TCorporateForm& form, std::string_view tag = "110") {
  TMarcRec out;
  return BuildCorporateName(out, Field(source), tag, form)->AsText('*', '$', false);
}

TEST(DalkCorporateName, MapsCodesAndAppendsEToK) {
  const TCorporateForm corporate{'b', '2', ' '};
  EXPECT_EQ(Built("*11010$aVerket$cAvdelningen$eenheten$iNr 1$jOrt$k1990$xsub$zdropped", corporate),
            "*1102 $aVerket$bAvdelningen, enheten$nNr 1$cOrt$d1990$wsub");
  // e after a subfield that is not K becomes a $g, and the $g never counts as last.
  EXPECT_EQ(Built("*110  $aVerket$eett$etva", corporate), "*1102 $aVerket$gett$gtva");
  EXPECT_EQ(Built("*110  $cAvd$ez$ey", corporate), "*1102 $bAvd, z, y");
  // A blank value adds nothing and leaves the last subfield as it was.
  EXPECT_EQ(Built("*110  $cAvd$a $efort", corporate), "*1102 $bAvd, fort");
  EXPECT_EQ(Built("*111  $aMote$cPlats$eett", TCorporateForm{'e', ' ', ' '}, "111"),
            "*111  $aMote$ePlats, ett");
}

TEST(DalkCorporateName, ExtraCodesAndIndicatorsFromTheSource) {
  constexpr TCodeRow extras[] = {{'t', 't'}, {'u', 't'}};
  const TCorporateForm entry{'b', '\0', ' ', extras};
  EXPECT_EQ(Built("*71012$aVerket$tTitel$uMer", entry, "710"), "*7101 $aVerket$tTitel$tMer");
  TMarcRec out;
  EXPECT_TRUE(BuildCorporateName(out, Field("*110  $zx$e "), "110", entry)->Subfields.empty());
}

TEST(DalkRuleShapes, RelatorCodesFilingFormsAndCodeMaps) {
  EXPECT_EQ(RelatorCode('1'), "oth");
  EXPECT_EQ(RelatorCode('4'), "trl");
  EXPECT_EQ(RelatorCode('0'), "");
  EXPECT_EQ(RelatorCode(' '), "");
  EXPECT_EQ(FilingForm('4', "The title"), "title");
  EXPECT_EQ(FilingForm('0', "The title"), "");
  EXPECT_EQ(FilingForm(' ', "The title"), "");
  EXPECT_EQ(FilingForm('9', "Short"), "");
  EXPECT_EQ(PersonalNameInd1('2'), '1');
  EXPECT_EQ(PersonalNameInd1('0'), '0');

  constexpr TCodeRow names[] = {{'a', 'a'}, {'c', 'd'}, {'q', 'q'}};
  constexpr TCodeRow aq[] = {{'a', 'a'}, {'q', 'q'}};
  TMarcField target("700", ' ', ' ');
  AddMappedSubfields(target, Field("*70010$aNamn$c1900$q $edropped"), names);
  EXPECT_EQ(target.AsText('*', '$', false), "*700  $aNamn$d1900");
  TMarcRec out;
  EXPECT_FALSE(QueueMappedCouples(out, Field("*600  $q $zx"), aq));
  EXPECT_TRUE(QueueMappedCouples(out, Field("*600  $aNamn"), aq));
  EXPECT_EQ(out.AddFieldFromCouples("600", ' ', ' ')->AsText('*', '$', false), "*600  $aNamn");
}

} // namespace
} // namespace kelvo::dalk_kv21
