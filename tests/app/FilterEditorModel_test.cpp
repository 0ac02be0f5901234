// The field-filter editor without a display: key filters, Add and Remove,
// loading and saving the filter file.
#include "app/FilterEditorModel.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::ReadAll;
using testing::TempDir;

TFilterEditorModel Editor(std::vector<std::string> entries) {
  TFilterEditorModel e;
  e.Entries = std::move(entries);
  e.FormActivate();
  return e;
}

struct TTypingCase {
  bool IntoTag; // the tag field, else the subfield field
  const char* Typed;
  const char* Kept;
};

TEST(FilterEditorKeys, OnlyAcceptedKeysReachTheFields) {
  const TTypingCase cases[] = {
      {true, "24a", "24"},                           // a letter is no tag character
      {true, "A", ""},        {true, "2456", "245"}, // three characters at most
      {false, "aab", "ab"},                          // a code only once
      {false, "A", ""},                              // no upper case
      {false, "a1a1", "a1"},  {false, "\xe5\xe4\xf6z0", "\xe5\xe4\xf6z0"},
      {false, "$ -\xc5", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Typed);
    TFilterEditorModel e = Editor({});
    for (const char* p = c.Typed; *p; ++p)
      c.IntoTag ? e.TypeTag(*p) : e.TypeSubFields(*p);
    EXPECT_EQ(c.IntoTag ? e.Tag : e.SubFields, c.Kept);
    EXPECT_EQ(c.IntoTag ? e.SubFields : e.Tag, "");
  }
}

TEST(FilterEditorKeys, ControlKeysPassBothFilters) {
  TFilterEditorModel e = Editor({});
  e.SetSubFields("a");
  for (char key : {'\b', '\x03', '\x16'}) {
    EXPECT_TRUE(e.edMarcFieldTagKeyPress(key));
    EXPECT_TRUE(e.edSubFieldsKeyPress(key));
  }
  // Code 31 is a control character for the codes only.
  EXPECT_FALSE(e.edMarcFieldTagKeyPress('\x1f'));
  EXPECT_TRUE(e.edSubFieldsKeyPress('\x1f'));
  EXPECT_FALSE(e.edSubFieldsKeyPress('a'));
}

TEST(FilterEditorKeys, WholeTextsMustPassAsTyped) {
  EXPECT_TRUE(TFilterEditorModel::TagTextAccepted("245"));
  EXPECT_TRUE(TFilterEditorModel::TagTextAccepted(""));
  EXPECT_FALSE(TFilterEditorModel::TagTextAccepted("24a"));
  EXPECT_FALSE(TFilterEditorModel::TagTextAccepted("2450"));
  EXPECT_TRUE(TFilterEditorModel::SubFieldsTextAccepted("ab6\xe5"));
  EXPECT_FALSE(TFilterEditorModel::SubFieldsTextAccepted("aba"));
  EXPECT_FALSE(TFilterEditorModel::SubFieldsTextAccepted("aB"));
}

TEST(FilterEditorAdd, NeedsAThreeCharacterTagAndANewEntry) {
  TFilterEditorModel e = Editor({"245AB", "650"});
  EXPECT_FALSE(e.AddEnabled);
  e.SetTag("24");
  EXPECT_FALSE(e.AddEnabled);
  e.SetTag("245");
  EXPECT_TRUE(e.AddEnabled);
  e.SetSubFields("ab"); // "245AB" is there, case ignored
  EXPECT_FALSE(e.AddEnabled);
  e.SetSubFields("a");
  EXPECT_TRUE(e.AddEnabled);
  e.SetTag("650");
  e.SetSubFields("");
  EXPECT_FALSE(e.AddEnabled);
}

struct TAddCase {
  const char* Name;
  std::vector<std::string> Before;
  const char* Tag;
  const char* SubFields;
  std::vector<std::string> After;
};

