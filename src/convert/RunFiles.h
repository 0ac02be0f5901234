#pragma once
// The files of one run, what each is to the run, and the one check that no
// file the run writes is another file of the run.
#include <string>
#include <string_view>
#include <vector>

#include "convert/RecordOutcome.h"

namespace kelvo {

// What a file the run writes is: its line in the summary and its name in
// messages ("Kan inte skriva till filen för periodika ...").
struct TOutputRole {
  std::string_view Label;
  std::string_view Name;
  TDestination Destination;
};

inline constexpr TOutputRole OutputRole{"Utfil", "utfilen", TDestination::Output};
inline constexpr TOutputRole PeriodicalsRole{"Periodika", "filen f\xf6r periodika",
                                             TDestination::Periodicals};
inline constexpr TOutputRole WeededRole{"Utgallrade", "filen f\xf6r utgallrade poster", TDestination::Weeded};
inline constexpr TOutputRole MultiVolumeRole{"Flerbandsverk", "filen f\xf6r flerbandsverk",
                                             TDestination::MultiVolume};
// The summary's line for records that went nowhere.
inline constexpr std::string_view NotWrittenLabel = "Ej skrivna";

// Names in messages of the files a run reads.
inline constexpr std::string_view InputRole = "infilen";
inline constexpr std::string_view SettingsRole = "inst\xe4llningsfilen";
inline constexpr std::string_view FilterRole = "filterfilen";
inline constexpr std::string_view DataFileRole = "datafilen";

struct TRunFile {
  std::string Name; // "-": standard input when read, standard output when written
  std::string_view Role;
  int Handle = -1; // an open file is asked through its handle, else by its name
};

// Raises MarcError naming both files when a file the run writes is the same
// file on disk as another it writes or one it reads. Files are the same when
// the system gives them one device and inode (hard and symbolic links
// included), or, for a name that does not exist yet, one resolved path.
// Character devices (/dev/null, a terminal) are no clash: writing there loses
// nothing that was on disk. Empty names are not files of the run.
void CheckDistinctFiles(const std::vector<TRunFile>& writes, const std::vector<TRunFile>& reads);

} // namespace kelvo
