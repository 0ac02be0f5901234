// Loading a filter file of many lines: reading, joining and setting it as a
// record's filter. The time per line should stay the same from 20 000 to
// 2 000 000 lines.
//   ./build-release/filter_bench
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "convert/FilterFile.h"
#include "record/MarcRec.h"

namespace {

// Lines in descending order with a duplicate each: the order that costs most
// when entries are sorted one at a time.
std::string WriteFilterFile(std::int64_t lines) {
  const std::string name =
      (std::filesystem::temp_directory_path() / ("kelvo-filter-" + std::to_string(lines) + ".txt")).string();
  std::ofstream out(name, std::ios::binary);
  for (std::int64_t i = lines; i > 0; --i)
    out << (i % 900 + 100) << 'x' << i << "\r\n";
  return name;
}

void BM_LoadFilterFile(benchmark::State& state) {
  const std::string file = WriteFilterFile(state.range(0));
  kelvo::TMarcRec rec;
  for (auto _ : state) {
    rec.SetFilter(kelvo::JoinFilterLines(kelvo::LoadFilterLines(file)));
    benchmark::DoNotOptimize(rec.FilterEntries.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  std::remove(file.c_str());
}

BENCHMARK(BM_LoadFilterFile)->Arg(20000)->Arg(200000)->Arg(2000000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
