// One row of the preferences dialog: its widgets on the row grid, how they are filled from
// the settings store, and how OK writes them back. The shape and the binding follow the
// row's kind (ui/preferences_pages.h).
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/settings.h"
#include "storage/string_table.h"
#include "ui/image_sets.h"
#include "ui/preferences_pages.h"
#include "ui/theme_registry.h"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QWidget;

namespace rondix {

class NumberSpinner;

// What filling and storing rows reads besides the store.
struct RowSources {
  const StringTable& strings;
  const std::vector<ThemeEntry>& themes;  // the listed themes, in list order
  const ImageSets* images = nullptr;      // MenuIcons "New" of the format lists; none: no icon
};

struct PreferencesRow {
  const RowSpec* desc = nullptr;
  QLabel* label = nullptr;
  std::vector<QWidget*> parts;  // every control of the row, the label excluded
  QComboBox* list = nullptr;    // drop-downs, colour lists, font list
  QCheckBox* check = nullptr;
  QLineEdit* field = nullptr;  // number, text, image path and colour fields
  QComboBox* unit = nullptr;
  QSlider* slider = nullptr;
  NumberSpinner* spinner = nullptr;
  QPushButton* button = nullptr;  // colour button or "..."
  QDateTimeEdit* dateTime = nullptr;
};

// Object names that tests and the dialog use to find a row's controls: "Group/Key" for the
// main control, with "/label", "/slider", "/unit" or "/button" appended for the others.
std::string RowName(const RowSpec& desc);

// Creates the row's widgets in `parent` at grid position `position` (0 is the top row),
// with their fixed entries (value lists, unit lists).
PreferencesRow BuildRow(QWidget* parent, int position, const RowSpec& desc,
                        const StringTable& strings);

// Shows the bound setting. May write the store where the shown list needs it ("Fonts" is
// set to "Font" when empty).
void FillRow(PreferencesRow& row, SettingsStore& settings, const RowSources& sources);

// Writes the row's value to its setting; rows bound to nothing write nothing.
void StoreRow(const PreferencesRow& row, SettingsStore& settings);

// A check box's 0 or 1, or a drop-down's selected position (-1 for none).
int SteeringValue(const PreferencesRow& row);

void SetRowEnabled(PreferencesRow& row, bool enabled);
void SetRowShown(PreferencesRow& row, bool shown);

// Colour controls. A colour button row shows `hex` in its swatch and field; a colour list
// gets an entry labelled and painted for `hex` (six upper-case digits), whose position is
// returned.
void ShowRowColor(PreferencesRow& row, const std::string& hex);
int AddColorEntry(QComboBox* list, const std::string& hex, const StringTable& strings);
// The position of the first entry holding `hex`, or -1.
int FindColorEntry(const QComboBox* list, const std::string& hex);

// The value a drop-down row would store: the selected position, 0 when none is selected.
int SelectedPosition(const PreferencesRow& row);
// The key of the selected theme; empty when the list holds only "None".
std::string SelectedThemeKey(const PreferencesRow& row);

}  // namespace rondix
