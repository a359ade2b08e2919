#include "ui/preferences_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTimeZone>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/settings_table.h"
#include "support/qt_app.h"
#include "support/tga_writer.h"
#include "ui/preferences_controls.h"
#include "ui/preferences_values.h"

namespace rondix {
namespace {

// Sends each character as a key press, as typing would.
void TypeInto(QWidget* target, const QString& text) {
  for (QChar ch : text) {
    const int key = ch.toUpper().unicode();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(target, &release);
  }
}

void PressKey(QWidget* target, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
}

// Replaces a spinner's text by typing; an empty text erases it.
void Retype(NumberSpinner* spinner, const QString& text) {
  spinner->selectAll();
  if (text.isEmpty()) PressKey(spinner, Qt::Key_Backspace);
  TypeInto(spinner, text);
}

std::string SettingText(const SettingsStore& settings, std::string_view group,
                        std::string_view key) {
  const SettingValue& value = settings.Value(FindSettingIndex(group, key));
  if (const auto* i = std::get_if<int32_t>(&value)) return std::to_string(*i);
  if (const auto* f = std::get_if<float>(&value)) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", double{*f});
    return text;
  }
  return std::get<std::string>(value);
}

// What a row shows, in one text: a list's selected text, a box's state, a field's text with
// its unit, a spinner's text with the slider's position, or the date and time.
std::string Shown(const PreferencesRow& row) {
  if (row.list != nullptr) return row.list->currentText().toStdString();
  if (row.check != nullptr) return row.check->isChecked() ? "ticked" : "clear";
  if (row.spinner != nullptr) {
    return row.spinner->text().toStdString() + " @" + std::to_string(row.slider->value());
  }
  if (row.dateTime != nullptr) {
    return row.dateTime->dateTime().toString(QStringLiteral("yyyy/MM/dd hh:mm")).toStdString();
  }
  std::string text = row.field->text().toStdString();
  if (row.unit != nullptr && row.unit->count() > 0)
    text += " " + row.unit->currentText().toStdString();
  return text;
}

struct Refresh {
  int position;
  int32_t request;
};

class PreferencesDialogTest : public ::testing::Test {
 protected:
  PreferencesDialogTest() {
    fixture::TestApplication();
    ResetSettings(settings, false);
    settings.settingsPath = scratch.File("config.ini");
    ctx.themes = {{"alpha", "Alpha"}, {"handdrawn", "Hand Drawn"}, {"unnamed", ""}};
    ctx.pickers.pickColor = [this](QWidget*, const QColor& preset) -> std::optional<QColor> {
      colorPresets.push_back(preset.name(QColor::HexRgb).toUpper().toStdString());
      return nextColor;
    };
    ctx.pickers.pickFont = [this](QWidget*, const QString& family,
                                  int points) -> std::optional<PickedFont> {
      fontPresets.push_back(family.toStdString() + " " + std::to_string(points));
      return nextFont;
    };
    ctx.pickers.openFile = [this](QWidget*, const QString& title, const QString& preset,
                                  const QStringList& filters) {
      fileTitle = title;
      filePreset = preset;
      fileFilters = filters;
      return nextFile;
    };
    ctx.pickers.askYesNo = [this](QWidget*, const QString& title, const QString& text) {
      questions.push_back(title.toStdString() + " | " + text.toStdString());
      return answerYes;
    };
    ctx.refreshMainWindow = [this](int position) {
      refreshes.push_back({position, project.uiRefreshRequest});
      project.uiRefreshRequest = 0;  // the main window consumes it
    };
  }

  PreferencesDialog& Open() {
    dialog.reset();
    dialog = std::make_unique<PreferencesDialog>(ctx);
    return *dialog;
  }

  const PreferencesRow& R(std::string_view group, std::string_view key) {
    const PreferencesRow* row = dialog->Row(group, key);
    if (row == nullptr) ADD_FAILURE() << "no row " << group << "/" << key;
    static const PreferencesRow none;
    return row != nullptr ? *row : none;
  }

  bool ConfigWritten() const { return std::filesystem::exists(settings.settingsPath); }

  std::vector<SettingValue> AllValues() const {
    std::vector<SettingValue> values;
    for (size_t i = 0; i < SettingDefs().size(); ++i)
      values.push_back(settings.Value(static_cast<int>(i)));
    return values;
  }

  fixture::ScratchFolder scratch;
  SettingsStore settings;
  ProjectState project;
  const StringTable strings;
  PreferencesContext ctx{settings, project, strings};
  std::unique_ptr<PreferencesDialog> dialog;

