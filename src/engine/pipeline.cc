#include "engine/pipeline.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <vector>

#include "core/project.h"
#include "engine/color_adjust.h"
#include "engine/file_type.h"
#include "engine/filename_mask.h"
#include "engine/flip.h"
#include "engine/frame.h"
#include "engine/output_encoding.h"
#include "engine/resize.h"
#include "engine/rotation.h"
#include "engine/tga_load.h"
#include "engine/watermark.h"
#include "platform/clock.h"
#include "platform/file_time.h"

namespace rondix {
namespace {

int Width(FIBITMAP* image) { return image ? static_cast<int>(FreeImage_GetWidth(image)) : 0; }
int Height(FIBITMAP* image) { return image ? static_cast<int>(FreeImage_GetHeight(image)) : 0; }

// FreeImage I/O on a stdio stream, so the encoder writes into the file we created.
unsigned ReadProc(void* buffer, unsigned size, unsigned count, fi_handle handle) {
  return static_cast<unsigned>(std::fread(buffer, size, count, static_cast<FILE*>(handle)));
}
unsigned WriteProc(void* buffer, unsigned size, unsigned count, fi_handle handle) {
  return static_cast<unsigned>(std::fwrite(buffer, size, count, static_cast<FILE*>(handle)));
}
int SeekProc(fi_handle handle, long offset, int origin) {
  return std::fseek(static_cast<FILE*>(handle), offset, origin);
}
long TellProc(fi_handle handle) { return std::ftell(static_cast<FILE*>(handle)); }

// The process umask, read without changing it (umask(2) would race other threads).
mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Umask:", 0) == 0) {
      return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
    }
  }
  return 022;
}

// What a plain overwrite would have given: the old file's mode, or a new file's.
mode_t ModeForTarget(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
  return 0666 & ~CurrentUmask();
}

}  // namespace

bool SaveImageReplacing(FIBITMAP* image, int32_t format, const std::string& path, int32_t flags) {
  if (image == nullptr) return false;
  const size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty()) return false;

  // Hidden and unique beside the target; the name part is cut so the temporary name stays
  // within the file system's name limit whenever the target's own name does.
  std::string tempPath = folder + "." + name.substr(0, 200) + ".rondix-XXXXXX";
  std::vector<char> buffer(tempPath.begin(), tempPath.end());
  buffer.push_back('\0');
  const int fd = mkostemp(buffer.data(), O_CLOEXEC);
  if (fd < 0) return false;
  tempPath = buffer.data();

  bool ok = fchmod(fd, ModeForTarget(path)) == 0;
  FILE* file = fdopen(fd, "w+b");
  if (file == nullptr) {
    close(fd);
    ok = false;
  } else {
    if (ok) {
      FreeImageIO io{ReadProc, WriteProc, SeekProc, TellProc};
      ok = FreeImage_SaveToHandle(static_cast<FREE_IMAGE_FORMAT>(format), image, &io,
                                  static_cast<fi_handle>(file), flags) != FALSE;
    }
    // Errors such as a full disk may only show when the data leaves the buffers.
    ok = ok && std::fflush(file) == 0 && !std::ferror(file) && fsync(fileno(file)) == 0;
    ok = (std::fclose(file) == 0) && ok;
  }
  ok = ok && std::rename(tempPath.c_str(), path.c_str()) == 0;
  if (!ok) unlink(tempPath.c_str());
  return ok;
}

bool ApplyFileDate(const SettingsStore& settings, const std::string& inputPath,
                   const std::string& outputPath) {
  switch (settings.Int("Advanced", "File Timestamp")) {
    case 1:  // ORIGINAL
      return CopyFileModifiedTime(inputPath, outputPath);
    case 2:  // CUSTOM
      return SetFileModifiedTime(outputPath, settings.Int("Advanced", "Custom Timestamp"));
    default:  // CURRENT: the time of writing
      return true;
  }
}

std::string OutputPath(const RunContext& ctx) {
  const ProjectState& state = ctx.project.state;
  std::string folder = state.currentOutputFolder;
  if (ctx.settings.Int("Advanced", "Keep Subfolders") == 1) {
    folder += state.currentRelativeSubfolder;
  }
  return folder + ExpandFilenameMask(ctx.settings, state);
}

bool ConvertOneFile(RunContext& ctx) {
  const SettingsStore& settings = ctx.settings;
  ProjectState& state = ctx.project.state;

  FIBITMAP* image = LoadTarga(state.currentInputPath);
  int width = Width(image);
  int height = Height(image);
  state.loadedBitsPerPixel = image ? static_cast<int32_t>(FreeImage_GetBPP(image)) : 0;
  if (width == 0 || height == 0) {
    if (image) FreeImage_Unload(image);
    return false;
  }

  image = ApplyRotation(image, settings);
  width = Width(image);
  height = Height(image);
  image = ApplyResize(image, width, height, settings);
  width = Width(image);
  height = Height(image);

  if (image) ApplyFlip(image, settings);
  image = ApplyColorCorrection(image, settings);
  image = ApplyGreyscale(image, settings);
  image = ApplyThreshold(image, settings);
  image = ApplyDither(image, settings);

  // Frame and watermark are laid out on the size after resizing.
  image = DrawFrame(image, width, height, settings);
  image = DrawWatermark(image, width, height, ctx);
  image = ConvertForOutput(image, state);

  state.finalWidth = width;
  state.finalHeight = height;
  state.currentOutputPath = OutputPath(ctx);

  bool written = false;
  if (image) {
    written =
        SaveImageReplacing(image, state.outputFormatId, state.currentOutputPath, state.saveFlags);
    FreeImage_Unload(image);
  }
  return written;
}

int32_t ConvertFiles(RunContext& ctx) {
  ProjectState& state = ctx.project.state;
  ConversionProgress& progress = ctx.progress;
  const bool debug = state.consoleRun == 1 && state.modeMarker == "DEBUG" && ctx.printLine;

  int32_t filesStarted = 0;
  int32_t filesConverted = 0;
  int64_t lastFileTime = 0;
  for (auto entry = ctx.project.inputs.begin();
       progress.running.load() != 0 && entry != ctx.project.inputs.end(); ++entry) {
    ++filesStarted;
    state.currentInputPath = entry->first;
    state.currentRelativeSubfolder = entry->second.relativeSubfolder;
    {
      std::lock_guard<std::mutex> guard(progress.lock);
      progress.filesStarted = filesStarted;
      progress.currentFile = state.currentInputPath;
      progress.lastFileTime = lastFileTime;
    }
    if (debug) {
      ctx.printLine("Processing: " + state.currentInputPath);
      ctx.printLine("File Format: " + IdentifyFileType(state.currentInputPath));
    }

    const int64_t started = MonotonicMillis();
    if (ConvertOneFile(ctx)) {
      if (debug) ctx.printLine("[OK] Saving As: " + state.currentOutputPath);
      ++filesConverted;
      lastFileTime = std::max<int64_t>(MonotonicMillis() - started, 1000);
      state.randomValue = RandomProjectValue();
      ++state.fileCounter;
      ApplyFileDate(ctx.settings, state.currentInputPath, state.currentOutputPath);
    } else {
      lastFileTime = 0;
      if (debug) ctx.printLine("[ERROR] Unable to convert the file!");
    }
  }

  std::lock_guard<std::mutex> guard(progress.lock);
  progress.filesConverted = filesConverted;
  return 0;
}

}  // namespace rondix
