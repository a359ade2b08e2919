#include "batch/input_selection.h"

#include <sys/stat.h>

#include <algorithm>

#include <QComboBox>
#include <QLineEdit>

#include "batch/recent_folders.h"
#include "core/formats.h"
#include "core/project.h"

namespace rondix {
namespace {

std::string DescriptionOf(const std::string& extension) {
  for (const InputExtension& row : InputExtensionTable()) {
    if (row.extension == extension) return std::string(row.description);
  }
  return {};
}

void RequestRelayout(const BatchContext& ctx) {
  if (ctx.form.requestRelayout) ctx.form.requestRelayout();
}

QString OutputFolderListText(const BatchContext& ctx) {
  return ctx.form.outputFolders != nullptr ? ctx.form.outputFolders->currentText() : QString();
}

}  // namespace

std::vector<FileFilter> InputFileFilters(const StringTable& strings) {
  const std::vector<std::string> accepted = AcceptedExtensions();
  std::vector<FileFilter> filters;
  FileFilter all{std::string(strings.GetText("Dialog", "All Supported Files")), {}};
  for (const std::string& extension : accepted) all.patterns.push_back("*." + extension);
  filters.push_back(std::move(all));

  std::vector<FileFilter> byDescription;
  for (const std::string& extension : accepted) {
    std::string description = DescriptionOf(extension);
    auto found = std::find_if(byDescription.begin(), byDescription.end(),
                              [&](const FileFilter& f) { return f.label == description; });
    if (found == byDescription.end()) {
      byDescription.push_back({description, {"*." + extension}});
    } else {
      found->patterns.insert(found->patterns.begin(), "*." + extension);
    }
  }
  filters.insert(filters.end(), byDescription.begin(), byDescription.end());

  filters.push_back({std::string(strings.GetText("Dialog", "All Files")) + " (*.*)", {"*.*"}});
  return filters;
}

QStringList ToolkitFilters(const std::vector<FileFilter>& filters) {
  QStringList result;
  for (const FileFilter& filter : filters) {
    QStringList patterns;
    for (const std::string& pattern : filter.patterns) {
      // "*.*" means every file on the desktop this comes from, names without a dot too.
      patterns << (pattern == "*.*" ? QStringLiteral("*") : QStr(pattern));
    }
    QString label = QStr(filter.label);
    // The toolkit reads the patterns from the last brackets, so a label that shows its own
    // pattern loses it in favour of the real one.
    if (label.endsWith(QStringLiteral(" (*.*)"))) label.chop(6);
    result << label + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return result;
}

std::string FolderPart(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void SelectInputFile(BatchContext& ctx) {
  if (!ctx.dialogs.openFile) return;
  const QString chosen = ctx.dialogs.openFile(
      ctx.form.window, QStr(Text(ctx, "Dialog", "Select Input Files")),
      QStr(ctx.project.state.currentInputPath), ToolkitFilters(InputFileFilters(ctx.strings)));
  if (!chosen.isEmpty()) AddInputFile(ctx.project, Utf8(chosen));
  RequestRelayout(ctx);
}

void RebuildOutputFolderList(BatchContext& ctx) {
  if (ctx.form.outputFolders == nullptr) return;
  RebuildOutputFolderList(*ctx.form.outputFolders, ctx.settings,
                          ctx.project.state.currentOutputFolder,
                          ctx.form.folderIcon ? ctx.form.folderIcon() : QIcon());
}

void ShowAddedInput(BatchContext& ctx, const std::string& path) {
  if (ctx.form.inputField != nullptr) ctx.form.inputField->setText(QStr(path));
  if (!OutputFolderListText(ctx).isEmpty()) return;
  std::string folder = FolderPart(path);
  AddRecentOutputFolder(ctx.settings, folder);
  ctx.project.state.currentOutputFolder = folder;
  RebuildOutputFolderList(ctx);
}

void InstallDesktopInputHook(BatchContext& ctx) {
  ctx.project.desktopInputHook = [&ctx](ProjectState&, const std::string& path) {
    ShowAddedInput(ctx, path);
  };
}

void SelectOutputFolder(BatchContext& ctx) {
  if (!ctx.dialogs.chooseFolder) return;
  const QString listText = OutputFolderListText(ctx);
  const std::string start =
      !listText.isEmpty() ? FolderPart(Utf8(listText)) : ctx.project.state.currentOutputFolder;
  std::string chosen = Utf8(ctx.dialogs.chooseFolder(
      ctx.form.window, QStr(Text(ctx, "Dialog", "Select Output Folder")), QStr(start)));
  if (IsFolder(chosen)) {
    // Stored the way Convert stores a folder, so the two never make twin entries.
    if (!chosen.ends_with('/')) chosen += '/';
    AddRecentOutputFolder(ctx.settings, chosen);
    ctx.project.state.currentOutputFolder = chosen;
    RebuildOutputFolderList(ctx);
  }
  RequestRelayout(ctx);
}

}  // namespace rondix
