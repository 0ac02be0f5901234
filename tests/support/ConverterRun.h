#pragma once
// A profile's converter over files in a test's own folder: the input written
// there as "in.mrc", the output "out.mrc" and the side files "periodika.mrc"
// and "utgallrade.mrc" beside it.
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "convert/KonvBase.h"
#include "support/TempDir.h"

namespace kelvo::testing {

struct TConverterSetup {
  bool Periodicals = false;
  bool Weeded = false;
  bool Iso = false; // ISO 2709 input; line format (records ended by "^") otherwise
  std::vector<std::string> Filter = {};
};

template <class TKonv> class TConverterRun {
public:
  explicit TConverterRun(std::string_view input = {}, TConverterSetup setup = {}) : Setup(std::move(setup)) {
    Open(input);
  }

  // A new converter over the input with the setup as it is now; the one
  // before is closed first and its files are replaced.
  TKonv& Open(std::string_view input) {
    Kv.reset();
    const std::string in = Dir.Write("in.mrc", input);
    Kv = std::make_unique<TKonv>(Dir.File("out.mrc"), in, Setup.Iso ? "\x1d" : "^", Setup.Filter, Setup.Iso,
                                 Setup.Periodicals, Dir.File("periodika.mrc"), Setup.Weeded,
                                 Dir.File("utgallrade.mrc"));
    return *Kv;
  }

  // Converts every record, closes the files, keeps the counts and returns the main output.
  std::string RunToEnd() {
    while (!Kv->EndOfInput)
      Kv->ConvertNext();
    Kv->CloseOutput();
    Counts = Kv->RunCounts();
    return Side("out.mrc");
  }

  // The source record set from line-format text, the output record emptied.
  TKonv& WithSource(std::string_view recordText) {
    Kv->SourceRecord.ParseText(recordText);
    Kv->OutRecord.Clear();
    return *Kv;
  }

  // What a side file (or any file of the folder) holds.
  std::string Side(std::string_view name) const { return ReadAll(Dir.File(name)); }

  TempDir Dir;
  TConverterSetup Setup; // the filter lines are borrowed by some converters: kept here
  std::unique_ptr<TKonv> Kv;
  std::vector<TRunCount> Counts;
};

} // namespace kelvo::testing