  std::optional<QColor> nextColor;
  std::vector<std::string> colorPresets;
  std::optional<PickedFont> nextFont;
  std::vector<std::string> fontPresets;
  QString nextFile;
  QString fileTitle, filePreset;
  QStringList fileFilters;
  bool answerYes = false;
  std::vector<std::string> questions;
  std::vector<Refresh> refreshes;
};

TEST_F(PreferencesDialogTest, WindowCategoriesAndButtons) {
  PreferencesDialog& d = Open();
  EXPECT_EQ(d.windowTitle(), "Preferences...");
  EXPECT_EQ(d.size(), QSize(600, 350));
  EXPECT_EQ(d.minimumSize(), d.maximumSize());
  QStringList categories;
  for (int i = 0; i < d.categoryList()->count(); ++i)
    categories << d.categoryList()->item(i)->text();
  EXPECT_EQ(categories, QStringList({"General", "Interface", "Input", "Output", "Transform",
                                     "Adjustment", "Frame", "Watermark", "Advanced"}));
  EXPECT_EQ(d.categoryList()->geometry(), QRect(10, 10, 120, 295));
  EXPECT_EQ(d.defaultsButton()->text(), "Defaults");
  EXPECT_EQ(d.defaultsButton()->geometry(), QRect(10, 315, 80, 25));
  EXPECT_EQ(d.okButton()->text(), "OK");
  EXPECT_EQ(d.okButton()->geometry(), QRect(420, 315, 80, 25));
  EXPECT_EQ(d.cancelButton()->text(), "Cancel");
  EXPECT_EQ(d.cancelButton()->geometry(), QRect(510, 315, 80, 25));
  EXPECT_TRUE(d.okButton()->isDefault());
  EXPECT_TRUE(d.pageTitle()->font().bold());
  EXPECT_EQ(d.pageTitle()->font().pointSize(), 10);
  EXPECT_EQ(d.pageTitle()->text(), "General");

  // Row grid: label 3 pixels below its control, controls from x 170, rows every 30 pixels.
  EXPECT_EQ(R("General", "Language").label->geometry(), QRect(10, 13, 160, 20));
  EXPECT_EQ(R("General", "Language").list->geometry(), QRect(170, 10, 240, 21));
  EXPECT_EQ(R("General", "Update Range").list->geometry(), QRect(170, 40, 240, 21));
  EXPECT_EQ(R("General", "Save Window Position").check->geometry(), QRect(170, 70, 240, 20));
  EXPECT_EQ(R("Frame", "Solid Top").field->geometry(), QRect(170, 70, 160, 20));
  EXPECT_EQ(R("Frame", "Solid Top").unit->geometry(), QRect(340, 69, 70, 21));
  EXPECT_EQ(R("Frame", "Solid Left Color").button->geometry(), QRect(170, 129, 44, 22));
  EXPECT_EQ(R("Frame", "Solid Left Color").field->geometry(), QRect(220, 130, 190, 20));
  EXPECT_EQ(R("Watermark", "Font").list->geometry(), QRect(170, 40, 214, 21));
  EXPECT_EQ(R("Watermark", "Font").button->geometry(), QRect(389, 39, 22, 22));
  EXPECT_EQ(R("Output", "JPG Quality").slider->geometry(), QRect(170, 40, 170, 20));
  EXPECT_EQ(R("Output", "JPG Quality").spinner->geometry(), QRect(340, 40, 70, 20));
  EXPECT_EQ(R("Watermark", "Image").field->geometry(), QRect(170, 10, 214, 20));
  EXPECT_EQ(R("Advanced", "Custom Timestamp").dateTime->geometry(), QRect(170, 70, 240, 21));
}

// Opening shows each kind of control filled from its setting.
TEST_F(PreferencesDialogTest, FillShowsEachKindOfControl) {
  struct Case {
    std::string_view group, key;
    SettingValue value;  // set before opening; int32_t{} for "leave the default"
    std::string shown;
  };
  const Case cases[] = {
      {"General", "Language", std::string("de"), "English"},
      {"General", "Update Range", 5, "Never"},
      {"General", "Save Window Position", 0, "clear"},
      {"Interface", "UI Theme", std::string("handdrawn"), "Hand Drawn"},
      {"Interface", "UI Size", 2, "Large"},
      {"Input", "Format", std::string("tga"), "TGA"},
      {"Input", "RAW Header Size", 7, "7 bytes"},
      {"Input", "RAW Tone Mapping", 3, "DR Reduction"},
      {"Output", "Format", std::string("png"), "PNG"},
      {"Output", "PNG BPP", 24, "24"},
      {"Output", "JPG BPP", 0, "Auto"},
      {"Output", "TGA BPP", 16, "16"},
      {"Output", "PNG Compression", 2, "ZLib Level 6"},
      {"Output", "PNG Interlaced", 1, "ticked"},
      {"Output", "JPG Quality", 80, "80 @80"},
      {"Output", "TIFF Compression", 4, "Deflate (ZLib)"},
      {"Transform", "Image Rotation", 90, "90 @90"},
      {"Transform", "Image Rotation Back Color", std::string("ff8000"), "FF8000"},
      {"Transform", "Image Resize Algorithm", 4, "Catmull-Rom Spline"},
      {"Adjustment", "Image Brightness", -30, "-30 @70"},
      {"Adjustment", "Image Contrast", 100, "100 @200"},
      {"Adjustment", "Image Gamma", 2.2f, "2.20 @220"},
      {"Adjustment", "Image Gamma", 1.0f, "1.00 @100"},
      {"Adjustment", "Image Dither Algorithm", 6, "Clustered dot dithering 16x16"},
      {"Frame", "Do Frame", 1, "Solid Color"},
      {"Frame", "Solid Left", 12, "12 pixels"},
      {"Watermark", "Do Watermark", 2, "Image"},
      {"Watermark", "Text", std::string("Hello"), "Hello"},
      {"Watermark", "Font", std::string("Tahoma"), "Tahoma"},
      {"Watermark", "Font Size", 14, "14 points"},
      {"Watermark", "Font Color", std::string("ff0000"), "Red"},
      {"Watermark", "Back Color", std::string("000000"), "Black"},
      {"Watermark", "Font Effect", 2, "Strikethrough"},
      {"Watermark", "Text Position", 8, "Bottom-Right"},
      {"Watermark", "Text Size", 0, "Fixed"},
      {"Watermark", "Image", std::string("/pictures/logo.png"), "/pictures/logo.png"},
      {"Advanced", "Custom Timestamp", 31554420, "1971/01/01 05:07"},
      {"Advanced", "Out Folders History", 0, "Clean on Exit"},
      {"Advanced", "Keep Subfolders", 0, "clear"},
  };
  for (const Case& c : cases) {
    ResetSettings(settings, false);
    settings.SetValue(FindSettingIndex(c.group, c.key), c.value);
    Open();
    EXPECT_EQ(Shown(R(c.group, c.key)), c.shown) << c.group << "/" << c.key;
  }
  Open();
  EXPECT_EQ(Shown(R("Transform", "Image Width")), "0 pixels");
  const auto* pcx =
      dialog->SubPage("Output", "pcx")->findChild<QComboBox*>(QStringLiteral("Compression"));
  ASSERT_NE(pcx, nullptr);
  EXPECT_EQ(pcx->currentText(), "RLE");
  EXPECT_EQ(pcx->count(), 1);
}

// What OK writes back for each kind of control, after the user changed it.
TEST_F(PreferencesDialogTest, OkStoresEachKindOfControl) {
  settings.SetText("Interface", "UI Theme", "handdrawn");
  Open();
  struct Case {
    std::string_view group, key;
    std::function<void(const PreferencesRow&)> edit;
    std::string stored;
  };
  const Case cases[] = {
      {"General", "Update Range", [](auto& r) { r.list->setCurrentIndex(0); }, "0"},
      {"General", "Save Window Position", [](auto& r) { r.check->setChecked(false); }, "0"},
      {"Interface", "UI Theme", [](auto& r) { r.list->setCurrentIndex(0); }, "alpha"},
      {"Interface", "UI Size", [](auto& r) { r.list->setCurrentIndex(1); }, "1"},
      {"Input", "RAW Image Width", [](auto& r) { r.field->setText("640"); }, "640"},
      {"Output", "PNG BPP", [](auto& r) { r.list->setCurrentIndex(r.list->findText("48")); }, "48"},
      {"Output", "TGA BPP", [](auto& r) { r.list->setCurrentIndex(r.list->findText("Auto")); },
       "0"},
      {"Output", "PNG Interlaced", [](auto& r) { r.check->setChecked(true); }, "1"},
      {"Output", "JPG Quality", [](auto& r) { r.spinner->setValue(70); }, "70"},
      {"Output", "WEBP Quality", [](auto& r) { r.slider->setValue(33); }, "33"},
      {"Transform", "Image Width",
       [](auto& r) {
         r.field->setText("300");
         r.unit->setCurrentIndex(1);
       },
       "300"},
      {"Adjustment", "Image Brightness", [](auto& r) { r.slider->setValue(150); }, "50"},
      {"Adjustment", "Image Contrast", [](auto& r) { r.spinner->setValue(-20); }, "-20"},
      {"Adjustment", "Image Gamma", [](auto& r) { r.slider->setValue(250); }, "2.5"},
      {"Frame", "Solid Left", [](auto& r) { r.field->setText("25"); }, "25"},
      {"Frame", "Solid Right", [](auto& r) { r.field->setText(""); }, "0"},
      {"Watermark", "Font", [](auto& r) { r.list->setCurrentIndex(r.list->findText("Verdana")); },
       "Verdana"},
      {"Watermark", "Font Color", [](auto& r) { r.list->setCurrentIndex(3); }, "FF8000"},
      {"Watermark", "Text", [](auto& r) { r.field->setText("  Hi\n there "); }, "Hi there"},
      {"Watermark", "Image", [](auto& r) { r.field->setText(" /tmp/w.png\t"); }, "/tmp/w.png"},
      {"Watermark", "Text Y Offset", [](auto& r) { r.field->setText("-12"); }, "-12"},
      {"Advanced", "Filename Mask", [](auto& r) { r.field->setText("%filename%\r\n.%ext%"); },
       "%filename%.%ext%"},
      {"Advanced", "Custom Timestamp",
       [](auto& r) {
         r.dateTime->setDateTime(QDateTime(QDate(2001, 2, 3), QTime(4, 5), QTimeZone::utc()));
       },
       "981173100"},
      {"Advanced", "Out Folders Number", [](auto& r) { r.spinner->setValue(12); }, "12"},
  };
  for (const Case& c : cases) c.edit(R(c.group, c.key));
  dialog->Apply();
  for (const Case& c : cases)
    EXPECT_EQ(SettingText(settings, c.group, c.key), c.stored) << c.group << "/" << c.key;
  EXPECT_EQ(settings.Int("Transform", "Image Width Unit"), 1);
  EXPECT_EQ(settings.Int("Transform", "Image Height Unit"), 0);
  EXPECT_EQ(dialog->outcome(), PreferencesOutcome::Applied);
  EXPECT_TRUE(ConfigWritten());
}

// Pressing OK at once stores the values the dialog was opened with, except the language
// (always "en") and the colour-correction flag (derived).
TEST_F(PreferencesDialogTest, OkWithoutChangesKeepsEveryValue) {
  settings.SetText("General", "Language", "de");
  settings.SetText("Watermark", "Image", "/some/logo.png");
  settings.SetInt("Advanced", "Custom Timestamp", 1592228737);
  settings.SetInt("Advanced", "Keep Subfolders", 0);
  settings.SetInt("Output", "BMP BPP", 24);
  const std::vector<SettingValue> before = AllValues();
  Open().Apply();
  const std::vector<SettingValue> after = AllValues();
  for (size_t i = 0; i < before.size(); ++i) {
    const SettingDef& def = SettingDefs()[i];
    if (def.key == "Language") {
      EXPECT_EQ(std::get<std::string>(after[i]), "en");
    } else {
      EXPECT_EQ(after[i], before[i]) << def.group << "/" << def.key;
    }
  }
}

TEST_F(PreferencesDialogTest, OkDerivesColorCorrection) {
  struct Case {
    int32_t brightness, contrast;
    float gamma;
    int32_t invert, before, expected;
  } cases[] = {
      {0, 0, 1.0f, 0, 1, 0}, {10, 0, 1.0f, 0, 0, 1}, {0, -10, 1.0f, 0, 0, 1},
      {0, 0, 2.2f, 0, 0, 1}, {0, 0, 1.0f, 1, 0, 1},
  };
  for (const Case& c : cases) {
    settings.SetInt("Adjustment", "Image Brightness", c.brightness);
    settings.SetInt("Adjustment", "Image Contrast", c.contrast);
    settings.SetFloat("Adjustment", "Image Gamma", c.gamma);
    settings.SetInt("Adjustment", "Image Invert", c.invert);
    settings.SetInt("Adjustment", "Do Image Color Correction", c.before);
    Open().Apply();
    EXPECT_EQ(settings.Int("Adjustment", "Do Image Color Correction"), c.expected)
        << c.brightness << " " << c.contrast << " " << c.gamma << " " << c.invert;
  }
}

// Each steering control and what it enables or shows.
TEST_F(PreferencesDialogTest, DependenciesFollowTheirSteeringControl) {
  enum What { Enabled, Shown };
  struct Case {
    std::string_view group, key;
    int value;                                // check box 0/1 or list position
    std::string_view targetGroup, targetKey;  // empty group: an area
    What what;
    bool on;
  };
  std::vector<Case> cases;
  for (int v = 0; v <= 5; ++v) {
    const bool sizes = v == 1 || v == 2;
    const bool tone = v == 4 || v == 5;
    cases.push_back({"Input", "RAW Load As", v, "Input", "RAW Header Size", Enabled, sizes});
    cases.push_back({"Input", "RAW Load As", v, "Input", "RAW Image Width", Enabled, sizes});
    cases.push_back({"Input", "RAW Load As", v, "Input", "RAW Image Height", Enabled, sizes});
    cases.push_back({"Input", "RAW Load As", v, "Input", "RAW Tone Mapping", Enabled, tone});
  }
  for (int v : {0, 1}) {
    for (std::string_view target :
         {"Image Rotation Type", "Image Rotation", "Image Rotation Back Color"}) {
      cases.push_back({"Transform", "Do Image Rotation", v, "Transform", target, Enabled, v == 1});
    }
    for (std::string_view target : {"Image Width", "Image Height", "Keep Aspect Ratio",
                                    "Image Resize Type", "Image Resize Algorithm"}) {
      cases.push_back({"Transform", "Do Image Resize", v, "Transform", target, Enabled, v == 1});
    }
    cases.push_back(
        {"Adjustment", "Do Image Threshold", v, "Adjustment", "Image Threshold", Enabled, v == 1});
    cases.push_back({"Adjustment", "Do Image Dither", v, "Adjustment", "Image Dither Algorithm",
                     Enabled, v == 1});
    cases.push_back({"Frame", "Do Frame", v, {}, "frame", Shown, v == 1});
  }
  for (int v : {0, 1, 2}) {
    cases.push_back({"Watermark", "Do Watermark", v, {}, "text", Shown, v == 1});
    cases.push_back({"Watermark", "Do Watermark", v, {}, "image", Shown, v == 2});
    cases.push_back(
        {"Advanced", "File Timestamp", v, "Advanced", "Custom Timestamp", Enabled, v == 2});
  }
  // The size lists hold only "Fixed", so the scale rows stay hidden.
  cases.push_back({"Watermark", "Text Size", 0, "Watermark", "Text Scale", Shown, false});
  cases.push_back({"Watermark", "Image Size", 0, "Watermark", "Image Scale", Shown, false});

  Open();
  for (const Case& c : cases) {
    const PreferencesRow& steering = R(c.group, c.key);
    // Go through the other state first, so the change under test really happens.
    if (steering.check != nullptr) {
      steering.check->setChecked(c.value == 0);
      steering.check->setChecked(c.value != 0);
    } else {
      steering.list->setCurrentIndex(c.value == 0 ? steering.list->count() - 1 : 0);
      steering.list->setCurrentIndex(c.value);
    }
    bool on = false;
    if (c.targetGroup.empty()) {
      on = !dialog->Area(c.targetKey)->isHidden();
    } else {
      const PreferencesRow& target = R(c.targetGroup, c.targetKey);
      on = c.what == Enabled ? target.label->isEnabled() : !target.label->isHidden();
      for (QWidget* part : target.parts) {
        EXPECT_EQ(c.what == Enabled ? part->isEnabled() : !part->isHidden(), on) << c.targetKey;
      }
    }
    EXPECT_EQ(on, c.on) << c.group << "/" << c.key << " = " << c.value << " -> " << c.targetKey;
  }
}

TEST_F(PreferencesDialogTest, DependenciesHoldAtOpening) {
  Open();
  EXPECT_FALSE(R("Transform", "Image Rotation").slider->isEnabled());
  EXPECT_FALSE(R("Transform", "Image Width").unit->isEnabled());
  EXPECT_TRUE(dialog->Area("frame")->isHidden());
  EXPECT_TRUE(dialog->Area("text")->isHidden());
  EXPECT_TRUE(dialog->Area("image")->isHidden());
  EXPECT_FALSE(R("Advanced", "Custom Timestamp").dateTime->isEnabled());
  EXPECT_FALSE(R("Input", "RAW Header Size").field->isEnabled());
  EXPECT_FALSE(R("Input", "RAW Tone Mapping").list->isEnabled());
  EXPECT_TRUE(R("Watermark", "Text Scale").label->isHidden());

  settings.SetInt("Transform", "Do Image Rotation", 1);
  settings.SetInt("Transform", "Do Image Resize", 1);
  settings.SetInt("Frame", "Do Frame", 1);
  settings.SetInt("Watermark", "Do Watermark", 1);
  settings.SetInt("Advanced", "File Timestamp", 2);
  settings.SetInt("Input", "RAW Load As", 5);
  Open();
  EXPECT_TRUE(R("Transform", "Image Rotation").slider->isEnabled());
  EXPECT_TRUE(R("Transform", "Image Width").unit->isEnabled());
  EXPECT_FALSE(dialog->Area("frame")->isHidden());
  EXPECT_FALSE(dialog->Area("text")->isHidden());
  EXPECT_TRUE(dialog->Area("image")->isHidden());
  EXPECT_TRUE(R("Advanced", "Custom Timestamp").dateTime->isEnabled());
  EXPECT_FALSE(R("Input", "RAW Header Size").field->isEnabled());
  EXPECT_TRUE(R("Input", "RAW Tone Mapping").list->isEnabled());
}

// Only the chosen format's sub-page shows, but OK stores every sub-page.
TEST_F(PreferencesDialogTest, FormatSubPages) {
  settings.SetInt("Output", "BMP BPP", 24);
  settings.SetInt("Output", "JPG Quality", 80);
  Open();
  int outputSubPages = 0;
  for (const SubPageSpec& sub : OutputSubPages()) {
    QWidget* page = dialog->SubPage("Output", sub.format);
    ASSERT_NE(page, nullptr) << sub.format;
    ++outputSubPages;
    EXPECT_EQ(!page->isHidden(), sub.format == "png") << sub.format;
  }
  EXPECT_EQ(outputSubPages, 23);
  for (const SubPageSpec& sub : InputSubPages()) {
    EXPECT_TRUE(dialog->SubPage("Input", sub.format)->isHidden()) << sub.format;  // "tga" has none
  }
  EXPECT_EQ(R("Output", "Format").list->count(), 1);
  EXPECT_EQ(R("Input", "Format").list->count(), 1);

  // Bit-depth lists: "Auto" and the format's depths; formats without a record offer "Auto".
  QStringList png;
  for (int i = 0; i < R("Output", "PNG BPP").list->count(); ++i)
    png << R("Output", "PNG BPP").list->itemText(i);
  EXPECT_EQ(png, QStringList({"Auto", "1", "4", "8", "24", "32", "48"}));
  EXPECT_EQ(R("Output", "PCX BPP").list->count(), 1);

  R("Output", "JPG Quality").spinner->setValue(60);
  dialog->Apply();
  EXPECT_EQ(settings.Int("Output", "BMP BPP"), 24);
  EXPECT_EQ(settings.Int("Output", "JPG Quality"), 60);
  EXPECT_EQ(settings.Text("Output", "Format"), "png");
}

// Typing into spinners: the leading number, clamped; gamma in hundredths with two decimals.
TEST_F(PreferencesDialogTest, SpinnerTyping) {
  struct Case {
    std::string_view group, key;
    QString typed;
    std::string whileTyping;  // text and slider right after typing
    std::string afterEdit;    // once the edit ends
    std::string stored;
  };
  const Case cases[] = {
      {"Output", "JPG Quality", "150", "100 @100", "100 @100", "100"},
      {"Output", "JPG Quality", "abc", "1 @1", "1 @1", "1"},
      {"Output", "JPG Quality", "7x", "7 @7", "7 @7", "7"},
      {"Adjustment", "Image Brightness", "-150", "-100 @0", "-100 @0", "-100"},
      {"Adjustment", "Image Brightness", "-", "- @100", "0 @100", "0"},
      {"Adjustment", "Image Contrast", "42", "42 @142", "42 @142", "42"},
      {"Adjustment", "Image Gamma", "2.5", "2.5 @250", "2.50 @250", "2.5"},
      {"Adjustment", "Image Gamma", "0", "0 @1", "0.01 @1", "0.01"},
      {"Adjustment", "Image Gamma", "12", "12 @999", "9.99 @999", "9.99"},
      {"Frame", "Solid Opacity", "", " @255", "1 @1", "1"},
      {"Advanced", "Out Folders Number", "75", "50 @50", "50 @50", "50"},
      {"Watermark", "Text Rotation", "361", "360 @360", "360 @360", "360"},
  };
  for (const Case& c : cases) {
    ResetSettings(settings, false);
    Open();
    const PreferencesRow& row = R(c.group, c.key);
    Retype(row.spinner, c.typed);
    EXPECT_EQ(Shown(row), c.whileTyping) << c.key << " typed " << c.typed.toStdString();
    row.spinner->interpretText();  // as when the field loses the focus
    EXPECT_EQ(Shown(row), c.afterEdit) << c.key << " typed " << c.typed.toStdString();
    dialog->Apply();
    EXPECT_EQ(SettingText(settings, c.group, c.key), c.stored)
        << c.key << " typed " << c.typed.toStdString();
  }
}

TEST_F(PreferencesDialogTest, GammaSliderAndArrows) {
  settings.SetFloat("Adjustment", "Image Gamma", 2.2f);
  Open();
  const PreferencesRow& gamma = R("Adjustment", "Image Gamma");
  gamma.slider->setValue(150);
  EXPECT_EQ(Shown(gamma), "1.50 @150");
  gamma.spinner->stepBy(1);
  EXPECT_EQ(Shown(gamma), "1.51 @151");
  gamma.spinner->setValue(5000);
  EXPECT_EQ(Shown(gamma), "9.99 @999");
  PressKey(gamma.spinner, Qt::Key_Up);  // at the top already
  EXPECT_EQ(Shown(gamma), "9.99 @999");
  dialog->Apply();
  EXPECT_FLOAT_EQ(settings.Float("Adjustment", "Image Gamma"), 9.99f);
}

TEST_F(PreferencesDialogTest, ColourListPicking) {
  const std::string palette = settings.Text("Watermark", "Font Colors");
  struct Case {
    std::optional<QColor> picked;
    std::string selected;
    std::string paletteAdded;
  } cases[] = {
      {QColor(0xFF, 0x80, 0x00), "Orange", ""},
      {QColor(0xC0, 0xC0, 0xC0), "Silver", ",C0C0C0"},
      {QColor(0x12, 0xAB, 0x34), "Color #12AB34", ",12AB34"},
      {std::nullopt, "White", ""},
  };
  for (const Case& c : cases) {
    settings.SetText("Watermark", "Font Colors", palette);
    Open();
    const PreferencesRow& row = R("Watermark", "Font Color");
    const int entries = row.list->count();
    colorPresets.clear();
    nextColor = c.picked;
    row.button->click();
    ASSERT_EQ(colorPresets.size(), 1u);
    EXPECT_EQ(colorPresets[0], "#FFFFFF");  // the selected entry, "Font Color" FFFFFF
    EXPECT_EQ(row.list->currentText().toStdString(), c.selected);
    EXPECT_EQ(settings.Text("Watermark", "Font Colors"), palette + c.paletteAdded);
    EXPECT_EQ(row.list->count(), entries + (c.paletteAdded.empty() ? 0 : 1));
    if (!c.paletteAdded.empty()) {
      EXPECT_EQ(row.list->itemIcon(row.list->count() - 1).pixmap(16, 16).toImage().pixelColor(8, 8),
                *c.picked);
    }
  }
  // The background colour list has its own palette.
  Open();
  nextColor = QColor(0x12, 0x34, 0x56);
  R("Watermark", "Back Color").button->click();
  EXPECT_EQ(settings.Text("Watermark", "Back Colors"), palette + ",123456");
  EXPECT_EQ(settings.Text("Watermark", "Font Colors"), palette);
  dialog->Apply();
  EXPECT_EQ(settings.Text("Watermark", "Back Color"), "123456");
}

TEST_F(PreferencesDialogTest, ColourButtonPicking) {
  settings.SetText("Frame", "Solid Top Color", "102030");
  struct Case {
    std::optional<QColor> picked;
    std::string field;
  } cases[] = {
      {QColor(0xAB, 0xCD, 0xEF), "ABCDEF"},
      {QColor(0x10, 0x20, 0x30), "102030"},  // the same colour changes nothing
      {std::nullopt, "102030"},
  };
  for (const Case& c : cases) {
    Open();
    const PreferencesRow& row = R("Frame", "Solid Top Color");
    colorPresets.clear();
    nextColor = c.picked;
    row.button->click();
    ASSERT_EQ(colorPresets.size(), 1u);
    EXPECT_EQ(colorPresets[0], "#102030");
    EXPECT_EQ(row.field->text().toStdString(), c.field);
    dialog->Apply();
    EXPECT_EQ(settings.Text("Frame", "Solid Top Color"), c.field);
    settings.SetText("Frame", "Solid Top Color", "102030");
  }
}

TEST_F(PreferencesDialogTest, FontListRules) {
  // An empty "Fonts" takes "Font" at once.
  settings.SetText("Watermark", "Fonts", "");
  settings.SetText("Watermark", "Font", "Georgia");
  Open();
  EXPECT_EQ(settings.Text("Watermark", "Fonts"), "Georgia");
  EXPECT_EQ(Shown(R("Watermark", "Font")), "Georgia");

  // A "Font" not among "Fonts" leaves the first selected, and OK stores it.
  settings.SetText("Watermark", "Fonts", "Arial,Tahoma,Verdana");
  settings.SetText("Watermark", "Font", "Courier");
  Open();
  EXPECT_EQ(Shown(R("Watermark", "Font")), "Arial");
  dialog->Apply();
  EXPECT_EQ(settings.Text("Watermark", "Font"), "Arial");
}

TEST_F(PreferencesDialogTest, FontPicking) {
  struct Case {
    std::string fonts;  // "Fonts" before
    PickedFont picked;
    std::string fontsAfter;
    std::string selected;
    std::string style;  // "Font Style" after; it starts at "Italic"
  } cases[] = {
      {" Arial,Tahoma", {"Arial", 12, 400}, " Arial,Tahoma", "Arial", "Regular"},
      {"Arial,Tahoma", {"arial", 12, 700}, "Arial,Tahoma,arial", "arial", "Bold"},
      {"Arial,Tahoma",
       {"My, Font", 20, 700, true},
       "Arial,Tahoma,My Font",
       "My Font",
       "Bold Italic"},
      {"Arial,Tahoma", {"Tahoma", 9, 600}, "Arial,Tahoma", "Tahoma", "Regular"},
      {"Arial,Tahoma", {"Tahoma", 9, 400, false, true}, "Arial,Tahoma", "Tahoma", "Italic"},
      {"Arial,Tahoma", {"Tahoma", 9, 700, false, false, true}, "Arial,Tahoma", "Tahoma", "Italic"},
  };
  for (const Case& c : cases) {
    settings.SetText("Watermark", "Fonts", c.fonts);
    settings.SetText("Watermark", "Font", "Tahoma");
    settings.SetInt("Watermark", "Font Size", 14);
    settings.SetInt("Watermark", "Font Style", 2);
    Open();
    fontPresets.clear();
    nextFont = c.picked;
    R("Watermark", "Font").button->click();
    ASSERT_EQ(fontPresets.size(), 1u);
    EXPECT_EQ(fontPresets[0], "Tahoma 14");
    EXPECT_EQ(settings.Text("Watermark", "Fonts"), c.fontsAfter) << c.picked.family.toStdString();
    EXPECT_EQ(Shown(R("Watermark", "Font")), c.selected);
    EXPECT_EQ(Shown(R("Watermark", "Font Size")), std::to_string(c.picked.points) + " points");
    EXPECT_EQ(Shown(R("Watermark", "Font Style")), c.style) << c.picked.family.toStdString();
    EXPECT_EQ(R("Watermark", "Font").list->count(),
              static_cast<int>(FontEntries(c.fontsAfter).size()));
  }

  // Cancelled: nothing changes.
  settings.SetText("Watermark", "Fonts", "Arial,Tahoma");
  Open();
  nextFont.reset();
  R("Watermark", "Font").button->click();
  EXPECT_EQ(settings.Text("Watermark", "Fonts"), "Arial,Tahoma");
  EXPECT_EQ(Shown(R("Watermark", "Font Size")), "14 points");
}

TEST_F(PreferencesDialogTest, WatermarkImagePicker) {
  settings.SetText("Watermark", "Image", "  /old/logo.png ");
  Open();
  const PreferencesRow& image = R("Watermark", "Image");
  nextFile = QString();
  image.button->click();
  EXPECT_EQ(fileTitle, "Select Watermark Image");
  EXPECT_EQ(filePreset, "/old/logo.png");
  EXPECT_EQ(fileFilters,
            QStringList({
                "All Supported Files (*.png *.bmp *.rle *.dib *.jpg *.jpeg *.jpe *.jif)",
                "Portable Network Graphics (*.png)",
                "Windows or OS/2 Bitmap (*.bmp *.rle *.dib)",
                "JPEG File (*.jpg *.jpeg *.jpe *.jif)",
                "All Files (*)",
            }));
  EXPECT_EQ(image.field->text(), "  /old/logo.png ");  // cancelled: unchanged

  nextFile = QStringLiteral("/new/mark.jpg");
  image.button->click();
  EXPECT_EQ(image.field->text(), "/new/mark.jpg");
  dialog->Apply();
  EXPECT_EQ(settings.Text("Watermark", "Image"), "/new/mark.jpg");
}

TEST_F(PreferencesDialogTest, DefaultsAnsweredNoChangesNothing) {
  settings.SetInt("Output", "JPG Quality", 50);
  const std::vector<SettingValue> before = AllValues();
  Open();
  R("Interface", "UI Size").list->setCurrentIndex(0);
  answerYes = false;
  dialog->defaultsButton()->click();
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0],
            "Reset to Defaults | Are you sure you want to reset all your settings to the default "
            "values?");
  EXPECT_EQ(AllValues(), before);
  EXPECT_EQ(dialog->outcome(), PreferencesOutcome::Cancelled);
  EXPECT_EQ(dialog->result(), 0);
  EXPECT_FALSE(ConfigWritten());
  EXPECT_TRUE(refreshes.empty());
  // Still open: OK afterwards works as usual.
  dialog->Apply();
  EXPECT_EQ(settings.Int("Interface", "UI Size"), 0);
}

