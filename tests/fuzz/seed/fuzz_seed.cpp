// Seeds the two fuzz corpora from ISO 2709 files: every record text of the
// files into ISO_DIR, and its line-format rendering into LINE_DIR.
//   fuzz_seed ISO_DIR LINE_DIR FILE...
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

#include "record/Iso2709.h"
#include "record/MarcRec.h"

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "Anrop: fuzz_seed ISO_KATALOG RAD_KATALOG FIL...\n";
    return 2;
  }
  const fs::path isoDir = argv[1], lineDir = argv[2];
  fs::create_directories(isoDir);
  fs::create_directories(lineDir);
  kelvo::TIso2709 reader;
  kelvo::TMarcRec rec;
  rec.ApplyFilter = false;
  long seeds = 0;
  for (int a = 3; a < argc; ++a) {
    std::ifstream in(argv[a], std::ios::binary);
    if (!in) {
      std::cerr << "Filen " << argv[a] << " kunde inte laddas\n";
      return 1;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::string stem =
        fs::path(argv[a]).parent_path().filename().string() + "_" + fs::path(argv[a]).stem().string();
    std::size_t begin = 0;
    for (int n = 0; begin < bytes.size(); ++n) {
      const std::size_t end = std::min(bytes.find('\x1d', begin), bytes.size());
      const std::string_view text = std::string_view(bytes).substr(begin, end - begin);
      begin = end + 1;
      if (text.empty()) continue;
      const std::string name = stem + "-" + std::to_string(n);
      WriteFile(isoDir / name, text);
      kelvo::BuildRecordFromIso(reader, text, rec);
      WriteFile(lineDir / name, rec.AsText());
      ++seeds;
    }
  }
  std::cout << seeds << " poster skrivna till korpusarna\n";
  return 0;
}
