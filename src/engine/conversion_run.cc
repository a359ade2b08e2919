#include "engine/conversion_run.h"

#include <mutex>

#include "engine/pipeline.h"

namespace rondix {

ConversionWorker::~ConversionWorker() {
  if (thread.joinable()) thread.join();
}

void StartConversion(RunContext& ctx, ConversionWorker& worker) {
  if (worker.thread.joinable()) worker.thread.join();  // at most one run at a time
  ctx.progress.Reset();
  worker.ended = false;
  worker.thread = std::thread([&ctx, &worker] {
    ConvertFiles(ctx);
    worker.ended = true;
  });
}

bool ConversionEnded(const ConversionWorker& worker) { return worker.ended.load(); }

void StopConversion(ConversionProgress& progress) {
  std::lock_guard<std::mutex> guard(progress.lock);
  progress.running = 0;
}

int32_t FinishConversion(RunContext& ctx, ConversionWorker& worker) {
  if (worker.thread.joinable()) worker.thread.join();
  std::lock_guard<std::mutex> guard(ctx.progress.lock);
  return ctx.progress.filesConverted;
}

int32_t RunConversion(RunContext& ctx) {
  ConversionWorker worker;
  StartConversion(ctx, worker);
  return FinishConversion(ctx, worker);
}

}  // namespace rondix
