#pragma once
// The run of profile 2 inside the shell's run frame: one conversion pass, or
// a collect pass over the input followed by a conversion pass that writes
// only the heads of improper multi-volume works.
namespace kelvo {

class TRunFrame;
struct TMainState;

inline constexpr const char *CollectStatusText = "Samlar in Truxnr till oegentliga flerbandsdelar...";

// RunDalkCollectAndConvert when "TRUX - endast oegentliga flerbandsdelar" is
// on, else RunDalkConvert. Errors (files, the local adaptation) raise MarcError.
void RunDalkProfile(TRunFrame &frame, const TMainState &state);
void RunDalkConvert(TRunFrame &frame, const TMainState &state);
void RunDalkCollectAndConvert(TRunFrame &frame, const TMainState &state);

} // namespace kelvo
