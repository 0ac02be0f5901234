#pragma once
// Where one record of the input went, and why a record was not written: what
// a run tells an observer record by record (a report of the run, a preview).
#include <cstdint>
#include <functional>
#include <string_view>

namespace kelvo {

class TMarcRec;

enum class TDestination : std::uint8_t { Output, Periodicals, Weeded, MultiVolume, NotWritten };

// Why a record was not written, in the words a report prints.
namespace reason {
inline constexpr std::string_view NoTitle = "Saknar titel (245/295)";
inline constexpr std::string_view Unreadable = "Ol\xe4sbar post";
inline constexpr std::string_view TooLong = "F\xf6r l\xe5ng post";
inline constexpr std::string_view Incomplete = "Ofullst\xe4ndig sista post";
inline constexpr std::string_view PartOfImproperWork =
    "Del av oegentligt flerbandsverk (numret st\xe5r i huvudposten)";
inline constexpr std::string_view NotAnImproperHead = "Inte huvudpost f\xf6r oegentligt flerbandsverk";
} // namespace reason

// A record's destination and, when it is not written, the reason.
struct TRoute {
  TDestination Destination = TDestination::Output;
  std::string_view Reason = {};
};

struct TRecordOutcome {
  std::int64_t Number = 0; // its place in the input, from 1
  std::string_view Id;     // its 001
  std::string_view Title;  // its 245 $a, else its 295 $a
  TRoute Route;
  const TMarcRec* Source = nullptr; // the record as read (decoded), when it could be read
};

// Called once for every record of the input, written or not.
using TRecordObserver = std::function<void(const TRecordOutcome&)>;

} // namespace kelvo
