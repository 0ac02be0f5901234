#pragma once
// Runs of the profile 1 converter on texts written in a test.
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "profiles/sorvia_kv21/Mrc21ToKv21.h"
#include "record/test_files.h"

namespace kelvo::kv21test {

using namespace kelvo::sorvia_kv21;

// 2023-11-14 in UTC: the date every stamp of these tests carries.
inline constexpr const char* kEpoch = "1700000000";
inline constexpr const char* kToday = "2023-11-14";

inline void FixToday() { setenv("SOURCE_DATE_EPOCH", kEpoch, 1); }

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

// Converts input to the end and returns what each file received.
inline TRunResult RunKv21(std::string_view input, const TRun& run = {}) {
  FixToday();
  testing::TempDir dir;
  const std::string in = dir.Write("in.mrc", input);
  TRunResult result;
  {
    TMrc21ToKv21 konv(dir.File("out.mrc"), in, run.Iso ? "\x1d" : "^", run.FilterLines, run.Iso,
                      run.Periodicals, dir.File("periodika.mrc"), run.Weeded, dir.File("utgallrade.mrc"));
    if (run.Configure) run.Configure(konv);
    do {
      konv.ConvertNext();
    } while (!konv.EndOfInput);
    result.Counts = konv.RunCounts();
  }
  result.Main = testing::ReadAll(dir.File("out.mrc"));
  result.Periodicals = testing::ReadAll(dir.File("periodika.mrc"));
  result.Weeded = testing::ReadAll(dir.File("utgallrade.mrc"));
  return result;
}

// The main output of one line-format record, converted without stamp.
inline std::string ConvertOne(std::string_view record,
                              const std::function<void(TMrc21ToKv21&)>& configure = {}) {
  return RunKv21(record, {.Configure = configure}).Main;
}

// One ISO 2709 field: tag and content (control data, or indicators and
// subfields with 0x1F before each code).
using TIsoField = std::pair<std::string, std::string>;

// An ISO 2709 record with its terminator; lengths and addresses filled in.
inline std::string IsoRecord(std::string_view leader, const std::vector<TIsoField>& fields) {
  std::string directory;
  std::string data;
  for (const auto& [tag, content] : fields) {
    const std::string length = std::to_string(content.size() + 1);
    const std::string start = std::to_string(data.size());
    directory +=
        tag + std::string(4 - length.size(), '0') + length + std::string(5 - start.size(), '0') + start;
    (data += content) += '\x1e';
  }
  directory += '\x1e';
  const std::size_t base = 24 + directory.size();
  const std::string total = std::to_string(base + data.size() + 1);
  const std::string address = std::to_string(base);
  std::string record = std::string(5 - total.size(), '0') + total;
  record += leader.substr(5, 7);
  record += std::string(5 - address.size(), '0') + address;
  record += leader.substr(17, 7);
  return record + directory + data + '\x1d';
}

} // namespace kelvo::kv21test
