#include "batch/progress_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace rondix {
namespace {

constexpr int kTextWidth = 280;  // width of the file label, in pixels

std::string TwoDigits(int64_t value) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%02lld", static_cast<long long>(value));
  return buffer;
}

}  // namespace

std::string FormatDuration(int64_t milliseconds) {
  if (milliseconds < 1000) return "00:00:00";
  int64_t s = milliseconds / 1000;
  int64_t m = 0, h = 0, d = 0;
  if (s >= 60) {
    m = s / 60;
    s %= 60;
    if (m >= 60) {
      h = m / 60;
      m %= 60;
      if (h >= 24) {
        d = h / 24;
        h %= 24;
      }
    }
  }
  std::string text = TwoDigits(h) + ":" + TwoDigits(m) + ":" + TwoDigits(s);
  if (d > 0) text = std::to_string(d) + "d:" + text;
  return text;
}

QString Shorten(const QString& text, int n) {
  // Counted in characters, not UTF-16 units, so a character is never cut in half.
  const QList<uint> chars = text.toUcs4();
  if (chars.isEmpty() || chars.size() <= n) return text;
  const qsizetype k = std::max(0, (n - 3) / 2);
  return QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.constData()), k) +
         QStringLiteral("...") +
         QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.constData() + chars.size() - k), k);
}

ProgressWindow::ProgressWindow(BatchContext& ctx, const WatermarkFont* font)
    : QDialog(ctx.form.window,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ctx_(ctx),
      run_{ctx.settings, ctx.project, progress_, font, {}} {
  total_ = static_cast<int32_t>(ctx.project.inputs.size());
  timeLine_ = total_ > 4;

  setWindowTitle(QStr(Text(ctx, "Dialog", "Convert Progress")));
  setWindowModality(Qt::ApplicationModal);  // the main window takes no input meanwhile
  setFixedSize(300, 130);

  fileLabel_ = new QLabel(this);
  fileLabel_->setGeometry(10, 13, kTextWidth, 20);
  timeLabel_ = new QLabel(this);
  timeLabel_->setGeometry(10, 33, kTextWidth, 20);
  timeLabel_->setText(QStr(Substitute(Text(ctx, "Dialog", "Time Remaining"),
                                      Text(ctx, "Dialog", "Time Unknown"), {}, {}, {})));
  bar_ = new QProgressBar(this);
  bar_->setGeometry(10, 60, kTextWidth, 20);
  bar_->setRange(0, total_ + 1);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  okButton_ = new QPushButton(QStr(Text(ctx, "Dialog", "OK")), this);
  okButton_->setGeometry(110, 95, 80, 25);
  okButton_->setDefault(true);
  okButton_->setEnabled(false);
  if (!timeLine_) {
    timeLabel_->hide();
    bar_->move(10, 50);
  }

  const int measured = QFontMetrics(this->font()).horizontalAdvance(QStringLiteral("abc123:\\-")) / 9;
  if (measured > 0) charWidth_ = measured;
  longestFileText_ = kTextWidth / charWidth_;

  poll_ = new QTimer(this);
  poll_->setInterval(kProgressPollMs);
  connect(poll_, &QTimer::timeout, this, &ProgressWindow::Poll);
  connect(okButton_, &QPushButton::clicked, this, [this] {
    if (!workerActive_) {
      closing_ = true;
      done(0);
    }
  });
}

ProgressWindow::~ProgressWindow() {
  if (workerActive_) {
    StopConversion(progress_);
    FinishConversion(run_, worker_);
  }
}

void ProgressWindow::Run() {
  StartConversion(run_, worker_);
  workerActive_ = true;
  poll_->start();
  exec();
  poll_->stop();
  if (workerActive_) {
    // Closed after the worker ended but before the poll saw it: nothing left to show.
    FinishConversion(run_, worker_);
    workerActive_ = false;
  }
  if (ctx_.form.window != nullptr) ctx_.form.window->activateWindow();
}

void ProgressWindow::Poll() {
  if (asking_ || !workerActive_) return;
  if (!ConversionEnded(worker_)) {
    int32_t started = 0;
    std::string file;
    int64_t lastFileTime = 0;
    {
      std::lock_guard<std::mutex> guard(progress_.lock);
      started = progress_.filesStarted;
      if (started > lastStarted_) {  // the path is copied only when it is shown
        file = progress_.currentFile;
        lastFileTime = progress_.lastFileTime;
      }
    }
    if (started > lastStarted_) ShowProgress(started, file, lastFileTime);
    return;
  }
  workerActive_ = false;
  FinishConversion(run_, worker_);  // joins the thread that has already returned
  ShowResult();
}

void ProgressWindow::ShowProgress(int32_t started, const std::string& file, int64_t lastFileTime) {
  lastStarted_ = started;
  setWindowTitle(QStr(Text(ctx_, "Dialog", "Convert Progress") + " " +
                      Substitute(Text(ctx_, "Msg", "Progress"), std::to_string(started),
                                 std::to_string(total_), {}, {})));
  QString shown = QStr(file);
  if (shown.toUcs4().size() * charWidth_ > kTextWidth) shown = Shorten(shown, longestFileText_);
  fileLabel_->setText(shown);
  if (timeLine_ && lastFileTime != 0) {
    timeLabel_->setText(QStr(Substitute(Text(ctx_, "Dialog", "Time Remaining"),
                                        FormatDuration(lastFileTime * (total_ - started + 1)), {},
                                        {}, {})));
  }
  bar_->setValue(started);
}

void ProgressWindow::ShowResult() {
  int32_t converted = 0;
  {
    std::lock_guard<std::mutex> guard(progress_.lock);
    converted = progress_.filesConverted;
    // A file that ends between two polls is still counted in the final title.
    lastStarted_ = std::max(lastStarted_, progress_.filesStarted);
  }
  const std::string count =
      Substitute(Text(ctx_, "Msg", "Progress"), std::to_string(lastStarted_), std::to_string(total_), {}, {});
  if (stopped_) {
    const std::string stoppedText = Text(ctx_, "Msg", "Conversion is not complete");
    SetStatus(ctx_, stoppedText);
    setWindowTitle(QStr(stoppedText + " " + count));
    fileLabel_->setText(QStr(stoppedText));
  } else {
    const std::string complete = Text(ctx_, "Msg", "Conversion complete");
    SetStatus(ctx_, complete);
    setWindowTitle(QStr(complete + " " + count));
    fileLabel_->setText(QStr(Substitute(Text(ctx_, "Msg", "Files converted"),
                                        std::to_string(converted), std::to_string(total_), {}, {})));
    timeLabel_->setText(QStr(Substitute(Text(ctx_, "Dialog", "Time Remaining"), "00:00:00", {}, {}, {})));
    bar_->setValue(total_ + 1);
  }
  okButton_->setEnabled(true);
  okButton_->setFocus();
}

void ProgressWindow::CloseRequest() {
  if (closing_) return;
  if (workerActive_ && !ConversionEnded(worker_)) {
    // The worker goes on with its file while the question is open; it takes no lock the
    // question needs, and a stop only takes effect between files anyway.
    asking_ = true;
    const bool stop = ctx_.dialogs.question &&
                      ctx_.dialogs.question(this, Text(ctx_, "Msg", "Warning"),
                                            Text(ctx_, "Msg", "Ask break conversion"));
    asking_ = false;
    if (stop) {
      stopped_ = true;
      StopConversion(progress_);
    }
    return;
  }
  closing_ = true;
  done(0);
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  event->ignore();  // only CloseRequest decides
  CloseRequest();
}

void ProgressWindow::reject() { CloseRequest(); }

}  // namespace rondix
