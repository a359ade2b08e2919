#include "batch/convert.h"

#include <sys/stat.h>

#include <QComboBox>
#include <QLineEdit>
#include <QVariant>

#include <algorithm>
#include <memory>

#include "batch/input_selection.h"
#include "batch/progress_window.h"
#include "batch/recent_folders.h"
#include "core/formats.h"
#include "core/project.h"
#include "core/text.h"
#include "draw/watermark_font.h"
#include "engine/output_encoding.h"

namespace rondix {
namespace {

std::string Trimmed(const QString& text) { return std::string(TrimBlanks(Utf8(text))); }

// The extension of the selected output format item, through its item data.
std::string SelectedOutputExtension(const QComboBox* list) {
  if (list == nullptr || list->currentIndex() < 0) return {};
  bool ok = false;
  const int position = list->currentData().toInt(&ok);
  const auto formats = OutputFormatList();
  if (!ok || position < 0 || static_cast<size_t>(position) >= formats.size()) return {};
  return std::string(formats[static_cast<size_t>(position)]);
}

using FontHandle = std::unique_ptr<WatermarkFont, decltype(&FreeWatermarkFont)>;

// Runs the checks in order; false after the first failure has been reported.
bool CheckRun(BatchContext& ctx, FontHandle& font) {
  const SettingsStore& settings = ctx.settings;
  ProjectState& state = ctx.project.state;
  const std::string stopped = Text(ctx, "Msg", "Conversion is not complete");
  auto fail = [&](const std::string& status, const std::string& warning) {
    if (!status.empty()) SetStatus(ctx, status);
    if (ctx.dialogs.warning) ctx.dialogs.warning(ctx.form.window, warning);
    return false;
  };

  if (ctx.project.inputs.empty()) return fail(stopped, Text(ctx, "Msg", "Empty input files"));

  std::string& folder = state.currentOutputFolder;
  if (folder.empty()) return fail(stopped, Text(ctx, "Msg", "Empty output folder"));
  if (!folder.ends_with('/')) folder += '/';
  if (!IsFolder(folder)) {
    return fail(stopped, Substitute(Text(ctx, "Msg", "Invalid output folder"), folder, {}, {}, {}));
  }

  if (settings.Int("Transform", "Do Image Resize") != 0) {
    if (settings.Int("Transform", "Image Width") == 0) {
      return fail(stopped, Text(ctx, "Msg", "Invalid width"));
    }
    if (settings.Int("Transform", "Image Height") == 0) {
      return fail(stopped, Text(ctx, "Msg", "Invalid height"));
    }
  }

  const int32_t watermark = settings.Int("Watermark", "Do Watermark");
  if (watermark == 1) {
    font.reset(LoadWatermarkFont(settings));
    if (font == nullptr) {
      return fail({}, Substitute(Text(ctx, "Msg", "Invalid watermark font"),
                                 settings.Text("Watermark", "Font"), {}, {}, {}));
    }
  } else if (watermark == 2) {
    const std::string& image = settings.Text("Watermark", "Image");
    if (image.empty()) return fail({}, Text(ctx, "Msg", "Empty watermark image"));
    if (!IsNonEmptyFile(image)) {
      return fail({}, Substitute(Text(ctx, "Msg", "Invalid watermark image"), image, {}, {}, {}));
    }
  }
  return true;
}

}  // namespace

void Convert(BatchContext& ctx) {
  ProjectState& state = ctx.project.state;

  // The run takes the field texts as they are now, so a path typed by hand converts too.
  state.currentInputPath =
      ctx.form.inputField != nullptr ? Trimmed(ctx.form.inputField->text()) : std::string();
  ctx.project.inputs.clear();
  if (IsAcceptedInputFile(state.currentInputPath, state)) {
    ctx.project.inputs.emplace(state.currentInputPath, InputEntry{});
  }
  state.currentOutputFolder =
      ctx.form.outputFolders != nullptr ? Trimmed(ctx.form.outputFolders->currentText()) : std::string();
  state.outputExtension = SelectedOutputExtension(ctx.form.outputFormats);

  SetStatus(ctx, Text(ctx, "General", "Preparing"));

  FontHandle font(nullptr, &FreeWatermarkFont);
  if (!CheckRun(ctx, font)) return;

  PrepareOutputFormat(state.outputExtension, ctx.settings, state);
  AddRecentOutputFolder(ctx.settings, state.currentOutputFolder);
  RebuildOutputFolderList(ctx);

  SetStatus(ctx, Text(ctx, "General", "Converting"));
  {
    ProgressWindow window(ctx, font.get());
    window.Run();
  }
  // The font goes only now, after the worker that drew with it has ended.
  font.reset();
}

}  // namespace rondix
