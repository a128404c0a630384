#include "download/engine/transfer.h"

#include <io.h>

#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "core/pathrules.h"
#include "download/engine/copycheck.h"
#include "download/engine/copylander.h"
#include "download/engine/platform.h"

namespace {

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

std::string AsFolder(std::string folder) {
  vtk::AddLastBackslash(folder);
  return folder;
}

// The length and header sample of a file, read from its start; false when
// the file cannot be measured.
bool Probe(const vtk::ReadOnlyFile& file, vtk::RecordingProbe& probe) {
  if (!file.Size(probe.size) || !file.Rewind()) return false;
  char buffer[vtk::kHeaderSampleSize];
  probe.sample.assign(buffer, file.Read(buffer, sizeof buffer));
  return true;
}

// Temporaries of an earlier run into `folder` that was stopped before it
// could land or remove them. Only names of the library's own pattern go; one
// that cannot be removed (another run still writes it) stays, and the
// listing then counts it as taken.
void RemoveLeftoverTemporaries(const std::string& folder) {
  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA(vtk::JoinPath(folder, vtk::kTemporarySearchMask).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && vtk::IsTemporaryName(found.cFileName))
      ::DeleteFileA(vtk::JoinPath(folder, found.cFileName).c_str());
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
}

}  // namespace

namespace vtk {

EnginePlatform& TheEnginePlatform() {
  static EnginePlatform platform;
  return platform;
}

}  // namespace vtk

struct CDnLoadTransfer::Queue {
  std::vector<std::string> sources;
  std::vector<std::string> targets;
  std::vector<std::string> temporaries;        // entry i: where the shell writes the copy of source i
  std::vector<vtk::ReadOnlyFile> heldSources;  // entry i: source i while still open, or closed

  void Add(const std::string& source, const std::string& target, const std::string& temporary) {
    sources.push_back(source);
    targets.push_back(target);
    temporaries.push_back(temporary);
    heldSources.emplace_back();
    m_names.insert(vtk::FileNameKey(vtk::FileNamePart(target)));
  }
  // A first-pass entry, found again by its source path in the second pass.
  void AddFreeNamed(const std::string& source, const std::string& target, const std::string& temporary) {
    m_freeNamed.emplace(source, sources.size());
    Add(source, target, temporary);
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
    if (m_held >= vtk::TheEnginePlatform().maxHeldFiles) return;
    heldSources[entry] = std::move(file);
    ++m_held;
  }
  std::unordered_set<std::wstring> m_names;  // target file names, as the file system tells them apart
  std::unordered_map<std::string, std::size_t> m_freeNamed;
  std::size_t m_held = 0;
};

CDnLoadTransfer::CDnLoadTransfer(std::string sourceFolder, std::string targetFolder)
    : m_sourceFolder(AsFolder(std::move(sourceFolder))), m_targetFolder(AsFolder(std::move(targetFolder))) {}

bool CDnLoadTransfer::IsSameRecording(const vtk::ReadOnlyFile& first, const vtk::ReadOnlyFile& second) {
  vtk::RecordingProbe a, b;
  return Probe(first, a) && Probe(second, b) && vtk::IsSameRecording(a, b);
}

