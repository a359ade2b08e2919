#include "ui/preferences_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>

#include <algorithm>

#include "core/formats.h"
#include "core/text.h"
#include "engine/color_parse.h"
#include "storage/config_file.h"
#include "ui/preferences_values.h"

namespace rondix {
namespace {

constexpr QSize kWindowSize(600, 350);
constexpr QRect kCategoryList(10, 10, 120, 295);
constexpr QRect kTitleStrip(140, 10, 450, 30);
constexpr QRect kPageTitle(10, 7, 330, 20);  // (150, 17) in the window
constexpr QRect kPageArea(140, 50, 450, 255);
constexpr QRect kDefaultsButton(10, 315, 80, 25);
constexpr QRect kOkButton(420, 315, 80, 25);
constexpr QRect kCancelButton(510, 315, 80, 25);
constexpr QRect kWholePage(0, 0, 450, 255);
constexpr QRect kBelowSelector(0, 40, 450, 215);  // sub-pages and scrolling areas
constexpr int kContentWidth = 420;
constexpr int kScrollStep = 10;
constexpr int kTitlePoints = 10;

struct ImageFilter {
  std::string_view label;  // fixed English
  std::string_view patterns;
};

constexpr ImageFilter kWatermarkImageFilters[] = {
    {"Portable Network Graphics", "*.png"},
    {"Windows or OS/2 Bitmap", "*.bmp;*.rle;*.dib"},
    {"JPEG File", "*.jpg;*.jpeg;*.jpe;*.jif"},
};

QString Qs(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

QString QtFilter(std::string_view label, std::string_view patterns) {
  return Qs(label) + QStringLiteral(" (") + Qs(ReplaceAll(patterns, ";", " ")) +
         QStringLiteral(")");
}

// All supported files first, then each format, then every file.
QStringList WatermarkImageFilters(const StringTable& strings) {
  std::string all;
  for (const ImageFilter& filter : kWatermarkImageFilters) {
    all += (all.empty() ? "" : ";") + std::string(filter.patterns);
  }
  QStringList filters{QtFilter(strings.GetText("Dialog", "All Supported Files"), all)};
  for (const ImageFilter& filter : kWatermarkImageFilters)
    filters << QtFilter(filter.label, filter.patterns);
  // "*" rather than "*.*": on Linux a file needs no extension.
  filters << QtFilter(strings.GetText("Dialog", "All Files"), "*");
  return filters;
}

QColor ToQColor(std::string_view hex) {
  const RGBQUAD c = ParseColor(hex);
  return QColor(c.rgbRed, c.rgbGreen, c.rgbBlue);
}

std::string HexOf(const QColor& color) {
  RGBQUAD c{};
  c.rgbRed = static_cast<BYTE>(color.red());
  c.rgbGreen = static_cast<BYTE>(color.green());
  c.rgbBlue = static_cast<BYTE>(color.blue());
  return ColorHex(c);
}

std::string Name(std::string_view group, std::string_view key) {
  return std::string(group) + "/" + std::string(key);
}

QScrollArea* ScrollingArea(QWidget* parent, QRect box, int contentHeight, QWidget** content) {
  auto* area = new QScrollArea(parent);
  area->setGeometry(box);
  area->setFrameShape(QFrame::NoFrame);
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area->verticalScrollBar()->setSingleStep(kScrollStep);
  *content = new QWidget;
  (*content)->setFixedSize(kContentWidth, contentHeight);
  area->setWidget(*content);
  return area;
}

}  // namespace

PreferencesOutcome RunPreferencesDialog(QWidget* parent, PreferencesContext& ctx) {
  PreferencesOutcome outcome;
  {
    PreferencesDialog dialog(ctx, parent);
    dialog.exec();
    outcome = dialog.outcome();
  }
  if (parent != nullptr) parent->activateWindow();
  return outcome;
}

PreferencesDialog::PreferencesDialog(PreferencesContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      ctx_(ctx),
      listedThemes_(ListedThemes(ctx.themes)) {
  setWindowTitle(Qs(ctx_.strings.GetText("Preferences", "Title")));
  setFixedSize(kWindowSize);
  setModal(true);

  categories_ = new QListWidget(this);
  categories_->setGeometry(kCategoryList);
  // The selection stays as visible when the list loses the focus.
  QPalette listPalette = categories_->palette();
  for (auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
    listPalette.setColor(QPalette::Inactive, role, listPalette.color(QPalette::Active, role));
  }
  categories_->setPalette(listPalette);

  auto* strip = new QFrame(this);
  strip->setGeometry(kTitleStrip);
  strip->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  strip->setLineWidth(1);
  strip->setAutoFillBackground(true);
  QPalette white = strip->palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::WindowText, Qt::black);
  strip->setPalette(white);
  title_ = new QLabel(strip);
  title_->setGeometry(kPageTitle);
  title_->setAutoFillBackground(true);
  title_->setPalette(white);
  QFont titleFont = font();
  titleFont.setPointSize(kTitlePoints);
  titleFont.setBold(true);
  title_->setFont(titleFont);

  pages_ = new QStackedWidget(this);
  pages_->setGeometry(kPageArea);

  defaults_ = new QPushButton(Qs(ctx_.strings.GetText("Dialog", "Defaults")), this);
  defaults_->setGeometry(kDefaultsButton);
  defaults_->setAutoDefault(false);
  ok_ = new QPushButton(Qs(ctx_.strings.GetText("Dialog", "OK")), this);
  ok_->setGeometry(kOkButton);
  ok_->setDefault(true);
  cancel_ = new QPushButton(Qs(ctx_.strings.GetText("Dialog", "Cancel")), this);
  cancel_->setGeometry(kCancelButton);
  cancel_->setAutoDefault(false);

  BuildPages();
  FillAll();
  ConnectDependencies();
  ConnectPickers();

  connect(categories_, &QListWidget::currentRowChanged, this, [this](int row) { ShowPage(row); });
  connect(ok_, &QPushButton::clicked, this, [this] { Apply(); });
  connect(defaults_, &QPushButton::clicked, this, [this] { AskDefaults(); });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);  // also Escape, close box

