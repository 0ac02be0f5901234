#pragma once
// A profile 0 converter over files of a test's own folder.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "profiles/sorvia_dialect/Mrc21ToMrcKv.h"
#include "record/test_files.h"

namespace kelvo::testing {

using namespace kelvo::sorvia_dialect;

struct TSideFiles {
  bool Periodicals = false;
  bool Weeded = false;
};

class DialectRun {
public:
  // A converter over the line-format text input (records separated by "^").
  explicit DialectRun(std::string_view input = {}, TSideFiles sides = {},
                      std::vector<std::string> filter = {})
      : Filter(std::move(filter)) {
    const std::string in = Dir.Write("in.mrc", input);
    Kv = std::make_unique<TMrc21ToMrcKv>(Dir.File("out.mrc"), in, "^", Filter, false, sides.Periodicals,
                                         Dir.File("periodika.mrc"), sides.Weeded, Dir.File("utgallrade.mrc"));
    Kv->SubfieldLines = false;
  }

  // Converts every record, closes the files and returns the main output.
  std::string RunToEnd() {
    while (!Kv->EndOfInput)
      Kv->ConvertNext();
    Counts = Kv->RunCounts();
    Kv.reset();
    return ReadAll(Dir.File("out.mrc"));
  }
  std::string Side(std::string_view name) const { return ReadAll(Dir.File(name)); }

  // The source record set from line-format text, the output record emptied.
  TMrc21ToMrcKv& WithSource(std::string_view recordText) {
    Kv->SourceRecord.ParseText(recordText);
    Kv->OutRecord.Clear();
    return *Kv;
  }

  TempDir Dir;
  std::vector<std::string> Filter;
  std::unique_ptr<TMrc21ToMrcKv> Kv;
  std::vector<TRunCount> Counts;
};

// The output fields in the order the rules built them, one line each, without
// the leader and 008 that every record gets.
inline std::string FieldLines(const TMarcRec& rec) {
  std::string out;
  for (const auto& field : rec.Fields)
    if (field->Tag != "000" && field->Tag != "008") out += field->AsText('*', '$', false) + "\n";
  return out;
}

// The fields the rule sequence builds from one source record.
inline std::string ConvertedFields(std::string_view source) {
  DialectRun run;
  TMrc21ToMrcKv& kv = run.WithSource(source);
  kv.ConvertFields();
  return FieldLines(kv.OutRecord);
}

// A table row of the rule tests.
struct TRuleCase {
  const char* Name;
  const char* Source; // line format, fields separated by CR LF
  const char* Output; // the fields built, each followed by "\n"
};

inline void PrintTo(const TRuleCase& c, std::ostream* os) { *os << c.Name; }

// The row's name as the name of its parameterised test.
inline std::string CaseName(const ::testing::TestParamInfo<TRuleCase>& info) { return info.param.Name; }

} // namespace kelvo::testing
