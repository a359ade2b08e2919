#include "cli/console_run.h"

#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <vector>

#include "cli/debug_listing.h"
#include "core/formats.h"
#include "core/text.h"
#include "draw/watermark_font.h"
#include "engine/conversion_run.h"
#include "engine/output_encoding.h"
#include "core/project.h"
#include "engine/run_context.h"

namespace rondix {
namespace {

std::string WorkingFolder() {
  std::vector<char> buffer(4096);
  if (getcwd(buffer.data(), buffer.size()) == nullptr) return {};
  return buffer.data();
}

class RunPrinter {
 public:
  RunPrinter(const ConsoleRunContext& ctx, bool quiet, bool debug)
      : ctx_(ctx), quiet_(quiet), debug_(debug) {}

  void Line(const std::string& text) const { ctx_.console.printLine(text); }
  // Status lines are left out in quiet mode.
  void Status(const std::string& text) const {
    if (!quiet_) Line(text);
  }
  void Debug(const std::string& text) const {
    if (debug_) Line(text);
  }
  void Debug(std::span<const ListingLine> lines) const {
    if (!debug_) return;
    for (const ListingLine& line : lines) Line(FormatListingLine(line, ctx_.settings));
  }
  void Debug(const ListingLine& line) const { Debug(std::span(&line, 1)); }
  std::string Text(std::string_view group, std::string_view key) const {
    return std::string(ctx_.strings.GetText(group, key));
  }

