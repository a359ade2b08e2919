#include "ui/theme_loader.h"

#include <sys/stat.h>

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <string_view>

#include "core/text.h"
#include "ui/image_names.h"
#include "ui/theme_archive.h"
#include "ui/theme_descriptor.h"

namespace rondix {
namespace {

constexpr std::string_view kDescriptorEntry = "theme.cfg";

struct SetSource {
  ThemeImageSet flag;
  ImageSet ImageSets::*set;
  const std::string_view* names;
  size_t count;
  const char* group;
  const char* sizeText;  // nullptr: the toolbar's pixel size
};

// Size of a regular file, or -1 when there is none.
long long RegularFileSize(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
  return static_cast<long long>(info.st_size);
}

// A key names a file inside the themes folder only.
bool UsableKey(const std::string& key) {
  return !key.empty() && key.find('/') == std::string::npos;
}

QImage DecodePicture(const std::string& data) {
  QByteArray bytes = QByteArray::fromRawData(data.data(), static_cast<qsizetype>(data.size()));
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::ReadOnly)) return {};
  QImageReader reader(&buffer, "png");
  reader.setDecideFormatFromContent(false);
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty() || size.width() > kMaxThemePictureSide ||
      size.height() > kMaxThemePictureSide)
    return {};
  QImage image = reader.read();
  if (image.isNull()) return {};
  return image.convertToFormat(QImage::Format_ARGB32);
}

bool KeepEntry(std::string_view name) {
  return name == kDescriptorEntry || AsciiLower(name).find(".png") != std::string::npos;
}

}  // namespace

ThemeLoadResult LoadThemeImages(ImageSets& sets, SettingsStore& settings,
                                const ThemeRegistry& registry, const std::string& themeFolder,
                                unsigned which) {
  ThemeLoadResult result;
  const int toolbarPixels = ToolbarIconPixels(settings.Int("Interface", "UI Size"));
  if (which & kThemeToolbarIcons) ResizeBuiltInToolbarIcons(sets.ToolbarIcons, toolbarPixels);

  std::string key = settings.Text("Interface", "UI Theme");
  long long size = UsableKey(key) ? RegularFileSize(ThemeArchivePath(themeFolder, key)) : -1;
  if (size < 0 && !registry.empty()) {
    key = registry.front().key;
    settings.SetText("Interface", "UI Theme", key);
    size = RegularFileSize(ThemeArchivePath(themeFolder, key));
  }
  if (size <= 0) return result;

  const ThemeArchive archive = ReadThemeArchive(ThemeArchivePath(themeFolder, key), KeepEntry);
  if (!archive.readable) return result;
  result.archiveRead = true;

  std::string descriptor;
  if (auto it = archive.entries.find(kDescriptorEntry); it != archive.entries.end())
    descriptor = it->second.substr(0, it->second.find('\0'));  // single-byte text ends at NUL

  const std::string toolbarSize = std::to_string(toolbarPixels);
  const SetSource sources[] = {
      {kThemeButtonImages, &ImageSets::ButtonImages, kButtonImageNames.data(),
       kButtonImageNames.size(), "Buttons", "16"},
      {kThemeMenuIcons, &ImageSets::MenuIcons, kIconNames.data(), kIconNames.size(), "Icons", "16"},
      {kThemeToolbarIcons, &ImageSets::ToolbarIcons, kIconNames.data(), kIconNames.size(), "Icons",
       nullptr},
  };
  for (const SetSource& source : sources) {
    if (!(which & source.flag)) continue;
    const std::string sizeText = source.sizeText ? source.sizeText : toolbarSize;
    ImageSet& set = sets.*source.set;
    for (size_t i = 0; i < source.count; ++i) {
      const std::string_view name = source.names[i];
      const std::string entryName =
          ThemeEntryName(DescriptorValue(descriptor, source.group, name), sizeText);
      auto entry = archive.entries.find(entryName);
      if (entryName.empty() || entry == archive.entries.end()) continue;
      QImage image = DecodePicture(entry->second);
      if (image.isNull()) continue;
      set[std::string(name)] = Picture{std::move(image), false};
      ++result.replaced;
    }
  }
  return result;
}

}  // namespace rondix
