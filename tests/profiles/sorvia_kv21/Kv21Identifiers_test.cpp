// Fields 001 and 035 after a conversion, with the options of "kv2m21spec".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profiles/sorvia_kv21/Kv21TestSupport.h"

namespace kelvo::sorvia_kv21 {
namespace {

using kv21test::Lines;

struct TIdCase {
  const char* Name;
  bool KeepOld035;
  bool VoyagerIdKeep;
  std::string Input;
  std::string Expected; // the record's lines in the output
};

const std::string kKelvo = "(KVABC)12345678901234";
const std::string kDigits = "12345678901234";

TEST(Kv21Identifiers, OldAndKelvoNumbers) {
  const std::vector<TIdCase> cases = {
      {"off: the 001 also goes to a (Voyager) 035", false, false, Lines({"*001123456", "*24510$aT"}),
       Lines({"*001123456", "*035  $a(Voyager)123456$x123456", "*24510$aT"})},
      {"off: no 001, no 035", false, false, Lines({"*24510$aT"}), Lines({"*24510$aT"})},
      {"off: blank 001, no 035", false, false, Lines({"*001", "*24510$aT"}), Lines({"*001", "*24510$aT"})},
      {"off: a Kelvo number stays where it is", false, false,
       Lines({"*001987", "*035  $a" + kKelvo, "*24510$aT"}),
       Lines({"*001987", "*035  $a" + kKelvo, "*035  $a(Voyager)987$x987", "*24510$aT"})},
      {"on: the Kelvo number takes over 001", true, false,
       Lines({"*001987", "*035  $a" + kKelvo, "*24510$aT"}),
       Lines({"*001" + kDigits, "*035  $a" + kKelvo + "$x" + kDigits, "*035  $a(Voyager)987$x987",
              "*24510$aT"})},
      {"on: a national letter in the Kelvo number", true, false,
       Lines({"*001987", "*035  $a(KV\xc5\xe4)" + kDigits, "*24510$aT"}),
       Lines({"*001" + kDigits, "*035  $a(KV\xc5\xe4)" + kDigits + "$x" + kDigits,
              "*035  $a(Voyager)987$x987", "*24510$aT"})},
      {"on: blanks around the Kelvo number", true, false,
       Lines({"*001987", "*035  $a " + kKelvo + " $z", "*24510$aT"}),
       // Taken for 001 from the trimmed value; $x wants the value as it stands.
       Lines({"*001" + kDigits, "*035  $a" + kKelvo + "$z", "*035  $a(Voyager)987$x987", "*24510$aT"})},
      {"on: $9 takes over 001", true, false, Lines({"*001987", "*035  $9555", "*24510$aT"}),
       Lines({"*001555", "*035  $9555", "*035  $a(Voyager)987$x987", "*24510$aT"})},
      {"on with voyageridkeep: 001 stays", true, true, Lines({"*001987", "*035  $9555", "*24510$aT"}),
       Lines({"*001987", "*035  $9555", "*035  $a(Voyager)987$x987", "*24510$aT"})},
      {"on: the first non-blank $9 counts", true, false,
       Lines({"*001987", "*035  $9$9666", "*035  $9555", "*24510$aT"}),
       // The new 035 follows a 245 and sorts with the first of the adjacent 035.
       Lines({"*001555", "*035  $9$9666", "*035  $a(Voyager)987$x987", "*035  $9555", "*24510$aT"})},
      {"on: 5 digits are no Kelvo number but get their $x", true, false,
       Lines({"*001987", "*035  $a(KVABC)12345", "*24510$aT"}),
       Lines({"*001987", "*035  $a(KVABC)12345$x12345", "*035  $a(Voyager)987$x987", "*24510$aT"})},
      {"on: a Kelvo number with $x keeps it", true, false, Lines({"*035  $a(KVABC)12345$xX", "*24510$aT"}),
       Lines({"*001", "*035  $a(KVABC)12345$xX", "*24510$aT"})},
      {"on: nothing usable gives an empty 001", true, false, Lines({"*24510$aT"}),
       Lines({"*001", "*24510$aT"})},
      {"on: a non-numeric 001 leaves both (Voyager) 035", true, false,
       Lines({"*001ab12", "*035  $a" + kKelvo, "*24510$aT"}),
       Lines({"*001" + kDigits, "*035  $a" + kKelvo + "$x" + kDigits, "*035  $a(Voyager)ab12$xab12",
              "*035  $a(Voyager)ab12$xab12", "*24510$aT"})},
      {"on: the first (Voyager) 035 is the one that stays", true, false,
       Lines({"*001987", "*035  $a(Voyager)987", "*24510$aT"}),
       Lines({"*001987", "*035  $a(Voyager)987", "*24510$aT"})},
      {"on: a reference found in a later $a", true, false,
       Lines({"*035  $aX$a(Voyager)1", "*035  $aX", "*035  $aY", "*24510$aT"}),
       Lines({"*001", "*035  $aX$a(Voyager)1", "*035  $aY", "*24510$aT"})},
  };
  for (const TIdCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string out = kv21test::ConvertOne(c.Input, [&](TMrc21ToKv21& konv) {
      konv.KeepOld035Handling = c.KeepOld035;
      konv.VoyagerIdKeep = c.VoyagerIdKeep;
    });
    EXPECT_EQ(out, c.Expected + "\r\n^\r\n");
  }
}

} // namespace
} // namespace kelvo::sorvia_kv21