TEST_F(PreferencesDialogTest, DefaultsAnsweredYesResetsEverything) {
  settings.SetInt("Output", "JPG Quality", 50);
  settings.SetInt("Transform", "Keep Aspect Ratio", 0);
  settings.SetText("Watermark", "Font", "Tahoma");
  Open();
  R("Interface", "UI Size").list->setCurrentIndex(0);  // shown, never stored
  R("Output", "JPG Quality").spinner->setValue(20);
  answerYes = true;
  dialog->defaultsButton()->click();
  EXPECT_EQ(dialog->outcome(), PreferencesOutcome::ResetToDefaults);
  EXPECT_EQ(settings.Int("Output", "JPG Quality"), 95);
  EXPECT_EQ(settings.Int("Transform", "Keep Aspect Ratio"), 1);
  EXPECT_EQ(settings.Text("Watermark", "Font"), "Arial");
  EXPECT_EQ(settings.Int("Interface", "UI Size"), 2);
  EXPECT_TRUE(ConfigWritten());
  ASSERT_EQ(refreshes.size(), 1u);
  EXPECT_EQ(refreshes[0].request, 2);  // the dialog showed size 0, the defaults say 2
  EXPECT_EQ(refreshes[0].position, 0);
}

TEST_F(PreferencesDialogTest, CancelStoresNothingButKeepsPickerAdditions) {
  const std::string fontColors = settings.Text("Watermark", "Font Colors");
  for (int way = 0; way < 2; ++way) {
    settings.SetText("Watermark", "Fonts", "Arial");
    settings.SetText("Watermark", "Font Colors", fontColors);
    settings.SetInt("Output", "PNG Compression", 2);
    Open();
    nextFont = PickedFont{"Liberation Serif", 11, 400};
    R("Watermark", "Font").button->click();
    nextColor = QColor(0x12, 0xAB, 0x34);
    R("Watermark", "Font Color").button->click();
    R("Output", "PNG Compression").list->setCurrentIndex(0);
    if (way == 0) {
      dialog->cancelButton()->click();
    } else {
      PressKey(dialog.get(), Qt::Key_Escape);
    }
    EXPECT_EQ(dialog->outcome(), PreferencesOutcome::Cancelled);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(settings.Text("Watermark", "Fonts"), "Arial,Liberation Serif");
    EXPECT_EQ(settings.Text("Watermark", "Font Colors"), fontColors + ",12AB34");
    EXPECT_EQ(settings.Text("Watermark", "Font"), "Arial");
    EXPECT_EQ(settings.Text("Watermark", "Font Color"), "FFFFFF");
    EXPECT_EQ(settings.Int("Output", "PNG Compression"), 2);
    EXPECT_FALSE(ConfigWritten());
    EXPECT_TRUE(refreshes.empty());
  }
}

