#include "app/InputFormat.h"

#include <algorithm>
#include <fstream>

#include "convert/KonvSimple.h"
#include "record/Iso2709.h"
#include "record/LineFormat.h"

namespace kelvo {

namespace {

// How many pieces of text cut at separator pass the test.
template <class TTest> int CountPieces(std::string_view text, char separator, TTest test) {
  int count = 0;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find(separator, start), text.size());
    if (test(text.substr(start, end - start))) ++count;
    start = end + 1;
  }
  return count;
}

} // namespace

bool LooksLikeIso2709Text(std::string_view head) {
  const int iso = CountPieces(head, IsoRecordTerminator, [](std::string_view piece) {
    // A line end after each record is not part of the next one's leader here.
    const std::size_t start = piece.find_first_not_of("\r\n");
    return start != std::string_view::npos && ReadsAsIso2709Record(piece.substr(start));
  });
  return iso > 0 && iso > CountPieces(head, LineRecordTerminator, HasFieldLine);
}

bool LooksLikeIso2709(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  std::string head(FormatWindow, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  return LooksLikeIso2709Text(head);
}

void DetectSourceFormat(TKonvSimple& konv) {
  konv.SetSourceFormat(LooksLikeIso2709Text(konv.Reader.Peek(FormatWindow)));
}

} // namespace kelvo
