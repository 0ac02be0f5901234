#include "record/MarcRec.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "record/Iso2709.h"
#include "record/MarcError.h"

namespace kelvo {
namespace {

// The tags of a record's fields, separated by blanks.
std::string Tags(const TMarcRec& rec) {
  std::string out;
  for (const auto& f : rec.Fields) {
    if (!out.empty()) out += ' ';
    out += f->Tag;
  }
  return out;
}

// A record with one field per tag, each with a subfield a holding the tag and
// its occurrence ("650" then "650.2" for the second 650).
void Fill(TMarcRec& rec, const std::vector<std::string>& tags) {
  for (const auto& tag : tags) {
    const int n = rec.FieldCount(tag) + 1;
    rec.AddField(tag, '1', '2')->AddSubfield('a', n == 1 ? tag : tag + "." + std::to_string(n));
  }
}

std::string MessageOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const MarcError& e) {
    return e.what();
  }
  return "no exception";
}

TEST(MarcRecLookupTests, StrictAndTolerantFieldLookups) {
  TMarcRec rec;
  Fill(rec, {"245", "650"});
  EXPECT_EQ(MessageOf([&] { rec.FieldByTag("650", 2); }),
            "Listfel vid anrop till TMarcRec.FieldByTag[sTag,iOccurr]");
  EXPECT_EQ(rec.CurrentField, -1);
  EXPECT_EQ(rec.SubfieldValue("650", 'a', 2, 1), "");
  EXPECT_EQ(rec.SubfieldValue("650", 'a', 1, 2), "");
  EXPECT_EQ(rec.SubfieldValue("650", 'a'), "650");
  EXPECT_EQ(&rec.FieldByTag("650"), rec.Fields[1].get());
  EXPECT_EQ(rec.CurrentField, 1);
  EXPECT_THROW(rec.FieldAt(2), MarcError);
  EXPECT_THROW(rec.FieldAt(-1), MarcError);
  EXPECT_EQ(rec.FieldAt(0).Tag, "245");
}

TEST(MarcRecLookupTests, FindFieldByOccurrenceMovesCursor) {
  TMarcRec rec;
  Fill(rec, {"100", "650", "245", "650"});
  struct Row {
    const char* tag;
    int occurrence;
    int cursor;
  };
  const Row rows[] = {{"650", 1, 1},   {"650", 2, 3}, {"650", 3, -1}, {"650", 0, -1},
                      {"650", -2, -1}, {"65", 1, -1}, {"6500", 1, -1}};
  for (const Row& row : rows) {
    rec.CurrentField = 2;
    EXPECT_EQ(rec.FindField(row.tag, row.occurrence), row.cursor >= 0) << row.tag << row.occurrence;
    EXPECT_EQ(rec.CurrentField, row.cursor) << row.tag << row.occurrence;
    const TMarcField* ptr = rec.FindFieldPtr(row.tag, row.occurrence);
    EXPECT_EQ(ptr, row.cursor >= 0 ? rec.Fields[static_cast<std::size_t>(row.cursor)].get() : nullptr);
  }
  EXPECT_TRUE(rec.HasField("245"));
  EXPECT_EQ(rec.CurrentField, 2);
  EXPECT_EQ(rec.FieldCount("650"), 2);
  EXPECT_TRUE(rec.HasFieldWithSubfield("650", 'a'));
  EXPECT_FALSE(rec.HasFieldWithSubfield("650", 'x'));
  EXPECT_FALSE(rec.HasFieldWithSubfield("651", 'a'));
}

TEST(MarcRecLookupTests, CursorStaysSafe) {
  TMarcRec rec;
  Fill(rec, {"100", "245"});
  EXPECT_EQ(rec.SelectField(1), 2);
  EXPECT_EQ(rec.CurrentFieldObj()->Tag, "245");
  EXPECT_EQ(rec.SelectField(2), 2);
  EXPECT_FALSE(rec.HasCurrentField());
  EXPECT_EQ(rec.CurrentFieldObj(), nullptr);
  rec.SelectField(-3);
  EXPECT_EQ(rec.CurrentField, -1);
  rec.DeleteCurrentField(); // nothing current: nothing happens
  EXPECT_EQ(Tags(rec), "100 245");
  rec.SelectField(1);
  rec.DeleteCurrentField();
  EXPECT_EQ(Tags(rec), "100");
  EXPECT_FALSE(rec.HasCurrentField());
}

