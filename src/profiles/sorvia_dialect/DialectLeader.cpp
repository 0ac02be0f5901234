// The output leader and 008: the dialect keeps a few leader positions with
// codes of its own and recodes several 008 positions by kind of material.
// Positions are counted from 0, as in MARC.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "profiles/sorvia_dialect/DialectRules.h"
#include "record/vostr.h"

namespace kelvo::sorvia_dialect {

namespace {

constexpr TCodeRow RecordTypes[] = {{'m', 'l'}, {'p', 'o'}, {'r', 'n'}, {'t', 'b'}}; // leader/06
constexpr TCodeRow SerialLevels[] = {{'m', 'f'}, {'n', 'g'}, {'p', 'g'}};            // by 008/21
constexpr TCodeRow EncodingLevels[] = {{' ', 'm'}, {'3', 'n'}, {'4', 'n'},
                                       {'5', 'n'}, {'7', 'b'}, {'8', 'c'}};
constexpr TCodeRow DateTypes[] = {{'c', 'x'}, {'d', 'o'}, {'u', 'n'}, {'i', 'i'},
                                  {'m', 'm'}, {'r', 'r'}, {'s', 's'}};
constexpr TCodeRow Audiences[] = {{' ', 'a'}, {'c', 'j'}, {'j', 'j'}};
constexpr TCodeRow GovernmentPublications[] = {{' ', 'a'}, {'o', 'o'}};
constexpr TCodeRow LiteraryForms[] = {{'0', '0'}, {'1', '1'}, {'c', '1'}, {'d', '1'}, {'e', '1'}, {'f', '1'},
                                      {'h', '1'}, {'i', '1'}, {'j', '1'}, {'m', '1'}, {'p', '1'}, {'s', '1'}};
constexpr TCodeRow Biographies[] = {{' ', '0'}, {'a', '1'}, {'b', '1'}, {'c', '1'}};
constexpr TCodeRow ContinuingResources[] = {{' ', 'z'}, {'m', 'm'}, {'n', 'n'}, {'p', 'p'}};

struct TFrequencyCode {
  std::string_view Source; // 008/18-19
  char Result;
};

constexpr std::array<TFrequencyCode, 19> FrequencyCodes{{
    {"  ", ' '}, {" x", 'k'}, {"ar", 'a'}, {"br", 'b'}, {"cr", 'c'}, {"dr", 'd'}, {"er", 'e'},
    {"fr", 'f'}, {"gr", 'g'}, {"hr", 'h'}, {"ir", 'i'}, {"jr", 'j'}, {"mr", 'm'}, {"qr", 'q'},
    {"sr", 's'}, {"tr", 't'}, {"wr", 'w'}, {"zr", 'z'}, {"uu", 'u'},
}};

char Frequency(std::string_view source008) {
  const std::string_view key = source008.substr(18, 2);
  for (const TFrequencyCode& row : FrequencyCodes)
    if (row.Source == key) return row.Result;
  return ' ';
}

bool IsOneOf(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }

// The data of the first field with the tag, padded with blanks to length.
std::string PaddedData(const TTagIndex& source, std::string_view tag, std::size_t length) {
  const TMarcField* field = source.First(tag);
  std::string data = field != nullptr ? field->Data : std::string();
  if (data.size() < length) data.resize(length, ' ');
  return data;
}

} // namespace

void ConvertLeader(TDialectContext& ctx) {
  const std::string leader = PaddedData(ctx.Tags, "000", 24);
  const char l6 = leader[6];
  const char l7 = leader[7];
  std::string out(24, ' ');
  out[1] = Recode(RecordTypes, l6, l6);
  if (l7 == 'a') {
    out[3] = 'c';
  } else if (l7 == 'm') {
    out[3] = 'a';
  } else if (l7 == 's') {
    const TMarcField* f008 = ctx.Tags.First("008");
    const char kind = f008 != nullptr && f008->Data.size() > 21 ? f008->Data[21] : ' ';
    out[3] = Recode(SerialLevels, kind, ' ');
  }
  out[16] = Recode(EncodingLevels, leader[17], leader[17]);
  ctx.Out.AddControlField("000", out);
}

void Convert008(TDialectContext& ctx) {
  const std::string leader = PaddedData(ctx.Tags, "000", 24);
  const std::string src = PaddedData(ctx.Tags, "008", 40);
  const char l6 = leader[6];
  const char l7 = leader[7];
  const bool book = l6 == 'a' && l7 == 'm';
  const bool serial = l6 == 'a' && l7 == 's';
  const bool textMonoOrSerial = l6 == 'a' && (l7 == 'm' || l7 == 's');
  std::string out(40, ' ');
  auto copy = [&](std::size_t from, std::size_t count) { out.replace(from, count, src, from, count); };
  auto recodeAt = [&](std::size_t pos, std::span<const TCodeRow> table) {
    out[pos] = Recode(table, src[pos], out[pos]);
  };

  copy(0, 6);
  out[6] = Recode(DateTypes, src[6], ' ');
  copy(7, 11);
  if (serial)
    out[18] = Frequency(src);
  else if (l6 == 'g' || l6 == 'k')
    copy(18, 2);
  if (IsOneOf(l6, "acdgijk") && !serial) out[22] = Recode(Audiences, src[22], ' ');
  if (textMonoOrSerial) copy(24, 4);
  if (book || serial || IsOneOf(l6, "efgkm")) recodeAt(28, GovernmentPublications);
  if (textMonoOrSerial) copy(29, 1);
  if (book) copy(30, 1);
  if (book || l6 == 'e' || l6 == 'f') copy(31, 1);
  if (book) recodeAt(33, LiteraryForms);
  if (serial) out[38] = src[33];
  if (book) copy(34, 1);
  copy(35, 3);
  if (l6 == 'a' || l7 == 'm') {
    recodeAt(28, GovernmentPublications);
    copy(29, 3);
    recodeAt(33, LiteraryForms);
    recodeAt(34, Biographies);
  }
  if (serial) {
    out[18] = Frequency(src);
    out[21] = Recode(ContinuingResources, src[21], ' ');
    copy(24, 4);
    out[38] = src[33];
  }
  ctx.Out.AddControlField("008", Trim(out));
}

} // namespace kelvo::sorvia_dialect
