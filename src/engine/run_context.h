// What the worker of a run shares with its driver, and the records it works on.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "core/project.h"
#include "core/settings.h"

namespace rondix {

struct WatermarkFont;  // draw/watermark_font.h

// Progress of a run. The three progress fields and filesConverted are read and written
// under `lock`; the driver clears `running` (under the lock) to stop after the current file.
struct ConversionProgress {
  std::mutex lock;
  int32_t filesStarted = 0;
  std::string currentFile;
  int64_t lastFileTime = 0;  // ms of the previous file; >= 1000 on success, 0 on failure
  int32_t filesConverted = 0;
  std::atomic<int8_t> running{0};

  // Back to the start values of a run: nothing started, running.
  void Reset() {
    std::lock_guard<std::mutex> guard(lock);
    filesStarted = 0;
    currentFile.clear();
    lastFileTime = 0;
    filesConverted = 0;
    running = 1;
  }
};

// Everything one run reads and writes. The driver owns all of it and keeps it unchanged
// (apart from `progress`) while the worker runs.
struct RunContext {
  const SettingsStore& settings;
  Project& project;
  ConversionProgress& progress;
  const WatermarkFont* font = nullptr;  // loaded by the driver when a text watermark is on
  // Prints one console line (debug mode of the console run); may be empty.
  std::function<void(const std::string&)> printLine;
};

}  // namespace rondix
