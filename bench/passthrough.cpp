// Pass-through run for bench/passthrough.sh: reads an ISO 2709 file (or, with
// --line, a line-format file of records separated by "^") and writes
// every record unchanged in line format, through the same reader, record
// model and writer as a conversion run. Prints the records written and the
// seconds spent; the script measures memory from outside. --charset NAME
// adds the character-set step (auto, utf-8, marc-8, cp1252: none).
//   passthrough [--line] [--subfield-lines] [--remove-duplicate-lines] [--charset NAME] INPUT OUTPUT
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "convert/KonvSimple.h"
#include "record/CharsetDecoder.h"
#include "record/MarcError.h"
#include "record/MarcRec.h"

int main(int argc, char** argv) {
  bool subfieldLines = false, removeDuplicates = false, lineFormat = false;
  kelvo::TCharset charset = kelvo::TCharset::Cp1252;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--line")
      lineFormat = true;
    else if (arg == "--subfield-lines")
      subfieldLines = true;
    else if (arg == "--remove-duplicate-lines")
      removeDuplicates = true;
    else if (arg == "--charset" && i + 1 < argc && kelvo::CharsetFromName(argv[i + 1]))
      charset = *kelvo::CharsetFromName(argv[++i]);
    else
      files.emplace_back(arg);
  }
  if (files.size() != 2) {
    std::fprintf(stderr, "Anrop: passthrough [--line] [--subfield-lines] [--remove-duplicate-lines] "
                         "[--charset NAMN] INFIL UTFIL\n");
    return 2;
  }
  try {
    const auto started = std::chrono::steady_clock::now();
    kelvo::TKonvSimple konv(files[1], files[0], lineFormat ? "^" : std::string(1, '\x1d'));
    konv.SubfieldLines = subfieldLines;
    konv.RemoveDuplicateLines = removeDuplicates;
    konv.SetSourceFormat(!lineFormat);
    konv.SetCharset(charset);
    kelvo::TMarcRec source;
    while (!konv.EndOfInput) {
      konv.ConvertNext();
      if (konv.RecordText.empty()) continue; // the piece after the last terminator
      konv.ParseRecordText(source, !lineFormat);
      konv.OutRecord.TakeFieldsOf(source);
      konv.WriteRecord();
    }
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - started;
    std::printf("%lld %.3f\n", static_cast<long long>(konv.WrittenRecords), spent.count());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
