#pragma once
// The conversion profiles in one table: the window's title and menus, the
// command line's help and checks, the start-up checks and the run all read
// it, so a new profile is one row here and its run wiring.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

struct TMainState;
class TRunFrame;
struct TProfileInfo;
enum class TRunOutcome;

// What a profile's run takes besides the options every run has.
struct TProfileOptions {
  bool SideFiles = false; // periodicals and weeded records to side files
  bool Charset = false;   // the character set of the input ("teckenuppsattning")
  bool MarcXml = false;   // MARCXML input
  // The multi-volume file, the data files "LokalAnpassTrux.xml" and
  // "mediekoder.txt", and the five menu items of these switches.
  bool MultiVolume = false;
};

// Creates the profile's converters and runs them inside the frame; errors
// propagate to RunProfile.
using TProfileRun = TRunOutcome (*)(const TMainState& state, const TProfileInfo& profile, TRunFrame& frame);

struct TProfileInfo {
  int Number;
  std::string_view Title;      // in the window title
  std::string_view Label;      // ConversionLabel of the converter
  std::string_view FilterFile; // in the data folder
  TProfileOptions Options;
  TProfileRun Run;
};

// Every profile, by number.
std::span<const TProfileInfo> Profiles();
// The profile with that number, or none.
const TProfileInfo* ProfileInfo(int profile);
// The numbers of the profiles that have the option (all without one), as
// Swedish text: "0, 1 eller 2", or with lastJoin "och": "0 och 1".
std::string ProfileNumbersText(bool TProfileOptions::*option = nullptr, std::string_view lastJoin = "eller");
// "profil N finns inte", for every place that refuses an unknown number.
std::string UnknownProfileText(int profile);

} // namespace kelvo
