// The field-filter editor on the offscreen platform: typing through the key
// filters, Add, Remove and the OK button.
#include "gui/frmMarcFilter.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace kelvo::gui {
namespace {

void TypeNational(QWidget* widget, Qt::Key key, const char* utf8) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString::fromUtf8(utf8));
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString::fromUtf8(utf8));
  QApplication::sendEvent(widget, &release);
}

class FilterEditor : public ::testing::Test {
protected:
  FilterEditor() {
    model.Entries = {"245ab", "650x"};
    dialog.show();
    tag = dialog.findChild<QLineEdit*>("edMarcFieldTag");
    codes = dialog.findChild<QLineEdit*>("edSubFields");
    list = dialog.findChild<QListWidget*>("lbxExclude");
    add = dialog.findChild<QPushButton*>("btnAdd");
    remove = dialog.findChild<QPushButton*>("btnRemove");
    ok = dialog.findChild<QPushButton*>("btnOK");
  }
  QStringList Shown() const {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
      entries << list->item(i)->text();
    return entries;
  }

  TFilterEditorModel model;
  TfrmMarcFilter dialog{model};
  QLineEdit* tag = nullptr;
  QLineEdit* codes = nullptr;
  QListWidget* list = nullptr;
  QPushButton* add = nullptr;
  QPushButton* remove = nullptr;
  QPushButton* ok = nullptr;
};

TEST_F(FilterEditor, StartsWithTheEntriesAndNothingToDo) {
  ASSERT_TRUE(tag && codes && list && add && remove && ok);
  EXPECT_EQ(dialog.windowTitle(), QString());
  EXPECT_EQ(Shown(), (QStringList{"245ab", "650x"}));
  EXPECT_FALSE(add->isEnabled());
  EXPECT_FALSE(remove->isEnabled());
  EXPECT_FALSE(ok->isEnabled());
  EXPECT_EQ(add->text(), QString::fromUtf8("&Lägg till"));
  EXPECT_EQ(remove->text(), QString("Ta &bort"));
}

TEST_F(FilterEditor, TypingGoesThroughTheKeyFilters) {
  QTest::keyClicks(tag, "24a5");
  EXPECT_EQ(tag->text(), QString("245"));
  QTest::keyClicks(codes, "aabA");
  EXPECT_EQ(codes->text(), QString("ab"));
  TypeNational(codes, Qt::Key_Odiaeresis, "ö"); // no ASCII key: an event with its text
  TypeNational(codes, Qt::Key_Odiaeresis, "ö");
  EXPECT_EQ(codes->text(), QString::fromUtf8("abö"));
  EXPECT_EQ(model.SubFields, "ab\xf6");
  EXPECT_TRUE(add->isEnabled());
  QTest::keyClick(codes, Qt::Key_Backspace);
  EXPECT_FALSE(add->isEnabled()); // "245ab" is in the list
}

TEST_F(FilterEditor, PastedTextMustPassAsTyped) {
  QApplication::clipboard()->setText("2x5");
  tag->setFocus();
  tag->paste();
  EXPECT_EQ(tag->text(), QString());
  QApplication::clipboard()->setText("650");
  tag->paste();
  EXPECT_EQ(tag->text(), QString("650"));
}

TEST_F(FilterEditor, AddReplacesTheTagsEntryAndRemoveTakesItBack) {
  QTest::keyClicks(tag, "650");
  QTest::mouseClick(add, Qt::LeftButton);
  EXPECT_EQ(Shown(), (QStringList{"245ab", "650"}));
  EXPECT_EQ(tag->text(), QString());
  EXPECT_TRUE(ok->isEnabled());

  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
  ASSERT_TRUE(remove->isEnabled());
  QTest::mouseClick(remove, Qt::LeftButton);
  EXPECT_EQ(Shown(), QStringList{"650"});
  EXPECT_EQ(tag->text(), QString("245"));
  EXPECT_EQ(codes->text(), QString("ab"));
  EXPECT_FALSE(remove->isEnabled());
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(model.Entries, std::vector<std::string>{"650"});
}

TEST_F(FilterEditor, TheArrowKeysChooseAnEntryAsAClickDoes) {
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  ASSERT_GE(model.Selected, 0);
  const int first = model.Selected;
  EXPECT_TRUE(remove->isEnabled());
  QTest::keyClick(list, first == 0 ? Qt::Key_Down : Qt::Key_Up);
  EXPECT_EQ(model.Selected, 1 - first);
  QTest::mouseClick(remove, Qt::LeftButton);
  EXPECT_EQ(Shown().size(), 1);
  EXPECT_FALSE(remove->isEnabled());
}

} // namespace
} // namespace kelvo::gui