 private:
  const ConsoleRunContext& ctx_;
  bool quiet_;
  bool debug_;
};

// Prints the error line and gives the status of a failed check.
int Fail(const RunPrinter& out, const std::string& line) {
  out.Line(line);
  return 1;
}

constexpr ListingLine kWidth{"Width: ", "Transform", "Image Width", ListingValue::Size, -1,
                             "Image Width Unit"};
constexpr ListingLine kHeight{"Height: ", "Transform", "Image Height", ListingValue::Size, -1,
                              "Image Height Unit"};
constexpr ListingLine kBrightness{"Brightness: ", "Adjustment", "Image Brightness"};
constexpr ListingLine kContrast{"Contrast: ", "Adjustment", "Image Contrast"};
constexpr ListingLine kGamma{"Gamma: ", "Adjustment", "Image Gamma", ListingValue::Gamma};
constexpr ListingLine kInvert{"Invert: ", "Adjustment", "Image Invert"};
constexpr ListingLine kGreyscale{"Greyscale: ", "Adjustment", "Do Image Greyscale"};
constexpr ListingLine kThreshold{"Image Threshold: ", "Adjustment", "Image Threshold"};
constexpr ListingLine kDither{"Image Dithering Algorithm: ", "Adjustment", "Image Dither Algorithm",
                              ListingValue::Keyword, 13};
constexpr ListingLine kFrame{"Frame: ", "Frame", "Do Frame", ListingValue::Keyword, 14};
constexpr ListingLine kWatermark{"Watermark: ", "Watermark", "Do Watermark",
                                 ListingValue::Keyword, 15};
constexpr ListingLine kFilenameMask{"Filename Mask: ", "Advanced", "Filename Mask",
                                    ListingValue::Text};
constexpr ListingLine kFileTimestamp{"File Timestamp: ", "Advanced", "File Timestamp",
                                     ListingValue::Keyword, 22};
constexpr ListingLine kCustomTimestamp{"Custom Timestamp: ", "Advanced", "Custom Timestamp"};
constexpr ListingLine kKeepSubfolders{"Keep Subfolders: ", "Advanced", "Keep Subfolders"};

bool OutsidePercentRange(int32_t value) { return value < -100 || value > 100; }

// Checks and lists the output format; empty when it passes, else the error line.
std::string CheckOutputFormat(const std::string& format, const SettingsStore& settings,
                              const RunPrinter& out) {
  std::string_view depthKey = BitDepthKey(format);
  const FormatListing* listing = FindFormatListing(format);
  if (!depthKey.empty()) {
    out.Debug(std::string(depthKey) + ": " + std::to_string(settings.Int("Output", depthKey)));
  }
  if (listing != nullptr) out.Debug(listing->lines);
  if (!IsAllowedBitDepth(format, depthKey.empty() ? 0 : settings.Int("Output", depthKey))) {
    return "Error: Invalid " + AsciiLower(format) + "-bpp value";
  }
  if (listing != nullptr && !listing->qualityKey.empty()) {
    int32_t quality = settings.Int("Output", listing->qualityKey);
    if (quality < 1 || quality > 100) return std::string(listing->qualityError);
  }
  return {};
}

}  // namespace

std::string InputFileFolder(const std::string& inputFile, const std::string& workingFolder) {
  size_t slash = inputFile.rfind('/');
  std::string folder = slash == std::string::npos ? std::string() : inputFile.substr(0, slash + 1);
  if (!folder.starts_with('/')) {
    std::string base = workingFolder;
    if (!base.empty() && !base.ends_with('/')) base += '/';
    folder = base + folder;
  }
  return folder;
}

std::string ResolveOutputFolder(std::string folder, const std::string& programFolder) {
  if (!folder.starts_with('/')) {
    if (folder.starts_with("./")) folder.erase(0, 2);
    folder = programFolder + folder;
  }
  if (!folder.ends_with('/')) folder += '/';
  return folder;
}

int RunCommandLineConversion(bool quiet, ConsoleRunContext& ctx) {
  SettingsStore& settings = ctx.settings;
  ProjectState& state = ctx.project.state;
  const RunPrinter out(ctx, quiet, state.modeMarker == "DEBUG");

  out.Status(out.Text("General", "Preparing"));

  // Input: one file given by path; the input folder stays empty on this path.
  const std::string& inputPath = state.commandLineInputPath;
  out.Debug("Input: " + inputPath);
  if (FileExtension(inputPath).empty()) return Fail(out, "Error: Invalid input file");
  state.currentInputPath = inputPath;
  if (!IsNonEmptyFile(inputPath)) return Fail(out, "Error: Invalid input file");

  // Output folder.
  std::string& folder = state.currentOutputFolder;
  if (folder.empty()) folder = InputFileFolder(inputPath, WorkingFolder());
  out.Debug("Output: " + folder);
  if (folder.starts_with("..")) return Fail(out, "Error: Incorrect output folder");
  folder = ResolveOutputFolder(folder, state.programFolder);
  if (!IsFolder(folder)) return Fail(out, "Error: Invalid output folder");

  // Formats.
  if (state.inputFormat.empty()) state.inputFormat = std::string(InputFormatList().front());
  if (state.outputExtension.empty()) state.outputExtension = std::string(OutputFormatList().front());
  const std::string format = state.outputExtension;
  out.Debug("Conversion: " + format);
  if (!IsOutputFormat(format)) return Fail(out, "Error: Invalid conversion type");
  out.Debug(InputFamilyListing(state.inputFormat));
  if (std::string error = CheckOutputFormat(format, settings, out); !error.empty()) {
    return Fail(out, error);
  }

  if (settings.Int("Transform", "Do Image Rotation") == 1) out.Debug(RotationListing());

  if (settings.Int("Transform", "Do Image Resize") == 1) {
    out.Debug(kWidth);
    if (settings.Int("Transform", "Image Width") == 0) return Fail(out, "Error: Invalid width value");
    out.Debug(kHeight);
    if (settings.Int("Transform", "Image Height") == 0) return Fail(out, "Error: Invalid height value");
    out.Debug(ResizeDetailsListing());
  }

  out.Debug(FlipListing());

  if (settings.Int("Adjustment", "Do Image Color Correction") == 1) {
    out.Debug(kBrightness);
    if (OutsidePercentRange(settings.Int("Adjustment", "Image Brightness"))) {
      return Fail(out, "Error: Invalid brightness value");
    }
    out.Debug(kContrast);
    if (OutsidePercentRange(settings.Int("Adjustment", "Image Contrast"))) {
      return Fail(out, "Error: Invalid contrast value");
    }
    out.Debug(kGamma);
    // Written so that NaN fails too: it would poison every value of the gamma curve.
    float gamma = settings.Float("Adjustment", "Image Gamma");
    if (!(gamma >= 0.01f && gamma <= 9.99f)) return Fail(out, "Error: Invalid gamma value");
    out.Debug(kInvert);
  }

  out.Debug(kGreyscale);
  if (settings.Int("Adjustment", "Do Image Threshold") == 1) out.Debug(kThreshold);
  if (settings.Int("Adjustment", "Do Image Dither") == 1) out.Debug(kDither);

  out.Debug(kFrame);
  if (settings.Int("Frame", "Do Frame") == 1) out.Debug(FrameDetailsListing());

  out.Debug(kWatermark);
  const int32_t watermark = settings.Int("Watermark", "Do Watermark");
  std::unique_ptr<WatermarkFont, decltype(&FreeWatermarkFont)> font(nullptr, &FreeWatermarkFont);
  if (watermark == 1) {
    out.Debug(TextWatermarkListing());
    // Loaded once here and shared read-only with the worker; freed when the run ends.
    font.reset(LoadWatermarkFont(settings));
    if (font == nullptr) return Fail(out, "Error: Invalid watermark font");
  } else if (watermark == 2) {
    out.Debug(ImageWatermarkListing());
    if (!IsNonEmptyFile(settings.Text("Watermark", "Image"))) {
      return Fail(out, "Error: Invalid watermark image");
    }
  }

  out.Debug(kFilenameMask);
  out.Debug(kFileTimestamp);
  if (settings.Int("Advanced", "File Timestamp") == 2) out.Debug(kCustomTimestamp);
  out.Debug(kKeepSubfolders);

  PrepareOutputFormat(format, settings, state);

  // Import: list files ("txt", "lst") are not read on this path, so they import nothing.
  out.Status(out.Text("General", "Importing"));
  int32_t total = 0;
  std::string extension = FileExtension(state.currentInputPath);
  if (extension != "txt" && extension != "lst") {
    total = AddInputFile(ctx.project, state.currentInputPath) ? 1 : 0;
  }
  out.Status(Substitute(out.Text("Msg", "Import complete"), std::to_string(total), {}, {}, {}));
  if (total == 0) {
    out.Line(out.Text("Msg", "Conversion is not complete"));
    out.Line(out.Text("Msg", "Empty input files"));
    return 1;
  }

  out.Status(out.Text("General", "Converting"));
  ConversionProgress progress;
  RunContext run{settings, ctx.project, progress, font.get(), ctx.console.printLine};
  int32_t converted = RunConversion(run);

  if (converted != 0) {
    out.Status(out.Text("Msg", "Conversion complete"));
    out.Status(Substitute(out.Text("Msg", "Files converted"), std::to_string(converted),
                          std::to_string(total), {}, {}));
  } else {
    out.Line(out.Text("Msg", "Conversion is not complete"));
  }
  return converted == total ? 0 : 1;
}

}  // namespace rondix
