// The composite controls of the preferences dialog: number spinners that take any typed
// text (its leading number, clamped), the gamma spinner in hundredths shown with two
// decimals, the slider that follows a spinner, and colour swatches.
#pragma once
#include <QColor>
#include <QIcon>
#include <QSpinBox>

class QSlider;

namespace rondix {

// A spinner whose typed text counts by its leading integer (0 when there is none), clamped
// to the range; a text that is not exactly that number is rewritten at once. A blank text
// or a lone sign is left alone while typing and counts as 0 when the edit ends.
class NumberSpinner : public QSpinBox {
  Q_OBJECT

 public:
  explicit NumberSpinner(QWidget* parent = nullptr);

  // The value the current text stands for (what OK stores), applying it first.
  int CommittedValue();

 protected:
  QValidator::State validate(QString& text, int& pos) const override;
  int valueFromText(const QString& text) const override;
  QString textFromValue(int value) const override;
};

// Gamma in hundredths (1..999), shown as the gamma with two decimals. Typed text is read as
// a decimal number; the value and the slider follow every keystroke, and the text is
// rewritten with two decimals when the edit ends (Enter, leaving the field, the arrows).
class GammaSpinner : public NumberSpinner {
  Q_OBJECT

 public:
  explicit GammaSpinner(QWidget* parent = nullptr);

 protected:
  QValidator::State validate(QString& text, int& pos) const override;
  int valueFromText(const QString& text) const override;
  QString textFromValue(int value) const override;
};

// Keeps `slider` at spinner value + `offset` and the spinner at slider value - `offset`,
// without echoing a change back to where it came from (which would rewrite a text that is
// still being typed).
void PairSliderWithSpinner(QSlider* slider, NumberSpinner* spinner, int offset);

// A solid `size` picture of `color` with a thin dark border.
QIcon ColorSwatch(const QColor& color, QSize size);

}  // namespace rondix
