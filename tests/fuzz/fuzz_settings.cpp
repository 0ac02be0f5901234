// libFuzzer target: the settings-file reader on any text. Every lookup ends;
// a key written reads back as written, and the other keys keep their values.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/IniFile.h"

namespace {

struct TKey {
  std::string_view Section, Key;
};

constexpr TKey Keys[] = {{"filer", "infil"}, {"diverse", "profil"}, {"kv2m21spec", "voyageridkeep"}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::optional<std::string> before[std::size(Keys)];
  for (std::size_t i = 0; i < std::size(Keys); ++i)
    before[i] = kelvo::FindIniValue(text, Keys[i].Section, Keys[i].Key);

  const std::string written = kelvo::SetIniValue(std::string(text), "diverse", "profil", "7");
  if (kelvo::FindIniValue(written, "diverse", "profil") != "7") __builtin_trap();
  for (std::size_t i = 0; i < std::size(Keys); ++i)
    if (Keys[i].Key != "profil" && kelvo::FindIniValue(written, Keys[i].Section, Keys[i].Key) != before[i])
      __builtin_trap();
  return 0;
}