TEST(MarcRecLookupTests, LeaderAndControlData) {
  TMarcRec rec;
  Fill(rec, {"245"});
  EXPECT_EQ(rec.Leader(), "");
  rec.SetLeader("00000cam a2200000 a 4500");
  EXPECT_EQ(Tags(rec), "245 000");
  EXPECT_EQ(rec.Leader(), "00000cam a2200000 a 4500");
  EXPECT_FALSE(rec.Fields[1]->IsDataField);
  rec.SetLeader("00000nas a2200000 a 4500");
  EXPECT_EQ(rec.FieldCount(), 2);
  EXPECT_EQ(rec.Leader(), "00000nas a2200000 a 4500");
  rec.AddControlField("001", "A1001");
  rec.AddControlField("001", "A1002");
  EXPECT_EQ(rec.FieldData("001"), "A1001");
  EXPECT_EQ(rec.FieldData("003"), "");
}

TEST(MarcRecBuildTests, ArraysSkipBlankValues) {
  TMarcRec rec;
  EXPECT_EQ(rec.AddFieldFromArrays("592", ' ', ' ', "ab", {"", " \t"}), nullptr);
  EXPECT_EQ(rec.FieldCount(), 0);
  EXPECT_EQ(rec.Couples.Count(), 0);
  TMarcField* empty = rec.AddFieldWithSubfields("592", ' ', ' ', "ab", {"", " \t"});
  EXPECT_EQ(rec.FieldCount(), 1);
  EXPECT_EQ(empty->SubfieldCount(), 0);
  EXPECT_TRUE(empty->IsDataField);

  TMarcField* f = rec.AddFieldFromArrays("260", ' ', '1', "abc", {"Stockholm", "", "2004"});
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->AsText('*', '$', false), "*260 1$aStockholm$c2004");
  EXPECT_EQ(rec.Couples.Count(), 0);
  TMarcField* g = rec.AddFieldWithSubfields("260", ' ', '1', "abc", {"", "Bonnier", "2004"});
  EXPECT_EQ(g->AsText('*', '$', false), "*260 1$bBonnier$c2004");
  EXPECT_EQ(Tags(rec), "592 260 260");
}

TEST(MarcRecBuildTests, ArraysOfDifferentLengthAreRejected) {
  TMarcRec rec;
  EXPECT_EQ(MessageOf([&] {
              rec.AddFieldFromArrays("245", ' ', ' ', "abc", {"x", "y"});
            }),
            "AddFieldFromArrays anropat med felaktigt antal parametrar");
  EXPECT_EQ(MessageOf([&] {
              rec.AddFieldWithSubfields("245", ' ', ' ', "a", {"x", "y"});
            }),
            "AddFieldWithSubfields anropat med felaktigt antal parametrar");
  EXPECT_EQ(rec.FieldCount(), 0);
  EXPECT_EQ(rec.Couples.Count(), 0);
}

TEST(MarcRecBuildTests, CouplesBuildOneFieldInQueueOrder) {
  TMarcRec rec;
  rec.AddCouple('a', "Sj\xf6"
                     "f\xe5glar");
  rec.AddCouple('x', "");
  rec.AddCouple('2', "sao");
  EXPECT_EQ(rec.Couples.Get(0, false), "a");
  EXPECT_EQ(rec.Couples.Get(0, true), "Sj\xf6"
                                      "f\xe5glar");
  EXPECT_THROW(rec.Couples.Get(3, true), MarcError);
  EXPECT_THROW(rec.Couples.Get(-1, false), MarcError);
  TMarcField* f = rec.AddFieldFromCouples("650", ' ', '7');
  EXPECT_EQ(f->AsText('*', '$', false), "*650 7$aSj\xf6"
                                        "f\xe5glar$x$2sao");
  EXPECT_EQ(rec.Couples.Count(), 0);
}