TEST_F(PreferencesDialogTest, StartPageIsUsedOnceAndSwitchingPages) {
  project.preferencesStartPage = kOutputPageIndex;  // as Output Format Options sets it
  Open();
  EXPECT_EQ(dialog->currentPage(), 3);
  EXPECT_EQ(dialog->pageTitle()->text(), "Output");
  EXPECT_EQ(dialog->categoryList()->currentRow(), 3);
  EXPECT_EQ(project.preferencesStartPage, 0);
  Open();
  EXPECT_EQ(dialog->currentPage(), 0);
  EXPECT_EQ(dialog->pageTitle()->text(), "General");

  dialog->categoryList()->setCurrentRow(7);
  EXPECT_EQ(dialog->currentPage(), 7);
  EXPECT_EQ(dialog->pageTitle()->text(), "Watermark");

  project.preferencesStartPage = 42;
  Open();
  EXPECT_EQ(dialog->currentPage(), 0);
  EXPECT_EQ(project.preferencesStartPage, 0);
}

TEST_F(PreferencesDialogTest, RefreshRequestAfterOk) {
  struct Case {
    int theme;  // list position; the store says "handdrawn" (1)
    int size;   // the store says 2
    int32_t request;
  } cases[] = {{1, 2, 0}, {1, 0, 2}, {0, 2, 1}, {0, 1, 1}};
  for (const Case& c : cases) {
    settings.SetText("Interface", "UI Theme", "handdrawn");
    settings.SetInt("Interface", "UI Size", 2);
    refreshes.clear();
    Open();
    EXPECT_EQ(R("Interface", "UI Theme").list->count(), 2);  // the unnamed theme is not offered
    R("Interface", "UI Theme").list->setCurrentIndex(c.theme);
    R("Interface", "UI Size").list->setCurrentIndex(c.size);
    dialog->Apply();
    ASSERT_EQ(refreshes.size(), 1u);
    EXPECT_EQ(refreshes[0].request, c.request) << c.theme << " " << c.size;
    EXPECT_EQ(refreshes[0].position, 0);
    EXPECT_EQ(settings.Int("Interface", "UI Size"), c.size);
  }

  // Without a main window to refresh, the request stays for whoever comes next.
  ctx.refreshMainWindow = nullptr;
  settings.SetInt("Interface", "UI Size", 2);
  Open();
  R("Interface", "UI Size").list->setCurrentIndex(1);
  dialog->Apply();
  EXPECT_EQ(project.uiRefreshRequest, 2);

  // No theme at all: "None", stored as an empty key.
  project.uiRefreshRequest = 0;
  ctx.themes.clear();
  Open();
  EXPECT_EQ(Shown(R("Interface", "UI Theme")), "None");
  dialog->Apply();
  EXPECT_EQ(settings.Text("Interface", "UI Theme"), "");
  EXPECT_EQ(project.uiRefreshRequest, 1);
}

