#pragma once
// What the collect pass of the two-pass run hands to the conversion pass: for
// every improper multi-volume head its key (characters 4-10 of its 001) and
// the keys of its parts in input order.
#include <map>
#include <string>
#include <vector>

namespace kelvo::dalk_kv21 {

// Head key -> index of its entry in TPartLists.
using THeadIndex = std::map<std::string, int, std::less<>>;
// The parts' keys of one head, joined by PartKeySeparator.
using TPartLists = std::vector<std::string>;

inline constexpr char PartKeySeparator = '\x02';

} // namespace kelvo::dalk_kv21
