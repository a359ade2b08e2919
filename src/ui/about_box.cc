#include "ui/about_box.h"

#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

#include "batch/batch_context.h"
#include "core/product.h"
#include "ui/about_banner.h"

namespace rondix {
namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 240;

}  // namespace

LinkLabel::LinkLabel(const QString& text, std::function<void()> onClick, QWidget* parent)
    : QLabel(text, parent), onClick_(std::move(onClick)) {
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
  setPalette(palette);
  setCursor(Qt::PointingHandCursor);
  setTextFormat(Qt::PlainText);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  // A click is a press and a release over the link, as with a button.
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click && onClick_) onClick_();
}

AboutBox::AboutBox(QWidget* parent, const StringTable& strings, const DesktopDialogs& dialogs)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setWindowTitle(QStr(strings.GetText("About", "Title")));
  setFixedSize(kWidth, kHeight);

  auto* banner = new QLabel(this);
  banner->setPixmap(QPixmap::fromImage(DrawAboutBanner()));
  banner->setGeometry(0, 0, kAboutBannerWidth, kAboutBannerHeight);

  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setFrameShadow(QFrame::Sunken);
  frame->setGeometry(0, 40, kWidth, 150);

  auto line = [this](const QString& text, int y) {
    auto* l = new QLabel(text, this);
    l->setGeometry(20, y, 320, 20);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setTextFormat(Qt::PlainText);
  };
  line(QStr(TitleText()), 50);
  line(QStr(kMakerNotice), 70);

  auto caption = [this](std::string_view text, int y, int width) {
    auto* l = new QLabel(QStr(text), this);
    l->setGeometry(80, y, width, 20);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  };
  caption(strings.GetText("About", "Website"), 100, 60);
  caption(strings.GetText("About", "Email"), 120, 50);

  // Read when clicked, so a test may swap the opener while the box is open.
  const DesktopDialogs* d = &dialogs;
  auto open = [d](const std::string& target) {
    if (d->openExternal) d->openExternal(target);
  };
  web_ = new LinkLabel(QStr(kMakerSite), [open] { open(std::string(kMakerSite)); }, this);
  web_->setGeometry(140, 100, 215, 20);
  web_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  mail_ = new LinkLabel(QStr(kSupportEmail),
                        [open] { open("mailto:" + std::string(kSupportEmail)); }, this);
  mail_->setGeometry(140, 120, 215, 20);
  mail_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  ok_ = new QPushButton(QStr(strings.GetText("Dialog", "OK")), this);
  ok_->setGeometry(140, 200, 80, 25);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::reject() { accept(); }

void AboutBox::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      event->accept();
      ok_->click();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void OpenAboutBox(QWidget* parent, const StringTable& strings, const DesktopDialogs& dialogs) {
  AboutBox box(parent, strings, dialogs);
  box.exec();
}

}  // namespace rondix
