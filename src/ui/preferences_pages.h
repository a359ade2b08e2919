// What the preferences dialog shows, as data: the nine pages in category order, the rows of
// each page, area and format sub-page with their labels, controls, value lists and bound
// settings, and the rules by which some controls enable or show others. The dialog builds
// its widgets from these tables; nothing here knows about widgets.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

namespace rondix {

enum class RowKind : uint8_t {
  DropDown,       // `entries` in order, bound by position
  FixedDropDown,  // `entries` shown with the first selected; bound to no setting
  Language,       // the literal "English"; always stores "en"
  Theme,          // the listed themes; stores the selected theme's key
  FormatList,     // InputFormatList or OutputFormatList (by `group`); stores the entry
  BitDepth,       // "Auto" and the depths of format `extra`; stores 0 or the depth
  CheckBox,
  Number,         // digits field; `extra` is the unit key of a fixed unit list, or empty
  NumberAndUnit,  // digits field and a unit list bound to setting `extra` (same group)
  SliderSpinner,  // spinner min..max; the slider holds spinner + `sliderOffset`
  Gamma,          // slider and spinner in hundredths of the gamma
  ColorButton,    // colour button and read-only RRGGBB field
  ColorList,      // colour list from palette setting `extra` (same group) and "..."
  FontList,       // font list from "Fonts" and "..."
  Text,           // 240-wide text field
  ImagePath,      // 214-wide text field and "..." (watermark image)
  DateTime,       // date and time field
};

struct RowSpec {
  std::string_view label;  // "Preferences" key
  RowKind kind;
  std::string_view group;  // bound setting; empty for a row bound to nothing
  std::string_view key;
  std::span<const std::string_view> entries = {};  // "Preferences" keys of list entries
  int min = 0;
  int max = 0;
  int sliderOffset = 0;
  std::string_view extra = {};
  bool hidden = false;  // never shown, still filled and stored
};

// A scrolling area below a page's selector row (Frame and Watermark pages).
struct AreaSpec {
  std::string_view id;  // "frame", "text", "image"
  int contentHeight;
  std::span<const RowSpec> rows;
};

enum class PageShape : uint8_t {
  Plain,      // rows on the page itself
  Scrolling,  // rows in a page-sized scrolling area
  Formats,    // a format list row above the sub-page of the selected format
  Selector,   // a selector row above scrolling areas
};

struct PageSpec {
  std::string_view title;  // "Preferences" key of the category
  PageShape shape;
  std::span<const RowSpec> rows;
  int contentHeight = 0;  // Scrolling pages
  std::span<const AreaSpec> areas = {};
};

// The rows shown for one input family or output format. Output sub-pages begin with the
// "Bits Per Pixel" row; input sub-pages have none (an empty label).
struct SubPageSpec {
  std::string_view format;
  RowSpec bitDepth;
  std::span<const RowSpec> rows;
};

enum class Effect : uint8_t {
  SubPage,  // the format list shows the sub-page of its selected format
  Enable,   // the target row is enabled for the listed steering values, else disabled
  Show,     // the target row or area is shown for the listed values, else hidden
};

// A steering value is a check box's 0 or 1 or a drop-down's selected position.
struct DependencySpec {
  std::string_view group;  // steering control's setting
  std::string_view key;
  Effect effect;
  std::string_view targetGroup;  // empty: `targetKey` names an area
  std::string_view targetKey;
  uint32_t when = 0;  // bit v set: steering value v turns the target on
};

constexpr uint32_t WhenValues(std::initializer_list<int> values) {
  uint32_t mask = 0;
  for (int v : values) mask |= uint32_t{1} << v;
  return mask;
}

inline constexpr int kOutputPageIndex = 3;

std::span<const PageSpec> PreferencesPages();
std::span<const SubPageSpec> InputSubPages();
std::span<const SubPageSpec> OutputSubPages();
std::span<const DependencySpec> PreferencesDependencies();

}  // namespace rondix
