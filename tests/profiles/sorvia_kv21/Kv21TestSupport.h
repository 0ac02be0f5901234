#pragma once
// Runs of the profile 1 converter on texts written in a test.
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/sorvia_kv21/Mrc21ToKv21.h"
#include "support/ConverterRun.h"
#include "support/SourceDate.h"

namespace kelvo::kv21test {

using namespace kelvo::sorvia_kv21;

// Line-format record text from field lines (CR LF after each).
inline std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines)
    (text += line) += "\r\n";
  return text;
}

struct TRun {
  bool Iso = false;
  bool Periodicals = false;
  bool Weeded = false;
  std::vector<std::string> FilterLines = {};
  std::function<void(TMrc21ToKv21&)> Configure = {};
};

struct TRunResult {
  std::string Main;
  std::string Periodicals;
  std::string Weeded;
  std::vector<TRunCount> Counts;
};

// Converts input to the end on testing::kStampDate and returns what each file received.
inline TRunResult RunKv21(std::string_view input, const TRun& run = {}) {
  const testing::ScopedSourceDate today;
  testing::TConverterRun<TMrc21ToKv21> konv(
      input,
      {.Periodicals = run.Periodicals, .Weeded = run.Weeded, .Iso = run.Iso, .Filter = run.FilterLines});
  if (run.Configure) run.Configure(*konv.Kv);
  TRunResult result;
  result.Main = konv.RunToEnd();
  result.Periodicals = konv.Side("periodika.mrc");
  result.Weeded = konv.Side("utgallrade.mrc");
  result.Counts = konv.Counts;
  return result;
}

// The main output of one line-format record, converted without stamp.
inline std::string ConvertOne(std::string_view record,
                              const std::function<void(TMrc21ToKv21&)>& configure = {}) {
  return RunKv21(record, {.Configure = configure}).Main;
}

} // namespace kelvo::kv21test
