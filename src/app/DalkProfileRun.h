#pragma once
// The run of profile 2 inside the shell's run frame: one conversion pass, or
// a collect pass over the input followed by a conversion pass that writes
// only the heads of improper multi-volume works.
#include <string>

namespace kelvo {

class TRunFrame;
struct TMainState;
struct TProfileInfo;
enum class TRunOutcome;

inline constexpr const char* CollectStatusText = "Samlar in Truxnr till oegentliga flerbandsdelar...";

// RunDalkCollectAndConvert when "TRUX - endast oegentliga flerbandsdelar" is
// on, else RunDalkConvert. Errors (files, the local adaptation) raise MarcError.
TRunOutcome RunDalkProfile(const TMainState& state, const TProfileInfo& profile, TRunFrame& frame);
// The file of proper multi-volume works: the one the state names, else
// "flerband.txt" beside the output file. An output that is no regular file
// (standard output, a device) has no folder for it: then one must be named,
// or MarcError refuses the run.
std::string MultiVolumeFileFor(const TMainState& state);
// The data files the run reads from the data folder.
struct TDalkDataFiles {
  std::string LocalAdaptation; // "LokalAnpassTrux.xml"
  std::string MediaCodes;      // "mediekoder.txt"
};
TDalkDataFiles DalkDataFiles(const TMainState& state);
void RunDalkConvert(TRunFrame& frame, const TMainState& state, const TProfileInfo& profile);
void RunDalkCollectAndConvert(TRunFrame& frame, const TMainState& state, const TProfileInfo& profile);

} // namespace kelvo
