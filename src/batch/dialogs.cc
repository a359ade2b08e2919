#include "batch/dialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace rondix {
namespace {

QString Qs(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

QString Qs(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// A scheme is two or more ASCII letters, digits, "+", "-" or "." before the first ":",
// starting with a letter; one letter would be a drive, not a scheme.
bool HasScheme(const std::string& target) {
  size_t colon = target.find(':');
  if (colon == std::string::npos || colon < 2) return false;
  for (size_t i = 0; i < colon; ++i) {
    char c = target[i];
    bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    bool other = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
    if (!(letter || (i > 0 && other))) return false;
  }
  return true;
}

}  // namespace

QString BoxText(const std::string& text) {
  QString s = Qs(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}

void ShowWarning(QWidget* parent, const StringTable& strings, const std::string& text) {
  QMessageBox::warning(parent, Qs(strings.GetText("Msg", "Warning")), BoxText(text),
                       QMessageBox::Ok);
}

void ShowInfo(QWidget* parent, const std::string& title, const std::string& text) {
  QMessageBox::information(parent, Qs(title), BoxText(text), QMessageBox::Ok);
}

bool AskYesNo(QWidget* parent, const std::string& title, const std::string& text) {
  return QMessageBox::warning(parent, Qs(title), BoxText(text),
                              QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) == QMessageBox::Yes;
}

QUrl ExternalTargetUrl(const std::string& target) {
  if (HasScheme(target)) return QUrl(Qs(target), QUrl::TolerantMode);
  return QUrl::fromLocalFile(QDir::current().absoluteFilePath(Qs(target)));
}

void OpenExternalOnDesktop(const std::string& target) {
  if (target.empty()) return;
  QDesktopServices::openUrl(ExternalTargetUrl(target));
}

DesktopDialogs ToolkitDialogs(const StringTable& strings) {
  DesktopDialogs d;
  d.warning = [&strings](QWidget* parent, const std::string& text) {
    ShowWarning(parent, strings, text);
  };
  d.info = &ShowInfo;
  d.question = &AskYesNo;
  d.openFile = [](QWidget* parent, const QString& title, const QString& proposed,
                  const QStringList& filters) {
    QString selected = filters.isEmpty() ? QString() : filters.front();
    return QFileDialog::getOpenFileName(parent, title, proposed, filters.join(";;"), &selected);
  };
  d.chooseFolder = [](QWidget* parent, const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, title, start);
  };
  d.openExternal = &OpenExternalOnDesktop;
  return d;
}

}  // namespace rondix
