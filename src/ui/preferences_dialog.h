// The preferences dialog: nine category pages over the whole settings store, opened modal
// over the main window. OK stores every page, writes config.ini and lets the main window
// follow; Defaults (after a question) resets every setting instead; Cancel, Escape and the
// close box store nothing. Palette and font entries added through the pickers are written
// to the store at once and stay after a cancel.
#pragma once
#include <QDialog>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/project.h"
#include "core/settings.h"
#include "storage/string_table.h"
#include "ui/image_sets.h"
#include "ui/preferences_pickers.h"
#include "ui/preferences_rows.h"
#include "ui/theme_registry.h"

class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace rondix {

struct PreferencesContext {
  SettingsStore& settings;
  ProjectState& project;  // preferencesStartPage (read and reset), uiRefreshRequest (set)
  const StringTable& strings;
  const ImageSets* images = nullptr;  // for the format lists' icon; none: no icon
  ThemeRegistry themes;               // as discovered; the theme list offers ListedThemes()
  PreferencesPickers pickers;
  // The main window's refresh after OK or Defaults; it consumes project.uiRefreshRequest
  // and selects `outputFormatPosition` in its own format list. Without one the request
  // stays in the project state.
  std::function<void(int outputFormatPosition)> refreshMainWindow;
};

enum class PreferencesOutcome { Cancelled, Applied, ResetToDefaults };

// Opens the dialog on the project's start page, runs it modally and returns how it ended.
PreferencesOutcome RunPreferencesDialog(QWidget* parent, PreferencesContext& ctx);

class PreferencesDialog : public QDialog {
  Q_OBJECT

 public:
  // Builds every page, fills it from the store, applies the dependencies, shows the start
  // page and sets the start page back to 0. The dialog is not shown yet.
  PreferencesDialog(PreferencesContext& ctx, QWidget* parent = nullptr);
  ~PreferencesDialog() override;

  PreferencesOutcome outcome() const { return outcome_; }

  // OK: refresh request, store every page, write config.ini, refresh, close.
  void Apply();
  // Defaults: asks first; on Yes resets every setting, writes config.ini, refreshes, closes.
  void AskDefaults();

  void ShowPage(int index);
  int currentPage() const;

  // For tests and pictures of the dialog.
  const PreferencesRow* Row(std::string_view group, std::string_view key) const;
  QWidget* Area(std::string_view id) const;  // "frame", "text", "image"
  QWidget* SubPage(std::string_view group, std::string_view format) const;  // "Input"/"Output"
  QListWidget* categoryList() const { return categories_; }
  QLabel* pageTitle() const { return title_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }
  QPushButton* defaultsButton() const { return defaults_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildPages();
  void BuildRows(QWidget* parent, std::span<const RowSpec> rows, int first = 0);
  void BuildSubPages(QWidget* page, std::string_view group, std::span<const SubPageSpec> pages);
  void FillAll();
  void ConnectDependencies();
  void ApplyDependencies(std::string_view group, std::string_view key);
  void ShowSubPage(std::string_view group);
  void ConnectPickers();
  void PickButtonColor(PreferencesRow& row);
  void PickListColor(PreferencesRow& row);
  void PickFont();
  void PickWatermarkImage();
  void StoreAll();
  void SetRefreshRequest(int32_t iconSize, const std::string& themeKey);
  void Finish(PreferencesOutcome outcome);
  PreferencesRow* FindRow(std::string_view group, std::string_view key);

  PreferencesContext& ctx_;
  std::vector<ThemeEntry> listedThemes_;
  std::vector<PreferencesRow> rows_;  // in page order: what OK stores, in that order
  std::vector<size_t> pageEnds_;      // rows_ of page i end at pageEnds_[i]
  std::map<std::string, size_t, std::less<>> rowIndex_;  // RowName -> rows_
  std::map<std::string, QWidget*, std::less<>> areas_;
  std::map<std::string, QWidget*, std::less<>> subPages_;  // "Group/format"
  PreferencesOutcome outcome_ = PreferencesOutcome::Cancelled;

  QListWidget* categories_ = nullptr;
  QLabel* title_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  QPushButton* defaults_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace rondix
