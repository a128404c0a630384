// The drive letters of the test prefix, fixed when the prefix is prepared:
//   A: E: F:  removable (declared as floppy drives)
//   D:        fixed disk
//   G:        CD-ROM
// Each points at a scratch folder of the build; tests change only contents.
#pragma once
#include <string>
#include <vector>

namespace test {

// Empties the root of a test drive (files and folders, hidden ones included).
void ClearDrive(char letter);
// Removes a folder tree; a missing one is fine.
void RemoveTree(const std::string& path);
void MakeDir(const std::string& path);  // parents included
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);
// Makes a folder on D: whose path is `length` bytes long (folders of 40
// bytes, then one of the rest) and returns the path.
std::string MakeLongDir(std::size_t length);
// Names in a folder (files and folders, no "." or ".."), sorted.
std::vector<std::string> ListDir(const std::string& folder);

// Takes the medium out of a removable test drive (its folder disappears, so
// the drive is not ready) or puts it back. The destructor puts it back.
class EjectedMedium {
 public:
  explicit EjectedMedium(char letter);
  ~EjectedMedium();
  EjectedMedium(const EjectedMedium&) = delete;
  EjectedMedium& operator=(const EjectedMedium&) = delete;

 private:
  std::string m_folder;
  std::string m_parked;
};

// The process's current directory, kept and put back: the library's folder
// checks change it on purpose.
class CurrentDirectoryKeeper {
 public:
  CurrentDirectoryKeeper();
  ~CurrentDirectoryKeeper();

 private:
  std::string m_dir;
};

}  // namespace test
