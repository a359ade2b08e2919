#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <algorithm>

#include "batch/convert.h"
#include "batch/input_selection.h"
#include "core/formats.h"
#include "core/product.h"
#include "core/text.h"
#include "ui/help_links.h"
#include "ui/theme_loader.h"

namespace rondix {
namespace {

struct MenuItemRow {
  std::string_view menu;      // "Menu" key of the menu's title
  std::string_view key;       // "Menu" key of the item; empty for a separator
  std::string_view shortcut;  // shown after the text
  std::string_view icon;
  Command command;
};

constexpr MenuItemRow kMenuItems[] = {
    {"File", "New", "\tCtrl+N", "New", Command::New},
    {"File", {}, {}, {}, Command::New},
    {"File", "Select Input File", {}, "Add", Command::SelectInputFile},
    {"File", "Select Output Folder", {}, "OutFolder", Command::SelectOutputFolder},
    {"File", {}, {}, {}, Command::New},
    {"File", "Exit", "\tAlt+X", "Exit", Command::Exit},
    {"Converter", "Convert", "\tF5", "Convert", Command::Convert},
    {"Converter", {}, {}, {}, Command::New},
    {"Converter", "Custom Converter", {}, "CustomConverter", Command::CustomConverter},
    {"Converter", {}, {}, {}, Command::New},
    {"Converter", "Preferences", {}, "Preferences", Command::Preferences},
    {"Help", "Manual", "\tF1", "Help", Command::Manual},
    {"Help", {}, {}, {}, Command::New},
    {"Help", "Send Feedback", {}, "Email", Command::SendFeedback},
    {"Help", "Visit Homepage", {}, "Web", Command::VisitHomepage},
    {"Help", "Check For New Version", {}, "Updates", Command::CheckForNewVersion},
    {"Help", {}, {}, {}, Command::New},
    {"Help", "About", {}, "About", Command::About},
};

struct ToolbarRow {
  std::string_view icon;  // empty for a separator
  std::string_view tooltipKey;
  Command command;
};

constexpr ToolbarRow kToolbarButtons[] = {
    {"New", "New", Command::New},
    {"Add", "Select Input File", Command::SelectInputFile},
    {"OutFolder", "Select Output Folder", Command::SelectOutputFolder},
    {{}, {}, Command::New},
    {"Preferences", "Preferences", Command::Preferences},
    {{}, {}, Command::New},
    {"Convert", "Convert", Command::Convert},
    {{}, {}, Command::New},
    {"Help", "Manual", Command::Manual},
    {"Email", "Send Feedback", Command::SendFeedback},
    {"Web", "Visit Homepage", Command::VisitHomepage},
    {"Updates", "Check For New Version", Command::CheckForNewVersion},
};

struct FieldButtonRow {
  std::string_view icon;
  std::string_view tooltipKey;
  Command command;
  int y;
};

constexpr FieldButtonRow kFieldButtons[] = {
    {"Add", "Select Input File", Command::SelectInputFile, 19},
    {"OutFolder", "Select Output Folder", Command::SelectOutputFolder, 59},
    {"OutFormat", "Output Format Options", Command::OutputFormatOptions, 99},
};

struct ShortcutRow {
  QKeyCombination keys;
  Command command;
};

constexpr ShortcutRow kShortcuts[] = {
    {QKeyCombination(Qt::CTRL, Qt::Key_N), Command::New},
    {QKeyCombination(Qt::ALT, Qt::Key_X), Command::Exit},
    {QKeyCombination(Qt::NoModifier, Qt::Key_F5), Command::Convert},
    {QKeyCombination(Qt::NoModifier, Qt::Key_F1), Command::Manual},
};

// Panel controls: x 10; the fields are W - 160 wide.
constexpr int kFieldX = 10;
constexpr int kFieldMargin = 160;
constexpr int kFieldButtonFromRight = 146;
constexpr int kConvertFromRight = 110;
constexpr int kFieldButtonSize = 24;
constexpr int kConvertSize = 100;
constexpr int kMenuIconSize = 16;

// The first file of a drop, if the drop carries files at all. Nothing while a modal window
// is open: a run must not see its input list change.
QString FirstDroppedFile(const QMimeData* data) {
  if (QApplication::activeModalWidget() != nullptr) return {};
  if (data == nullptr || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) return url.toLocalFile();
  }
  return {};
}

}  // namespace

