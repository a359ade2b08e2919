#include "core/project.h"

#include <sys/stat.h>

#include <algorithm>
#include <random>

#include "core/formats.h"
#include "core/text.h"
#include "platform/paths.h"

namespace rondix {

int32_t RandomProjectValue() {
  static thread_local std::mt19937 engine{std::random_device{}()};
  return std::uniform_int_distribution<int32_t>(1, 99999)(engine);
}

void ResetProject(Project& project) {
  ProjectState& s = project.state;
  ProjectState fresh;
  fresh.programFolder = ProgramFolder();
  fresh.randomValue = RandomProjectValue();
  fresh.acceptedExtensions = AcceptedExtensions();
  fresh.modeMarker = std::move(s.modeMarker);
  fresh.finalWidth = s.finalWidth;
  fresh.finalHeight = s.finalHeight;
  fresh.searchFrom = std::move(s.searchFrom);
  fresh.searchTo = std::move(s.searchTo);
  s = std::move(fresh);
  project.inputs.clear();
}

std::string FileExtension(const std::string& path) {
  auto slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  auto dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  return AsciiLower(name.substr(dot + 1));
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsNonEmptyFile(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0;
}

bool IsAcceptedInputFile(const std::string& path, const ProjectState& state) {
  if (!IsNonEmptyFile(path)) return false;
  const auto& accepted = state.acceptedExtensions;
  return std::find(accepted.begin(), accepted.end(), FileExtension(path)) != accepted.end();
}

bool AddInputFile(Project& project, const std::string& path) {
  if (!IsAcceptedInputFile(path, project.state)) return false;
  project.inputs.clear();
  project.inputs.emplace(path, InputEntry{});
  if (project.state.consoleRun == 0 && project.desktopInputHook) {
    project.desktopInputHook(project.state, path);
  }
  return true;
}

}  // namespace rondix