// Values edited by hand into config.ini open in a defined state, and OK stores sane ones.
TEST_F(PreferencesDialogTest, OutOfRangeValuesFromTheFile) {
  struct Case {
    std::string_view group, key;
    SettingValue value;
    std::string shown;
    std::string stored;
  };
  const Case cases[] = {
      {"Output", "PNG BPP", 16, "", "0"},
      {"Output", "PCX BPP", 8, "", "0"},
      {"Interface", "UI Size", 7, "", "0"},
      {"Transform", "Image Resize Algorithm", -3, "", "0"},
      {"Watermark", "Text Size", 1, "", "0"},
      {"Transform", "Image Rotation Back Color", std::string("12AB3"), "000000", "000000"},
      {"Frame", "Solid Left Color", std::string("zz zz zz"), "000000", "000000"},
      {"Output", "JPG Quality", 500, "100 @100", "100"},
      {"Adjustment", "Image Brightness", -1000, "-100 @0", "-100"},
      {"Adjustment", "Image Gamma", 50.0f, "9.99 @999", "9.99"},
      {"Adjustment", "Image Gamma", -1.0f, "0.01 @1", "0.01"},
      {"Advanced", "Out Folders Number", -5, "1 @1", "1"},
      {"Output", "Format", std::string("jpg"), "PNG", "png"},
      {"Input", "Format", std::string("TGA"), "TGA", "tga"},
      {"Interface", "UI Theme", std::string("missing"), "Alpha", "alpha"},
      {"Watermark", "Font Color", std::string("abcdefgh"), "Black", "000000"},
  };
  for (const Case& c : cases) {
    ResetSettings(settings, false);
    settings.SetValue(FindSettingIndex(c.group, c.key), c.value);
    Open();
    EXPECT_EQ(Shown(R(c.group, c.key)), c.shown) << c.group << "/" << c.key;
    dialog->Apply();
    EXPECT_EQ(SettingText(settings, c.group, c.key), c.stored) << c.group << "/" << c.key;
  }

  // A palette with an entry that is no colour shows it as black, without failing.
  ResetSettings(settings, false);
  settings.SetText("Watermark", "Back Colors", "zz,FF0000,");
  settings.SetText("Watermark", "Back Color", "FF0000");
  Open();
  const PreferencesRow& back = R("Watermark", "Back Color");
  EXPECT_EQ(back.list->count(), 3);
  EXPECT_EQ(back.list->itemText(0), "Black");
  EXPECT_EQ(Shown(back), "Red");

  // Number fields store their leading integer; no number at all stores 0.
  Open();
  R("Frame", "Solid Left").field->setText("12abc");
  R("Frame", "Solid Top").field->setText("");
  R("Frame", "Solid Bottom").field->setText("99999999999");
  dialog->Apply();
  EXPECT_EQ(settings.Int("Frame", "Solid Left"), 12);
  EXPECT_EQ(settings.Int("Frame", "Solid Top"), 0);
  EXPECT_EQ(settings.Int("Frame", "Solid Bottom"), 2147483647);

  // Typing letters into a number field is refused.
  Open();
  QLineEdit* field = R("Frame", "Solid Right").field;
  field->selectAll();
  TypeInto(field, "4a-2");
  EXPECT_EQ(field->text(), "42");
}