TEST(FilterEditorAdd, ReplacesTheFirstEntryOfTheTagOrTakesItsSortedPlace) {
  const TAddCase cases[] = {
      {"codes dropped", {"245", "650x", "700"}, "650", "", {"245", "650", "700"}},
      {"codes changed", {"245ab"}, "245", "c", {"245c"}},
      {"first of two", {"100", "245a", "245b"}, "245", "z", {"100", "245b", "245z"}},
      {"new tag", {"100", "700"}, "500", "a", {"100", "500a", "700"}},
      {"into an empty list", {}, "008", "", {"008"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TFilterEditorModel e = Editor(c.Before);
    EXPECT_FALSE(e.OKEnabled);
    e.SetTag(c.Tag);
    e.SetSubFields(c.SubFields);
    e.btnAddClick();
    EXPECT_EQ(e.Entries, c.After);
    EXPECT_EQ(e.Tag, "");
    EXPECT_EQ(e.SubFields, "");
    EXPECT_FALSE(e.AddEnabled);
    EXPECT_TRUE(e.OKEnabled);
  }
}

TEST(FilterEditorRemove, MovesTheSelectedEntryIntoTheEditFields) {
  TFilterEditorModel e = Editor({"245ab", "650", "9"});
  EXPECT_FALSE(e.RemoveEnabled);
  e.btnRemoveClick(); // nothing selected: nothing happens
  EXPECT_EQ(e.Entries.size(), 3U);
  EXPECT_FALSE(e.OKEnabled);

  e.lbxExcludeClick(0);
  EXPECT_TRUE(e.RemoveEnabled);
  e.btnRemoveClick();
  EXPECT_EQ(e.Entries, (std::vector<std::string>{"650", "9"}));
  EXPECT_EQ(e.Tag, "245");
  EXPECT_EQ(e.SubFields, "ab");
  EXPECT_TRUE(e.AddEnabled); // it can go back in
  EXPECT_TRUE(e.OKEnabled);
  EXPECT_EQ(e.Selected, -1);
  EXPECT_FALSE(e.RemoveEnabled);

  e.lbxExcludeClick(1); // a hand-written line shorter than a tag
  e.btnRemoveClick();
  EXPECT_EQ(e.Tag, "9");
  EXPECT_EQ(e.SubFields, "");
  e.lbxExcludeClick(5); // outside the list
  EXPECT_FALSE(e.RemoveEnabled);
}

TEST(FilterEditorFile, AMissingFileGivesAnEmptyListAndOKStaysOff) {
  TempDir dir;
  TFilterEditorModel e;
  e.Load(dir.File("marcfilter.txt"));
  e.FormActivate();
  EXPECT_TRUE(e.Entries.empty());
  EXPECT_FALSE(e.OKEnabled);
  EXPECT_FALSE(e.RemoveEnabled);
}

TEST(FilterEditorFile, LinesAreSortedAndHandWrittenOnesSavedUnchanged) {
  TempDir dir;
  const std::string file = dir.Write("marcfilter.txt", "650x\n245 $a\r\n100\r\nFRI text\r\n");
  TFilterEditorModel e;
  e.Load(file);
  EXPECT_EQ(e.Entries, (std::vector<std::string>{"100", "245 $a", "650x", "FRI text"}));
  e.SetTag("500");
  e.btnAddClick();
  ASSERT_TRUE(e.Save(file));
  EXPECT_EQ(ReadAll(file), "100\r\n245 $a\r\n500\r\n650x\r\nFRI text\r\n");
  EXPECT_FALSE(e.Save(dir.File("saknad-mapp/marcfilter.txt")));
  // The new text replaces the file only once it is whole: a failed save leaves the old one.
  std::filesystem::create_directory(file + ".tmp");
  e.SetTag("600");
  e.btnAddClick();
  EXPECT_FALSE(e.Save(file));
  EXPECT_EQ(ReadAll(file), "100\r\n245 $a\r\n500\r\n650x\r\nFRI text\r\n");
}

} // namespace
} // namespace kelvo
