#include "ui/handdrawn_theme.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include "ui/icon_art.h"
#include "ui/image_names.h"

namespace rondix {
namespace {

std::string LowerName(std::string_view name) {
  std::string out(name);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool EncodePng(QImage image, std::string& out) {
  // A fixed 96 dpi: Qt's default depends on whether a screen is present, and the archive
  // must come out the same either way.
  constexpr int kDotsPerMetre = 3780;
  image.setDotsPerMeterX(kDotsPerMetre);
  image.setDotsPerMeterY(kDotsPerMetre);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
    return false;
  out.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
  return true;
}

}  // namespace

std::vector<ZipItem> HandDrawnThemeItems() {
  // Buttons name their file outright; icons give a base name that the size completes.
  std::string cfg = "[Theme]\r\nName=" + std::string(kHandDrawnThemeName) + "\r\n\r\n[Buttons]\r\n";
  std::vector<ZipItem> pictures;
  for (std::string_view name : kButtonImageNames) {
    ZipItem item{LowerName(name) + "_button.png", {}};
    if (!EncodePng(DrawButtonImage(name), item.data)) return {};
    cfg += std::string(name) + "=" + item.name + "\r\n";
    pictures.push_back(std::move(item));
  }
  cfg += "\r\n[Icons]\r\n";
  for (std::string_view name : kIconNames) {
    const std::string base = LowerName(name);
    cfg += std::string(name) + "=" + base + "\r\n";
    for (int size : kHandDrawnIconSizes) {
      ZipItem item{base + "_" + std::to_string(size) + ".png", {}};
      if (!EncodePng(DrawIcon(name, size), item.data)) return {};
      pictures.push_back(std::move(item));
    }
  }
  std::vector<ZipItem> items{{"theme.cfg", cfg}};
  for (ZipItem& item : pictures) items.push_back(std::move(item));
  return items;
}

}  // namespace rondix
