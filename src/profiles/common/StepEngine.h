#pragma once
// The rule sequence of a profile as a table of steps, and the one loop that
// runs it. TContext is the profile's rule context (RuleContext.h).
#include <cstdint>
#include <span>
#include <string_view>

#include "profiles/common/FieldMap.h"
#include "profiles/common/RuleContext.h"

namespace kelvo::common {

enum class TStepKind : std::uint8_t {
  Record,      // Record(context) once
  EachField,   // Field(context, source, target) for every source field with the tag
  EachMapped,  // every source field with the tag through Map
  FirstMapped, // the first source field with the tag through Map
  Copy,        // every source field with the tag copied under the target tag
  EachOutput,  // Output(context, field) for every output field with the tag, by index
};

// As an indicator of a copy: the source's indicator stays.
inline constexpr char Keep = '\0';

template <class TContext> struct TStep {
  using TRecordRule = void (*)(TContext&);
  using TFieldRule = void (*)(TContext&, const TMarcField& source, std::string_view targetTag);
  using TOutputRule = void (*)(TContext&, TMarcField& field);

  TStepKind Kind;
  std::string_view Source; // a tag
  std::string_view Target; // empty: the source tag
  TRecordRule Record = nullptr;
  TFieldRule Field = nullptr;
  TOutputRule Output = nullptr;
  const TFieldMap* Map = nullptr;
  char Ind1 = Keep;
  char Ind2 = Keep;
  int SortGroup = 0;   // of copies; 0 keeps the one a copy has
  int SourceSlot = -1; // the source tag's slot in the record's tag index, worked out with the table

  static constexpr TStep Rec(TRecordRule rule) { return {TStepKind::Record, {}, {}, rule}; }
  static constexpr TStep Each(std::string_view source, std::string_view target, TFieldRule rule) {
    return Slotted({TStepKind::EachField, source, target, nullptr, rule});
  }
  static constexpr TStep EachMap(std::string_view source, std::string_view target, const TFieldMap& map) {
    return Slotted({TStepKind::EachMapped, source, target, nullptr, nullptr, nullptr, &map});
  }
  static constexpr TStep FirstMap(std::string_view source, const TFieldMap& map) {
    return Slotted({TStepKind::FirstMapped, source, source, nullptr, nullptr, nullptr, &map});
  }
  static constexpr TStep Copy(std::string_view source, std::string_view target, char ind1 = Keep,
                              char ind2 = Keep, int sortGroup = 0) {
    return Slotted(
        {TStepKind::Copy, source, target, nullptr, nullptr, nullptr, nullptr, ind1, ind2, sortGroup});
  }
  static constexpr TStep Slotted(TStep step) {
    step.SourceSlot = TTagIndex::Slot(step.Source);
    return step;
  }
  // A rule that edits the output fields with the tag in place; it may add fields.
  static constexpr TStep EachOut(std::string_view tag, TOutputRule rule) {
    return {TStepKind::EachOutput, tag, tag, nullptr, nullptr, rule};
  }
};

template <class TContext> void RunSteps(std::span<const TStep<TContext>> steps, TContext& context) {
  for (const TStep<TContext>& step : steps) {
    const std::string_view target = step.Target.empty() ? step.Source : step.Target;
    switch (step.Kind) {
    case TStepKind::Record:
      step.Record(context);
      break;
    case TStepKind::EachField:
      context.Tags.ForEachIn(step.SourceSlot, step.Source,
                             [&](const TMarcField& field) { step.Field(context, field, target); });
      break;
    case TStepKind::EachMapped:
      context.Tags.ForEachIn(step.SourceSlot, step.Source, [&](const TMarcField& field) {
        ApplyFieldMap(field, context.Out, target, *step.Map);
      });
      break;
    case TStepKind::FirstMapped:
      if (const TMarcField* field = context.Tags.FirstIn(step.SourceSlot, step.Source))
        ApplyFieldMap(*field, context.Out, target, *step.Map);
      break;
    case TStepKind::Copy:
      context.Tags.ForEachIn(step.SourceSlot, step.Source, [&](const TMarcField& field) {
        TMarcField* copy = context.Out.CopyField(field, target);
        if (step.Ind1 != Keep) copy->Ind1 = step.Ind1;
        if (step.Ind2 != Keep) copy->Ind2 = step.Ind2;
        if (step.SortGroup != 0) copy->SortGroup = step.SortGroup;
      });
      break;
    case TStepKind::EachOutput:
      for (std::size_t i = 0; i < context.Out.Fields.size(); ++i)
        if (context.Out.Fields[i]->HasTag(step.Source)) step.Output(context, *context.Out.Fields[i]);
      break;
    }
  }
}

} // namespace kelvo::common
