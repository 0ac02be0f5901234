#include "record/MarcField.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record/MarcError.h"

namespace kelvo {
namespace {

// "a=x|b=y": the codes and values of a field's subfields, "-" marking deleted ones.
std::string Dump(const TMarcField& field) {
  std::string out;
  for (const auto& s : field.Subfields) {
    if (!out.empty()) out += '|';
    if (s->Deleted) out += '-';
    out += s->Code;
    out += '=';
    out += s->Value;
  }
  return out;
}

TMarcField MakeField(std::string_view tag, std::string_view codes, const std::vector<std::string>& values) {
  TMarcField field(tag, '1', '0');
  for (std::size_t i = 0; i < codes.size(); ++i)
    field.AddSubfield(codes[i], values[i]);
  return field;
}

TEST(MarcSubFieldTests, SetTextAndAsText) {
  TMarcSubField s('x', "old");
  s.SetText("");
  EXPECT_EQ(s.Code, 'x');
  EXPECT_EQ(s.Value, "old");
  s.SetText("a");
  EXPECT_EQ(s.Code, 'a');
  EXPECT_EQ(s.Value, "");
  s.SetText("cStockholm");
  EXPECT_EQ(s.AsText('$'), "$cStockholm");
  EXPECT_EQ(TMarcSubField().AsText('$'), std::string("$\0", 2));
}

TEST(MarcSubFieldTests, AppendTextPutsSeparatorOnlyBetweenNonBlankTexts) {
  struct Row {
    const char* old;
    const char* text;
    const char* want;
  };
  const Row rows[] = {
      {"Fr\xe5ga", "svar", "Fr\xe5ga ; svar"},
      {"", "svar", "svar"},
      {" \t", "svar", " \tsvar"},
      {"Fr\xe5ga", "", "Fr\xe5ga"},
      {"Fr\xe5ga", "\r\n", "Fr\xe5ga\r\n"},
  };
  for (const Row& row : rows) {
    TMarcSubField s('a', row.old);
    s.AppendText(row.text, " ; ");
    EXPECT_EQ(s.Value, row.want) << row.old << "+" << row.text;
  }
}

TEST(MarcFieldLookupTests, FindSubfieldByOccurrenceMovesCursor) {
  TMarcField f = MakeField("650", "axax", {"a1", "x1", "a2", "x2"});
  struct Row {
    char code;
    int occurrence;
    int cursor; // -1: not found
  };
  const Row rows[] = {{'a', 1, 0},  {'a', 2, 2},   {'x', 2, 3}, {'a', 3, -1},
                      {'a', 0, -1}, {'a', -1, -1}, {'z', 1, -1}};
  for (const Row& row : rows) {
    f.CurrentSubfield = 1;
    EXPECT_EQ(f.FindSubfield(row.code, row.occurrence), row.cursor >= 0) << row.code << row.occurrence;
    EXPECT_EQ(f.CurrentSubfield, row.cursor) << row.code << row.occurrence;
  }
  EXPECT_EQ(f.SubfieldValue('x', 2), "x2");
  EXPECT_EQ(f.CurrentSubfieldObj()->Value, "x2");
  EXPECT_EQ(f.SubfieldValue('x', 3), "");
  EXPECT_EQ(f.CurrentSubfieldObj(), nullptr);
  EXPECT_EQ(f.FindSubfieldPtr('a', 2)->Value, "a2");
  EXPECT_EQ(f.FindSubfieldPtr('a', 0), nullptr);
  EXPECT_EQ(f.SubfieldCount(), 4);
  EXPECT_EQ(f.SubfieldCount('x'), 2);
}

TEST(MarcFieldLookupTests, StrictLookupsRaise) {
  TMarcField f = MakeField("245", "a", {"Titel"});
  EXPECT_EQ(f.SubFieldByTag('a').Value, "Titel");
  try {
    f.SubFieldByTag('a', 2);
    FAIL() << "no exception";
  } catch (const MarcError& e) {
    EXPECT_STREQ(e.what(), "Listfel vid anrop till TMarcField.SubFieldByTag[sTag,iOccurr]");
  }
  EXPECT_EQ(f.SubfieldAt(0)->Value, "Titel");
  EXPECT_THROW(f.SubfieldAt(1), MarcError);
  EXPECT_THROW(f.SubfieldAt(-1), MarcError);
}

TEST(MarcFieldLookupTests, SelectSubfieldKeepsOnlyValidIndexes) {
  TMarcField f = MakeField("245", "abc", {"1", "2", "3"});
  EXPECT_EQ(f.SelectSubfield(2), 3);
  EXPECT_EQ(f.CurrentSubfield, 2);
  EXPECT_EQ(f.SelectSubfield(3), 3);
  EXPECT_EQ(f.CurrentSubfield, -1);
  f.SelectSubfield(-4);
  EXPECT_EQ(f.CurrentSubfield, -1);
  EXPECT_EQ(f.CurrentSubfieldObj(), nullptr);
}

TEST(MarcFieldLookupTests, SetsAndNeighbours) {
  TMarcField f = MakeField("245", "anpc", {"Titel", "1", "Del", "av N.N."});
  EXPECT_TRUE(f.HasAllSubfields("ca"));
  EXPECT_TRUE(f.HasAllSubfields(""));
  EXPECT_FALSE(f.HasAllSubfields("ab"));
  EXPECT_TRUE(f.HasSubfieldInSet(CharSet("xp")));
  EXPECT_FALSE(f.HasSubfieldInSet(CharSet("xy")));
  EXPECT_EQ(f.LastSubfieldInSet(CharSet("np"))->Value, "Del");
  EXPECT_EQ(f.LastSubfieldInSet(CharSet("xy")), nullptr);
  EXPECT_EQ(f.SubfieldAfter(f.SubfieldAt(1))->Value, "Del");
  EXPECT_EQ(f.SubfieldAfter(f.SubfieldAt(3)), nullptr);
  TMarcSubField stranger('a', "Titel");
  EXPECT_EQ(f.SubfieldAfter(&stranger), nullptr);
}

TEST(MarcFieldLookupTests, FindNextSubfieldStopsAtStopCodes) {
  TMarcField f = MakeField("700", "atbat", {"A1", "T1", "B1", "A2", "T2"});
  const TMarcSubField* a1 = f.SubfieldAt(0);
  EXPECT_EQ(f.FindNextSubfield(a1, 't', CharSet("a")), f.SubfieldAt(1));
  EXPECT_EQ(f.FindNextSubfield(a1, 'a', CharSet("b")), nullptr);
  EXPECT_EQ(f.FindNextSubfield(a1, 'a', CharSet("x")), f.SubfieldAt(3));
  // The stop test comes before the code test.
  EXPECT_EQ(f.FindNextSubfield(a1, 't', CharSet("t")), nullptr);
  EXPECT_EQ(f.FindNextSubfield(f.SubfieldAt(4), 't', CharSet()), nullptr);
  TMarcSubField stranger('a', "A1");
  EXPECT_FALSE(f.HasNextSubfield(&stranger, 't', CharSet()));
  EXPECT_FALSE(f.HasNextSubfield(nullptr, 't', CharSet()));
  EXPECT_TRUE(f.HasNextSubfield(a1, 't', CharSet()));
}

TEST(MarcFieldEditTests, DeleteSubfieldOnlyWhenOwn) {
  TMarcField f = MakeField("245", "abc", {"1", "2", "3"});
  TMarcSubField stranger('b', "2");
  f.DeleteSubfield(&stranger);
  EXPECT_EQ(Dump(f), "a=1|b=2|c=3");
  f.DeleteSubfield(f.SubfieldAt(1));
  EXPECT_EQ(Dump(f), "a=1|c=3");
  f.SelectSubfield(1);
  f.DeleteCurrentSubfield();
  EXPECT_EQ(Dump(f), "a=1");
  f.CurrentSubfield = -1;
  f.DeleteCurrentSubfield();
  EXPECT_EQ(Dump(f), "a=1");
}

TEST(MarcFieldEditTests, ClearSubfieldsKeepsTheTag) {
  TMarcField f = MakeField("245", "a", {"1"});
  f.Data = "x";
  f.ClearSubfields();
  EXPECT_EQ(f.Tag, "245");
  EXPECT_EQ(f.Ind1, ' ');
  EXPECT_EQ(f.Ind2, ' ');
  EXPECT_EQ(f.Data, "");
  EXPECT_EQ(f.SubfieldCount(), 0);
}

TEST(MarcFieldEditTests, CopySubfieldsFromKeepsMarksAndMayCopyItself) {
  TMarcField f = MakeField("650", "ax",
                           {"Sj\xf6"
                            "ar",
                            "Sverige"});
  f.SubfieldAt(1)->Deleted = true;
  TMarcField g = MakeField("651", "z", {"old"});
  g.CopySubfieldsFrom(f);
  EXPECT_EQ(Dump(g), "z=old|a=Sj\xf6"
                     "ar|-x=Sverige");
  f.CopySubfieldsFrom(f);
  EXPECT_EQ(Dump(f), "a=Sj\xf6"
                     "ar|-x=Sverige|a=Sj\xf6"
                     "ar|-x=Sverige");
}

TEST(MarcFieldEditTests, TrimMarkReplace) {
  TMarcField f = MakeField("245", "abc", {" \x01 inre  blanker\t\r\n", "\x1f", "ok"});
  f.Data = "a-b";
  f.TrimSubfields();
  EXPECT_EQ(Dump(f), "a=inre  blanker|b=|c=ok");
  f.MarkSubfields("ca");
  EXPECT_EQ(Dump(f), "-a=inre  blanker|b=|-c=ok");
  f.ReplaceChar(' ', '-', true);
  EXPECT_EQ(f.SubfieldAt(0)->Value, "inre--blanker");
  EXPECT_EQ(f.Data, "a-b");
  f.ReplaceChar('-', '+', false);
  EXPECT_EQ(f.Data, "a+b");
  EXPECT_EQ(f.SubfieldAt(0)->Value, "inre++blanker");
}

TEST(MarcFieldTextTests, Rendering) {
  TMarcField f = MakeField("245", "ac", {"Titel", "av N.N."});
  EXPECT_EQ(f.AsText('*', '$', false), "*24510$aTitel$cav N.N.");
  EXPECT_EQ(f.AsText('*', '$', true), "*24510$aTitel\r\n$cav N.N.");
  EXPECT_EQ(f.AsText('#', '\x1f', false), "#24510\x1f"
                                          "aTitel\x1f"
                                          "cav N.N.");
  // Only list position 0 stays on the field line.
  f.SubfieldAt(0)->Deleted = true;
  EXPECT_EQ(f.AsText('*', '$', true), "*24510\r\n$cav N.N.");
  EXPECT_EQ(f.VisibleSubfieldCount(), 1);
  f.SubfieldAt(1)->Deleted = true;
  EXPECT_EQ(f.AsText('*', '$', false), "");
  f.SubfieldAt(1)->Deleted = false;
  f.IsDataField = false;
  EXPECT_EQ(f.VisibleSubfieldCount(), 0);
  EXPECT_EQ(f.AsText('*', '$', false), "");

  TMarcField control("001", ' ', ' ');
  control.Data = "A1001";
  EXPECT_EQ(control.AsText('*', '$', false), "*001A1001");
  EXPECT_EQ(TMarcField("500", '1', '2').AsText('*', '$', false), "*500");
  std::string out = "prefix|";
  control.AppendText(out, '*', '$', false);
  EXPECT_EQ(out, "prefix|*001A1001");
}

TEST(MarcFieldTextTests, Parsing) {
  struct Row {
    const char* text;
    const char* tag;
    char ind1, ind2;
    bool isData;
    const char* data;
    const char* subfields;
  };
  const Row rows[] = {
      {"*24510$aTitel$cav N.N.", "245", '1', '0', true, "", "a=Titel|c=av N.N."},
      {"24510$aTitel", "245", '1', '0', true, "", "a=Titel"},
      {"*650 7$aF\xe5glar$2sao", "650", ' ', '7', true, "", "a=F\xe5glar|2=sao"},
      // No indicators: the delimiter and the code are read as indicators.
      {"*245$aTitel", "245", '$', 'a', true, "", "a=Titel"},
      {"*001A1001", "001", ' ', ' ', false, "A1001", ""},
      {"*008  blanka  ", "008", ' ', ' ', false, "  blanka  ", ""},
      {"*001A$1001", "001", 'A', '$', true, "", "1=001"},
      {"*24510$aTitel$$cx", "245", '1', '0', true, "", "a=Titel|c=x"},
      {"*24510$aTitel$  $cx", "245", '1', '0', true, "", "a=Titel|c=x"},
      {"*24510$aTitel $b $c", "245", '1', '0', true, "", "a=Titel |b= |c="},
      {"*24510$aTitel$   ", "245", '1', '0', true, "", "a=Titel"},
      {"*24510$a\nrad\n", "245", '1', '0', true, "", "a=\nrad\n"},
      {"*24510", "245", ' ', ' ', false, "10", ""},
      {"ab", "", ' ', ' ', false, "ab", ""},
      {"*a$", "", 'a', '$', true, "", ""},
  };
  for (const Row& row : rows) {
    TMarcField f;
    f.ParseText(row.text, '*', '$');
    EXPECT_EQ(f.Tag, row.tag) << row.text;
    EXPECT_EQ(f.Ind1, row.ind1) << row.text;
    EXPECT_EQ(f.Ind2, row.ind2) << row.text;
    EXPECT_EQ(f.IsDataField, row.isData) << row.text;
    EXPECT_EQ(f.Data, row.data) << row.text;
    EXPECT_EQ(Dump(f), row.subfields) << row.text;
  }
}

} // namespace
} // namespace kelvo
