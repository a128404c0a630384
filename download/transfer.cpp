#include "download/transfer.h"

#include <io.h>

#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "core/pathrules.h"
#include "download/copycheck.h"
#include "framework/modulestate.h"
#include "framework/msgbox.h"
#include "res/ids_download.h"

namespace {

vtk::ShellFileOperation g_shellFileOperation = &SHFileOperationA;

// Card files kept open from the second pass to the read-back of their
// copies, so that each is opened once. Bounded, so that a card of very many
// files does not exhaust what the process may hold open; the rest are
// opened again for the read-back.
constexpr std::size_t kHeldSourceLimit = 2048;
std::size_t g_heldSourceLimit = kHeldSourceLimit;

// One dictation file of the source folder; directories are passed over,
// since the engine copies files only.
class DssSearch {
 public:
  explicit DssSearch(const std::string& pattern) : m_handle(_findfirsti64(pattern.c_str(), &m_found)) {
    SkipDirectories();
  }
  ~DssSearch() {
    if (m_handle != -1) _findclose(m_handle);
  }
  DssSearch(const DssSearch&) = delete;
  DssSearch& operator=(const DssSearch&) = delete;

  bool Done() const { return m_done; }
  std::string Name() const { return m_found.name; }
  void Next() {
    m_done = _findnexti64(m_handle, &m_found) != 0;
    SkipDirectories();
  }

 private:
  void SkipDirectories() {
    m_done = m_done || m_handle == -1;
    while (!m_done && (m_found.attrib & _A_SUBDIR)) m_done = _findnexti64(m_handle, &m_found) != 0;
  }
  _finddatai64_t m_found{};
  intptr_t m_handle;
  bool m_done = false;
};

bool FitsMaxPath(const std::string& path) { return path.size() <= vtk::kMaxPath; }

std::string ReadHeaderSample(const vtk::ReadOnlyFile& file) {
  char buffer[vtk::kHeaderSampleSize];
  return std::string(buffer, file.Read(buffer, sizeof buffer));
}

}  // namespace

namespace vtk {

void SetShellFileOperationForTesting(ShellFileOperation operation) {
  g_shellFileOperation = operation ? operation : &SHFileOperationA;
}

void SetHeldSourceLimitForTesting(std::size_t limit) { g_heldSourceLimit = limit ? limit : kHeldSourceLimit; }

}  // namespace vtk

struct CDnLoadTransfer::Queue {
  std::vector<std::string> sources;
  std::vector<std::string> targets;
  std::vector<vtk::ReadOnlyFile> heldSources;  // entry i: source i while still open, or closed

  void Add(const std::string& source, const std::string& target) {
    sources.push_back(source);
    targets.push_back(target);
    heldSources.emplace_back();
    m_names.insert(vtk::FileNameKey(vtk::FileNamePart(target)));
  }
  // A first-pass entry, found again by its source path in the second pass.
  void AddFreeNamed(const std::string& source, const std::string& target) {
    m_freeNamed.emplace(source, sources.size());
    Add(source, target);
  }
  bool Lists(const std::string& name) const { return m_names.count(vtk::FileNameKey(name)) != 0; }
  // Keep `file` open as the source of the last entry, or of the first-pass
  // entry of `source`, while the bound allows; otherwise it is closed here.
  void HoldLast(vtk::ReadOnlyFile&& file) { Hold(std::move(file), sources.size() - 1); }
  void HoldFreeNamed(vtk::ReadOnlyFile&& file, const std::string& source) {
    const auto it = m_freeNamed.find(source);
    if (it != m_freeNamed.end()) Hold(std::move(file), it->second);
  }

 private:
  void Hold(vtk::ReadOnlyFile&& file, std::size_t entry) {
    if (m_held >= g_heldSourceLimit) return;
    heldSources[entry] = std::move(file);
    ++m_held;
  }
  std::unordered_set<std::wstring> m_names;  // target file names, as the file system tells them apart
  std::unordered_map<std::string, std::size_t> m_freeNamed;
  std::size_t m_held = 0;
};

bool CDnLoadTransfer::IsSameRecording(const vtk::ReadOnlyFile& first, const vtk::ReadOnlyFile& second) {
  second.Rewind();
  const std::string sample = ReadHeaderSample(first);
  return vtk::IsSameRecording(sample, ReadHeaderSample(second));
}

int CDnLoadTransfer::AvoidBatchClash(const std::string& targetPath, const vtk::NameList& names, long long& serial) {
  return vtk::AvoidBatchClash(
      targetPath,
      [&names](const std::string& n) {
        for (const std::string& e : names)
          if (vtk::SameFileNameOnDisk(e, n)) return true;
        return false;
      },
      serial);
}

bool CDnLoadTransfer::IsTaken(const std::string& name) const {
  return m_pTargetFolder ? m_pTargetFolder->Holds(name) : vtk::TargetFolder(m_strSubFolder).Holds(name);
}

int CDnLoadTransfer::MakeSerialName(std::string& base, long long serial, const vtk::ReadOnlyFile& source) {
  // Only the unbroken run of taken serials is compared with the source: a
  // copy of the same recording beyond a free serial is not looked for.
  for (; serial <= vtk::kMaxSerial; ++serial) {
    const std::string name = vtk::SerialCandidateName(base, serial);
    const std::string candidate = m_strSubFolder + name;
    if (!FitsMaxPath(candidate)) {
      m_bPathTooLong = true;
      return -1;
    }
    if (!IsTaken(name)) {
      base = candidate;
      return 0;
    }
    // A taken name that cannot be read is passed over like another recording.
    const vtk::ReadOnlyFile target(candidate);
    if (target.IsOpen() && IsSameRecording(target, source)) return -1;
  }
  return -1;
}

