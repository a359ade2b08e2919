#include "ui/preferences_controls.h"

#include <QPainter>
#include <QPixmap>
#include <QSlider>

#include <algorithm>
#include <memory>

#include "ui/preferences_values.h"

namespace rondix {
namespace {

std::string Utf8(const QString& text) { return text.toStdString(); }

}  // namespace

NumberSpinner::NumberSpinner(QWidget* parent) : QSpinBox(parent) {
  // A text left blank counts as 0, clamped, rather than falling back to the old value.
  setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

int NumberSpinner::CommittedValue() {
  interpretText();
  return value();
}

QValidator::State NumberSpinner::validate(QString& text, int& pos) const {
  if (IsUnfinishedNumber(Utf8(text), minimum() < 0)) return QValidator::Intermediate;
  const QString canonical = textFromValue(valueFromText(text));
  if (text != canonical) {
    text = canonical;
    pos = static_cast<int>(canonical.size());
  }
  return QValidator::Acceptable;
}

int NumberSpinner::valueFromText(const QString& text) const {
  return std::clamp(LeadingInteger(Utf8(text)), minimum(), maximum());
}

QString NumberSpinner::textFromValue(int value) const { return QString::number(value); }

GammaSpinner::GammaSpinner(QWidget* parent) : NumberSpinner(parent) {
  setRange(kGammaMin, kGammaMax);
}

QValidator::State GammaSpinner::validate(QString& text, int&) const {
  // Left as typed, so "2.5" can be entered at all; the two decimals come when the edit ends.
  if (IsUnfinishedNumber(Utf8(text), false)) return QValidator::Intermediate;
  return QValidator::Acceptable;
}

int GammaSpinner::valueFromText(const QString& text) const {
  return GammaHundredthsFromText(Utf8(text));
}

QString GammaSpinner::textFromValue(int value) const {
  return QString::fromStdString(GammaText(value));
}

void PairSliderWithSpinner(QSlider* slider, NumberSpinner* spinner, int offset) {
  auto busy = std::make_shared<bool>(false);
  QObject::connect(slider, &QSlider::valueChanged, spinner, [=](int value) {
    if (*busy) return;
    *busy = true;
    spinner->setValue(value - offset);
    *busy = false;
  });
  QObject::connect(spinner, &QSpinBox::valueChanged, slider, [=](int value) {
    if (*busy) return;
    *busy = true;
    slider->setValue(value + offset);
    *busy = false;
  });
}

QIcon ColorSwatch(const QColor& color, QSize size) {
  QPixmap picture(size);
  picture.fill(color);
  QPainter painter(&picture);
  painter.setPen(QColor(96, 96, 96));
  painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
  painter.end();
  return QIcon(picture);
}

}  // namespace rondix