TEST_F(PreferencesDialogTest, KeepSubfoldersIsHiddenButKept) {
  for (int value : {0, 1}) {
    settings.SetInt("Advanced", "Keep Subfolders", value);
    Open();
    const PreferencesRow& row = R("Advanced", "Keep Subfolders");
    EXPECT_TRUE(row.label->isHidden());
    EXPECT_TRUE(row.check->isHidden());
    dialog->Apply();
    EXPECT_EQ(settings.Int("Advanced", "Keep Subfolders"), value);
  }
}

// The whole round: the dialog runs modally, OK is pressed, config.ini is written.
TEST_F(PreferencesDialogTest, RunPreferencesDialogEndToEnd) {
  QWidget parent;
  parent.show();
  fixture::Repeater pressOk([] {
    auto* open = qobject_cast<PreferencesDialog*>(QApplication::activeModalWidget());
    if (open == nullptr) return false;
    open->categoryList()->setCurrentRow(1);
    open->Row("Interface", "UI Size")->list->setCurrentIndex(0);
    open->okButton()->click();
    return true;
  });
  EXPECT_EQ(RunPreferencesDialog(&parent, ctx), PreferencesOutcome::Applied);
  EXPECT_EQ(settings.Int("Interface", "UI Size"), 0);
  EXPECT_TRUE(ConfigWritten());
  ASSERT_EQ(refreshes.size(), 1u);
  EXPECT_EQ(refreshes[0].request, 2);

  fixture::Repeater pressEscape([] {
    QWidget* open = QApplication::activeModalWidget();
    if (open == nullptr) return false;
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(open, &escape);
    return true;
  });
  EXPECT_EQ(RunPreferencesDialog(&parent, ctx), PreferencesOutcome::Cancelled);
}

