#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "profiles/sorvia_dialect/DialectCleanUp.h"
#include "profiles/sorvia_dialect/DialectFixture.h"

namespace kelvo::sorvia_dialect {
namespace {

struct TEnding {
  const char* Tag;
  const char* In;
  const char* Out;
};

TEST(DialectCleanUp, CleanSubfieldEndings) {
  const TEnding rows[] = {
      {"245", "Titel :", "Titel"},     {"245", "Titel /,", "Titel /"}, // at most one ending goes
      {"245", "Titel ; /", "Titel ;"}, {"245", " :", " :"}, // the text must be longer than the ending
      {"245", "(inb.", "inb."},        {"500", "inb.)", "inb."},
      {"500", "(inb. :", "inb."},  // ending first, then the parenthesis
      {"500", "(a) b)", "(a) b)"}, // unbalanced but enclosed: kept
      {"500", "a (b", "a (b"},     // unbalanced inside: kept
      {"300", "(inb.", "(inb."},   // 300 keeps its parentheses
      {"300", "24 cm ;", "24 cm"},
  };
  for (const TEnding& r : rows) {
    TMarcRec rec;
    rec.AddField(r.Tag)->AddSubfield('a', r.In);
    sorvia_dialect::CleanSubfieldEndings(rec);
    EXPECT_EQ(rec.FieldAt(0).Subfields[0]->Value, r.Out) << r.Tag << " \"" << r.In << "\"";
  }
}

TEST(DialectCleanUp, PlusEndingsOnlyIn300) {
  TMarcRec rec;
  rec.ParseText("*300  $a310 s. +$b +$eCD +\r\n*500  $aNot +\r\n");
  sorvia_dialect::StripPlusEndings(rec);
  EXPECT_EQ(rec.AsText(), "*300  $a310 s.$b +$eCD\r\n*500  $aNot +\r\n");
}

// The regular-expression clean-ups, seen through fields that the rule
// sequence carries over unchanged.
TEST(DialectCleanUp, FinalCleanUpOnCarriedFields) {
  testing::DialectRun run("*24700$aF\xf6rr.$bx.\r\n*74002$aDel 2 .\r\n*740 2$aSerie.\r\n"
                          "*776 8$zISBN  91-0-012345-6$xISSN 1234-5678\r\n*787  $zISBN91-1$xISSN0000-1111\r\n"
                          "*760  $zISBN 1\r\n^\r\n");
  run.Kv->ConvertNext();
  // Leader and 008 are built from blanks here.
  EXPECT_EQ(run.Kv->OutRecord.AsText(), "*000                m       \r\n"
                                        "*008\r\n"
                                        "*24700$aF\xf6rr$bx.\r\n"
                                        "*74002$aDel 2 .\r\n"
                                        "*740 2$aSerie\r\n"
                                        "*760  $zISBN 1\r\n"
                                        "*776 8$z91-0-012345-6$x1234-5678\r\n"
                                        "*787  $z91-1$x0000-1111\r\n");
}

} // namespace
} // namespace kelvo::sorvia_dialect
