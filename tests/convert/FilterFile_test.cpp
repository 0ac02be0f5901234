#include "convert/FilterFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record/MarcError.h"
#include "record/MarcRec.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::TempDir;
using Lines = std::vector<std::string>;

TEST(FilterFile, LoadsLinesWithoutTheirLineEnds) {
  struct Case {
    std::string content;
    Lines lines;
  };
  const std::vector<Case> cases = {
      {"245\r\n650x 500\r\n", {"245", "650x 500"}},
      {"245\n500", {"245", "500"}},
      {"245\r500\r\n\r\n650", {"245", "500", "", "650"}},
      {"", {}},
  };
  for (const auto& c : cases) {
    TempDir dir;
    EXPECT_EQ(LoadFilterLines(dir.Write("marcfilter.txt", c.content)), c.lines) << c.content;
  }
}

TEST(FilterFile, MissingFileIsAnEmptyFilterAnUnreadableOneRaises) {
  TempDir dir;
  EXPECT_TRUE(LoadFilterLines(dir.File("marcfilter21.txt")).empty());
  try {
    LoadFilterLines(dir.File(""));
    FAIL() << "no exception";
  } catch (const MarcError& e) {
    EXPECT_EQ(std::string(e.what()), "Kan inte l\xe4sa filterfilen " + dir.File("") + " (en mapp)");
  }
}

TEST(FilterFile, JoinedLinesGiveTheRecordsEntries) {
  struct Case {
    Lines lines;
    Lines entries;
  };
  const std::vector<Case> cases = {
      {{"245", "650x 500"}, {"245", "500", "650x"}},
      {{"245", "", "  ", "500"}, {"245", "500"}},
      {{"245\r\n500", "650\n100\r"}, {"100", "245", "500", "650"}},
      {{"245\t500"}, {"245\t500"}}, // a tab does not separate entries
  };
  for (const auto& c : cases) {
    TMarcRec rec;
    rec.SetFilter(JoinFilterLines(c.lines));
    EXPECT_EQ(rec.FilterEntries, c.entries) << JoinFilterLines(c.lines);
  }
  EXPECT_EQ(JoinFilterLines({"245", "", "500"}), "245 500");
}

TEST(FilterFile, ManyEntriesAreSortedOnceAndTheFirstOfEqualOnesStays) {
  // Given in descending order, the worst case of sorting on insertion.
  std::vector<std::string> lines;
  for (int tag = 999; tag >= 100; --tag)
    lines.push_back(std::to_string(tag) + "a " + std::to_string(tag) + "A");
  TMarcRec rec;
  rec.SetFilter(JoinFilterLines(lines));
  ASSERT_EQ(rec.FilterEntries.size(), 900U);
  EXPECT_EQ(rec.FilterEntries.front(), "100a");
  EXPECT_EQ(rec.FilterEntries.back(), "999a");
  rec.AddField("650")->AddSubfield('a', "x");
  rec.AddField("650")->AddSubfield('b', "y");
  rec.SelectField(0);
  EXPECT_EQ(rec.FilterEntryFor(), "650a");
  EXPECT_EQ(rec.AsText(), "*650  $by\r\n");
}

} // namespace
} // namespace kelvo
