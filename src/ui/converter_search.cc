#include "ui/converter_search.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "batch/batch_context.h"
#include "core/web_links.h"

namespace rondix {

std::string CleanSearchExtension(std::string_view text) {
  std::string cleaned;
  size_t characters = 0;
  for (char c : text) {
    // A UTF-8 continuation byte belongs to the character before it.
    const bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
    if (!continuation && ++characters > kSearchExtensionLength) break;
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) cleaned += c;
  }
  return cleaned;
}

ConverterSearch::ConverterSearch(QWidget* parent, const StringTable& strings, ProjectState& project,
                                 const DesktopDialogs& dialogs)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      strings_(strings),
      project_(project),
      dialogs_(dialogs) {
  setWindowTitle(QStr(strings.GetText("Custom-Converter", "Title")));
  setFixedSize(370, 60);

  auto label = [this](std::string_view key, int x, int width) {
    auto* l = new QLabel(QStr(strings_.GetText("Custom-Converter", key)), this);
    l->setGeometry(x, 23, width, 20);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  };
  label("From", 10, 40);
  from_ = new QLineEdit(this);
  from_->setGeometry(50, 20, 80, 20);
  label("To", 150, 30);
  to_ = new QLineEdit(this);
  to_->setGeometry(180, 20, 80, 20);

  search_ = new QPushButton(QStr(strings.GetText("Custom-Converter", "Search")), this);
  search_->setGeometry(280, 18, 80, 25);
  search_->setDefault(true);
  search_->setAutoDefault(true);
  connect(search_, &QPushButton::clicked, this, [this] { Search(); });

  from_->setFocus();
}

void ConverterSearch::Search() {
  const std::string from = CleanSearchExtension(Utf8(from_->text()));
  const std::string to = CleanSearchExtension(Utf8(to_->text()));
  project_.searchFrom = from;
  project_.searchTo = to;
  if (from.empty() || to.empty()) {
    if (dialogs_.warning) dialogs_.warning(this, std::string(strings_.GetText("Msg", "Empty extensions")));
    return;
  }
  hide();
  if (dialogs_.openExternal) dialogs_.openExternal(ConverterSearchAddress(from, to));
  accept();
}

void OpenConverterSearch(QWidget* parent, const StringTable& strings, ProjectState& project,
                         const DesktopDialogs& dialogs) {
  ConverterSearch window(parent, strings, project, dialogs);
  window.exec();
}

}  // namespace rondix
