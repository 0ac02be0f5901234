// Parsing and rendering of the line format over the real ISO 2709 files:
// every record is decoded once to make the input, then ParseText and
// AsText are timed separately. The "Scaled" runs repeat the fields of one
// record 1, 10 and 100 times to show that both stay linear in record size.
//   ./build-release/record_bench
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "record/Iso2709.h"
#include "record/MarcRec.h"
#include <memory>

namespace {

// Line-format texts of every record of the real files (decoded once).
const std::vector<std::string>& RealTexts() {
  static const std::vector<std::string> texts = [] {
    std::vector<std::string> out;
    const std::filesystem::path root = std::filesystem::path(KELVO_SHARED_DATA) / "marc21";
    if (!std::filesystem::exists(root)) return out;
    kelvo::TIso2709 iso;
    kelvo::TMarcRec rec;
    rec.ApplyFilter = false;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
      const std::string ext = entry.path().extension().string();
      if (!entry.is_regular_file() || (ext != ".mrc" && ext != ".dat" && ext != ".marc")) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      std::size_t start = 0;
      while (start < bytes.size()) {
        std::size_t end = bytes.find('\x1d', start);
        if (end == std::string::npos) end = bytes.size();
        if (end > start) {
          kelvo::BuildRecordFromIso(iso, std::string_view(bytes).substr(start, end - start), rec);
          out.push_back(rec.AsText());
        }
        start = end + 1;
      }
    }
    return out;
  }();
  return texts;
}

std::int64_t TotalBytes(const std::vector<std::string>& texts) {
  std::int64_t n = 0;
  for (const auto& t : texts) n += static_cast<std::int64_t>(t.size());
  return n;
}

void BM_ParseText(benchmark::State& state) {
  const auto& texts = RealTexts();
  if (texts.empty()) return state.SkipWithError("../shared/data/marc21 saknas");
  kelvo::TMarcRec rec;
  for (auto _ : state)
    for (const auto& t : texts) {
      rec.ParseText(t);
      benchmark::DoNotOptimize(rec.Fields.data());
    }
  state.SetBytesProcessed(state.iterations() * TotalBytes(texts));
}
BENCHMARK(BM_ParseText)->Unit(benchmark::kMillisecond);

void BM_AsText(benchmark::State& state) {
  const auto& texts = RealTexts();
  if (texts.empty()) return state.SkipWithError("../shared/data/marc21 saknas");
  std::vector<std::unique_ptr<kelvo::TMarcRec>> recs;
  for (const auto& t : texts) {
    recs.push_back(std::make_unique<kelvo::TMarcRec>());
    recs.back()->ApplyFilter = false;
    recs.back()->ParseText(t);
  }
  std::string out;
  for (auto _ : state)
    for (auto& r : recs) {
      out.clear();
      r->AppendText(out);
      benchmark::DoNotOptimize(out.data());
    }
  state.SetBytesProcessed(state.iterations() * TotalBytes(texts));
}
BENCHMARK(BM_AsText)->Unit(benchmark::kMillisecond);

// One record whose fields are repeated state.range(0) times.
void BM_ScaledParseAndRender(benchmark::State& state) {
  std::string text = "*00000000nam  2200000 a 4500\r\n";
  for (int i = 0; i < state.range(0) * 20; ++i)
    text += "*650 7$aF\xe5glar i norr$xhistoria$2sao\r\n*24510$aTitel$bundertitel$cav N.N.\r\n";
  kelvo::TMarcRec rec;
  rec.ApplyFilter = false;
  std::string out;
  for (auto _ : state) {
    rec.ParseText(text);
    out.clear();
    rec.AppendText(out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ScaledParseAndRender)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
