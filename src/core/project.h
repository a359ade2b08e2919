// The record of the current project and run (ProjectState) and the files of the next run
// (InputList, at most one entry).
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace rondix {

struct InputEntry {
  int32_t marker = 1;
  std::string relativeSubfolder;  // always empty for files added here
};

// Keyed by full path, so each path occurs once.
using InputList = std::map<std::string, InputEntry>;

struct ProjectState {
  std::string programFolder;  // ends with "/"
  std::string currentInputPath;
  std::string commandLineInputPath;
  std::string currentRelativeSubfolder;
  std::string currentOutputPath;
  std::string currentOutputFolder;
  int32_t randomValue = 1;  // 1..99999
  int32_t fileCounter = 1;
  std::string inputFormat;
  int32_t loadedBitsPerPixel = 0;
  int32_t outputFormatId = 0;
  std::string outputExtension;
  int32_t targetBitsPerPixel = 0;
  int32_t saveFlags = 0;
  int32_t automaticDepth = 0;
  int32_t uiRefreshRequest = 0;  // 1 theme changed, 2 icon size changed
  int32_t consoleRun = 0;
  int32_t preferencesStartPage = 0;
  std::vector<std::string> acceptedExtensions;

  // Kept across a reset.
  std::string modeMarker;  // "T" in screenshot mode, "DEBUG" in console debug mode
  int32_t finalWidth = 0;
  int32_t finalHeight = 0;
  std::string searchFrom;
  std::string searchTo;
};

// The desktop side of Add input file: shows the path in the input field and, when the output
// folder list is empty, makes the file's folder the output folder. Installed by the desktop
// layer; without it nothing more happens.
using DesktopInputHook = std::function<void(ProjectState&, const std::string& path)>;

struct Project {
  ProjectState state;
  InputList inputs;
  DesktopInputHook desktopInputHook;
};

// A random integer from 1 to 99999, both included.
int32_t RandomProjectValue();

void ResetProject(Project& project);

// True for an existing folder.
bool IsFolder(const std::string& path);

// True for an existing regular file with at least one byte.
bool IsNonEmptyFile(const std::string& path);

// True when `path` could become the InputList entry: a non-empty file whose extension,
// lower-cased, is one of the accepted ones.
bool IsAcceptedInputFile(const std::string& path, const ProjectState& state);

// True if `path` became the only entry of the InputList: an existing regular file, not
// empty, with an accepted extension (compared in lower case).
bool AddInputFile(Project& project, const std::string& path);

// Lower-cased text after the last "." of the file name; empty when there is none.
std::string FileExtension(const std::string& path);

}  // namespace rondix