  ShowPage(ctx_.project.preferencesStartPage);
  // The next opening shows "General" unless the caller asks for another page again.
  ctx_.project.preferencesStartPage = 0;
}

PreferencesDialog::~PreferencesDialog() = default;

void PreferencesDialog::BuildPages() {
  for (const PageSpec& page : PreferencesPages()) {
    categories_->addItem(Qs(ctx_.strings.GetText("Preferences", page.title)));
    auto* widget = new QWidget;
    widget->setObjectName(Qs(page.title));
    pages_->addWidget(widget);
    switch (page.shape) {
      case PageShape::Plain:
        BuildRows(widget, page.rows);
        break;
      case PageShape::Scrolling: {
        QWidget* content = nullptr;
        ScrollingArea(widget, kWholePage, page.contentHeight, &content);
        BuildRows(content, page.rows);
        break;
      }
      case PageShape::Formats:
        BuildRows(widget, page.rows);
        BuildSubPages(widget, page.rows.front().group,
                      page.rows.front().group == "Input" ? InputSubPages() : OutputSubPages());
        break;
      case PageShape::Selector:
        BuildRows(widget, page.rows);
        for (const AreaSpec& area : page.areas) {
          QWidget* content = nullptr;
          QScrollArea* scroll = ScrollingArea(widget, kBelowSelector, area.contentHeight, &content);
          scroll->setObjectName(Qs(area.id));
          areas_.emplace(std::string(area.id), scroll);
          BuildRows(content, area.rows);
        }
        break;
    }
    pageEnds_.push_back(rows_.size());
  }
}

void PreferencesDialog::BuildRows(QWidget* parent, std::span<const RowSpec> rows, int first) {
  int position = first;
  for (const RowSpec& desc : rows) {
    rowIndex_.emplace(RowName(desc), rows_.size());
    rows_.push_back(BuildRow(parent, position++, desc, ctx_.strings));
  }
}

void PreferencesDialog::BuildSubPages(QWidget* page, std::string_view group,
                                      std::span<const SubPageSpec> subPages) {
  for (const SubPageSpec& subPage : subPages) {
    auto* widget = new QWidget(page);
    widget->setGeometry(kBelowSelector);
    widget->setObjectName(Qs(Name(group, subPage.format)));
    subPages_.emplace(Name(group, subPage.format), widget);
    const bool hasBitDepth = !subPage.bitDepth.label.empty();
    if (hasBitDepth) BuildRows(widget, std::span(&subPage.bitDepth, 1));
    BuildRows(widget, subPage.rows, hasBitDepth ? 1 : 0);
  }
}

void PreferencesDialog::FillAll() {
  const RowSources sources{ctx_.strings, listedThemes_, ctx_.images};
  for (PreferencesRow& row : rows_) {
    if (!row.desc->group.empty() || row.desc->kind == RowKind::FixedDropDown) {
      FillRow(row, ctx_.settings, sources);
    }
  }
}

void PreferencesDialog::ConnectDependencies() {
  std::vector<std::string> done;
  for (const DependencySpec& dependency : PreferencesDependencies()) {
    const std::string name = Name(dependency.group, dependency.key);
    if (std::find(done.begin(), done.end(), name) != done.end()) continue;
    done.push_back(name);
    PreferencesRow* steering = FindRow(dependency.group, dependency.key);
    if (steering == nullptr) continue;
    auto apply = [this, group = dependency.group, key = dependency.key] {
      ApplyDependencies(group, key);
    };
    if (steering->check != nullptr) connect(steering->check, &QCheckBox::toggled, this, apply);
    if (steering->list != nullptr)
      connect(steering->list, &QComboBox::currentIndexChanged, this, apply);
    apply();  // the dialog opens consistent with the filled values
  }
}

void PreferencesDialog::ApplyDependencies(std::string_view group, std::string_view key) {
  for (const DependencySpec& dependency : PreferencesDependencies()) {
    if (dependency.group != group || dependency.key != key) continue;
    if (dependency.effect == Effect::SubPage) {
      ShowSubPage(group);
      continue;
    }
    const int value = SteeringValue(*FindRow(group, key));
    const bool on = value >= 0 && value < 32 && ((dependency.when >> value) & 1u) != 0;
    if (dependency.targetGroup.empty()) {
      if (QWidget* area = Area(dependency.targetKey)) area->setVisible(on);
    } else if (PreferencesRow* target = FindRow(dependency.targetGroup, dependency.targetKey)) {
      if (dependency.effect == Effect::Enable) {
        SetRowEnabled(*target, on);
      } else {
        SetRowShown(*target, on);
      }
    }
  }
}

void PreferencesDialog::ShowSubPage(std::string_view group) {
  const PreferencesRow* list = FindRow(group, "Format");
  const auto formats = group == "Input" ? InputFormatList() : OutputFormatList();
  std::string shown;
  if (list != nullptr && list->list->currentIndex() >= 0) {
    const int position = list->list->currentData().toInt();
    if (position >= 0 && position < static_cast<int>(formats.size())) {
      shown = Name(group, formats[static_cast<size_t>(position)]);
    }
  }
  const std::string prefix = std::string(group) + "/";
  for (const auto& [name, widget] : subPages_) {
    if (name.starts_with(prefix)) widget->setVisible(name == shown);
  }
}

void PreferencesDialog::ConnectPickers() {
  for (size_t i = 0; i < rows_.size(); ++i) {
    PreferencesRow& row = rows_[i];
    switch (row.desc->kind) {
      case RowKind::ColorButton:
        connect(row.button, &QPushButton::clicked, this, [this, i] { PickButtonColor(rows_[i]); });
        break;
      case RowKind::ColorList:
        connect(row.button, &QPushButton::clicked, this, [this, i] { PickListColor(rows_[i]); });
        break;
      case RowKind::FontList:
        connect(row.button, &QPushButton::clicked, this, [this] { PickFont(); });
        break;
      case RowKind::ImagePath:
        connect(row.button, &QPushButton::clicked, this, [this] { PickWatermarkImage(); });
        break;
      default:
        break;
    }
  }
}

void PreferencesDialog::PickButtonColor(PreferencesRow& row) {
  if (!ctx_.pickers.pickColor) return;
  const QColor preset = ToQColor(row.field->text().toStdString());
  const std::optional<QColor> picked = ctx_.pickers.pickColor(this, preset);
  if (!picked || !picked->isValid() || picked->rgb() == preset.rgb()) return;
  ShowRowColor(row, HexOf(*picked));
}

void PreferencesDialog::PickListColor(PreferencesRow& row) {
  if (!ctx_.pickers.pickColor) return;
  const QColor preset = ToQColor(row.list->currentData().toString().toStdString());
  const std::optional<QColor> picked = ctx_.pickers.pickColor(this, preset);
  if (!picked || !picked->isValid()) return;
  const std::string hex = HexOf(*picked);
  int position = FindColorEntry(row.list, hex);
  if (position < 0) {
    position = AddColorEntry(row.list, hex, ctx_.strings);
    // The palette keeps the new colour even if the dialog is cancelled.
    const RowSpec& desc = *row.desc;
    ctx_.settings.SetText(desc.group, desc.extra,
                          ctx_.settings.Text(desc.group, desc.extra) + "," + hex);
  }
  row.list->setCurrentIndex(position);
}

void PreferencesDialog::PickFont() {
  PreferencesRow* fonts = FindRow("Watermark", "Font");
  PreferencesRow* size = FindRow("Watermark", "Font Size");
  PreferencesRow* style = FindRow("Watermark", "Font Style");
  if (!ctx_.pickers.pickFont || fonts == nullptr || size == nullptr || style == nullptr) return;
  const std::optional<PickedFont> picked = ctx_.pickers.pickFont(
      this, fonts->list->currentText(), LeadingInteger(size->field->text().toStdString()));
  if (!picked) return;

  // Commas would split the name in "Fonts"; line breaks would break config.ini.
  const std::string name = CleanText(ReplaceAll(picked->family.toStdString(), ",", ""));
  if (name.empty()) return;
  const std::vector<std::string> known = FontEntries(ctx_.settings.Text("Watermark", "Fonts"));
  if (std::find(known.begin(), known.end(), name) == known.end()) {
    ctx_.settings.SetText("Watermark", "Fonts",
                          AppendListEntry(ctx_.settings.Text("Watermark", "Fonts"), name));
  }
  int position = fonts->list->findText(Qs(name), Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (position < 0) {
    fonts->list->addItem(Qs(name));
    position = fonts->list->count() - 1;
  }
  fonts->list->setCurrentIndex(position);
  size->field->setText(QString::number(picked->points));

  // An underlined or struck-out pick matches no style and leaves the style as it was.
  const int stylePosition = FontStylePosition(
      FontStyleValue(picked->weight, picked->italic, picked->underline, picked->strikeOut));
  if (stylePosition >= 0) style->list->setCurrentIndex(stylePosition);
}

void PreferencesDialog::PickWatermarkImage() {
  PreferencesRow* image = FindRow("Watermark", "Image");
  if (!ctx_.pickers.openFile || image == nullptr) return;
  const QString chosen = ctx_.pickers.openFile(
      this, Qs(ctx_.strings.GetText("Dialog", "Select Watermark Image")),
      Qs(TrimBlanks(image->field->text().toStdString())), WatermarkImageFilters(ctx_.strings));
  if (!chosen.isEmpty()) image->field->setText(chosen);
}

void PreferencesDialog::StoreAll() {
  const auto pages = PreferencesPages();
  size_t next = 0;
  for (size_t page = 0; page < pages.size(); ++page) {
    for (; next < pageEnds_[page]; ++next) StoreRow(rows_[next], ctx_.settings);
    if (pages[page].title == "Adjustment") {
      // Derived from the page just stored; it has no control of its own.
      const SettingsStore& s = ctx_.settings;
      const bool correct = NeedsColorCorrection(
          s.Int("Adjustment", "Image Brightness"), s.Int("Adjustment", "Image Contrast"),
          s.Float("Adjustment", "Image Gamma"), s.Int("Adjustment", "Image Invert"));
      ctx_.settings.SetInt("Adjustment", "Do Image Color Correction", correct ? 1 : 0);
    }
  }
}

void PreferencesDialog::SetRefreshRequest(int32_t iconSize, const std::string& themeKey) {
  const int32_t request = RefreshRequestFor(ctx_.settings.Int("Interface", "UI Size"), iconSize,
                                            ctx_.settings.Text("Interface", "UI Theme"), themeKey);
  if (request != 0) ctx_.project.uiRefreshRequest = request;
}

void PreferencesDialog::Apply() {
  SetRefreshRequest(SelectedPosition(*FindRow("Interface", "UI Size")),
                    SelectedThemeKey(*FindRow("Interface", "UI Theme")));
  StoreAll();
  SaveSettings(ctx_.settings);
  Finish(PreferencesOutcome::Applied);
}

void PreferencesDialog::AskDefaults() {
  if (!ctx_.pickers.askYesNo) return;
  if (!ctx_.pickers.askYesNo(this, Qs(ctx_.strings.GetText("Msg", "Reset to Defaults")),
                             Qs(ctx_.strings.GetText("Msg", "Ask reset to defaults")))) {
    return;
  }
  const int32_t iconSize = SelectedPosition(*FindRow("Interface", "UI Size"));
  const std::string themeKey = SelectedThemeKey(*FindRow("Interface", "UI Theme"));
  ResetSettings(ctx_.settings, false);
  SetRefreshRequest(iconSize, themeKey);
  SaveSettings(ctx_.settings);
  Finish(PreferencesOutcome::ResetToDefaults);
}

void PreferencesDialog::Finish(PreferencesOutcome outcome) {
  if (ctx_.refreshMainWindow)
    ctx_.refreshMainWindow(FindRow("Output", "Format")->list->currentIndex());
  outcome_ = outcome;
  accept();
}

void PreferencesDialog::ShowPage(int index) {
  if (index < 0 || index >= pages_->count()) index = 0;
  pages_->setCurrentIndex(index);
  title_->setText(categories_->item(index)->text());
  if (categories_->currentRow() != index) categories_->setCurrentRow(index);
}

int PreferencesDialog::currentPage() const { return pages_->currentIndex(); }

void PreferencesDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  categories_->setFocus();
}

const PreferencesRow* PreferencesDialog::Row(std::string_view group, std::string_view key) const {
  const auto it = rowIndex_.find(Name(group, key));
  return it == rowIndex_.end() ? nullptr : &rows_[it->second];
}

PreferencesRow* PreferencesDialog::FindRow(std::string_view group, std::string_view key) {
  return const_cast<PreferencesRow*>(Row(group, key));
}

QWidget* PreferencesDialog::Area(std::string_view id) const {
  const auto it = areas_.find(id);
  return it == areas_.end() ? nullptr : it->second;
}

QWidget* PreferencesDialog::SubPage(std::string_view group, std::string_view format) const {
  const auto it = subPages_.find(Name(group, format));
  return it == subPages_.end() ? nullptr : it->second;
}

}  // namespace rondix
