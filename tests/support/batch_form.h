// A stand-in for the main window's controls, with settings, a project, the texts and
// dialogs that record what they were asked instead of showing anything. Header only (Qt).
#pragma once
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <string>
#include <vector>

#include "batch/batch_context.h"
#include "batch/input_selection.h"
#include "core/project.h"
#include "core/settings.h"
#include "storage/string_table.h"
#include "support/qt_app.h"

namespace rondix::fixture {

struct RecordedDialogs {
  std::vector<std::string> warnings;
  std::vector<std::string> questions;
  std::vector<std::string> opened;
  bool answer = false;        // the stop question's answer
  QString pickedFile;         // what the open-file dialog returns
  QString pickedFolder;       // what the folder dialog returns
  QStringList lastFilters;
  QString lastProposed;
  QString lastStart;
  std::function<void()> onQuestion;  // runs while the question is "open"
};

class BatchForm {
 public:
  BatchForm() {
    ResetSettings(settings, false);
    ResetProject(project);
    window.resize(400, 200);
    input = new QLineEdit(&window);
    folders = new QComboBox(&window);
    formats = new QComboBox(&window);
    status = new QLabel(&window);
    formats->addItem(QStringLiteral("PNG (Portable Network Graphics)"), 0);

    dialogs.warning = [this](QWidget*, const std::string& text) { log.warnings.push_back(text); };
    dialogs.info = [](QWidget*, const std::string&, const std::string&) {};
    dialogs.question = [this](QWidget*, const std::string&, const std::string& text) {
      log.questions.push_back(text);
      if (log.onQuestion) log.onQuestion();
      return log.answer;
    };
    dialogs.openFile = [this](QWidget*, const QString&, const QString& proposed,
                              const QStringList& filters) {
      log.lastProposed = proposed;
      log.lastFilters = filters;
      return log.pickedFile;
    };
    dialogs.chooseFolder = [this](QWidget*, const QString&, const QString& start) {
      log.lastStart = start;
      return log.pickedFolder;
    };
    dialogs.openExternal = [this](const std::string& target) { log.opened.push_back(target); };

    ctx.form.window = &window;
    ctx.form.inputField = input;
    ctx.form.outputFolders = folders;
    ctx.form.outputFormats = formats;
    ctx.form.statusField = status;
    ctx.form.folderIcon = [] { return QIcon(); };
    InstallDesktopInputHook(ctx);
  }
  ~BatchForm() { project.desktopInputHook = nullptr; }

  // The output folder list's shown text, as Convert reads it.
  void ShowFolder(const QString& folder) {
    folders->clear();
    folders->addItem(folder);
    folders->setCurrentIndex(0);
  }

  std::vector<std::string> FolderItems() const {
    std::vector<std::string> items;
    for (int i = 0; i < folders->count(); ++i) items.push_back(folders->itemText(i).toStdString());
    return items;
  }

  QApplication& app = TestApplication();  // before any widget
  SettingsStore settings;
  Project project;
  StringTable strings;
  DesktopDialogs dialogs;
  RecordedDialogs log;
  QWidget window;
  QLineEdit* input;
  QComboBox* folders;
  QComboBox* formats;
  QLabel* status;
  BatchContext ctx{settings, project, strings, dialogs, {}};
};

}  // namespace rondix::fixture
