#pragma once
// File-system questions of the shell: existence of files and folders, the
// folder and name parts of a path, and the program file's own path. Paths are
// the bytes of std::string, passed to the system unchanged.
#include <string>
#include <string_view>

namespace kelvo {

// The output is a file in a folder (not "-", not a device or a pipe), so
// that the run's further files can go beside it.
bool CanHaveFilesBeside(const std::string& outFile);

bool FileExists(const std::string& fileName); // an existing file that is not a folder
bool DirectoryExists(const std::string& folder);
// A regular file (links followed): one that can be read more than once, unlike a pipe or a device.
bool IsRegularFile(const std::string& fileName);
// True when both names lead to one existing file (links and relative names resolved).
bool SameFile(const std::string& a, const std::string& b);
// The folder part with its trailing separator ("" when there is none).
std::string ExtractFilePath(std::string_view fileName);
// The name without its folder.
std::string ExtractFileName(std::string_view fileName);
// fileName with its extension (from the last "." of the name part) replaced by ext.
std::string ChangeFileExt(std::string_view fileName, std::string_view ext);
// A file name read from a settings file: as it is, unless it is no UTF-8 and
// names no existing file; then it comes from a code page 1252 system and is
// converted to the system's UTF-8.
std::string FileNameFromSettings(const std::string& name);
// Writes a sibling file ("<name>.tmp") and renames it over the file, so that
// a failed write never leaves a half-written file behind; false when the
// text could not be stored.
bool StoreFileAtomically(const std::string& fileName, std::string_view text);
// Full path of the running program ("/proc/self/exe" resolved); empty when unknown.
std::string ProgramFilePath();

} // namespace kelvo
