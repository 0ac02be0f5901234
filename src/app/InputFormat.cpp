#include "app/InputFormat.h"

#include <array>
#include <fstream>

namespace kelvo {

namespace {

constexpr char FieldTerminator = '\x1e';
constexpr char RecordTerminator = '\x1d';
constexpr std::size_t LengthDigits = 5;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

bool LooksLikeIso2709(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  std::array<char, 65536> block;
  std::size_t seen = 0;
  while (in) {
    in.read(block.data(), block.size());
    const auto got = static_cast<std::size_t>(in.gcount());
    for (std::size_t i = 0; i < got; ++i, ++seen) {
      const char c = block[i];
      if (seen < LengthDigits) {
        if (!IsDigit(c)) return false;
      } else if (c == FieldTerminator) {
        return true;
      } else if (c == RecordTerminator) {
        return false;
      }
    }
  }
  return false;
}

} // namespace kelvo