TEST(MarcRecBuildTests, CopyField) {
  TMarcRec rec;
  TMarcField* source = rec.AddField("100", '1', ' ');
  source->AddSubfield('a', "Lagerl\xf6"
                           "f, Selma");
  source->AddSubfield('d', "1858-1940")->Deleted = true;
  source->SortGroup = 500;

  TMarcField* same = rec.CopyField(*source);
  EXPECT_EQ(same->Tag, "100");
  TMarcField* renamed = rec.CopyField(*source, "700");
  EXPECT_EQ(renamed->Tag, "700");
  EXPECT_EQ(source->Tag, "100");
  EXPECT_EQ(renamed->Ind1, '1');
  EXPECT_EQ(renamed->SubfieldCount(), 2);
  EXPECT_TRUE(renamed->SubfieldAt(1)->Deleted);
  EXPECT_EQ(renamed->SortGroup, 0);
  renamed->SubfieldAt(0)->Value = "changed";
  EXPECT_EQ(source->SubfieldAt(0)->Value, "Lagerl\xf6"
                                          "f, Selma");
  EXPECT_EQ(rec.CopyField(*source, " ")->Tag, "100");

  // Indicators only come with subfields; the copy is always a data field.
  TMarcField* control = rec.AddControlField("008", "040101s2004    sw");
  control->Ind1 = 'x';
  TMarcField* copy = rec.CopyField(*control, "009");
  EXPECT_EQ(copy->Data, "040101s2004    sw");
  EXPECT_EQ(copy->Ind1, ' ');
  EXPECT_TRUE(copy->IsDataField);
}

TEST(MarcRecBuildTests, TakeFieldsOfGivesWhatCopyingGives) {
  TMarcRec source;
  const auto fill = [&source] {
    TMarcField* name = source.AddField("100", '1', ' ');
    name->AddSubfield('a', "Lagerl\xf6"
                           "f, Selma");
    name->AddSubfield('d', "1858-1940")->Deleted = true;
    name->SortGroup = 500;
    name->Deleted = true;
    source.AddControlField("008", "040101s2004    sw")->Ind1 = 'x';
    source.AddField("500", '1', '2'); // indicators but no subfields
  };
  // Each field as copying leaves it: every member the rendering leaves out too.
  const auto fields = [](const TMarcRec& rec) {
    std::string out;
    for (const auto& f : rec.Fields) {
      out += f->AsText('*', '$', false) + '|' + f->Ind1 + f->Ind2 + std::to_string(f->IsDataField) +
             std::to_string(f->Deleted) + std::to_string(f->SortGroup) + std::to_string(f->CurrentSubfield);
      for (const auto& s : f->Subfields)
        out += std::to_string(s->Deleted);
      out += '\n';
    }
    return out;
  };
  fill();
  TMarcRec copied;
  for (const auto& f : source.Fields)
    copied.CopyField(*f);

  TMarcRec taken;
  for (int round = 0; round < 2; ++round) { // the second time with the spare fields handed back and forth
    taken.Clear();
    taken.TakeFieldsOf(source);
    EXPECT_EQ(fields(taken), fields(copied));
    EXPECT_EQ(source.FieldCount(), 0);
    fill();
  }
  // Into a record that has fields: after them.
  taken.TakeFieldsOf(source);
  EXPECT_EQ(Tags(taken), "100 008 500 100 008 500");
  EXPECT_EQ(source.FieldCount(), 0);
}

TEST(MarcRecEditTests, DeleteFieldOnlyFromItsOwnRecord) {
  TMarcRec rec;
  TMarcRec other;
  Fill(rec, {"100", "245", "650"});
  Fill(other, {"245"});
  EXPECT_EQ(MessageOf([&] { rec.DeleteField(other.Fields[0].get()); }),
            "Ogiltigt anrop av TMarcField.DeleteField(oFld)");
  EXPECT_EQ(MessageOf([&] { rec.DeleteField(nullptr); }), "Ogiltigt anrop av TMarcField.DeleteField(oFld)");
  rec.DeleteField(rec.Fields[1].get());
  EXPECT_EQ(Tags(rec), "100 650");
  EXPECT_EQ(rec.CurrentField, 1);
}

