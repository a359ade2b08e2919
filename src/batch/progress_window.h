// The modal window of a desktop run: starts the worker, polls its progress every 15 ms,
// shows the current file, the count and the time left, asks before stopping, and shows the
// result until the user closes it.
#pragma once
#include <QDialog>

#include <cstdint>
#include <memory>
#include <string>

#include "batch/batch_context.h"
#include "engine/conversion_run.h"
#include "engine/run_context.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace rondix {

// Milliseconds as "hh:mm:ss", with "Nd:" in front from one day on; "00:00:00" below a second.
std::string FormatDuration(int64_t milliseconds);

// The first and last (n - 3) / 2 characters with "..." between, when the text is longer
// than n characters; otherwise the text unchanged.
QString Shorten(const QString& text, int n);

inline constexpr int kProgressPollMs = 15;

class ProgressWindow : public QDialog {
  Q_OBJECT

 public:
  ProgressWindow(BatchContext& ctx, const WatermarkFont* font);
  ~ProgressWindow() override;

  // Shows the window, starts the worker and returns when the window has closed.
  void Run();

  // For tests and the main window's look.
  QLabel* fileLabel() const { return fileLabel_; }
  QLabel* timeLabel() const { return timeLabel_; }
  QProgressBar* bar() const { return bar_; }
  QPushButton* okButton() const { return okButton_; }
  int characterWidth() const { return charWidth_; }
  bool workerActive() const { return workerActive_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;  // Escape is a close request too

 private:
  void Poll();
  void CloseRequest();
  void ShowProgress(int32_t started, const std::string& file, int64_t lastFileTime);
  void ShowResult();

  BatchContext& ctx_;
  ConversionProgress progress_;
  RunContext run_;
  ConversionWorker worker_;
  bool workerActive_ = false;
  int32_t total_ = 0;
  bool timeLine_ = false;
  int32_t lastStarted_ = 0;
  bool stopped_ = false;
  bool closing_ = false;
  bool asking_ = false;  // the stop question is open: the poll waits for the answer
  int charWidth_ = 7;
  int longestFileText_ = 40;

  QLabel* fileLabel_ = nullptr;
  QLabel* timeLabel_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QTimer* poll_ = nullptr;
};

}  // namespace rondix
