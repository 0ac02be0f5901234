// The main window on the offscreen platform: its menus, a run from the Starta
// button, the summary box, Avbryt during a run, the clipboard and batch mode.
#include "gui/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "gui/PathLabel.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace kelvo::gui {
namespace {

using testing::ReadAll;
using testing::TempDir;
using testing::TFakeMsg;

const std::string Sample = KELVO_SOURCE_DIR "/data/samples/sorvia-marc21.mrc";

class MainWindow : public ::testing::Test {
protected:
  // A window whose program file is in the test's folder, with that settings
  // text and first argument; message boxes go to the recording fake.
  std::unique_ptr<TfrmMain> Open(const std::string& settings, const std::string& argument,
                                 TVoWinApi* api = nullptr) {
    dir.Write("kelvokonv-gui.ini", settings);
    TMainWindowOptions options;
    options.ProgramFile = dir.File("kelvokonv-gui");
    options.FirstArgument = argument;
    options.Msg = &msg;
    options.Api = api;
    auto window = std::make_unique<TfrmMain>(options);
    window->show();
    window->FormActivate();
    return window;
  }
  std::string Files() const {
    return "[filer]\r\ninfil=" + Sample + "\r\nutfil=" + dir.File("ut.mrc") + "\r\n";
  }
  template <class T> static T* Child(QWidget& w, const char* name) {
    T* child = w.findChild<T*>(QString::fromLatin1(name));
    if (!child) ADD_FAILURE() << "no control " << name;
    return child;
  }

  TempDir dir;
  TFakeMsg msg;
};

struct TItemCase {
  const char* Name;
  const char* Caption; // UTF-8
  int Checked;         // 1 or 0; -1: no check mark
};

TEST_F(MainWindow, EveryMenuItemHasItsCaptionAndCheckMark) {
  const TItemCase items[] = {
      {"mnuInfil", "Infil (källfil)...", -1},
      {"mnuUtfil", "Utfil...", -1},
      {"mnuAvsluta", "Avsluta", -1},
      {"mnuStart", "Starta konvertering", -1},
      {"mnuPreview", "Förhandsgranska", -1},
      {"Filtermarcflt1", "Filter - Marc-fält...", -1},
      {"mnuMarcFilterOn", "Filter Marc-fält PÅ", 1},
      {"mnuKonvTillKv2", "Konvertering till Kelvo 2", 1},
      {"mnuSourceIsIso2709", "Källfilen har Iso2709-format", 1},
      {"mnuTeckenuppsattning", "Teckenuppsättning", -1},
      {"mnuCharsetAuto", "Automatiskt (UTF-8 enligt posthuvudet, annars 1252)", 1},
      {"mnuCharsetUtf8", "UTF-8", 0},
      {"mnuCharsetMarc8", "MARC-8", 0},
      {"mnuCharsetCp1252", "Teckentabell 1252 (ingen omkodning)", 0},
      {"mnuDubbletterBort", "Dubblettrader i resultat raderas", 1},
      {"mnuFieldsInvestigate", "Undersök mrc unika fält/delfält (Obs! ej Iso2709)", -1},
      {"mnuDiakriterTranslate", "TRUX - diakritöversättning PÅ", 1},
      {"mnuDalkOegentligaDelarSpecial", "TRUX - endast oegentliga flerbandsdelar", 0},
      {"mnuPeriodicalsSep", "Periodika separeras till egen utfil", 0},
      {"mnuPeriodicalsOutFile", "Utfil periodikaposter...", -1},
      {"mnuPeriodicaFileShow", "Visa dialog med uppgift om periodikautfil vid avslut", 1},
      {"mnuUtgallradeSeparera", "Utgallrade poster separeras till egen utfil", 0},
      {"mnuUtfilUtgallrade", "Utfil utgallrade...", -1},
      {"mnuUtgallradeFileShow", "Visa dialog med uppgift om utfil för utgallrade poster", 1},
      {"mnuDalkEgentligaFlerbandSepareras", "DalkMarc - egentliga flerbandsverk separeras till egen fil", 1},
      {"mnuBatchCommands", "Batch-kommandon", -1},
      {"mnuAbout", "Om...", -1},
  };
  auto window = Open("[diverse]\r\nprofil=2\r\n", "");
  QStringList menus;
  for (QAction* top : window->menuBar()->actions())
    menus << top->text();
  EXPECT_EQ(menus, (QStringList{"Arkiv", "Konvertering", "Resultatseparering", QString::fromUtf8("Hjälp")}));
  for (const auto& c : items) {
    SCOPED_TRACE(c.Name);
    QAction* action = window->findChild<QAction*>(QString::fromLatin1(c.Name));
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QString::fromUtf8(c.Caption));
    EXPECT_EQ(action->isCheckable(), c.Checked >= 0);
    if (c.Checked >= 0) {
      EXPECT_EQ(action->isChecked(), c.Checked == 1);
    }
    EXPECT_TRUE(action->isVisible());
  }
  EXPECT_EQ(window->windowTitle(), QString("Kelvo konvertering. Profil: DalkII/KV2/Marc21"));
}

