#include "ui/preferences_rows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QTimeZone>

#include <algorithm>
#include <limits>

#include "core/formats.h"
#include "core/text.h"
#include "engine/color_parse.h"
#include "ui/preferences_controls.h"
#include "ui/preferences_values.h"

namespace rondix {
namespace {

// Row grid: rows every 30 pixels from y 10; labels at x 10, 3 pixels lower than the control.
constexpr int kRowTop = 10;
constexpr int kRowStep = 30;
constexpr QRect kLabel(10, 3, 160, 20);
constexpr int kControlX = 170;
constexpr QSize kDropDown(240, 21);
constexpr QSize kCheckBox(240, 20);
constexpr QSize kNumberField(160, 20);
constexpr QRect kUnitList(340, -1, 70, 21);
constexpr QSize kSlider(170, 20);
constexpr QRect kSpinner(340, 0, 70, 20);
constexpr QRect kColorButton(170, -1, 44, 22);
constexpr QSize kButtonSwatch(34, 12);
constexpr QRect kColorField(220, 0, 190, 20);
constexpr QSize kPickerList(214, 21);
constexpr QRect kBrowseButton(389, -1, 22, 22);
constexpr QSize kWideText(240, 20);
constexpr QSize kNarrowText(214, 20);
constexpr QSize kDateTime(240, 21);
constexpr QSize kListSwatch(16, 16);
constexpr int kMaxNumberChars = 11;  // a sign and ten digits

QString Qs(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

QString Text(const StringTable& strings, std::string_view key) {
  return Qs(strings.GetText("Preferences", key));
}

template <typename W>
W* Place(QWidget* parent, int y, QRect box, const std::string& name) {
  auto* widget = new W(parent);
  widget->setGeometry(box.translated(0, y));
  widget->setObjectName(QString::fromStdString(name));
  return widget;
}

QRect At(int x, QSize size) { return QRect(QPoint(x, 0), size); }

QComboBox* AddList(PreferencesRow& row, QWidget* parent, int y, QSize size,
                   const std::string& name) {
  row.list = Place<QComboBox>(parent, y, At(kControlX, size), name);
  row.parts.push_back(row.list);
  return row.list;
}

void AddEntries(QComboBox* list, std::span<const std::string_view> keys,
                const StringTable& strings) {
  for (std::string_view key : keys) list->addItem(Text(strings, key));
}

void AddNumberField(PreferencesRow& row, QWidget* parent, int y, const std::string& name) {
  row.field = Place<QLineEdit>(parent, y, At(kControlX, kNumberField), name);
  // Digits, and a leading minus so offsets set on the command line can still be edited.
  row.field->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]*")), row.field));
  row.field->setMaxLength(kMaxNumberChars);
  row.parts.push_back(row.field);
  row.unit = Place<QComboBox>(parent, y, kUnitList, name + "/unit");
  row.parts.push_back(row.unit);
}

void AddBrowseButton(PreferencesRow& row, QWidget* parent, int y, const std::string& name) {
  row.button = Place<QPushButton>(parent, y, kBrowseButton, name + "/button");
  row.button->setText(QStringLiteral("..."));
  row.button->setAutoDefault(false);
  row.parts.push_back(row.button);
}

QIcon FormatIcon(const RowSources& sources) {
  if (sources.images == nullptr) return {};
  const QImage image = MenuIcon(*sources.images, "New");
  return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

QColor ToQColor(const std::string& hex) {
  const RGBQUAD c = ParseColor(hex);
  return QColor(c.rgbRed, c.rgbGreen, c.rgbBlue);
}

int32_t Setting(const SettingsStore& settings, const RowSpec& desc) {
  return settings.Int(desc.group, desc.key);
}

// Selects position `value` when the list has it, else nothing.
void SelectPosition(QComboBox* list, int32_t value) {
  list->setCurrentIndex(value >= 0 && value < list->count() ? value : -1);
}

void FillFormatList(PreferencesRow& row, const SettingsStore& settings, const RowSources& sources) {
  const auto formats = row.desc->group == "Input" ? InputFormatList() : OutputFormatList();
  const QIcon icon = FormatIcon(sources);
  const std::string& current = settings.Text(row.desc->group, row.desc->key);
  int selected = -1;
  for (size_t i = 0; i < formats.size(); ++i) {
    if (formats[i].empty()) continue;
    if (formats[i] == current) selected = row.list->count();
    row.list->addItem(icon, Qs(AsciiUpper(formats[i])), static_cast<int>(i));
  }
  // A format the lists do not hold falls back to the first, the one the program converts to.
  row.list->setCurrentIndex(selected >= 0 ? selected : (row.list->count() > 0 ? 0 : -1));
}

void FillThemeList(PreferencesRow& row, const SettingsStore& settings, const RowSources& sources) {
  const std::string& current = settings.Text(row.desc->group, row.desc->key);
  int selected = 0;
  for (const ThemeEntry& theme : sources.themes) {
    if (theme.key == current) selected = row.list->count();
    row.list->addItem(Qs(theme.name), Qs(theme.key));
  }
  if (row.list->count() == 0) row.list->addItem(Text(sources.strings, "None"), QString());
  row.list->setCurrentIndex(selected);
}

void FillBitDepths(PreferencesRow& row, const SettingsStore& settings, const RowSources& sources) {
  row.list->addItem(Text(sources.strings, "Auto"));
  if (const OutputFormat* format = FindOutputFormat(row.desc->extra)) {
    for (const std::string& depth : Split(format->bitDepths, ',')) {
      row.list->addItem(Qs(TrimBlanks(depth)));
    }
  }
  const int32_t value = Setting(settings, *row.desc);
  row.list->setCurrentIndex(value == 0 ? 0 : row.list->findText(QString::number(value)));
}

void FillColorList(PreferencesRow& row, const SettingsStore& settings, const RowSources& sources) {
  for (const std::string& entry : ListEntries(settings.Text(row.desc->group, row.desc->extra))) {
    AddColorEntry(row.list, NormalizedColor(entry), sources.strings);
  }
  row.list->setCurrentIndex(0);
  const int match =
      FindColorEntry(row.list, NormalizedColor(settings.Text(row.desc->group, row.desc->key)));
  if (match >= 0) row.list->setCurrentIndex(match);
}

void FillFontList(PreferencesRow& row, SettingsStore& settings) {
  const std::string& font = settings.Text(row.desc->group, row.desc->key);
  if (settings.Text(row.desc->group, "Fonts").empty())
    settings.SetText(row.desc->group, "Fonts", font);
  for (const std::string& name : FontEntries(settings.Text(row.desc->group, "Fonts"))) {
    row.list->addItem(Qs(name));
  }
  if (row.list->count() == 0) return;
  row.list->setCurrentIndex(0);
  const int match = row.list->findText(Qs(font), Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (match >= 0) row.list->setCurrentIndex(match);
}

void FillSliderSpinner(PreferencesRow& row, int value) {
  const RowSpec& desc = *row.desc;
  row.spinner->setRange(desc.min, desc.max);
  row.slider->setRange(desc.min + desc.sliderOffset, desc.max + desc.sliderOffset);
  const int clamped = std::clamp(value, desc.min, desc.max);
  row.spinner->setValue(clamped);
  row.slider->setValue(clamped + desc.sliderOffset);
}

// Local seconds are kept as if they were UTC, so the field shows them unshifted.
QDateTime FromLocalSeconds(int32_t seconds) {
  return QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc());
}

int32_t ToLocalSeconds(const QDateTime& time) {
  return static_cast<int32_t>(std::clamp<qint64>(time.toSecsSinceEpoch(),
                                                 std::numeric_limits<int32_t>::min(),
                                                 std::numeric_limits<int32_t>::max()));
}

}  // namespace

std::string RowName(const RowSpec& desc) {
  if (desc.group.empty()) return std::string(desc.label);
  return std::string(desc.group) + "/" + std::string(desc.key);
}

PreferencesRow BuildRow(QWidget* parent, int position, const RowSpec& desc,
                        const StringTable& strings) {
  PreferencesRow row;
  row.desc = &desc;
  const int y = kRowTop + position * kRowStep;
  const std::string name = RowName(desc);
  row.label = Place<QLabel>(parent, y, kLabel, name + "/label");
  row.label->setText(Text(strings, desc.label));
  row.label->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  switch (desc.kind) {
    case RowKind::DropDown:
    case RowKind::FixedDropDown:
      AddEntries(AddList(row, parent, y, kDropDown, name), desc.entries, strings);
      break;
    case RowKind::Language:
      AddList(row, parent, y, kDropDown, name)->addItem(QStringLiteral("English"));
      break;
    case RowKind::Theme:
    case RowKind::FormatList:
    case RowKind::BitDepth:
      AddList(row, parent, y, kDropDown, name);
      break;
    case RowKind::CheckBox:
      row.check = Place<QCheckBox>(parent, y, At(kControlX, kCheckBox), name);
      row.parts.push_back(row.check);
      break;
    case RowKind::Number:
      AddNumberField(row, parent, y, name);
      if (!desc.extra.empty()) row.unit->addItem(Text(strings, desc.extra));
      row.unit->setCurrentIndex(0);
      break;
    case RowKind::NumberAndUnit:
      AddNumberField(row, parent, y, name);
      AddEntries(row.unit, desc.entries, strings);
      break;
    case RowKind::SliderSpinner:
    case RowKind::Gamma:
      row.slider = Place<QSlider>(parent, y, At(kControlX, kSlider), name + "/slider");
      row.slider->setOrientation(Qt::Horizontal);
      row.spinner = desc.kind == RowKind::Gamma ? Place<GammaSpinner>(parent, y, kSpinner, name)
                                                : Place<NumberSpinner>(parent, y, kSpinner, name);
      row.parts = {row.slider, row.spinner};
      PairSliderWithSpinner(row.slider, row.spinner, desc.sliderOffset);
      break;
    case RowKind::ColorButton:
      row.button = Place<QPushButton>(parent, y, kColorButton, name + "/button");
      row.button->setIconSize(kButtonSwatch);
      row.button->setAutoDefault(false);
      row.field = Place<QLineEdit>(parent, y, kColorField, name);
      row.field->setReadOnly(true);
      row.parts = {row.button, row.field};
      break;
    case RowKind::ColorList:
      AddList(row, parent, y, kPickerList, name)->setIconSize(kListSwatch);
      AddBrowseButton(row, parent, y, name);
      break;
    case RowKind::FontList:
      AddList(row, parent, y, kPickerList, name);
      AddBrowseButton(row, parent, y, name);
      break;
    case RowKind::Text:
      row.field = Place<QLineEdit>(parent, y, At(kControlX, kWideText), name);
      row.parts.push_back(row.field);
      break;
    case RowKind::ImagePath:
      row.field = Place<QLineEdit>(parent, y, At(kControlX, kNarrowText), name);
      row.parts.push_back(row.field);
      AddBrowseButton(row, parent, y, name);
      break;
    case RowKind::DateTime:
      row.dateTime = Place<QDateTimeEdit>(parent, y, At(kControlX, kDateTime), name);
      row.dateTime->setTimeSpec(Qt::UTC);
      row.dateTime->setDisplayFormat(QStringLiteral("yyyy/MM/dd hh:mm"));
      row.dateTime->setCalendarPopup(true);
      row.dateTime->setDateTimeRange(FromLocalSeconds(std::numeric_limits<int32_t>::min()),
                                     FromLocalSeconds(std::numeric_limits<int32_t>::max()));
      row.parts.push_back(row.dateTime);
      break;
  }
  if (desc.hidden) SetRowShown(row, false);
  return row;
}

void FillRow(PreferencesRow& row, SettingsStore& settings, const RowSources& sources) {
  const RowSpec& desc = *row.desc;
  switch (desc.kind) {
    case RowKind::DropDown:
      SelectPosition(row.list, Setting(settings, desc));
      break;
    case RowKind::FixedDropDown:
    case RowKind::Language:
      row.list->setCurrentIndex(0);
      break;
    case RowKind::Theme:
      FillThemeList(row, settings, sources);
      break;
    case RowKind::FormatList:
      FillFormatList(row, settings, sources);
      break;
    case RowKind::BitDepth:
      FillBitDepths(row, settings, sources);
      break;
    case RowKind::CheckBox:
      row.check->setChecked(Setting(settings, desc) != 0);
      break;
    case RowKind::Number:
      row.field->setText(QString::number(Setting(settings, desc)));
      break;
    case RowKind::NumberAndUnit:
      row.field->setText(QString::number(Setting(settings, desc)));
      SelectPosition(row.unit, settings.Int(desc.group, desc.extra));
      break;
    case RowKind::SliderSpinner:
      FillSliderSpinner(row, Setting(settings, desc));
      break;
    case RowKind::Gamma:
      FillSliderSpinner(row, GammaHundredths(settings.Float(desc.group, desc.key)));
      break;
    case RowKind::ColorButton:
      ShowRowColor(row, NormalizedColor(settings.Text(desc.group, desc.key)));
      break;
    case RowKind::ColorList:
      FillColorList(row, settings, sources);
      break;
    case RowKind::FontList:
      FillFontList(row, settings);
      break;
    case RowKind::Text:
    case RowKind::ImagePath:
      row.field->setText(Qs(settings.Text(desc.group, desc.key)));
      break;
    case RowKind::DateTime:
      row.dateTime->setDateTime(FromLocalSeconds(Setting(settings, desc)));
      break;
  }
}

void StoreRow(const PreferencesRow& row, SettingsStore& settings) {
  const RowSpec& desc = *row.desc;
  switch (desc.kind) {
    case RowKind::DropDown:
      settings.SetInt(desc.group, desc.key, SelectedPosition(row));
      break;
    case RowKind::FixedDropDown:
      break;
    case RowKind::Language:
      settings.SetText(desc.group, desc.key, "en");  // the only language there is
      break;
    case RowKind::Theme:
      settings.SetText(desc.group, desc.key, SelectedThemeKey(row));
      break;
    case RowKind::FormatList: {
      const auto formats = desc.group == "Input" ? InputFormatList() : OutputFormatList();
      const int position = row.list->currentIndex() < 0 ? -1 : row.list->currentData().toInt();
      if (position >= 0 && position < static_cast<int>(formats.size())) {
        settings.SetText(desc.group, desc.key, std::string(formats[static_cast<size_t>(position)]));
      }
      break;
    }
    case RowKind::BitDepth:
      settings.SetInt(desc.group, desc.key,
                      row.list->currentIndex() <= 0
                          ? 0
                          : LeadingInteger(row.list->currentText().toStdString()));
      break;
    case RowKind::CheckBox:
      settings.SetInt(desc.group, desc.key, row.check->isChecked() ? 1 : 0);
      break;
    case RowKind::Number:
      settings.SetInt(desc.group, desc.key, LeadingInteger(row.field->text().toStdString()));
      break;
    case RowKind::NumberAndUnit:
      settings.SetInt(desc.group, desc.key, LeadingInteger(row.field->text().toStdString()));
      settings.SetInt(desc.group, desc.extra, std::max(row.unit->currentIndex(), 0));
      break;
    case RowKind::SliderSpinner:
      settings.SetInt(desc.group, desc.key, row.spinner->CommittedValue());
      break;
    case RowKind::Gamma:
      settings.SetFloat(desc.group, desc.key,
                        static_cast<float>(row.spinner->CommittedValue() / 100.0));
      break;
    case RowKind::ColorButton:
      settings.SetText(desc.group, desc.key, NormalizedColor(row.field->text().toStdString()));
      break;
    case RowKind::ColorList:
      if (row.list->currentIndex() >= 0) {
        settings.SetText(desc.group, desc.key,
                         NormalizedColor(row.list->currentData().toString().toStdString()));
      }
      break;
    case RowKind::FontList:
      if (row.list->currentIndex() >= 0) {
        settings.SetText(desc.group, desc.key, row.list->currentText().toStdString());
      }
      break;
    case RowKind::Text:
    case RowKind::ImagePath:
      settings.SetText(desc.group, desc.key, CleanText(row.field->text().toStdString()));
      break;
    case RowKind::DateTime:
      settings.SetInt(desc.group, desc.key, ToLocalSeconds(row.dateTime->dateTime()));
      break;
  }
}

int SteeringValue(const PreferencesRow& row) {
  if (row.check != nullptr) return row.check->isChecked() ? 1 : 0;
  if (row.list != nullptr) return row.list->currentIndex();
  return -1;
}

void SetRowEnabled(PreferencesRow& row, bool enabled) {
  row.label->setEnabled(enabled);
  for (QWidget* part : row.parts) part->setEnabled(enabled);
}

void SetRowShown(PreferencesRow& row, bool shown) {
  row.label->setVisible(shown);
  for (QWidget* part : row.parts) part->setVisible(shown);
}

void ShowRowColor(PreferencesRow& row, const std::string& hex) {
  row.button->setIcon(ColorSwatch(ToQColor(hex), kButtonSwatch));
  row.field->setText(Qs(hex));
}

int AddColorEntry(QComboBox* list, const std::string& hex, const StringTable& strings) {
  list->addItem(ColorSwatch(ToQColor(hex), kListSwatch), Qs(ColorLabel(hex, strings)), Qs(hex));
  return list->count() - 1;
}

int FindColorEntry(const QComboBox* list, const std::string& hex) {
  return list->findData(Qs(hex));
}

int SelectedPosition(const PreferencesRow& row) { return std::max(row.list->currentIndex(), 0); }

std::string SelectedThemeKey(const PreferencesRow& row) {
  return row.list->currentIndex() < 0 ? std::string()
                                      : row.list->currentData().toString().toStdString();
}

}  // namespace rondix
