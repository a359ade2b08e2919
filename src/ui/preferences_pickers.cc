#include "ui/preferences_pickers.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

#include <cmath>

namespace rondix {

PreferencesPickers ToolkitPreferencesPickers() {
  PreferencesPickers p;
  p.pickColor = [](QWidget* parent, const QColor& preset) -> std::optional<QColor> {
    const QColor picked = QColorDialog::getColor(preset, parent);
    if (!picked.isValid()) return std::nullopt;
    return picked;
  };
  p.pickFont = [](QWidget* parent, const QString& family, int points) -> std::optional<PickedFont> {
    QFont preset(family);
    if (points > 0) preset.setPointSize(points);
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, preset, parent);
    if (!ok) return std::nullopt;
    PickedFont picked;
    picked.family = font.family();
    picked.points = static_cast<int>(std::lround(font.pointSizeF()));
    picked.weight = font.weight();
    picked.italic = font.italic();
    picked.underline = font.underline();
    picked.strikeOut = font.strikeOut();
    return picked;
  };
  p.openFile = [](QWidget* parent, const QString& title, const QString& preset,
                  const QStringList& filters) {
    QString selected = filters.isEmpty() ? QString() : filters.front();
    return QFileDialog::getOpenFileName(parent, title, preset, filters.join(QStringLiteral(";;")),
                                        &selected);
  };
  p.askYesNo = [](QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
  };
  return p;
}

}  // namespace rondix
