// Percentage and date helpers.
#include "record/vomisc.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <string_view>

namespace kelvo {

int Percent(std::uint64_t part, std::uint64_t total) {
  if (total == 0) return 0;
  // part * 100 may not fit in 64 bits.
  const unsigned __int128 value = static_cast<unsigned __int128>(part) * 100 / total;
  constexpr int kMax = std::numeric_limits<int>::max();
  return value > static_cast<unsigned __int128>(kMax) ? kMax : static_cast<int>(value);
}

std::string FormatDateYmd(const Date& d) {
  char text[32];
  const int n = std::snprintf(text, sizeof text, "%d-%02d-%02d", d.Year, d.Month, d.Day);
  return std::string(text, static_cast<std::size_t>(n));
}

namespace {

// SOURCE_DATE_EPOCH as seconds since the epoch; false when it is unset or
// not a non-negative decimal number.
bool SourceDateEpoch(std::time_t& seconds) {
  const char* value = std::getenv("SOURCE_DATE_EPOCH");
  if (value == nullptr) return false;
  const std::string_view text(value);
  unsigned long long parsed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return false;
  if (parsed > static_cast<unsigned long long>(std::numeric_limits<std::time_t>::max())) return false;
  seconds = static_cast<std::time_t>(parsed);
  return true;
}

} // namespace

Date Today() {
  std::time_t seconds = 0;
  std::tm parts{};
  const bool fixed = SourceDateEpoch(seconds);
  if (!fixed) seconds = std::time(nullptr);
  const std::tm* filled = fixed ? gmtime_r(&seconds, &parts) : localtime_r(&seconds, &parts);
  if (filled == nullptr) {
    seconds = std::time(nullptr);
    localtime_r(&seconds, &parts);
  }
  return Date{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday};
}

const std::string& TodayYmd() {
  thread_local std::string text;
  thread_local std::time_t second = -1;
  thread_local bool wasFixed = false;
  std::time_t seconds = 0;
  const bool fixed = SourceDateEpoch(seconds);
  if (!fixed) seconds = std::time(nullptr);
  if (text.empty() || seconds != second || fixed != wasFixed) {
    text = FormatDateYmd(Today());
    second = seconds;
    wasFixed = fixed;
  }
  return text;
}

} // namespace kelvo
