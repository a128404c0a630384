// The transfer of dictation files from a card folder into the download
// folder: files whose names are free are copied under their own names, files
// already downloaded (same recording under the same name) are skipped, and
// files whose names are taken by a different recording get a serial name. A
// name that is taken but cannot be read counts as a different recording.
// All queued files go in one shell copy, each under a temporary name; a copy
// whose bytes equal its source's is renamed to its own name, any other is
// removed, so that a recording's name never holds a broken copy.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "core/landing.h"
#include "core/transfer_names.h"
#include "download/engine/readonlyfile.h"
#include "download/engine/targetfolder.h"

// A card file whose copy landed whole under its name at the target, as it
// was when the copy was read back.
struct VerifiedSource {
  std::string path;
  vtk::FileIdentity identity;
};

// What a run did, for the completion step to tell the user.
struct TransferOutcome {
  std::vector<VerifiedSource> confirmed;  // in queue order
  int queued = 0;                         // files the shell was asked to copy
  bool pathTooLong = false;               // some files stayed on the card: a path would be too long
  std::string unreadable;                 // the card file that could not be opened; the run was abandoned
};

class CDnLoadTransfer {
 public:
  // The job works on the caller's strings and count, which must outlive it.
  CDnLoadTransfer(std::string& strSourceFolder, std::string& strDownloadFolder, std::string& strSubFolder,
                  int& nFileCount)
      : m_strSourceFolder(strSourceFolder),
        m_strDownloadFolder(strDownloadFolder),
        m_strSubFolder(strSubFolder),
        m_nFileCount(nFileCount) {}
  CDnLoadTransfer(const CDnLoadTransfer&) = delete;
  CDnLoadTransfer& operator=(const CDnLoadTransfer&) = delete;

  // Lists the source folder's *.dss files, queues and copies them, and leaves
  // in the file count how many copies landed whole at the target. The
  // subfolder field holds the full target folder afterwards. Shows nothing:
  // Outcome() tells what happened.
  void Run(HWND hOwner);
  const TransferOutcome& Outcome() const { return m_outcome; }

  // Replaces `base` (a file name) by the full target path of the first free
  // serial name from `serial` on and returns 0; returns -1, leaving `base`,
  // when a copy of the source's recording is met on the way, or when no
  // usable name is left (the full path would be too long, or the serials are
  // used up).
  int MakeSerialName(std::string& base, long long serial, const vtk::ReadOnlyFile& source);
  // See vtk::AvoidBatchClash; the names are compared as the file system
  // compares them.
  static int AvoidBatchClash(const std::string& targetPath, const vtk::NameList& names, long long& serial);
  // Reads the length and a header sample of each file (from its start) and
  // compares them with vtk::IsSameRecording.
  static bool IsSameRecording(const vtk::ReadOnlyFile& first, const vtk::ReadOnlyFile& second);

  // 1 source folder, 2 download folder, 3 subfolder (then the full target
  // folder), 4 file count: the caller's.
  std::string& m_strSourceFolder;
  std::string& m_strDownloadFolder;
  std::string& m_strSubFolder;
  int& m_nFileCount;
  // 5, 6: full paths of the queued files, in the shell's double-NUL form;
  // entry i of one list belongs to entry i of the other.
  std::string m_strSourceList;
  std::string m_strTargetList;
  // 7: the window that owns the shell's progress and questions.
  HWND m_hOwner = nullptr;

 private:
  struct Queue;
  void Abandon(const std::string& name);
  // Copies the queue under its temporary names, reads every copy back and
  // gives each that is whole its own name.
  void CopyAndLand(Queue& queue);
  // A name of the target folder is taken: from the run's listing of the
  // folder, or asked of the disk outside a run.
  bool IsTaken(const std::string& name) const;
  // The full path of the next free temporary name, or empty when it would be
  // too long.
  std::string NextTemporary();

  TransferOutcome m_outcome;
  const vtk::TargetFolder* m_pTargetFolder = nullptr;
  unsigned long m_nLastTemporary = 0;
};

// The completion step: tells the user what the run did and, when `bDelete`
// is set and some copies were confirmed, offers to delete their card files;
// only those still as they were when their copies were read back go.
void ReportDnLoad(HWND hOwner, const TransferOutcome& outcome, int bDelete);

namespace vtk {

// The shell's file operation; tests put a function of their own in its place
// (null restores the shell's).
using ShellFileOperation = int(WINAPI*)(LPSHFILEOPSTRUCTA);
void SetShellFileOperationForTesting(ShellFileOperation operation);
int RunShellFileOperation(SHFILEOPSTRUCTA& op);
// How many card files a run keeps open for the read-back (0 restores the
// engine's own bound).
void SetHeldSourceLimitForTesting(std::size_t limit);

}  // namespace vtk
