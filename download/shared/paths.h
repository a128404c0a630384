// Path services of the download dialogs: the core's rules with the platform
// underneath (the existence probe, the local date, the current directory).
#pragma once
#include <optional>
#include <string>

#include "core/foldername.h"
#include "core/pathrules.h"

using vtk::AddLastBackslash;
using vtk::WithoutLastBackslash;

// Anything (file or folder) of exactly this full path exists.
bool PathExists(const std::string& fullPath);

// Today's local date.
vtk::LocalDate GetLocalDate();

// The process's current directory (at most 255 bytes) without a trailing
// backslash unless it is a root; empty when it cannot be read in full.
std::string GetCurrentDirectoryFallback();
// A folder from a host's buffer (see vtk::ReadHostPath), or the current
// directory when the buffer holds an empty path; nothing when it is refused.
std::optional<std::string> ReadHostFolder(const char* buffer);

// The two generators of dated new-folder names under `parent`, for today:
// the plain one, and the one of the recorder's folder pair, which keeps the
// names of folders A and B apart.
std::string ProposeDatedFolderName(const std::string& parent);
std::string ProposePairedFolderName(const vtk::RecorderFolderPair& pair, int nWhichFolder, const std::string& parent);
