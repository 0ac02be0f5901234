#pragma once
// Vendor records in line format for the tests of the vendor profile: heads and
// parts of multi-volume works, told apart by leader/07, 001, 260 and 887.
#include <string>
#include <string_view>
#include <vector>

namespace kelvo::testing {

// 001 of a vendor record: "DLK", a 7-digit number (the Kelvo number) and "00".
inline std::string DalkId(std::string_view number) { return "DLK" + std::string(number) + "00"; }

inline std::string DalkRecord(char level, std::string_view number, std::string_view title,
                              std::string_view extra = {}) {
  std::string text = "*00000000na";
  text += level;
  text += "  2200000   4500\r\n";
  if (!number.empty()) text += "*001" + DalkId(number) + "\r\n";
  if (!title.empty()) text += "*24510$a" + std::string(title) + "\r\n";
  text += extra;
  return text + "\r\n^\r\n";
}

// A head (leader/07 "e") with object type and 260 Ind1; an empty object type gives no 887.
inline std::string DalkHead(std::string_view number, std::string_view title,
                            std::string_view objectType = "KA", char ind1of260 = '0') {
  std::string extra = "*260" + std::string(1, ind1of260) + " $aStockholm\r\n";
  if (!objectType.empty()) extra += "*8870 $bx" + std::string(objectType) + "\r\n";
  return DalkRecord('e', number, title, extra);
}

// A part (leader/07 "d") whose 887 Ind1 "1" links it to the head with that number.
inline std::string DalkPart(std::string_view number, std::string_view title, std::string_view headNumber) {
  return DalkRecord('d', number, title, "*8871 $b123456789" + DalkId(headNumber).substr(3) + "\r\n");
}

inline std::string DalkPlain(std::string_view number, std::string_view title) {
  return DalkRecord('m', number, title);
}

// The $a of every 245 or 295 line, in file order.
inline std::vector<std::string> Titles(std::string_view file) {
  std::vector<std::string> titles;
  for (std::size_t pos = 0; (pos = file.find('*', pos)) != std::string_view::npos; ++pos) {
    const std::string_view tag = file.substr(pos + 1, 3);
    if (tag != "245" && tag != "295") continue;
    const std::size_t a = file.find("$a", pos);
    const std::size_t end = file.find_first_of("$\r\n", a + 2);
    titles.emplace_back(file.substr(a + 2, end - a - 2));
  }
  return titles;
}

} // namespace kelvo::testing
