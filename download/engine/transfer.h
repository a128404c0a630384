// The transfer of dictation files from a card folder into a target folder:
// files whose names are free are copied under their own names, files already
// downloaded (same recording under the same name) are skipped, and files
// whose names are taken by a different recording get a serial name. A name
// that is taken but cannot be read counts as a different recording. All
// queued files go in one shell copy, each under a temporary name; a copy
// whose bytes equal its source's is renamed to its own name, any other is
// removed, so that a recording's name never holds a broken copy.
//
// The engine shows nothing and asks nothing: it is called with values and
// answers with one record, from which the caller tells the user.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "core/landing.h"
#include "core/transfer_names.h"
#include "download/engine/readonlyfile.h"
#include "download/engine/targetfolder.h"

// A card file whose copy landed whole under its name at the target, and the
// card file as it was when its copy was read back: it may be deleted while
// it is still that file.
struct LandedCopy {
  std::string source;
  std::string target;
  vtk::FileIdentity identity;
};

// A card file that was not downloaded and stays on the card.
struct LeftOnCard {
  enum class Why {
    kPathTooLong,     // its own or its serial name would make a path over 255 bytes
    kNotCopiedWhole,  // the copy did not arrive, or not as its card file is
    kNameTaken,       // its name at the target was taken while it was being copied
  };
  std::string source;
  Why why;
};

struct TransferResult {
  std::vector<LandedCopy> confirmed;      // in the order they were queued
  std::vector<LeftOnCard> notConfirmed;   // in the order they were met
  std::string unreadable;                 // a card file that could not be opened: the run copied nothing
};

class CDnLoadTransfer {
 public:
  // Card files are looked for in `sourceFolder` (such as E:\, or E:, which
  // means its root) and land in `targetFolder`.
  CDnLoadTransfer(std::string sourceFolder, std::string targetFolder);
  CDnLoadTransfer(const CDnLoadTransfer&) = delete;
  CDnLoadTransfer& operator=(const CDnLoadTransfer&) = delete;

  // Lists the source folder's *.dss files, queues and copies them; `hOwner`
  // owns the shell's progress window. Run once.
  TransferResult Run(HWND hOwner);

 private:
  struct Queue;
  // Replaces `base` (a file name) by the full target path of the first free
  // serial name from `serial` on and returns 0; returns -1, leaving `base`,
  // when a copy of the source's recording is met on the way, or when no
  // usable name is left (the full path would be too long: `tooLong` is set;
  // or the serials are used up).
  int MakeSerialName(std::string& base, long long serial, const vtk::ReadOnlyFile& source, bool& tooLong) const;
  // Reads the length and a header sample of each file (from its start) and
  // compares them with vtk::IsSameRecording.
  static bool IsSameRecording(const vtk::ReadOnlyFile& first, const vtk::ReadOnlyFile& second);
  bool IsTaken(const std::string& name) const { return m_listing->Holds(name); }
  // The full path of the next free temporary name, or nothing when it would
  // be too long.
  std::optional<std::string> NextTemporary();
  // Copies the queue under its temporary names, reads every copy back and
  // gives each that is whole its own name.
  void CopyAndLand(HWND hOwner, Queue& queue, TransferResult& result);

  const std::string m_sourceFolder;  // both end in a backslash
  const std::string m_targetFolder;
  std::optional<vtk::TargetFolder> m_listing;  // the target folder as the run found it
  unsigned long m_nLastTemporary = 0;
};