void StoreWindowGeometry(const WindowGeometry& geometry, SettingsStore& settings) {
  if (geometry.minimized) return;
  if (geometry.maximized) {
    settings.SetInt("Window", "IsMaximized", 1);
    return;
  }
  settings.SetInt("Window", "IsMaximized", 0);
  settings.SetInt("Window", "Width", geometry.width);
  settings.SetInt("Window", "Height", geometry.height);
  settings.SetInt("Window", "X", geometry.x);
  settings.SetInt("Window", "Y", geometry.y);
}

MainWindow::MainWindow(DesktopContext& ctx)
    : ctx_(ctx), batch_{ctx.settings, ctx.project, ctx.strings, ctx.dialogs, {}} {
  setWindowTitle(QStr(TitleText()));
  setMinimumWidth(kMainWindowMinWidth);
  setFixedHeight(kMainWindowHeight);
  setAcceptDrops(true);
  setContextMenuPolicy(Qt::PreventContextMenu);  // no toolbar hiding menu

  BuildMenuBar();
  BuildToolbar();
  BuildPanel();
  BuildFieldButtons();

  statusField_ = new QLabel(this);
  statusBar()->addWidget(statusField_, 1);

  batch_.form.window = this;
  batch_.form.inputField = inputField_;
  batch_.form.outputFolders = outputFolders_;
  batch_.form.outputFormats = outputFormats_;
  batch_.form.statusField = statusField_;
  batch_.form.folderIcon = [this] { return MenuIconOf("FavFolder"); };
  batch_.form.requestRelayout = [this] { RequestRelayout(); };
  InstallDesktopInputHook(batch_);

  RegisterShortcuts();
  ApplyStoredGeometry();
}

MainWindow::~MainWindow() { ctx_.project.desktopInputHook = nullptr; }

