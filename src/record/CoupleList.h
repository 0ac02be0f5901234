#pragma once
// Pending (code, value) pairs from which a data field is built in one step.
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

class TCoupleList {
public:
  std::vector<std::string> Keys;
  std::vector<std::string> Values;

  void Add(std::string_view key, std::string_view value);
  void Clear();
  int Count() const;
  // The value when fromValues, else the key. Index outside: MarcError.
  const std::string& Get(int index, bool fromValues) const;

private:
  std::vector<std::string> spare_; // values of cleared pairs, reused for their capacity
};

} // namespace kelvo