TEST_F(MainWindow, OutsideProfile2TheVendorItemsAreHidden) {
  auto window = Open("", "");
  EXPECT_EQ(window->windowTitle(), QString("Kelvo konvertering. Profil: SorvM21/KV2/Sorvia"));
  for (const char* name : {"mnuDelim1", "mnuDiakriterTranslate", "mnuDalkOegentligaDelarSpecial", "mnuDelim3",
                           "mnuDalkEgentligaFlerbandSepareras"})
    EXPECT_FALSE(window->Action(name)->isVisible()) << name;
  EXPECT_TRUE(window->Action("mnuPeriodicalsSep")->isVisible());
  EXPECT_EQ(Child<QLabel>(*window, "lblInfil")->text(), QString("*ej angiven*"));
  EXPECT_TRUE(Child<QLabel>(*window, "lblInfil")->font().bold());
  EXPECT_FALSE(Child<QPushButton>(*window, "btnStart")->isEnabled());
  EXPECT_FALSE(window->Action("mnuStart")->isEnabled());
}

TEST_F(MainWindow, TheCharacterSetIsChosenInItsSubmenu) {
  auto window = Open("[diverse]\r\nteckenuppsattning=utf-8\r\n", "");
  EXPECT_TRUE(window->Action("mnuCharsetUtf8")->isChecked());
  window->Action("mnuCharsetMarc8")->trigger();
  EXPECT_EQ(window->State().Charset, "marc-8");
  EXPECT_TRUE(window->Action("mnuCharsetMarc8")->isChecked());
  EXPECT_FALSE(window->Action("mnuCharsetUtf8")->isChecked());
  EXPECT_NE(window->Action("mnuTeckenuppsattning")->menu(), nullptr);
}

TEST_F(MainWindow, StartaConvertsTheSampleAndCountsTheRecords) {
  auto window = Open(Files(), "/iso=0");
  auto* start = Child<QPushButton>(*window, "btnStart");
  ASSERT_TRUE(start->isEnabled());
  QTest::mouseClick(start, Qt::LeftButton);
  EXPECT_EQ(Child<QLabel>(*window, "pnlMsg")->text(), QString("Antal konverterade poster: 6"));
  EXPECT_NE(ReadAll(dir.File("ut.mrc")).find("^\r\n"), std::string::npos);
  EXPECT_EQ(Child<QProgressBar>(*window, "Gauge1")->value(), 0);
  EXPECT_TRUE(start->isVisible());
  EXPECT_FALSE(Child<QPushButton>(*window, "btnCancel")->isVisible());
  EXPECT_TRUE(msg.Boxes.empty()); // no side files, no summary
  // The result panel: the lines of the command line's summary.
  EXPECT_TRUE(Child<QWidget>(*window, "pnlResult")->isVisible());
  const QString result = Child<QPlainTextEdit>(*window, "txtResult")->toPlainText();
  EXPECT_TRUE(result.contains(QString::fromStdString("\n  Utfil: 5 (" + dir.File("ut.mrc") + ")\n")))
      << result.toStdString();
  EXPECT_TRUE(Child<QPushButton>(*window, "btnOpenFolder")->isEnabled());
  EXPECT_FALSE(Child<QPushButton>(*window, "btnOpenReport")->isEnabled());
}

TEST_F(MainWindow, ThePreviewOpensFromTheMenuStepsWithNastaAndWritesNothing) {
  auto window = Open(Files(), "/iso=0");
  ASSERT_TRUE(Child<QPushButton>(*window, "btnPreview")->isEnabled());
  QStringList seen;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->objectName(), QString("frmPreview"));
    const auto shown = [&] {
      seen << Child<QLabel>(*dialog, "lblPosition")->text() + " / " +
                  Child<QLabel>(*dialog, "lblDestination")->text();
    };
    shown();
    EXPECT_FALSE(Child<QPushButton>(*dialog, "btnPrevious")->isEnabled());
    QTest::mouseClick(Child<QPushButton>(*dialog, "btnNext"), Qt::LeftButton);
    shown();
    EXPECT_TRUE(Child<QPlainTextEdit>(*dialog, "txtSource")->toPlainText().startsWith("*000"));
    EXPECT_TRUE(Child<QPlainTextEdit>(*dialog, "txtConverted")->toPlainText().contains("*52200$aBatSorM21"));
    QTest::mouseClick(Child<QPushButton>(*dialog, "btnClose"), Qt::LeftButton);
  });
  window->Action("mnuPreview")->trigger();
  EXPECT_EQ(seen, (QStringList{"Post 1 av 5 / Skrivs till: Utfil", "Post 2 av 5 / Skrivs till: Utfil"}));
  EXPECT_TRUE(msg.Boxes.empty());
  EXPECT_FALSE(std::filesystem::exists(dir.File("ut.mrc")));
}

