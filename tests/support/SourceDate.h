#pragma once
// Sets SOURCE_DATE_EPOCH for one test (a null value removes it) and puts
// back what was there, so that "today" is fixed without leaking into other tests.
#include <cstdlib>
#include <optional>
#include <string>

namespace kelvo::testing {

// 2023-11-14 in UTC: the date stamp most tests fix.
inline constexpr const char* kStampEpoch = "1700000000";
inline constexpr const char* kStampDate = "2023-11-14";

class ScopedSourceDate {
public:
  explicit ScopedSourceDate(const char* value = kStampEpoch) {
    if (const char* old = std::getenv("SOURCE_DATE_EPOCH")) old_ = old;
    Set(value);
  }
  ~ScopedSourceDate() { Set(old_ ? old_->c_str() : nullptr); }
  ScopedSourceDate(const ScopedSourceDate&) = delete;
  ScopedSourceDate& operator=(const ScopedSourceDate&) = delete;

private:
  static void Set(const char* value) {
    if (value)
      setenv("SOURCE_DATE_EPOCH", value, 1);
    else
      unsetenv("SOURCE_DATE_EPOCH");
  }
  std::optional<std::string> old_;
};

} // namespace kelvo::testing