void CDnLoadTransfer::Abandon(const std::string& name) {
  const std::string text = vtk::FormatWithName(LoadResString(IDS_DNLOAD_ERROR_OPENING), name);
  vtk::ShowMessageBox(m_hOwner, text, LoadResString(IDS_DNLOAD_CAPTION), MB_OK | MB_ICONEXCLAMATION);
  m_strSourceList = vtk::DoubleNulList({});
  m_strTargetList = vtk::DoubleNulList({});
  m_nFileCount = 0;
}

int CDnLoadTransfer::CountExactCopies(const Queue& queue) {
  // The walk stops at the first copy that is missing or differs from its
  // source, so that the count (and the deletion that follows it) covers only
  // an unbroken run of real copies from the first.
  return static_cast<int>(vtk::FirstInexactCopy(queue.sources, queue.targets, queue.heldSources));
}

void CDnLoadTransfer::Run(HWND hOwner) {
  m_nFileCount = 0;
  m_strSourceList = vtk::DoubleNulList({});
  m_strTargetList = vtk::DoubleNulList({});
  m_hOwner = hOwner;
  m_bPathTooLong = false;
  m_strSubFolder = m_strDownloadFolder + m_strSubFolder;
  const std::string& targetFolder = m_strSubFolder;
  const std::string pattern = m_strSourceFolder + "*.dss";
  Queue queue;
  const vtk::TargetFolder listing(targetFolder);
  m_pTargetFolder = &listing;
  struct Forget {
    const vtk::TargetFolder*& p;
    ~Forget() { p = nullptr; }
  } forget{m_pTargetFolder};

  // First pass: files whose names are free at the target.
  {
    DssSearch search(pattern);
    if (search.Done()) return;
    for (; !search.Done(); search.Next()) {
      const std::string source = m_strSourceFolder + search.Name();
      const std::string target = targetFolder + search.Name();
      if (!FitsMaxPath(source) || !FitsMaxPath(target)) {
        m_bPathTooLong = true;
        continue;
      }
      if (IsTaken(search.Name())) continue;
      queue.AddFreeNamed(source, target);
    }
  }

  // Second pass: files whose names are taken.
  for (DssSearch search(pattern); !search.Done(); search.Next()) {
    const std::string name = search.Name();
    const std::string source = m_strSourceFolder + name;
    const std::string target = targetFolder + name;
    if (!FitsMaxPath(source) || !FitsMaxPath(target)) continue;
    vtk::ReadOnlyFile sourceFile(source);
    if (!sourceFile.IsOpen()) return Abandon(name);
    if (!IsTaken(name)) {  // queued in the first pass
      queue.HoldFreeNamed(std::move(sourceFile), source);
      continue;
    }
    {
      // A taken name that cannot be read is never taken for this recording.
      const vtk::ReadOnlyFile targetFile(target);
      if (targetFile.IsOpen() && IsSameRecording(targetFile, sourceFile)) continue;
    }
    const vtk::SerialStart start = vtk::BaseNameAndStartSerial(name);
    std::string fullTarget = start.base;
    long long serial = start.serial;
    int made = MakeSerialName(fullTarget, serial, sourceFile);
    // Every name that MakeSerialName gives is held against the queue, the
    // second one too: a name taken on disk can push it onto a name that a
    // card file already has in this transfer, and two copies under one name
    // would leave one recording overwritten and both deleted from the card.
    auto listed = [&queue](const std::string& n) { return queue.Lists(n); };
    while (made == 0 && vtk::AvoidBatchClash(fullTarget, listed, serial) != 0) {
      fullTarget = start.base;
      made = MakeSerialName(fullTarget, serial, sourceFile);
    }
    if (made == 0) {
      queue.Add(source, fullTarget);
      queue.HoldLast(std::move(sourceFile));
    }
  }

  m_strSourceList = vtk::DoubleNulList(queue.sources);
  m_strTargetList = vtk::DoubleNulList(queue.targets);
  m_nFileCount = static_cast<int>(queue.sources.size());

  if (m_nFileCount >= 1) {
    SHFILEOPSTRUCTA op{};
    op.hwnd = m_hOwner;
    op.wFunc = FO_COPY;
    op.pFrom = m_strSourceList.c_str();
    op.pTo = m_strTargetList.c_str();
    op.fFlags = m_nFileCount >= 2 ? FOF_MULTIDESTFILES : 0;
    g_shellFileOperation(&op);
    m_nFileCount = CountExactCopies(queue);
  }

  if (m_bPathTooLong)
    vtk::ShowMessageBox(m_hOwner, LoadResString(IDS_DNLOAD_PATH_TOO_LONG), LoadResString(IDS_DNLOAD_CAPTION),
                        MB_OK | MB_ICONEXCLAMATION);
}

void ReportDnLoad(HWND hOwner, int count, int bDelete, const std::string& sourceList) {
  if (count <= 0) return;
  const std::string caption = LoadResString(IDS_DNLOAD_CAPTION);
  vtk::ShowMessageBox(hOwner, vtk::FormatWithCount(LoadResString(IDS_DNLOAD_COUNT), count), caption, MB_OK);
  if (bDelete != 1) return;
  if (vtk::ShowMessageBox(hOwner, LoadResString(IDS_DNLOAD_DELETE_QUESTION), caption, MB_OKCANCEL | MB_ICONQUESTION) !=
      IDOK)
    return;
  const std::string downloaded = vtk::FirstEntries(sourceList, count);
  SHFILEOPSTRUCTA op{};
  op.hwnd = hOwner;
  op.wFunc = FO_DELETE;
  op.pFrom = downloaded.c_str();
  op.pTo = nullptr;
  op.fFlags = FOF_NOCONFIRMATION;
  g_shellFileOperation(&op);
}