QIcon MainWindow::MenuIconOf(std::string_view name) const {
  QImage image = MenuIcon(ctx_.images, name);
  return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

QIcon MainWindow::ToolbarIconOf(std::string_view name) const {
  QImage image = ToolbarIcon(ctx_.images, name);
  return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

QPixmap MainWindow::ButtonImageOf(std::string_view name) const {
  QImage image = ButtonImage(ctx_.images, name);
  return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

void MainWindow::BuildMenuBar() {
  auto* bar = new QMenuBar(this);
  QMenu* menu = nullptr;
  std::string_view menuKey;
  for (const MenuItemRow& row : kMenuItems) {
    if (menu == nullptr || row.menu != menuKey) {
      menuKey = row.menu;
      menu = bar->addMenu(QStr(ctx_.strings.GetText("Menu", row.menu)));
    }
    if (row.key.empty()) {
      menu->addSeparator();
      continue;
    }
    // The text after the tab is shown as the shortcut; the keys themselves are the
    // window's shortcuts, active whatever has the focus.
    QAction* action = menu->addAction(MenuIconOf(row.icon),
                                      QStr(std::string(ctx_.strings.GetText("Menu", row.key)) +
                                           std::string(row.shortcut)));
    const Command command = row.command;
    connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
  }
  setMenuBar(bar);  // the old bar, if any, goes with it
}

void MainWindow::BuildToolbar() {
  if (toolbar_ != nullptr) {
    removeToolBar(toolbar_);
    toolbar_->deleteLater();
  }
  toolbar_ = new QToolBar(this);
  toolbar_->setMovable(false);
  toolbar_->setFloatable(false);
  toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  const int pixels = ToolbarIconPixels(ctx_.settings.Int("Interface", "UI Size"));
  toolbar_->setIconSize(QSize(pixels, pixels));
  for (const ToolbarRow& row : kToolbarButtons) {
    if (row.icon.empty()) {
      toolbar_->addSeparator();
      continue;
    }
    QAction* action = toolbar_->addAction(ToolbarIconOf(row.icon), QString());
    action->setToolTip(QStr(ctx_.strings.GetText("Menu", row.tooltipKey)));
    const Command command = row.command;
    connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
  }
  addToolBar(Qt::TopToolBarArea, toolbar_);
}

void MainWindow::BuildPanel() {
  auto* client = new QWidget(this);
  setCentralWidget(client);
  panel_ = new QWidget(client);
  panel_->move(0, 0);

  auto label = [this](std::string_view key, int y) {
    auto* l = new QLabel(QStr(ctx_.strings.GetText("General", key)), panel_);
    l->setGeometry(kFieldX, y, 350, 20);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);  // static text sits at the top of its box
    l->lower();  // the fields below it stay clickable where the two touch
  };
  label("Input File", 5);
  label("Output Folder", 45);
  label("Output Format", 85);

  inputField_ = new QLineEdit(panel_);
  inputField_->setAcceptDrops(false);  // a file dropped on it goes to the window instead
  inputField_->setGeometry(kFieldX, 20, kMainWindowMinWidth - kFieldMargin, 20);

  outputFolders_ = new QComboBox(panel_);
  outputFolders_->setEditable(false);
  outputFolders_->setIconSize(QSize(kMenuIconSize, kMenuIconSize));
  outputFolders_->setGeometry(kFieldX, 60, kMainWindowMinWidth - kFieldMargin, 21);
  connect(outputFolders_, &QComboBox::activated, this, [this] {
    ctx_.project.state.currentOutputFolder = Utf8(outputFolders_->currentText());
  });

  outputFormats_ = new QComboBox(panel_);
  outputFormats_->setEditable(false);
  outputFormats_->setIconSize(QSize(kMenuIconSize, kMenuIconSize));
  outputFormats_->setGeometry(kFieldX, 100, kMainWindowMinWidth - kFieldMargin, 21);
  connect(outputFormats_, &QComboBox::activated, this, [this] {
    bool ok = false;
    const int position = outputFormats_->currentData().toInt(&ok);
    const auto formats = OutputFormatList();
    if (ok && position >= 0 && static_cast<size_t>(position) < formats.size()) {
      ctx_.settings.SetText("Output", "Format", std::string(formats[static_cast<size_t>(position)]));
    }
  });

  convertButton_ = new QPushButton(panel_);
  ShowConvertPicture();
  convertButton_->setToolTip(QStr(ctx_.strings.GetText("Menu", "Convert")));
  convertButton_->setGeometry(kMainWindowMinWidth - kConvertFromRight, 20, kConvertSize, kConvertSize);
  connect(convertButton_, &QPushButton::clicked, this, [this] { RunCommand(Command::Convert); });

  notice_ = new QLabel(QStr(kMakerNotice), client);
  notice_->setEnabled(false);  // shown grey, like a static note
}

void MainWindow::BuildFieldButtons() {
  for (size_t i = 0; i < std::size(kFieldButtons); ++i) {
    const FieldButtonRow& row = kFieldButtons[i];
    if (fieldButtons_[i] == nullptr) {
      fieldButtons_[i] = new QToolButton(panel_);
      fieldButtons_[i]->setAutoRaise(true);
      fieldButtons_[i]->setIconSize(QSize(kMenuIconSize, kMenuIconSize));
      const Command command = row.command;
      connect(fieldButtons_[i], &QToolButton::clicked, this, [this, command] { RunCommand(command); });
    }
    fieldButtons_[i]->setIcon(MenuIconOf(row.icon));
    fieldButtons_[i]->setToolTip(QStr(ctx_.strings.GetText("Menu", row.tooltipKey)));
    fieldButtons_[i]->setGeometry(kMainWindowMinWidth - kFieldButtonFromRight, row.y,
                                  kFieldButtonSize, kFieldButtonSize);
  }
}

void MainWindow::RegisterShortcuts() {
  for (const ShortcutRow& row : kShortcuts) {
    auto* shortcut = new QShortcut(QKeySequence(row.keys), this);
    shortcut->setContext(Qt::WindowShortcut);
    const Command command = row.command;
    connect(shortcut, &QShortcut::activated, this, [this, command] { RunCommand(command); });
  }
}

void MainWindow::ApplyStoredGeometry() {
  const SettingsStore& s = ctx_.settings;
  int width = std::max(s.Int("Window", "Width"), kMainWindowMinWidth);
  QRect frame(s.Int("Window", "X"), s.Int("Window", "Y"), width, kMainWindowHeight);
  // A position from a damaged or foreign settings file can lie off every screen, where the
  // window could never be seen or reached: it is then centred on the primary screen.
  if (QScreen* primary = QGuiApplication::primaryScreen()) {
    QRect desktop = primary->virtualGeometry();
    if (frame.width() > desktop.width() && desktop.width() >= kMainWindowMinWidth) {
      frame.setWidth(desktop.width());
    }
    if (!desktop.intersects(frame)) {
      const QRect screen = primary->geometry();
      frame.moveTo(screen.x() + std::max(0, (screen.width() - frame.width()) / 2),
                   screen.y() + std::max(0, (screen.height() - kMainWindowHeight) / 2));
    }
  }
  resize(frame.width(), kMainWindowHeight);
  move(frame.topLeft());
}

void MainWindow::FillOutputFormatList() {
  outputFormats_->clear();
  const auto formats = OutputFormatList();
  const std::string& chosen = ctx_.settings.Text("Output", "Format");
  for (size_t i = 0; i < formats.size(); ++i) {
    if (formats[i].empty()) continue;
    const OutputFormat* format = FindOutputFormat(formats[i]);
    std::string text = AsciiUpper(formats[i]) + " (" +
                       (format != nullptr ? std::string(format->description) : std::string()) + ")";
    outputFormats_->addItem(MenuIconOf("New"), QStr(text), static_cast<int>(i));
    if (formats[i] == chosen) outputFormats_->setCurrentIndex(outputFormats_->count() - 1);
  }
  // A stored format this program does not write leaves the first item selected, as the
  // list selects its first item when it is filled, so Convert always has a format.
}

void MainWindow::FinishStartUp() {
  if (ctx_.settings.Int("Window", "IsMaximized") != 0) {
    setWindowState(windowState() | Qt::WindowMaximized);
  }
  if (ctx_.settings.Text("File", "Recent Out Folders").empty()) {
    outputFolders_->insertItem(0, QString());
  }
  FillOutputFormatList();
  RunCommand(Command::New);
  show();
  RequestRelayout();
  if (ctx_.project.state.modeMarker != "T" && ctx_.hooks.startupUpdateCheck) {
    ctx_.hooks.startupUpdateCheck();
  }
}

void MainWindow::RunCommand(Command command) {
  ProjectState& state = ctx_.project.state;
  auto run = [](const std::function<void()>& hook) {
    if (hook) hook();
  };
  auto open = [this](const std::string& target) {
    if (ctx_.dialogs.openExternal) ctx_.dialogs.openExternal(target);
  };
  switch (command) {
    case Command::New:
      // The list is refilled first, so the old output folder is still the one selected.
      RebuildOutputFolderList(batch_);
      ResetProject(ctx_.project);
      inputField_->clear();
      outputFolders_->setCurrentIndex(-1);
      break;
    case Command::SelectInputFile:
      SelectInputFile(batch_);
      break;
    case Command::SelectOutputFolder:
      SelectOutputFolder(batch_);
      break;
    case Command::OutputFormatOptions:
      state.preferencesStartPage = 3;  // the "Output" page
      run(ctx_.hooks.preferences);
      break;
    case Command::Exit:
      close();
      break;
    case Command::Convert:
      Convert(batch_);
      break;
    case Command::CustomConverter:
      run(ctx_.hooks.customConverter);
      break;
    case Command::Preferences:
      run(ctx_.hooks.preferences);
      break;
    case Command::Manual:
      OpenManual(open);
      break;
    case Command::SendFeedback:
      SendFeedback(open);
      break;
    case Command::VisitHomepage:
      VisitHomepage(open);
      break;
    case Command::CheckForNewVersion:
      run(ctx_.hooks.checkForNewVersion);
      break;
    case Command::About:
      run(ctx_.hooks.about);
      break;
  }
}

void MainWindow::Relayout() {
  const int w = width();
  QWidget* client = centralWidget();
  panel_->setGeometry(0, 0, w, std::max(0, client->height() - 40));
  const int fieldWidth = std::max(0, w - kFieldMargin);
  inputField_->setGeometry(kFieldX, inputField_->y(), fieldWidth, inputField_->height());
  outputFolders_->setGeometry(kFieldX, outputFolders_->y(), fieldWidth, outputFolders_->height());
  outputFormats_->setGeometry(kFieldX, outputFormats_->y(), fieldWidth, outputFormats_->height());
  for (size_t i = 0; i < fieldButtons_.size(); ++i) {
    fieldButtons_[i]->setGeometry(w - kFieldButtonFromRight, kFieldButtons[i].y, kFieldButtonSize,
                                  kFieldButtonSize);
  }
  convertButton_->move(w - kConvertFromRight, convertButton_->y());
  // The notice keeps its place above the status bar whatever the toolbar's height: its
  // y is counted from below the menu bar.
  notice_->setGeometry(10, kMainWindowHeight - 70 - (toolbar_ != nullptr ? toolbar_->height() : 0),
                       350, 20);
  update();
}

void MainWindow::RequestRelayout() {
  QCoreApplication::postEvent(this, new QResizeEvent(size(), size()));
}

void MainWindow::ShowConvertPicture() {
  // A theme's picture keeps its own size; only one larger than the button is fitted into it.
  const QPixmap picture = ButtonImageOf("Convert");
  convertButton_->setIcon(picture);
  convertButton_->setIconSize(picture.size().boundedTo(QSize(kConvertSize, kConvertSize)));
}

void MainWindow::UpdateListIcons() {
  const QIcon folder = MenuIconOf("FavFolder");
  for (int i = 0; i < outputFolders_->count(); ++i) outputFolders_->setItemIcon(i, folder);
  const QIcon format = MenuIconOf("New");
  for (int i = 0; i < outputFormats_->count(); ++i) outputFormats_->setItemIcon(i, format);
}

void MainWindow::RefreshAfterPreferences(int formatPosition) {
  int& request = ctx_.project.state.uiRefreshRequest;
  if (request == 2) {
    if (ctx_.hooks.reloadImages) ctx_.hooks.reloadImages(kThemeToolbarIcons);
    BuildToolbar();
    RequestRelayout();
    request = 0;
  } else if (request == 1) {
    if (ctx_.hooks.reloadImages) ctx_.hooks.reloadImages(kThemeAllImages);
    BuildMenuBar();
    BuildToolbar();
    BuildFieldButtons();
    ShowConvertPicture();
    UpdateListIcons();
    RequestRelayout();
    request = 0;
  }
  if (formatPosition >= 0 && formatPosition < outputFormats_->count()) {
    outputFormats_->setCurrentIndex(formatPosition);
  }
  if (outputFolders_->count() != ctx_.settings.Int("Advanced", "Out Folders Number")) {
    RebuildOutputFolderList(batch_);
  }
}

WindowGeometry MainWindow::CurrentGeometry() const {
  if (closed_) return closedAs_;
  WindowGeometry g;
  g.maximized = isMaximized();
  g.minimized = isMinimized();
  g.width = width();
  g.height = height();
  g.x = frameGeometry().x();
  g.y = frameGeometry().y();
  return g;
}

void MainWindow::StoreWindowGeometry() { rondix::StoreWindowGeometry(CurrentGeometry(), ctx_.settings); }

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  Relayout();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Taken while the window is still on screen; once hidden its state may no longer say.
  closed_ = false;
  closedAs_ = CurrentGeometry();
  closed_ = true;
  event->accept();
  QCoreApplication::quit();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!FirstDroppedFile(event->mimeData()).isEmpty()) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  }
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
  if (!FirstDroppedFile(event->mimeData()).isEmpty()) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  }
}

void MainWindow::dropEvent(QDropEvent* event) {
  // Only the first file counts: a run converts one file.
  const QString first = FirstDroppedFile(event->mimeData());
  if (first.isEmpty()) return;
  event->setDropAction(Qt::CopyAction);
  event->accept();
  AddInputFile(ctx_.project, Utf8(first));  // a refused file is ignored
}

}  // namespace rondix
