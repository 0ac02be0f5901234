#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record/MarcRec.h"

namespace kelvo {
namespace {

const char* const kRecord = "*001A1001\r\n"
                            "*24510$aF\xe5glar i norr$cSj\xf6"
                            "stedt\r\n"
                            "*500  $aAnm\xe4rkning\r\n"
                            "*650 7$aF\xe5glar$xNorden$2sao\r\n"
                            "*650 7$xSverige$2sao\r\n";

std::string Render(std::string_view filter, bool apply = true) {
  TMarcRec rec;
  rec.SetFilter(filter);
  rec.ApplyFilter = apply;
  rec.ParseText(kRecord);
  return rec.AsText();
}

TEST(RecordFilterTests, SetFilterSortsAndDropsDuplicates) {
  struct Row {
    const char* text;
    std::vector<std::string> want;
  };
  const std::vector<Row> rows = {
      // A file of the lines "245" and "650x 500", joined with a blank.
      {"245 650x 500", {"245", "500", "650x"}},
      {"  650x  650X 650x\r\n 100", {"100", "650x"}},
      {"245\t500", {"245\t500"}},
      {"", {}},
      {"  \r\n ", {}},
  };
  for (const Row& row : rows) {
    TMarcRec rec;
    rec.SetFilter("999");
    rec.SetFilter(row.text);
    EXPECT_EQ(rec.FilterEntries, row.want) << row.text;
  }
}

TEST(RecordFilterTests, EntriesSuppressFieldsAndSubfields) {
  struct Row {
    const char* filter;
    const char* want;
  };
  const std::vector<Row> rows = {
      {"245",
       "*001A1001\r\n*500  $aAnm\xe4rkning\r\n*650 7$aF\xe5glar$xNorden$2sao\r\n*650 7$xSverige$2sao\r\n"},
      {"650x2", "*001A1001\r\n*24510$aF\xe5glar i norr$cSj\xf6"
                "stedt\r\n*500  $aAnm\xe4rkning\r\n*650 7$aF\xe5glar\r\n"},
      // The bare tag sorts first and removes the whole field.
      {"650x 650", "*001A1001\r\n*24510$aF\xe5glar i norr$cSj\xf6"
                   "stedt\r\n*500  $aAnm\xe4rkning\r\n"},
      // Only the first entry for a tag counts.
      {"650x 650a", "*001A1001\r\n*24510$aF\xe5glar i norr$cSj\xf6"
                    "stedt\r\n*500  $aAnm\xe4rkning\r\n"
                    "*650 7$xNorden$2sao\r\n*650 7$xSverige$2sao\r\n"},
      {"001 24 65", "*24510$aF\xe5glar i norr$cSj\xf6"
                    "stedt\r\n*500  $aAnm\xe4rkning\r\n"
                    "*650 7$aF\xe5glar$xNorden$2sao\r\n*650 7$xSverige$2sao\r\n"},
      // A tab is no separator: the entry names subfields of 500.
      {"500\ta", "*001A1001\r\n*24510$aF\xe5glar i norr$cSj\xf6"
                 "stedt\r\n"
                 "*650 7$aF\xe5glar$xNorden$2sao\r\n*650 7$xSverige$2sao\r\n"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(Render(row.filter), row.want) << row.filter;
  EXPECT_EQ(Render("245 650 001 500", false), kRecord);
}

TEST(RecordFilterTests, FilterEntryForTheCurrentField) {
  TMarcRec rec;
  rec.SetFilter("650x 245 6502 2450");
  rec.ParseText(kRecord);
  EXPECT_EQ(rec.FilterEntryFor(), "");
  struct Row {
    int field;
    const char* want;
  };
  const Row rows[] = {{0, ""}, {1, "245"}, {2, ""}, {3, "6502"}, {4, "6502"}};
  for (const Row& row : rows) {
    rec.SelectField(row.field);
    EXPECT_EQ(rec.FilterEntryFor(), row.want) << row.field;
  }
  rec.MarkFiltered();
  EXPECT_EQ(rec.CurrentField, 4);
  EXPECT_TRUE(rec.Fields[1]->Deleted);
  EXPECT_FALSE(rec.Fields[3]->Deleted);
  EXPECT_TRUE(rec.Fields[3]->SubfieldAt(2)->Deleted);
  EXPECT_FALSE(rec.Fields[3]->SubfieldAt(1)->Deleted);
}

TEST(RecordFilterTests, ShortTagsAreNotMatchedByLongerEntries) {
  TMarcRec rec;
  rec.SetFilter("001 24");
  rec.AddControlField("", "utan tagg");
  rec.AddField("24")->AddSubfield('a', "kort tagg");
  EXPECT_EQ(rec.AsText(), "*utan tagg\r\n*24  $akort tagg\r\n");
}

} // namespace
} // namespace kelvo
