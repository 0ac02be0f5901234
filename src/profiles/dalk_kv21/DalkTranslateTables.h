#pragma once
// The two tables of the vendor character translation, row for row as the
// vendor's character set is documented. Byte values are code page 1252.
#include <array>
#include <string_view>

namespace kelvo::detail {

// The vendor's 7-bit national characters. The rows are applied in this order,
// so the "[" and "]" made from "<" and ">" stay brackets.
struct TNationalCharRow {
  char From;
  char To;
};

inline constexpr std::array<TNationalCharRow, 8> NationalCharRows{{
    {']', '\xc5'},  // 1  A ring
    {'[', '\xc4'},  // 2  A diaeresis
    {'\\', '\xd6'}, // 3  O diaeresis
    {'}', '\xe5'},  // 4  a ring
    {'{', '\xe4'},  // 5  a diaeresis
    {'|', '\xf6'},  // 6  o diaeresis
    {'<', '['},     // 7
    {'>', ']'},     // 8
}};

// A marker (the vendor's "$" inside a value) followed by After becomes
// Replacement. Each row is applied to the whole text before the next row.
struct TMarkedSequenceRow {
  std::string_view After;
  std::string_view Replacement;
};

inline constexpr std::array<TMarkedSequenceRow, 110> MarkedSequenceRows{{
    {"\xd6", "\xd8"},    // 1
    {"\xf6", "\xf8"},    // 2
    {"\xc4", "\xc6"},    // 3
    {"\xe4", "\xe6"},    // 4
    {"O", "\x8c"},       // 5
    {"o", "\x9c"},       // 6
    {"Q", "O"},          // 7
    {"q", "o"},          // 8
    {"V", "U"},          // 9
    {"v", "u"},          // 10
    {"i", "i"},          // 11
    {"$I", "I"},         // 12
    {"L", "L"},          // 13
    {"l", "l"},          // 14
    {"P", "\xde"},       // 15
    {"p", "\xfe"},       // 16
    {"D", "\xd0"},       // 17
    {"j", "\xf0"},       // 18
    {"d", "d"},          // 19
    {"K", "K"},          // 20
    {"n", "n"},          // 21
    {"b", "b"},          // 22
    {"J", "\xa3"},       // 23
    {"S", ""},           // 24
    {"k", "#"},          // 25
    {">", ">"},          // 26
    {"<", "<"},          // 27
    {"0", "\xb1"},       // 28
    {"t", ""},           // 29
    {"z", "\xa7"},       // 30
    {"T", "\xba"},       // 31
    {"+a", "\xe0"},      // 32
    {"+A", "\xc0"},      // 33
    {"+e", "\xe8"},      // 34
    {"+E", "\xc8"},      // 35
    {"+i", "\xec"},      // 36
    {"+I", "\xcc"},      // 37
    {"+o", "\xf2"},      // 38
    {"+O", "\xd2"},      // 39
    {"+U", "\xd9"},      // 40
    {"+u", "\xf9"},      // 41
    {"/a", "\xe1"},      // 42
    {"/A", "\xc1"},      // 43
    {"/e", "\xe9"},      // 44
    {"/E", "\xc9"},      // 45
    {"/i", "\xed"},      // 46
    {"/I", "\xcd"},      // 47
    {"/o", "\xf3"},      // 48
    {"/O", "\xd3"},      // 49
    {"/u", "\xfa"},      // 50
    {"/U", "\xda"},      // 51
    {"/y", "\xfd"},      // 52
    {"/Y", "\xdd"},      // 53
    {"/c", "c"},         // 54
    {"Ca", "\xe2"},      // 55
    {"CA", "\xc2"},      // 56
    {"Ce", "\xea"},      // 57
    {"CE", "\xca"},      // 58
    {"Ci", "\xee"},      // 59
    {"CI", "\xce"},      // 60
    {"Co", "\xf4"},      // 61
    {"CO", "\xd4"},      // 62
    {"Cu", "\xfb"},      // 63
    {"CU", "\xdb"},      // 64
    {"\x01", ""},        // 65 a second marker
    {"%", ""},           // 66
    {"&a", "\xe3"},      // 67
    {"&A", "\xc3"},      // 68
    {"&n", "\xf1"},      // 69
    {"&N", "\xd1"},      // 70
    {"&o", "\xf5"},      // 71
    {"&O", "\xd5"},      // 72
    {";", ""},           // 73
    {":e", "\xeb"},      // 74
    {":E", "\xcb"},      // 75
    {":i", "\xef"},      // 76
    {":I", "\xcf"},      // 77
    {":u", "\xfc"},      // 78
    {":U", "\xdc"},      // 79
    {":y", "\xff"},      // 80
    {":Y", "\x9f"},      // 81
    {"\"", ""},          // 82
    {"\xc5", ""},        // 83
    {"=", ""},           // 84
    {")", ""},           // 85
    {"!", "\xa1"},       // 86
    {"1", "\xa1"},       // 87
    {"3", ""},           // 88
    {"4", ""},           // 89
    {"*", ""},           // 90
    {"7c", "\xe7"},      // 91
    {"7C", "\xc7"},      // 92
    {"8", ""},           // 93
    {",", ""},           // 94
    {"5", ""},           // 95
    {"6", ""},           // 96
    {"\xe5", ""},        // 97
    {"7s", "s"},         // 98
    {"7S", "S"},         // 99
    {"/s", "s"},         // 100
    {"/S", "S"},         // 101
    {":r", "r"},         // 102
    {"/n", "n"},         // 103
    {"\xe2", "a"},       // 104
    {"n", "n"},          // 105
    {"v", "Sv"},         // 106
    {"\xa7", "z"},       // 107
    {"\xea", "Ce"},      // 108
    {"m\xed", "Sm\xed"}, // 109
    {".", ""},           // 110
}};

} // namespace kelvo::detail