TEST(MarcRecEditTests, ClearKeepsCouplesAndFilter) {
  TMarcRec rec;
  Fill(rec, {"245"});
  rec.AddCouple('a', "x");
  rec.SetFilter("245");
  rec.SelectField(0);
  rec.Clear();
  EXPECT_EQ(rec.FieldCount(), 0);
  EXPECT_EQ(rec.CurrentField, -1);
  EXPECT_EQ(rec.Couples.Count(), 1);
  EXPECT_EQ(rec.FilterEntries, std::vector<std::string>{"245"});
}

// Every member of every field and subfield, the cursor and the couple count.
std::string State(const TMarcRec& rec) {
  std::string out = std::to_string(rec.CurrentField) + ' ' + std::to_string(rec.Couples.Count());
  for (const auto& f : rec.Fields) {
    out += '\n' + f->Tag + '|' + f->Ind1 + f->Ind2 + '|' + f->Data + '|' + (f->Deleted ? 'D' : '-') +
           (f->IsDataField ? 'F' : 'C') + ' ' + std::to_string(f->CurrentSubfield) + ' ' +
           std::to_string(f->SortGroup) + ' ' + std::to_string(f->SortSeq);
    for (const auto& sub : f->Subfields)
      out += std::string(" $") + sub->Code + (sub->Deleted ? "(D)" : "") + sub->Value;
  }
  return out;
}

TEST(MarcRecEditTests, ClearedRecordBuildsLikeANewOne) {
  // Fields and subfields of a cleared record are reused: nothing of the
  // previous record may show through whatever builds the next one.
  const auto soil = [](TMarcRec& rec) {
    rec.ParseText(
        "*001Gammal post\r\n*24510$aA$bB$cC\r\n*650 7$aD$xE\r\n*852  $bF\r\n*999  $aG$aH$aI$aJ\r\n");
    rec.AddCouple('z', "ett gammalt v\xe4rde, l\xe4ngre \xe4n en kort str\xe4ng");
    rec.AddFieldFromCouples("900", '1', '2');
    for (const auto& f : rec.Fields) {
      f->Deleted = true;
      f->Ind1 = 'x';
      f->Ind2 = 'y';
      f->Data += "gammalt";
      f->SortGroup = 5;
      f->SortSeq = 6;
      f->IsDataField = !f->IsDataField;
      f->SelectSubfield(0);
      for (const auto& sub : f->Subfields)
        sub->Deleted = true;
    }
    rec.SelectField(2);
    rec.Clear();
  };
  const std::string iso = std::string("00000nam  2200000   4500") + "001000300000" + "245000900003" +
                          "\x1e"
                          "A1\x1e"
                          "10\x1f"
                          "aT\x1f"
                          "bU\x1e";
  struct Row {
    const char* name;
    std::function<void(TMarcRec&)> build;
  };
  const Row rows[] = {
      {"ParseText", [](TMarcRec& r) { r.ParseText("*001X\r\n*24510$aT$bU\r\n*500  $aN\r\n"); }},
      {"BuildRecordFromIso",
       [&iso](TMarcRec& r) {
         TIso2709 reader;
         BuildRecordFromIso(reader, iso, r);
       }},
      {"AddField",
       [](TMarcRec& r) {
         r.AddControlField("008", "d");
         r.AddField("650")->AddSubfield('a', "x");
         r.AddField("100");
       }},
      {"couples and arrays",
       [](TMarcRec& r) {
         r.AddCouple('a', "p");
         r.AddFieldFromCouples("700", '1', ' ');
         r.AddFieldFromArrays("710", ' ', ' ', "ab", {"q", ""});
         r.AddFieldWithSubfields("720", ' ', ' ', "ab", {"", "s"});
       }},
      {"CopyField",
       [](TMarcRec& r) {
         TMarcRec source;
         source.ParseText("*001Y\r\n*24500$aT\r\n");
         for (const auto& f : source.Fields)
           r.CopyField(*f);
         r.CopyField(*source.Fields[1], "246");
       }},
      {"deleted and added again",
       [](TMarcRec& r) {
         TMarcField* f = r.AddField("500", '1', '2');
         f->AddSubfield('a', "x")->Deleted = true;
         f->FindSubfield('a');
         f->DeleteCurrentSubfield();
         f->AddSubfield('b', "y");
         r.DeleteField(f);
         r.AddField("501")->ClearSubfields();
         r.FieldAt(0).AddSubfield('c', "z");
       }},
  };
  for (const Row& row : rows) {
    TMarcRec fresh;
    row.build(fresh);
    TMarcRec reused;
    soil(reused);
    row.build(reused);
    EXPECT_EQ(State(reused), State(fresh)) << row.name;
    // A second round, with the nodes of the first.
    reused.Clear();
    row.build(reused);
    EXPECT_EQ(State(reused), State(fresh)) << row.name;
  }
}

