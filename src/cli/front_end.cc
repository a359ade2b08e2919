#include "cli/front_end.h"

#include <random>

#include "cli/apply_option.h"
#include "cli/console_run.h"
#include "cli/exit_status.h"
#include "cli/help_text.h"
#include "core/formats.h"
#include "core/product.h"
#include "core/text.h"
#include "storage/string_table.h"

namespace rondix {
namespace {

// Any entry of the input list may stand in the help's examples.
std::string_view RandomInputFormat() {
  std::span<const std::string_view> formats = InputFormatList();
  std::random_device random;
  return formats[std::uniform_int_distribution<size_t>(0, formats.size() - 1)(random)];
}

FrontEndOutcome Finished(int status) { return {FrontEndNext::Exit, status, {}}; }

}  // namespace

std::vector<std::string> BannerLines() {
  return {TitleText(), ReplaceAll(kMakerNotice, "\u00A9", "(c)"), std::string(kMakerSite), " "};
}

FrontEndOutcome CommandLineFrontEnd(Parameters params, FrontEndContext& ctx) {
  if (params.empty()) return {FrontEndNext::Desktop, 0, {}};

  ResetProject(ctx.project);
  ResetSettings(ctx.settings, /*forCommandLine=*/true);
  const StringTable strings;
  const ConsoleIo& console = ctx.console;

  // Commands that only the first parameter can give.
  const std::string first = OptionName(params, 0);
  if (first == "-U") return {FrontEndNext::UninstallPrompt, 0, {}};
  if (first == "-T") {
    ctx.project.state.modeMarker = std::string("T");  // moved in: GCC 12 misreads a literal copy here
    return {FrontEndNext::ScreenshotMode, 0, OptionValue(params, 1)};
  }
  if (first == "-V" || first == "--VERSION") {
    console.setTitle(TitleText());
    console.printLine(VersionText(kVersionNumber));
    return Finished(kExitSuccess);
  }
  if (first == "-H" || first == "-?" || first == "--HELP") {
    console.setTitle(TitleText());
    for (const std::string& line : HelpLines(ctx.programName, RandomInputFormat())) {
      console.printLine(line);
    }
    return Finished(kExitSuccess);
  }

  // Options, strictly left to right; the first failure ends the loop.
  FrontEndFlags flags;
  OptionContext options{params, ctx.settings, ctx.project.state, flags};
  std::string error;
  for (int index = 0; index < static_cast<int>(params.size()) && error.empty();) {
    OptionResult result = ApplyOption(options, OptionName(params, index), index);
    index = result.nextIndex;
    error = std::move(result.error);
  }

  if (!error.empty()) {
    console.setTitle(TitleText());
    console.printLine("Error: " + error);
    if (flags.pause) console.waitForKey();
    return Finished(kExitOptionError);
  }

  if (ctx.project.state.consoleRun == 0) return {FrontEndNext::Desktop, 0, {}};

  console.setTitle(TitleText());
  if (!flags.quiet) {
    for (const std::string& line : BannerLines()) console.printLine(line);
  }
  ConsoleRunContext run{ctx.settings, ctx.project, strings, console};
  int status = RunCommandLineConversion(flags.quiet, run);
  if (flags.pause) {
    console.printLine("Press any key to exit.");
    console.waitForKey();
  }
  return Finished(status);
}

}  // namespace rondix
