// The modal pickers the preferences dialog opens (colour, font, watermark image file and the
// Defaults question), reached through one record of functions so tests can answer them.
#pragma once
#include <QColor>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace rondix {

struct PickedFont {
  QString family;
  int points = 0;
  int weight = 400;  // 100..900, 700 is bold
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
};

struct PreferencesPickers {
  // A colour, or nothing when cancelled.
  std::function<std::optional<QColor>(QWidget* parent, const QColor& preset)> pickColor;
  // A font, or nothing when cancelled; preset with a family and a size in points, no style.
  std::function<std::optional<PickedFont>(QWidget* parent, const QString& family, int points)>
      pickFont;
  // One existing file, or an empty text when cancelled; the first filter is active.
  std::function<QString(QWidget* parent, const QString& title, const QString& preset,
                        const QStringList& filters)>
      openFile;
  // A question box with Yes and No; true for Yes.
  std::function<bool(QWidget* parent, const QString& title, const QString& text)> askYesNo;
};

// The toolkit's own colour, font and file dialogs and a question box.
PreferencesPickers ToolkitPreferencesPickers();

}  // namespace rondix
