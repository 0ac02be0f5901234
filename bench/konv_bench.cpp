// Throughput of the conversion frame: records read, parsed, copied, cleaned
// up and written in the line format, with both output variants on.
//   ./build/konv_bench
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "convert/KonvSimple.h"

namespace {

std::filesystem::path BenchFile(const std::string& name) {
  return std::filesystem::temp_directory_path() / ("kelvo-konv-bench-" + name);
}

// A line-format file of `records` records of about 700 bytes each.
std::string MakeInput(int records) {
  const std::string file = BenchFile(std::to_string(records) + ".mrc").string();
  std::ofstream out(file, std::ios::binary);
  for (int i = 0; i < records; ++i)
    out << "*00000000nam  2200000 a 4500\r\n*001A" << i
        << "\r\n*008040305s2004    sw            000 0 swe d\r\n"
        << "*020  $a91-7-" << i << "$cinb.\r\n*1001 $aSvensson, Anna$d1950-\r\n"
        << "*24510$aF\xe5glar i norr.$bEn handbok.$cAnna Svensson.\r\n"
        << "*260  $aG\xf6teborg :$bF\xf6rlaget,$c2004.\r\n*300  $a312 s. :$bill.\r\n"
        << "*500  $aRegister.\r\n*650 7$aF\xe5glar$2sao\r\n*650 7$aF\xe5glar$2sao\r\n"
        << "*776 8$zISBN 91-7-" << i << "\r\n*852  $aBib$hQ$jA" << i << "\r\n\r\n^\r\n";
  return file;
}

void BM_KonvPassThrough(benchmark::State& state) {
  const std::string in = MakeInput(static_cast<int>(state.range(0)));
  const std::string out = BenchFile("ut.mrc").string();
  const std::vector<std::string> titleTags = {"245", "245"};
  std::int64_t records = 0;
  for (auto _ : state) {
    kelvo::TKonvSimple konv(out, in, "^");
    konv.SubfieldLines = true;
    konv.RemoveDuplicateLines = true;
    kelvo::TMarcRec source;
    while (!konv.EndOfInput) {
      konv.ConvertNext();
      konv.ParseRecordText(source, false);
      if (source.FieldCount() == 0) continue;
      for (const auto& field : source.Fields)
        konv.OutRecord.CopyField(*field);
      konv.CleanUpWithRegEx("\\w\\.$", "\\.$", titleTags, "ab");
      konv.CleanUpWithRegExRange("^ISBN {0,}", "^ISBN {0,}", "765", "787", 'z');
      konv.WriteRecord();
      ++records;
    }
  }
  state.SetItemsProcessed(records);
  state.SetBytesProcessed(static_cast<std::int64_t>(std::filesystem::file_size(in)) *
                          static_cast<std::int64_t>(state.iterations()));
  std::filesystem::remove(in);
  std::filesystem::remove(out);
}
BENCHMARK(BM_KonvPassThrough)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
