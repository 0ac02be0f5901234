#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert/KonvSimple.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::TempDir;

std::vector<std::string> Survey(const std::string& content) {
  TempDir dir;
  TKonvSimple konv(dir.Write("in.mrc", content), "^");
  konv.ClearSurvey();
  while (!konv.EndOfInput)
    konv.SurveyRecord();
  return konv.FinishSurvey();
}

TEST(KonvSimpleSurvey, ListsEveryTagWithItsSortedCodes) {
  struct Case {
    const char* name;
    std::string content;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"two records", "*24510$aA$cB\r\n\r\n^\r\n*001X\r\n*245 0$aC$bD$6E\r\n\r\n^\r\n", {"001", "2456abc"}},
      {"field mark in content", "*245 0$aStar * here$bx\r\n*500  $aNote*123\r\n", {"245ab", "500a"}},
      {"LF line ends", "*245 0$aA\n*650 0$xB\n", {"245a", "650x"}},
      {"codes by byte value", "*650 0$\xe5x$zy$Ay$1y$zq", {"6501Az\xe5"}},
      {"list ignores case", "*AB1X\r\n*ab0Y\r\n*001Z\r\n", {"001", "ab0", "AB1"}},
      {"empty file", "", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Survey(c.content), c.expected) << c.name;
}

TEST(KonvSimpleSurvey, ClearSurveyStartsAnew) {
  TempDir dir;
  TKonvSimple konv(dir.Write("in.mrc", "*245 0$aA\r\n^\r\n*100 0$aB\r\n^\r\n*245 0$cC\r\n"), "^");
  konv.ClearSurvey();
  konv.SurveyRecord();
  EXPECT_EQ(konv.FinishSurvey(), (std::vector<std::string>{"245a"}));
  konv.SurveyRecord(); // goes on after finishing: 100 sorts before 245
  konv.SurveyRecord();
  EXPECT_EQ(konv.FinishSurvey(), (std::vector<std::string>{"100a", "245ac"}));
  konv.ClearSurvey();
  EXPECT_TRUE(konv.FinishSurvey().empty());
}

} // namespace
} // namespace kelvo
