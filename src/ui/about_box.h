// The about box: banner, title and notice lines, the maker's web and e-mail links, OK.
// Return, Escape and the close box all act as OK.
#pragma once
#include <QDialog>
#include <QLabel>

#include <functional>
#include <string>

#include "batch/dialogs.h"
#include "storage/string_table.h"

class QPushButton;

namespace rondix {

// A text that opens something when clicked, shown as a link: blue, hand cursor.
class LinkLabel : public QLabel {
 public:
  LinkLabel(const QString& text, std::function<void()> onClick, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::function<void()> onClick_;
  bool pressed_ = false;
};

class AboutBox : public QDialog {
 public:
  // `dialogs.openExternal` opens the links; `dialogs` must outlive the box.
  AboutBox(QWidget* parent, const StringTable& strings, const DesktopDialogs& dialogs);

  QPushButton* okButton() const { return ok_; }
  LinkLabel* webLink() const { return web_; }
  LinkLabel* mailLink() const { return mail_; }

  // Closing by any way is OK.
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QPushButton* ok_ = nullptr;
  LinkLabel* web_ = nullptr;
  LinkLabel* mail_ = nullptr;
};

// Shows the about box over `parent` and waits until it is closed; `parent` takes no input
// meanwhile.
void OpenAboutBox(QWidget* parent, const StringTable& strings, const DesktopDialogs& dialogs);

}  // namespace rondix
