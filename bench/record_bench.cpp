// Throughput of the record model: building the records of the shared MARC21
// files from ISO 2709, copying them field by field, parsing and rendering
// their line format, and the same for one record grown 10 and 100 times (the
// time per byte should stay the same).
//   ./build-release/record_bench
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "record/Iso2709.h"
#include "record/LineFormat.h"
#include "record/MarcRec.h"

namespace {

using kelvo::TMarcRec;

struct Corpus {
  std::vector<std::string> isoTexts; // one ISO 2709 text per record
  std::vector<std::string> texts;    // its line-format text
  std::int64_t isoBytes = 0;
  std::int64_t bytes = 0;
};

// An ISO 2709 file begins with five digits and holds a field terminator
// before its first record terminator.
bool IsIso2709(std::string_view content) {
  if (content.size() < 5 ||
      !std::all_of(content.begin(), content.begin() + 5, [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  const std::size_t field = content.find('\x1e');
  return field != std::string_view::npos && field < content.find('\x1d');
}

// Every record of every ISO 2709 file below the shared MARC21 folder, rendered
// to line format once.
const Corpus& SharedRecords() {
  static const Corpus corpus = [] {
    Corpus result;
    const std::filesystem::path folder = KELVO_SHARED_DATA "/marc21";
    if (!std::filesystem::is_directory(folder)) return result;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
      if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    kelvo::TIso2709 reader;
    TMarcRec rec;
    for (const auto& file : files) {
      std::ifstream in(file, std::ios::binary);
      const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      if (!IsIso2709(content)) continue;
      std::string_view rest = content;
      while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\x1d'), rest.size());
        if (end > 0) {
          result.isoTexts.emplace_back(rest.substr(0, end));
          result.isoBytes += static_cast<std::int64_t>(end);
          kelvo::BuildRecordFromIso(reader, rest.substr(0, end), rec);
          result.texts.push_back(rec.AsText());
          result.bytes += static_cast<std::int64_t>(result.texts.back().size());
        }
        rest.remove_prefix(std::min(end + 1, rest.size()));
      }
    }
    return result;
  }();
  return corpus;
}

void Report(benchmark::State& state, std::int64_t records, std::int64_t bytes) {
  state.SetItemsProcessed(records * static_cast<std::int64_t>(state.iterations()));
  state.SetBytesProcessed(bytes * static_cast<std::int64_t>(state.iterations()));
}

bool HaveShared(benchmark::State& state) {
  if (!SharedRecords().texts.empty()) return true;
  state.SkipWithError("Inga ISO 2709-filer i " KELVO_SHARED_DATA "/marc21");
  return false;
}

void BM_BuildFromIso(benchmark::State& state) {
  if (!HaveShared(state)) return;
  const Corpus& corpus = SharedRecords();
  kelvo::TIso2709 reader;
  TMarcRec rec;
  for (auto _ : state)
    for (const auto& text : corpus.isoTexts) {
      kelvo::BuildRecordFromIso(reader, text, rec);
      benchmark::DoNotOptimize(rec.Fields.data());
    }
  Report(state, static_cast<std::int64_t>(corpus.isoTexts.size()), corpus.isoBytes);
}
BENCHMARK(BM_BuildFromIso);

void BM_ParseText(benchmark::State& state) {
  if (!HaveShared(state)) return;
  const Corpus& corpus = SharedRecords();
  TMarcRec rec;
  for (auto _ : state)
    for (const auto& text : corpus.texts) {
      rec.ParseText(text);
      benchmark::DoNotOptimize(rec.Fields.data());
    }
  Report(state, static_cast<std::int64_t>(corpus.texts.size()), corpus.bytes);
  state.counters["records"] = static_cast<double>(corpus.texts.size());
  state.counters["text_bytes"] = static_cast<double>(corpus.bytes);
}
BENCHMARK(BM_ParseText);

// The records of the corpus, parsed once.
std::vector<std::unique_ptr<TMarcRec>> ParseAll(const std::vector<std::string>& texts) {
  std::vector<std::unique_ptr<TMarcRec>> records;
  records.reserve(texts.size());
  for (const auto& text : texts) {
    records.push_back(std::make_unique<TMarcRec>());
    records.back()->ParseText(text);
  }
  return records;
}

void BM_AsText(benchmark::State& state) {
  if (!HaveShared(state)) return;
  const Corpus& corpus = SharedRecords();
  const auto records = ParseAll(corpus.texts);
  for (auto _ : state)
    for (const auto& rec : records)
      benchmark::DoNotOptimize(rec->AsText());
  Report(state, static_cast<std::int64_t>(records.size()), corpus.bytes);
}
BENCHMARK(BM_AsText);

// The writer's path: rendering into one reused buffer.
void BM_AppendText(benchmark::State& state) {
  if (!HaveShared(state)) return;
  const Corpus& corpus = SharedRecords();
  const auto records = ParseAll(corpus.texts);
  std::string buffer;
  for (auto _ : state)
    for (const auto& rec : records) {
      buffer.clear();
      rec->AppendText(buffer);
      benchmark::DoNotOptimize(buffer.data());
    }
  Report(state, static_cast<std::int64_t>(records.size()), corpus.bytes);
}
BENCHMARK(BM_AppendText);

// A converter's copy of every field of the source record into its output record.
void BM_CopyFields(benchmark::State& state) {
  if (!HaveShared(state)) return;
  const Corpus& corpus = SharedRecords();
  const auto records = ParseAll(corpus.texts);
  TMarcRec out;
  for (auto _ : state)
    for (const auto& rec : records) {
      out.Clear();
      for (const auto& field : rec->Fields)
        out.CopyField(*field);
      benchmark::DoNotOptimize(out.Fields.data());
    }
  Report(state, static_cast<std::int64_t>(records.size()), corpus.bytes);
}
BENCHMARK(BM_CopyFields);

// A book record of about 1.3 KB whose repeatable fields come `scale` times
// (all lines distinct, so duplicate-line removal keeps them).
std::string ScaledRecord(int scale) {
  std::string text =
      "*00000000cam  2200000 a 4500\r\n*001LIBR10000001\r\n*008040315s2004    sw            001 1 swe d\r\n"
      "*020  $a91-7263-104-8$cinb.\r\n*1001 $aLindqvist, M\xe4rta,$d1951-\r\n"
      "*24510$aH\xf6stens f\xe5glar :$broman /$cM\xe4rta Lindqvist\r\n"
      "*260  $aStockholm :$bNorrsken,$c2004\r\n*300  $a312 s. ;$c22 cm\r\n";
  for (int i = 0; i < scale; ++i) {
    const std::string n = std::to_string(i);
    text += "*500  $aAnm\xe4rkning nummer " + n + " om utgivningen och dess f\xf6reg\xe5ngare\r\n";
    text += "*650 7$aF\xe5glar " + n + "$zNorden$vsk\xf6nlitteratur$2sao\r\n";
    text += "*650 7$aH\xf6st " + n + "$xnaturskildringar$2sao\r\n";
    text += "*7001 $a\xd6"
            "berg, \xc5ke " +
            n + ",$eill.\r\n";
    text += "*852  $bG\xf6t$hHc$jHc Lindqvist " + n + "$xex. " + n + "\r\n";
  }
  return text;
}

// Runs step on the record text of the given scale, with the record parsed
// from it and a reused output buffer.
template <class Step> void RunScaled(benchmark::State& state, Step step) {
  const std::string text = ScaledRecord(static_cast<int>(state.range(0)));
  TMarcRec rec;
  rec.ParseText(text);
  std::string buffer;
  for (auto _ : state) {
    buffer.clear();
    step(text, rec, buffer);
    benchmark::DoNotOptimize(buffer.data());
    benchmark::DoNotOptimize(rec.Fields.data());
  }
  Report(state, 1, static_cast<std::int64_t>(text.size()));
}

void BM_ScaledParseText(benchmark::State& state) {
  RunScaled(state, [](const std::string& text, TMarcRec& rec, std::string&) { rec.ParseText(text); });
}
void BM_ScaledAppendText(benchmark::State& state) {
  RunScaled(state, [](const std::string&, TMarcRec& rec, std::string& out) { rec.AppendText(out); });
}
void BM_ScaledDuplicateLines(benchmark::State& state) {
  RunScaled(state, [](const std::string& text, TMarcRec&, std::string& out) {
    kelvo::AppendWithoutDuplicateLines(out, text);
  });
}
void BM_ScaledSubfieldLines(benchmark::State& state) {
  RunScaled(state, [](const std::string& text, TMarcRec&, std::string& out) {
    kelvo::AppendSubfieldLines(out, text);
  });
}

BENCHMARK(BM_ScaledParseText)->Arg(3)->Arg(30)->Arg(300);
BENCHMARK(BM_ScaledAppendText)->Arg(3)->Arg(30)->Arg(300);
BENCHMARK(BM_ScaledDuplicateLines)->Arg(3)->Arg(30)->Arg(300);
BENCHMARK(BM_ScaledSubfieldLines)->Arg(3)->Arg(30)->Arg(300);

} // namespace

BENCHMARK_MAIN();
