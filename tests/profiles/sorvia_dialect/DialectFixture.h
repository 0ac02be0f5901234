#pragma once
// A profile 0 converter over files of a test's own folder.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "profiles/sorvia_dialect/Mrc21ToMrcKv.h"
#include "support/ConverterRun.h"

namespace kelvo::testing {

using namespace kelvo::sorvia_dialect;

using DialectRun = TConverterRun<TMrc21ToMrcKv>;

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

// The rule tables of the three tag ranges; the test that compares a row's
// output stands in Rules020_260_test.cpp, each range's file instantiates it.
class DialectRules : public ::testing::TestWithParam<TRuleCase> {};

} // namespace kelvo::testing
