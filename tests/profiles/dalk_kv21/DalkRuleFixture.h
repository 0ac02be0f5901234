#pragma once
// A vendor converter for rule tests: a source record from line-format text
// runs through ConvertFields, and the output fields come back as lines.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/dalk_kv21/DalkIIToKv21.h"
#include "profiles/dalk_kv21/DalkRules.h"
#include "profiles/dalk_kv21/LokalAnpass.h"
#include "support/ConverterRun.h"

namespace kelvo::testing {

using namespace kelvo::dalk_kv21;

class DalkRuleRun : public TConverterRun<TDalkIIToKv21> {
public:
  DalkRuleRun() { Kv->SetLocalAdaptation(Adaptation); }

  // The adaptation from an XML text (kept by this object).
  void Adapt(std::string_view xml) { Adaptation.LoadFromMemory(xml, "LokalAnpassTrux.xml"); }

  // Runs every rule over the source record; returns the output fields whose
  // tags are in tags (all when empty), one "*tag..." line each, ended by "\n",
  // in the order the rules added them.
  std::string Convert(std::string_view source, const std::vector<std::string_view>& tags = {}) {
    WithSource(source).ConvertFields();
    return Fields(tags);
  }

  // One record rule alone, over the output record as it is.
  void RunRule(void (*rule)(TDalkContext&)) {
    TDalkPatterns patterns;
    common::TTagIndex tags;
    tags.Build(Kv->SourceRecord);
    TDalkContext context{{Kv->SourceRecord, Kv->OutRecord, tags},
                         patterns,
                         Adaptation,
                         Kv->SeparateProperWorks,
                         Kv->RecordClass};
    rule(context);
  }

  std::string Fields(const std::vector<std::string_view>& tags = {}) const {
    std::string out;
    for (const auto& field : Kv->OutRecord.Fields) {
      bool wanted = tags.empty();
      for (std::string_view tag : tags)
        wanted = wanted || field->Tag == tag;
      if (wanted) out += field->AsText('*', '$', false) + "\n";
    }
    return out;
  }

  TLocalAdaptation Adaptation;
};

// A row of the rule tables: a source record, the output tags compared and
// the lines they should come out as.
struct TDalkRuleCase {
  std::string Name;
  std::string Source; // line-format fields separated by "\r\n"
  std::vector<std::string_view> Tags;
  std::string Expected; // "*tag..." lines, each ended by "\n"; a field without
                        // subfields shows as its tag alone
};

inline void PrintTo(const TDalkRuleCase& c, std::ostream* os) { *os << c.Name; }

// Runs every row through the whole rule order.
inline void RunRuleCases(const std::vector<TDalkRuleCase>& cases, bool separateProperWorks = false) {
  for (const TDalkRuleCase& c : cases) {
    SCOPED_TRACE(c.Name);
    DalkRuleRun run;
    run.Kv->SeparateProperWorks = separateProperWorks;
    EXPECT_EQ(run.Convert(c.Source, c.Tags), c.Expected);
  }
}

} // namespace kelvo::testing
