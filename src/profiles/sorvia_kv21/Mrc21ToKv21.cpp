#include "profiles/sorvia_kv21/Mrc21ToKv21.h"

#include <array>
#include <string_view>

#include "profiles/common/StepEngine.h"
#include "profiles/sorvia_kv21/Kv21CleanUps.h"
#include "profiles/sorvia_kv21/Kv21FieldRules.h"
#include "profiles/sorvia_kv21/Kv21Identifiers.h"
#include "record/vostr.h"

namespace kelvo::sorvia_kv21 {

namespace {

// The rules see the output record (a copy of the source) and these.
struct TKv21Context : common::TRuleContext {
  const TMrc21ToKv21& Options;
  TKv21FieldRules& Rules;
  TKv21Identifiers& Identifiers;
  const common::TWeeding& Weeding;
};

using Step = common::TStep<TKv21Context>;
constexpr auto Rec = Step::Rec;
constexpr auto EachOut = Step::EachOut;

// The field rules in the order they run; a rule with a tag runs on every
// output field with that tag, in record order.
constexpr std::array Steps{
    EachOut("020", [](TKv21Context& c, TMarcField& f) { c.Rules.AddIsbnCopy(f); }),
    Rec([](TKv21Context& c) { c.Identifiers.RememberId(c.Out); }),
    Rec([](TKv21Context& c) {
      if (c.Options.KeepOld035Handling) c.Identifiers.TakeOverId(c.Out, c.Options.VoyagerIdKeep);
    }),
    Rec([](TKv21Context& c) { c.Identifiers.AddVoyagerId(c.Out); }),
    EachOut("041", [](TKv21Context&, TMarcField& f) { TKv21FieldRules::SplitLanguages(f); }),
    EachOut("130", [](TKv21Context&, TMarcField& f) { TKv21FieldRules::AddFilingForm(f); }),
    Rec([](TKv21Context& c) { c.Rules.MaterialDesignation(c.Out); }),
    EachOut("260", [](TKv21Context& c, TMarcField& f) { c.Rules.AddYear(f); }),
    EachOut("630", [](TKv21Context&, TMarcField& f) { TKv21FieldRules::AddFilingForm(f); }),
    EachOut("650", [](TKv21Context&, TMarcField& f) { TKv21FieldRules::MedicalSubject(f); }),
    EachOut("730", [](TKv21Context&, TMarcField& f) { TKv21FieldRules::AddFilingForm(f); }),
    EachOut("740", [](TKv21Context&, TMarcField& f) { TKv21FieldRules::AddFilingForm(f); }),
    EachOut("760", [](TKv21Context&, TMarcField& f) { TKv21FieldRules::LinkNumber(f); }),
    EachOut("762", [](TKv21Context&, TMarcField& f) { TKv21FieldRules::LinkNumber(f); }),
    Rec([](TKv21Context& c) { TKv21FieldRules::MarkScrapped(c.Out, c.Weeding); }),
    EachOut("852",
            [](TKv21Context& c, TMarcField& f) {
              if (c.Options.Fld852cUnconditionally) TKv21FieldRules::ShelfMarkToC(f);
            }),
    Rec([](TKv21Context& c) {
      if (c.Options.KeepOld035Handling) c.Identifiers.TidyIdFields(c.Out);
    }),
};

constexpr std::string_view StampTag = "592";

} // namespace

TMrc21ToKv21::TMrc21ToKv21(const std::string& outFileName, const std::string& inFileName,
                           const std::string& terminator, const std::vector<std::string>& filterLines,
                           bool sourceIsIso, bool separatePeriodicals, const std::string& periodicalsFile,
                           bool separateWeeded, const std::string& weededFile)
    : TKonvSimple(outFileName, inFileName, terminator), fieldRules_(std::make_unique<TKv21FieldRules>()),
      identifiers_(std::make_unique<TKv21Identifiers>()),
      cleanUps_(std::make_unique<TKv21CleanUpPatterns>()) {
  SourceIsIso = sourceIsIso;
  // Each side file asked for exists (empty) from the start of the run; one
  // that cannot be created stops the run before any record is read.
  if (separatePeriodicals) OpenSideFile(periodicalsFile, PeriodicalsRole);
  if (separateWeeded) OpenSideFile(weededFile, WeededRole);
  OutRecord.SetFilter(JoinFilterLines(filterLines));
}

TMrc21ToKv21::TMrc21ToKv21(TWorkerOf worker)
    : TKonvSimple(worker), fieldRules_(std::make_unique<TKv21FieldRules>()),
      identifiers_(std::make_unique<TKv21Identifiers>()),
      cleanUps_(std::make_unique<TKv21CleanUpPatterns>()) {
  const auto& master = static_cast<const TMrc21ToKv21&>(worker.Master);
  WeedingCriteria = master.WeedingCriteria;
  Fld852cUnconditionally = master.Fld852cUnconditionally;
  VoyagerIdKeep = master.VoyagerIdKeep;
  KeepOld035Handling = master.KeepOld035Handling;
}

TMrc21ToKv21::~TMrc21ToKv21() = default;

std::unique_ptr<TKonvSimple> TMrc21ToKv21::NewWorker() const {
  return std::unique_ptr<TKonvSimple>(new TMrc21ToKv21(TWorkerOf{*this}));
}

void TMrc21ToKv21::ConvertRecord() {
  ParseRecordText(SourceRecord, SourceIsIso);
  TakeSourceAsOutput();
  weeding_.SetCriteria(WeedingCriteria);
  if (ConvertToKv2) ApplyRules();
  // The text after the last separator (empty, or a line end) is no record.
  if (!IsBlank(RecordText)) Deliver(Route(), SourceRecord);
}

void TMrc21ToKv21::ApplyRules() {
  fieldRules_->StripTrailingPunctuation(OutRecord);
  TKv21Context context{{SourceRecord, OutRecord, sourceTags_}, *this, *fieldRules_, *identifiers_, weeding_};
  common::RunSteps<TKv21Context>(Steps, context);
  BalanceBrackets(OutRecord);
  ApplyCleanUps(OutRecord, *cleanUps_);
  if (!IsBlank(ConversionLabel)) AddStampField(ConversionLabel, StampTag);
  OutRecord.SortFields();
}

TRoute TMrc21ToKv21::Route() {
  return common::RouteToSideFiles({OutRecord, HasSideFile(TDestination::Weeded) ? &weeding_ : nullptr,
                                   HasSideFile(TDestination::Periodicals) ? &IsPeriodical : nullptr});
}

bool IsPeriodical(const TMarcRec& out) { return LeaderChar(out, 7) == 's'; }

} // namespace kelvo::sorvia_kv21
