#include "ui/uninstall_prompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "batch/batch_context.h"
#include "core/web_links.h"
#include "platform/open_external.h"

namespace rondix {

UninstallPrompt::UninstallPrompt(const StringTable& strings,
                                 std::function<void(const std::string&)> openExternal)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      open_(std::move(openExternal)) {
  setWindowTitle(QStr(strings.GetText("Uninstall", "Title")));
  setFixedSize(300, 100);

  visit_ = new QCheckBox(QStr(strings.GetText("Uninstall", "Uninstall Text")), this);
  visit_->setGeometry(30, 20, 250, 20);
  visit_->setChecked(true);

  next_ = new QPushButton(QStr(strings.GetText("Uninstall", "Next")), this);
  next_->setGeometry(200, 60, 80, 25);
  next_->setDefault(true);
  connect(next_, &QPushButton::clicked, this, [this] { Next(); });
}

void UninstallPrompt::Centre() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void UninstallPrompt::Next() {
  if (visit_->isChecked() && open_) open_(UninstallPageAddress());
  close();
}

int RunUninstallPrompt(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("rondix"));
  const StringTable strings;
  UninstallPrompt prompt(strings, [](const std::string& target) { OpenExternal(target); });
  prompt.Centre();
  prompt.show();
  return QApplication::exec();
}

}  // namespace rondix