int CDnLoadTransfer::MakeSerialName(std::string& base, long long serial, const vtk::ReadOnlyFile& source,
                                    bool& tooLong) const {
  // Only the unbroken run of taken serials is compared with the source: a
  // copy of the same recording beyond a free serial is not looked for.
  for (; serial <= vtk::kMaxSerial; ++serial) {
    const std::string name = vtk::SerialCandidateName(base, serial);
    const std::string candidate = m_targetFolder + name;
    if (!FitsMaxPath(candidate)) {
      tooLong = true;
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

std::optional<std::string> CDnLoadTransfer::NextTemporary() {
  std::string name;
  do name = vtk::TemporaryName(++m_nLastTemporary);
  while (IsTaken(name));
  std::string path = m_targetFolder + name;
  if (!FitsMaxPath(path)) return std::nullopt;
  return path;
}

void CDnLoadTransfer::CopyAndLand(HWND hOwner, Queue& queue, TransferResult& result) {
  const std::string sources = vtk::DoubleNulList(queue.sources), temporaries = vtk::DoubleNulList(queue.temporaries);
  SHFILEOPSTRUCTA op{};
  op.hwnd = hOwner;
  op.wFunc = FO_COPY;
  op.pFrom = sources.c_str();
  op.pTo = temporaries.c_str();
  op.fFlags = queue.sources.size() >= 2 ? FOF_MULTIDESTFILES : 0;
  // What the shell reports is not trusted either way: every copy is read
  // back, whether the shell stopped early, failed or said it succeeded. The
  // lander reads back and renames the copies that the shell has finished
  // while it copies the later ones.
  vtk::CopyLander lander(queue.sources, queue.temporaries, queue.targets, queue.heldSources);
  vtk::TheEnginePlatform().shellFileOperation(&op);
  const std::vector<vtk::CopyLander::Landing> landed = lander.Finish();
  queue.heldSources.clear();
  for (std::size_t i = 0; i < landed.size(); ++i) {
    if (landed[i].identity)
      result.confirmed.push_back({queue.sources[i], queue.targets[i], *landed[i].identity});
    else
      result.notConfirmed.push_back({queue.sources[i], landed[i].nameTaken ? LeftOnCard::Why::kNameTaken
                                                                           : LeftOnCard::Why::kNotCopiedWhole});
  }
}

TransferResult CDnLoadTransfer::Run(HWND hOwner) {
  TransferResult result;
  const std::string pattern = m_sourceFolder + "*.dss";
  Queue queue;
  RemoveLeftoverTemporaries(m_targetFolder);
  m_listing.emplace(m_targetFolder);
  const auto tooLong = [&result](const std::string& source) {
    result.notConfirmed.push_back({source, LeftOnCard::Why::kPathTooLong});
  };

  // First pass: files whose names are free at the target.
  {
    DssSearch search(pattern);
    if (search.Done()) return result;
    for (; !search.Done(); search.Next()) {
      const std::string source = m_sourceFolder + search.Name();
      const std::string target = m_targetFolder + search.Name();
      if (!FitsMaxPath(source) || !FitsMaxPath(target)) {
        tooLong(source);
        continue;
      }
      if (IsTaken(search.Name())) continue;
      const std::optional<std::string> temporary = NextTemporary();
      if (!temporary) {
        tooLong(source);
        continue;
      }
      queue.AddFreeNamed(source, target, *temporary);
    }
  }

  // Second pass: files whose names are taken.
  for (DssSearch search(pattern); !search.Done(); search.Next()) {
    const std::string name = search.Name();
    const std::string source = m_sourceFolder + name;
    const std::string target = m_targetFolder + name;
    if (!FitsMaxPath(source) || !FitsMaxPath(target)) continue;
    vtk::ReadOnlyFile sourceFile(source);
    if (!sourceFile.IsOpen()) return TransferResult{{}, {}, name};
    if (!IsTaken(name)) {  // queued in the first pass, unless its temporary did not fit
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
    bool serialTooLong = false;
    int made = MakeSerialName(fullTarget, serial, sourceFile, serialTooLong);
    // Every name that MakeSerialName gives is held against the queue, the
    // second one too: a name taken on disk can push it onto a name that a
    // card file already has in this transfer, and two copies under one name
    // would leave one recording overwritten and both deleted from the card.
    auto listed = [&queue](const std::string& n) { return queue.Lists(n); };
    while (made == 0 && vtk::AvoidBatchClash(fullTarget, listed, serial) != 0) {
      fullTarget = start.base;
      made = MakeSerialName(fullTarget, serial, sourceFile, serialTooLong);
    }
    const std::optional<std::string> temporary = made == 0 ? NextTemporary() : std::nullopt;
    if (serialTooLong || (made == 0 && !temporary)) tooLong(source);
    if (!temporary) continue;
    queue.Add(source, fullTarget, *temporary);
    queue.HoldLast(std::move(sourceFile));
  }

  if (!queue.sources.empty()) CopyAndLand(hOwner, queue, result);
  return result;
}
