#pragma once
// ISO 2709 records built in a test from their fields.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvo::testing {

// One ISO 2709 field: tag and content (control data, or indicators and
// subfields with 0x1F before each code).
using TIsoField = std::pair<std::string, std::string>;

// An ISO 2709 record with its terminator: the leader's record length and
// base address filled in, the rest of the 24 characters as given.
inline std::string IsoRecord(std::string_view leader, const std::vector<TIsoField>& fields) {
  const auto padded = [](std::size_t n, std::size_t width) {
    const std::string digits = std::to_string(n);
    return std::string(width - digits.size(), '0') + digits;
  };
  std::string directory;
  std::string data;
  for (const auto& [tag, content] : fields) {
    directory += tag + padded(content.size() + 1, 4) + padded(data.size(), 5);
    (data += content) += '\x1e';
  }
  directory += '\x1e';
  const std::size_t base = 24 + directory.size();
  return padded(base + data.size() + 1, 5) + std::string(leader.substr(5, 7)) + padded(base, 5) +
         std::string(leader.substr(17, 7)) + directory + data + '\x1d';
}

} // namespace kelvo::testing