// Pictures of every page for looking at the layout: set RONDIX_PREFERENCES_PICTURES to a
// folder to have them written there.
TEST_F(PreferencesDialogTest, PicturesOfEveryPage) {
  const char* folder = std::getenv("RONDIX_PREFERENCES_PICTURES");
  if (folder == nullptr || folder[0] == '\0') GTEST_SKIP() << "RONDIX_PREFERENCES_PICTURES not set";
  ImageSets images;
  LoadBuiltInImages(images, ToolbarIconPixels(2));
  ctx.images = &images;
  settings.SetInt("Frame", "Do Frame", 1);
  settings.SetInt("Transform", "Do Image Rotation", 1);
  struct Shot {
    int page;
    int watermark;  // "Do Watermark" for the page
    const char* name;
  } shots[] = {{0, 1, "general"}, {1, 1, "interface"},      {2, 1, "input"},
               {3, 1, "output"},  {4, 1, "transform"},      {5, 1, "adjustment"},
               {6, 1, "frame"},   {7, 1, "watermark-text"}, {7, 2, "watermark-image"},
               {8, 1, "advanced"}};
  for (const Shot& shot : shots) {
    settings.SetInt("Watermark", "Do Watermark", shot.watermark);
    project.preferencesStartPage = shot.page;
    Open();
    dialog->show();
    QApplication::processEvents();
    const std::string path = std::string(folder) + "/preferences-" + shot.name + ".png";
    EXPECT_TRUE(dialog->grab().save(QString::fromStdString(path))) << path;
    dialog->hide();
  }
}

}  // namespace
}  // namespace rondix
