#include "ui/update_prompts.h"

#include <QApplication>
#include <QMessageBox>

#include "batch/batch_context.h"
#include "core/product.h"
#include "core/web_links.h"
#include "update/http_fetch.h"
#include "update/update_check.h"

namespace rondix {
namespace {

std::string Text(const StringTable& strings, std::string_view key) {
  return std::string(strings.GetText("Msg", key));
}

}  // namespace

UpdatePrompts ToolkitUpdatePrompts(const DesktopDialogs& dialogs) {
  UpdatePrompts p;
  p.ask = [](QWidget* parent, const std::string& title, const std::string& text) {
    return QMessageBox::question(parent, QStr(title), BoxText(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
  };
  p.info = [&dialogs](QWidget* parent, const std::string& title, const std::string& text) {
    if (dialogs.info) dialogs.info(parent, title, text);
  };
  p.error = [](QWidget* parent, const std::string& title, const std::string& text) {
    QMessageBox::critical(parent, QStr(title), BoxText(text), QMessageBox::Ok);
  };
  p.openExternal = [&dialogs](const std::string& target) {
    if (dialogs.openExternal) dialogs.openExternal(target);
  };
  p.fetch = [] {
    // The window cannot answer while this waits; the cursor says so.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::string fetched = Fetch(UpdateDataAddress(), UpdateUserAgent());
    QApplication::restoreOverrideCursor();
    return fetched;
  };
  return p;
}

void RunInteractiveUpdateCheck(QWidget* parent, const StringTable& strings,
                               const UpdatePrompts& prompts) {
  const std::string fetched = prompts.fetch ? prompts.fetch() : std::string();
  const UpdateBox box = InteractiveCheckBox(fetched, kVersionNumber);
  const std::string title = Text(strings, box.titleKey);
  const std::string text = Text(strings, box.textKey);
  switch (box.kind) {
    case UpdateBoxKind::Failure:
      if (prompts.error) prompts.error(parent, title, text);
      break;
    case UpdateBoxKind::NewVersion:
      if (prompts.ask && prompts.ask(parent, title, text) && prompts.openExternal) {
        prompts.openExternal(HomePageAddress());
      }
      break;
    case UpdateBoxKind::NoNewVersion:
      if (prompts.info) prompts.info(parent, title, text);
      break;
  }
}

bool RunScheduledUpdateCheck(QWidget* parent, SettingsStore& settings, const StringTable& strings,
                             const UpdatePrompts& prompts, const std::function<int32_t()>& clock) {
  return RunScheduledCheck(settings, clock, [&] {
    if (prompts.ask &&
        prompts.ask(parent, Text(strings, kAskCheckTitleKey), Text(strings, kAskCheckTextKey))) {
      RunInteractiveUpdateCheck(parent, strings, prompts);
    }
  });
}

}  // namespace rondix
