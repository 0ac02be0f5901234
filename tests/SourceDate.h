#pragma once
// Sets SOURCE_DATE_EPOCH for one test (a null value removes it) and puts
// back what was there, so that "today" is fixed without leaking into other tests.
#include <cstdlib>
#include <optional>
#include <string>

namespace kelvo::testing {

class ScopedSourceDate {
public:
  explicit ScopedSourceDate(const char* value) {
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
