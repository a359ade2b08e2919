// The modal boxes, file pickers and the desktop opener of the interface, reached through one
// record of functions so the window code never shows a real modal box in tests.
#pragma once
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <string>

#include "storage/string_table.h"

class QWidget;

namespace rondix {

struct DesktopDialogs {
  // Warning box titled "Msg"/"Warning", OK only.
  std::function<void(QWidget* parent, const std::string& text)> warning;
  // Information box with the given title, OK only.
  std::function<void(QWidget* parent, const std::string& title, const std::string& text)> info;
  // Warning box with Yes and No; true for Yes.
  std::function<bool(QWidget* parent, const std::string& title, const std::string& text)> question;
  // Open-file dialog for one existing file; empty when cancelled. `filters` are Qt filter
  // strings, the first one selected.
  std::function<QString(QWidget* parent, const QString& title, const QString& proposed,
                        const QStringList& filters)>
      openFile;
  // Folder dialog; empty when cancelled.
  std::function<QString(QWidget* parent, const QString& title, const QString& start)> chooseFolder;
  // A file, web address or mail link handed to the desktop's default handler.
  std::function<void(const std::string& target)> openExternal;
};

// The real boxes and dialogs of the toolkit; `strings` must outlive the result.
DesktopDialogs ToolkitDialogs(const StringTable& strings);

// Message boxes of the toolkit. Texts keep their line breaks ("\r\n" shows as one break).
void ShowWarning(QWidget* parent, const StringTable& strings, const std::string& text);
void ShowInfo(QWidget* parent, const std::string& title, const std::string& text);
bool AskYesNo(QWidget* parent, const std::string& title, const std::string& text);

// Opens `target` with the desktop's default handler: a text with a scheme ("https:",
// "mailto:") as that address, anything else as a local file taken from the working folder.
// The result is not reported.
void OpenExternalOnDesktop(const std::string& target);

// The address OpenExternalOnDesktop hands to the desktop.
QUrl ExternalTargetUrl(const std::string& target);

// UTF-8 text as shown in a box: CR LF and lone CR become LF.
QString BoxText(const std::string& text);

}  // namespace rondix