TEST_F(MainWindow, WithSideFilesTheSummaryBoxNamesThem) {
  auto window = Open(Files() + "[diverse]\r\nperiodicasep=1\r\nutgallrseparera=1\r\n", "/iso=0");
  QTest::mouseClick(Child<QPushButton>(*window, "btnStart"), Qt::LeftButton);
  ASSERT_EQ(msg.Boxes.size(), 1U);
  EXPECT_EQ(msg.Boxes[0].Kind, TMsgKind::Information);
  EXPECT_EQ(msg.Boxes[0].Caption, "kelvokonv-gui");
  EXPECT_EQ(msg.Boxes[0].Text, "Periodikaposter har separerats till fil:\r\n" + dir.File("periodika.mrc") +
                                   "\r\n\r\nUtgallrade poster har separerats till fil:\r\n" +
                                   dir.File("utgallrade.mrc"));
}

// Does one thing once a run goes on, from inside the run's pending events.
class TOnceDuringRun : public TQtWinApi {
public:
  TfrmMain* Window = nullptr;
  std::function<void(TfrmMain&)> Action;
  bool Done = false;
  void ProcessMessages() override {
    TQtWinApi::ProcessMessages();
    if (Done || !Window->Frame().Running()) return;
    Done = true;
    Action(*Window);
  }
};

TEST_F(MainWindow, AvbrytAnsweredYesStopsTheRunAfterTheRecord) {
  TOnceDuringRun api;
  api.Action = [](TfrmMain& w) { QTest::mouseClick(w.findChild<QPushButton*>("btnCancel"), Qt::LeftButton); };
  auto window = Open(Files(), "/iso=0", &api);
  api.Window = window.get();
  msg.Answers = {true};
  QTest::mouseClick(Child<QPushButton>(*window, "btnStart"), Qt::LeftButton);
  EXPECT_TRUE(api.Done);
  ASSERT_EQ(msg.Boxes.size(), 1U);
  EXPECT_EQ(msg.Boxes[0].Text, "S\xe4kert du vill avbryta?");
  EXPECT_EQ(msg.Boxes[0].Caption, "Kelvo konvertering. Profil: SorvM21/KV2/Sorvia");
  EXPECT_EQ(Child<QLabel>(*window, "pnlMsg")->text(), QString("Antal konverterade poster: 1"));
  EXPECT_TRUE(window->Frame().Cancelled);
}

TEST_F(MainWindow, ClosingDuringARunAnsweredNoKeepsTheWindowAndTheRun) {
  TOnceDuringRun api;
  bool closed = true;
  api.Action = [&](TfrmMain& w) { closed = w.close(); };
  auto window = Open(Files(), "/iso=0", &api);
  api.Window = window.get();
  msg.Answers = {false};
  QTest::mouseClick(Child<QPushButton>(*window, "btnStart"), Qt::LeftButton);
  ASSERT_EQ(msg.Boxes.size(), 1U);
  EXPECT_EQ(msg.Boxes[0].Text, "S\xe4kert du vill avbryta?");
  EXPECT_FALSE(closed);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(Child<QLabel>(*window, "pnlMsg")->text(), QString("Antal konverterade poster: 6"));
}

TEST_F(MainWindow, ALongPathIsElidedInTheMiddleAndLeavesTheWidthAlone) {
  const std::string folder = std::string(8, 'x') + "/Bibliotekets leveranser fr\xc3\xa5n \xc3\x96stersund " +
                             std::string(120, 'a') + "/";
  std::filesystem::create_directories(dir.File(folder));
  const std::string in = dir.Write(folder + "s\xc3\xa4rskilda poster.mrc", "*245  $aA\r\n^\r\n");
  auto narrow = Open("", "");
  const int minimum = narrow->minimumSizeHint().width();
  auto window = Open("[filer]\r\ninfil=" + in + "\r\n", "");
  auto* label = Child<TPathLabel>(*window, "lblInfil");
  EXPECT_EQ(label->toolTip(), QString::fromUtf8(in.c_str()));
  EXPECT_EQ(window->minimumSizeHint().width(), minimum);
  const QString shown = label->ShownText();
  EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
  EXPECT_TRUE(shown.endsWith(QString::fromUtf8("särskilda poster.mrc"))) << shown.toStdString();
  EXPECT_TRUE(shown.startsWith(QString::fromStdString(dir.File("").substr(0, 5))));
}

