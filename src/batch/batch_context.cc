#include "batch/batch_context.h"

#include <QLabel>

namespace rondix {

QString QStr(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

std::string Text(const BatchContext& ctx, std::string_view group, std::string_view key) {
  return std::string(ctx.strings.GetText(group, key));
}

void SetStatus(const BatchContext& ctx, const std::string& text) {
  if (ctx.form.statusField != nullptr) ctx.form.statusField->setText(QStr(text));
}

}  // namespace rondix
