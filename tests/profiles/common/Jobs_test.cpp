// Profiles 0 and 1 on worker threads: the real files give the same files,
// counts, run messages, record outcomes and replaced characters, in the same
// order, as on the calling thread alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profiles/sorvia_dialect/Mrc21ToMrcKv.h"
#include "profiles/sorvia_kv21/Mrc21ToKv21.h"
#include "support/ConverterRun.h"
#include "support/SharedData.h"
#include "support/SourceDate.h"

namespace kelvo {
namespace {

// Everything a run leaves behind, as text.
struct TRunTrace {
  std::string Out, Periodicals, Weeded;
  std::vector<std::string> Summary;  // counts, then messages
  std::vector<std::string> Outcomes; // records and replaced characters, as the observers were told
  bool operator==(const TRunTrace&) const = default;
};

template <class TKonv> TRunTrace RunWithJobs(const std::string& input, int jobs) {
  const testing::ScopedSourceDate today;
  testing::TConverterRun<TKonv> run(input, {.Periodicals = true, .Weeded = true, .Iso = true});
  TRunTrace trace;
  run.Kv->ConversionLabel = "BatSor";
  run.Kv->SetCharset(TCharset::Auto);
  run.Kv->Jobs = jobs;
  run.Kv->OnRecord = [&](const TRecordOutcome& o) {
    trace.Outcomes.push_back(std::to_string(o.Number) + " " + std::string(o.Id) + " " + std::string(o.Title) +
                             " " + std::to_string(static_cast<int>(o.Route.Destination)) + " " +
                             std::string(o.Route.Reason));
  };
  run.Kv->OnReplaced = [&](std::int64_t record, std::string_view id, const TReplacedChar& r) {
    trace.Outcomes.push_back(std::to_string(record) + " " + std::string(id) + " " + ReplacementText(r));
  };
  trace.Out = run.RunToEnd();
  trace.Periodicals = run.Side("periodika.mrc");
  trace.Weeded = run.Side("utgallrade.mrc");
  for (const TRunCount& c : run.Counts)
    trace.Summary.push_back(c.Label + " " + std::to_string(c.Count));
  for (const TRunMessage& m : run.Kv->RunMessages())
    trace.Summary.push_back(m.Text);
  return trace;
}

TEST(Jobs, FourWorkersWriteWhatOneThreadWrites) {
  const auto files = testing::IsoFiles();
  KELVO_SKIP_WITHOUT_ISO_FILES(files);
  std::string input; // every file one after the other: many batches, with every oddity of the files
  for (const auto& file : files)
    input += testing::ReadAll(file.string());
  for (const auto& [profile, run] : {std::pair{0, &RunWithJobs<sorvia_dialect::TMrc21ToMrcKv>},
                                     std::pair{1, &RunWithJobs<sorvia_kv21::TMrc21ToKv21>}}) {
    SCOPED_TRACE(profile);
    const TRunTrace one = run(input, 1);
    const TRunTrace four = run(input, 4);
    EXPECT_GT(one.Outcomes.size(), 1000u);
    EXPECT_FALSE(one.Periodicals.empty());
    EXPECT_EQ(one.Out, four.Out);
    EXPECT_EQ(one.Periodicals, four.Periodicals);
    EXPECT_EQ(one.Weeded, four.Weeded);
    EXPECT_EQ(one.Summary, four.Summary);
    EXPECT_EQ(one.Outcomes, four.Outcomes);
  }
}

} // namespace
} // namespace kelvo