TEST(MarcRecEditTests, TrimAndReplaceReachEveryField) {
  TMarcRec rec;
  rec.AddControlField("001", "A-1");
  rec.AddField("245")->AddSubfield('a', "  Titel - del \r\n");
  rec.TrimSubfields();
  EXPECT_EQ(rec.SubfieldValue("245", 'a'), "Titel - del");
  rec.ReplaceChar('-', '/');
  EXPECT_EQ(rec.FieldData("001"), "A/1");
  EXPECT_EQ(rec.SubfieldValue("245", 'a'), "Titel / del");
}

TEST(MarcRecSortTests, SortFieldsPutsTagsInOrder) {
  struct Row {
    std::vector<std::string> tags;
    const char* want;
  };
  const std::vector<Row> rows = {
      {{"245", "100", "008", "000"}, "000 008 100 245"},
      {{"650", "650", "245", "001"}, "001 245 650 650.2"},
      {{"700", "700", "700", "100"}, "100 700 700.2 700.3"},
      // Longer runs: the counter keeps ten or more adjacent fields in order.
      {{"852", "852", "852", "852", "852", "852", "852", "852", "852", "852", "852", "020"},
       "020 852 852.2 852.3 852.4 852.5 852.6 852.7 852.8 852.9 852.10 852.11"},
      // Letters compare without regard to case; a short tag sorts before longer ones that begin alike.
      {{"cat", "CAS", "24", "245"}, "24 245 CAS cat"},
      // In order already, or but for the last field (to the front, the middle).
      {{"001", "100", "245"}, "001 100 245"},
      {{"001", "100", "245", "000"}, "000 001 100 245"},
      {{"001", "650", "650", "245"}, "001 245 650 650.2"},
      {{"245", "CAT", "cas"}, "245 cas CAT"},
      // More out of order than a few added last.
      {{"900", "800", "700", "600", "500", "400", "300", "200", "100", "010"},
       "010 100 200 300 400 500 600 700 800 900"},
  };
  for (const Row& row : rows) {
    TMarcRec rec;
    Fill(rec, row.tags);
    rec.SortFields();
    std::string got;
    for (const auto& f : rec.Fields)
      got += (got.empty() ? "" : " ") + f->SubfieldValue('a');
    EXPECT_EQ(got, row.want);
  }
}

TEST(MarcRecSortTests, SortFieldsStableUsesGroupThenPosition) {
  struct Row {
    std::vector<std::string> tags;
    std::vector<int> groups;
    const char* want;
  };
  const std::vector<Row> rows = {
      {{"650", "650", "245", "650", "100"}, {500, 0, 0, 0, 0}, "100 245 650.2 650.3 650"},
      {{"650", "650", "650", "a00", "100"}, {0, -1, 0, 0, 0}, "100 650.2 650 650.3 a00"}, // a group below 0
      {{"650", "65", "245"}, {0, 0, 0}, "245 65 650"}, // a tag of two characters: byte order
  };
  for (const Row& row : rows) {
    TMarcRec rec;
    Fill(rec, row.tags);
    for (std::size_t i = 0; i < row.groups.size(); ++i)
      rec.Fields[i]->SortGroup = row.groups[i];
    rec.SortFieldsStable();
    std::string got;
    for (const auto& f : rec.Fields)
      got += (got.empty() ? "" : " ") + f->SubfieldValue('a');
    EXPECT_EQ(got, row.want);
  }
  TMarcRec rec;
  Fill(rec, {"650", "100"});
  rec.SortFieldsStable();
  EXPECT_EQ(rec.Fields[0]->SortSeq, 1); // the place before sorting
  EXPECT_EQ(rec.Fields[1]->SortSeq, 0);
}

} // namespace
} // namespace kelvo
