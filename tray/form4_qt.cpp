#include "tray/form4_qt.h"

#include <QDesktopServices>
#include <QMenu>
#include <QUrl>

#include "common/native_path.h"

namespace quorbel {
namespace {

QString ToQString(const Text& text) { return QString::fromStdU16String(text); }

}  // namespace

struct QtForm4::Impl {
  Impl(const ModIni& ini, PanelControl& panel, TrayMenuActions actions,
       std::function<void(const Text&)> play)
      : form(ini, panel, std::move(actions), {[] { OpenWebPage(); }, [this] { Unload(); }}),
        play_sound(std::move(play)) {}

  static void OpenWebPage() { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kProductWebAddress))); }

  void Unload() { menu.reset(); }

  void AddItem(const Text& caption, TrayMenuCommand command) {
    QAction* item = menu->addAction(ToQString(caption));
    // Queued on an object that outlives the menu: Exit destroys the menu,
    // which must not happen inside the menu's own signal.
    QObject::connect(item, &QAction::triggered, &receiver, [this, command] { form.Run(command); },
                     Qt::QueuedConnection);
  }

  void BuildMainMenu() {
    menu = std::make_unique<QMenu>();
    menu->setObjectName(QStringLiteral("menu_Main"));
    const TrayMenuTexts& texts = form.Texts();
    AddItem(texts.setting, TrayMenuCommand::Setting);
    AddItem(texts.about, TrayMenuCommand::About);
    menu->addSeparator();
    AddItem(texts.exit, TrayMenuCommand::Exit);
  }

  Form4 form;
  std::function<void(const Text&)> play_sound;
  QObject receiver;
  std::unique_ptr<QMenu> menu;
};

QtForm4::QtForm4(const ModIni& ini, PanelControl& panel, TrayMenuActions actions,
                 std::function<void(const Text& wav_path)> play_sound)
    : impl_(std::make_unique<Impl>(ini, panel, std::move(actions), std::move(play_sound))) {
  impl_->BuildMainMenu();
}

QtForm4::~QtForm4() = default;

void QtForm4::PlaySound() const {
  if (impl_->play_sound) impl_->play_sound(SlashPath(impl_->form.StartSound()));
}

void QtForm4::Exit() { impl_->form.Run(TrayMenuCommand::Exit); }

void QtForm4::Unload() { impl_->Unload(); }

bool QtForm4::IsLoaded() const { return impl_->menu != nullptr; }

const TrayMenuTexts& QtForm4::Texts() const { return impl_->form.Texts(); }

QMenu* QtForm4::MainMenu() const { return impl_->menu.get(); }

}  // namespace quorbel
