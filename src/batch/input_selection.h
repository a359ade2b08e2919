// Choosing what a run works on: the input file picker, the desktop side of adding an input
// file, and the output folder picker.
#pragma once
#include <QStringList>

#include <string>
#include <vector>

#include "batch/batch_context.h"
#include "storage/string_table.h"

namespace rondix {

struct FileFilter {
  std::string label;
  std::vector<std::string> patterns;  // "*.tga", ...
};

// All Supported Files (every accepted extension in order), one entry per description of the
// accepted extensions (later extensions first), then All Files.
std::vector<FileFilter> InputFileFilters(const StringTable& strings);

// The filters as the toolkit's dialog reads them: "label (p1 p2)". "All Files" matches every
// file name, dotted or not.
QStringList ToolkitFilters(const std::vector<FileFilter>& filters);

// The folder part of a path, up to and including its last "/"; empty when it has none.
std::string FolderPart(const std::string& path);

// The input file picker: a chosen file goes to Add input file; a refused one is dropped
// silently.
void SelectInputFile(BatchContext& ctx);

// What Add input file does on the desktop once it has accepted `path`: the input field
// shows it, and when the output folder list shows nothing the file's folder becomes the
// output folder (first among the recent ones, selected in the list).
void ShowAddedInput(BatchContext& ctx, const std::string& path);

// Installs ShowAddedInput as the project's desktop hook. `ctx` must outlive the project's
// use of the hook.
void InstallDesktopInputHook(BatchContext& ctx);

// Rebuild output folder list with the current output folder and the "FavFolder" icon.
void RebuildOutputFolderList(BatchContext& ctx);

// The output folder picker: an existing folder chosen becomes the current output folder and
// the first recent folder, selected in the list.
void SelectOutputFolder(BatchContext& ctx);

}  // namespace rondix
