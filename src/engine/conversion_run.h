// Starting, stopping and waiting for the worker of a run; shared by the console run and the
// desktop progress window.
#pragma once
#include <atomic>
#include <cstdint>
#include <thread>

#include "engine/run_context.h"

namespace rondix {

// The worker thread of one run. The RunContext given to StartConversion must outlive it.
struct ConversionWorker {
  std::thread thread;
  std::atomic<bool> ended{false};

  ConversionWorker() = default;
  ConversionWorker(const ConversionWorker&) = delete;
  ConversionWorker& operator=(const ConversionWorker&) = delete;
  // A worker still running is waited for, never abandoned with the context it uses.
  ~ConversionWorker();
};

// Resets ctx.progress (nothing started, running 1) and starts ConvertFiles on a new thread.
// The driver has filled the InputList and the run fields of ProjectState before.
void StartConversion(RunContext& ctx, ConversionWorker& worker);

// True once ConvertFiles has returned; for drivers that poll.
bool ConversionEnded(const ConversionWorker& worker);

// Asks the worker to stop after the file it is working on.
void StopConversion(ConversionProgress& progress);

// Waits for the worker to end and returns the number of files converted.
int32_t FinishConversion(RunContext& ctx, ConversionWorker& worker);

// Start and wait: the blocking run of the console.
int32_t RunConversion(RunContext& ctx);

}  // namespace rondix
