// Throughput of the input splitter and of the regular-expression object.
//   ./build/vblrec_bench
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "record/Vblrec.h"
#include "record/VoRegExpr.h"

namespace {

// A line-format file of `records` records of about `recordSize` bytes each.
std::string MakeInput(int records, int recordSize) {
  const std::string file =
      (std::filesystem::temp_directory_path() /
       ("kelvo-bench-" + std::to_string(records) + "-" + std::to_string(recordSize) + ".mrc"))
          .string();
  std::ofstream out(file, std::ios::binary);
  const std::string body = "*245 10$aG\xf6teborg " + std::string(static_cast<std::size_t>(recordSize), 'x');
  for (int i = 0; i < records; ++i)
    out << "*001 " << i << "\r\n" << body << "\r\n^\r\n";
  return file;
}

void BM_VblRecReadAll(benchmark::State& state) {
  const std::string file = MakeInput(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const auto fileSize = static_cast<std::int64_t>(std::filesystem::file_size(file));
  std::int64_t records = 0;
  std::string work;
  for (auto _ : state) {
    kelvo::TVblRec reader('^');
    reader.Open(file);
    bool last = false;
    while (!last) {
      last = reader.ReadRecord(work);
      ++records;
    }
  }
  state.SetItemsProcessed(records);
  state.SetBytesProcessed(fileSize * static_cast<std::int64_t>(state.iterations()));
  std::filesystem::remove(file);
}
// Many small records (up to 5000 a chunk) and records of several chunks each.
BENCHMARK(BM_VblRecReadAll)->Args({200000, 10})->Args({20000, 1000})->Args({20, 500000})->UseRealTime();

void BM_VoRegExprAlternating(benchmark::State& state) {
  kelvo::TVoRegExpr re;
  const std::string subfield = "G\xf6teborgs universitetsbibliotek, 1998.";
  for (auto _ : state) {
    re.SetExpression("\\w+");
    benchmark::DoNotOptimize(re.Exec(subfield));
    re.SetExpression("[.,]$");
    benchmark::DoNotOptimize(re.Exec(subfield));
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_VoRegExprAlternating);

} // namespace

BENCHMARK_MAIN();