TEST_F(MainWindow, AFileDroppedOnTheWindowIsTheInputAndOnUtfilTheOutput) {
  auto window = Open("", "");
  const std::string in = dir.Write("in.mrc", "*245  $aA\r\n^\r\n");
  const auto drop = [&](const std::string& file, QWidget* target) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
    QDropEvent event(QPointF(target->mapTo(window.get(), target->rect().center())), Qt::CopyAction, &data,
                     Qt::LeftButton, Qt::NoModifier);
    // The application delivers a drop only to the target of a real drag: the event goes in directly.
    static_cast<QObject*>(window.get())->event(&event);
  };
  drop(in, Child<QPushButton>(*window, "btnStart"));
  drop(dir.File("ut.mrc"), Child<QLabel>(*window, "lblUtfil"));
  EXPECT_EQ(window->State().InFile, in);
  EXPECT_EQ(Child<QLabel>(*window, "lblUtfil")->text(), QString::fromStdString(dir.File("ut.mrc")));
  EXPECT_TRUE(Child<QPushButton>(*window, "btnStart")->isEnabled());
}

TEST_F(MainWindow, ConvertOffAnsweredNoKeepsTheCheckMark) {
  auto window = Open("", "");
  msg.Answers = {false};
  window->Action("mnuKonvTillKv2")->trigger();
  EXPECT_TRUE(window->Action("mnuKonvTillKv2")->isChecked());
  ASSERT_EQ(msg.Boxes.size(), 1U);
  EXPECT_EQ(msg.Boxes[0].Caption, "kelvokonv-gui");
  msg.Answers = {true};
  window->Action("mnuKonvTillKv2")->trigger();
  EXPECT_FALSE(window->Action("mnuKonvTillKv2")->isChecked());
}

TEST_F(MainWindow, TheSurveyGoesToTheClipboard) {
  const std::string in = dir.Write("in.mrc", "*001 12\r\n*245 10$aA$cC\r\n^\r\n");
  auto window = Open("[filer]\r\ninfil=" + in + "\r\n", "");
  EXPECT_FALSE(window->Action("mnuFieldsInvestigate")->isEnabled()); // Iso2709 is checked
  window->Action("mnuSourceIsIso2709")->trigger();
  ASSERT_TRUE(window->Action("mnuFieldsInvestigate")->isEnabled());
  window->Action("mnuFieldsInvestigate")->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString("001\r\n245ac\r\n"));
  ASSERT_EQ(msg.Boxes.size(), 1U);
  EXPECT_EQ(msg.Boxes[0].Text, "Resultatet finns i klippbordet");
  EXPECT_EQ(Child<QLabel>(*window, "pnlMsg")->text(), QString());
}

TEST_F(MainWindow, BatchModeConvertsAndClosesTheWindowWritingTheSettings) {
  auto window = Open(Files(), "/bat/iso=0");
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(msg.Boxes.empty());
  EXPECT_NE(ReadAll(dir.File("ut.mrc")).find("^\r\n"), std::string::npos);
  const std::string settings = ReadAll(dir.File("kelvokonv-gui.ini"));
  EXPECT_NE(settings.find("marcfilteron=1"), std::string::npos);
  EXPECT_NE(settings.find("utgallrade=" + dir.File("utgallrade.mrc")), std::string::npos);
}

TEST_F(MainWindow, BatchModeWithoutAnInputSaysSoAndStaysOpen) {
  auto window = Open("", "/bat/in=" + dir.File("saknas.m21") + "/ut=ut.mrc");
  EXPECT_TRUE(window->isVisible());
  ASSERT_EQ(msg.Boxes.size(), 1U);
  EXPECT_EQ(msg.Boxes[0].Text, "Kan ej k\xf6ra batch, kontrollera filangivelserna");
}

TEST_F(MainWindow, FileDialogFiltersShowTheirDescriptions) {
  EXPECT_EQ(QtNameFilters("Alla|*.*"), QStringList{"Alla (*)"});
  EXPECT_EQ(QtNameFilters("Kelvo exp/imp (*.mrc)|*.mrc|Alla (*.*)|*.*"),
            (QStringList{"Kelvo exp/imp (*.mrc) (*.mrc)", "Alla (*.*) (*)"}));
}

} // namespace
} // namespace kelvo::gui
