#pragma once
// Percentage and date helpers.
#include <cstdint>
#include <string>

namespace kelvo {

struct Date {
  int Year = 0;
  int Month = 0;
  int Day = 0;
};

// 0 when total is 0; else the integer part of part * 100 / total.
int Percent(std::uint64_t part, std::uint64_t total);
// "2004-03-05"
std::string FormatDateYmd(const Date& d);
// Today's date: SOURCE_DATE_EPOCH (seconds since the epoch, UTC) when set,
// otherwise the local date.
Date Today();
// FormatDateYmd(Today()), worked out again only when the clock has moved on
// a second (records are stamped by the thousand a second).
const std::string& TodayYmd();

} // namespace kelvo
