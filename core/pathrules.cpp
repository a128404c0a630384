#include "core/pathrules.h"

#include "core/cp932.h"

namespace vtk {

void RemoveLastBackslash(std::string& path) {
  if (path.size() <= 3) return;
  if (EndsWithBackslash(path)) path.pop_back();
}

void AddLastBackslash(std::string& path) {
  if (!EndsWithBackslash(path)) path.push_back('\\');
}

void AddBackslashGuarded(std::string& path) {
  if (path.size() > 3 && !EndsWithBackslash(path)) path.push_back('\\');
}

}  // namespace vtk
