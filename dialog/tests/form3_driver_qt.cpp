// The contract suite's driver for the Qt dialog, offscreen.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <array>
#include <utility>

#include "dialog/form3_qt.h"
#include "dialog/tests/form3_driver.h"

namespace quorbel {
namespace {

constexpr std::array<std::pair<Form3Control, const char*>, 12> kObjectNames{{
    {Form3Control::IntervalLabel, "Label1_0"},
    {Form3Control::Hours, "Hours"},
    {Form3Control::Colon, "Label3"},
    {Form3Control::Minutes, "Minutes"},
    {Form3Control::MinutesLabel, "Label2"},
    {Form3Control::SkinsLabel, "Label1_1"},
    {Form3Control::Picture1, "Picture1"},
    {Form3Control::HScroll1, "HScroll1"},
    {Form3Control::Check1, "Check1"},
    {Form3Control::Command1, "Command1"},
    {Form3Control::Cancel, "Cancel"},
    {Form3Control::Command2, "Command2"},
}};

QString ObjectName(Form3Control control) {
  for (const auto& [known, name] : kObjectNames) {
    if (known == control) return QString::fromLatin1(name);
  }
  return {};
}

std::optional<Form3Control> ControlNamed(const QString& name) {
  for (const auto& [control, known] : kObjectNames) {
    if (name == QLatin1String(known)) return control;
  }
  return std::nullopt;
}

Qt::Key QtKey(Form3Key key) {
  switch (key) {
    case Form3Key::Tab: return Qt::Key_Tab;
    case Form3Key::Home: return Qt::Key_Home;
    case Form3Key::End: return Qt::Key_End;
    case Form3Key::Delete: return Qt::Key_Delete;
    case Form3Key::Backspace: return Qt::Key_Backspace;
    case Form3Key::Return: return Qt::Key_Return;
    case Form3Key::Escape: return Qt::Key_Escape;
    case Form3Key::Left: return Qt::Key_Left;
    case Form3Key::Right: return Qt::Key_Right;
  }
  return Qt::Key_unknown;
}

PixelRect ToPixelRect(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

class QtForm3Driver final : public Form3Driver {
 public:
  QtForm3Driver(ModReg& reg, const ModIni& ini, PanelControl& panel, Text exe_path)
      : dialog_(reg, ini, panel, std::move(exe_path)) {
    answerer_.setInterval(0);
    QObject::connect(&answerer_, &QTimer::timeout, [this] { AnswerOpenDialogs(); });
    answerer_.start();
  }

  bool Open() override {
    dialog_.Show();
    return dialog_.Window() && QTest::qWaitForWindowActive(dialog_.Window());
  }
  bool IsOpen() const override { return dialog_.IsOpen(); }
  void CloseWithoutStoring() override { dialog_.CloseWithoutStoring(); }
  void PressCloseButton() override { dialog_.Window()->close(); }
  void RunEventLoopOnce() override { QCoreApplication::sendPostedEvents(); }

  uintptr_t WindowId() const override { return reinterpret_cast<uintptr_t>(dialog_.Window()); }
  void WatchWindow() override { watched_ = dialog_.Window(); }
  WindowState WatchedWindow() const override {
    if (!watched_) return WindowState::Gone;
    return watched_->isVisible() ? WindowState::Shown : WindowState::Hidden;
  }
  bool FreesClosedWindowLater() const override { return true; }

  Text Title() const override { return dialog_.Window()->windowTitle().toStdU16String(); }
  PixelSize ClientSize() const override {
    const QSize size = dialog_.Window()->size();
    return {size.width(), size.height()};
  }
  bool Resizable() const override {
    return dialog_.Window()->minimumSize() != dialog_.Window()->maximumSize();
  }
  PixelRect Place(Form3Control control) const override { return ToPixelRect(Find(control).geometry()); }
  Text ControlText(Form3Control control) const override { return TextOf(Find(control)).toStdU16String(); }
  int TextWidth(Form3Control control) const override {
    const QWidget& widget = Find(control);
    return QFontMetrics(widget.font()).horizontalAdvance(TextOf(widget));
  }
  bool IsBold(Form3Control control) const override { return Find(control).font().bold(); }
  bool IsVisible(Form3Control control) const override { return Find(control).isVisible(); }
  bool IsDefaultButton(Form3Control control) const override {
    const auto* button = qobject_cast<const QPushButton*>(&Find(control));
    return button && button->isDefault();
  }
  bool IsChecked(Form3Control control) const override {
    const auto* button = qobject_cast<const QAbstractButton*>(&Find(control));
    return button && button->isChecked();
  }
  bool ThumbnailTimerRunning() override {
    const auto* timer = dialog_.Window()->findChild<QTimer*>(QStringLiteral("Timer1"));
    return timer && timer->isActive();
  }

  Text AccessibleName(Form3Control control) const override {
    const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&Find(control));
    return accessible ? accessible->text(QAccessible::Name).toStdU16String() : Text();
  }
  std::vector<AccessibleItem> AccessibleItems(Form3Control control) const override {
    std::vector<AccessibleItem> items;
    const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&Find(control));
    for (int index = 0; accessible && index < accessible->childCount(); ++index) {
      const QAccessibleInterface* child = accessible->child(index);
      items.push_back({child->text(QAccessible::Name).toStdU16String(), child->state().selected != 0});
    }
    return items;
  }

  std::optional<Form3Control> Focused() const override {
    const QWidget* focused = dialog_.Window()->focusWidget();
    return focused ? ControlNamed(focused->objectName()) : std::nullopt;
  }
  void Focus(Form3Control control) override { Find(control).setFocus(Qt::TabFocusReason); }
  Text SelectedText(Form3Control control) const override {
    return Field(control).selectedText().toStdU16String();
  }
  void SelectAll(Form3Control control) override { Field(control).selectAll(); }
  void Press(Form3Key key) override { QTest::keyClick(FocusWidget(), QtKey(key)); }
  void Type(const Text& characters) override {
    QTest::keyClicks(FocusWidget(), QString::fromStdU16String(characters));
  }
  void PressCtrl(char letter) override {
    QTest::keyClick(FocusWidget(), static_cast<Qt::Key>(Qt::Key_A + (letter - 'A')), Qt::ControlModifier);
  }
  void SetClipboardText(const Text& text) override {
    QApplication::clipboard()->setText(QString::fromStdU16String(text));
  }

  void Click(Form3Control button) override {
    if (auto* clickable = qobject_cast<QAbstractButton*>(&Find(button))) clickable->click();
  }
  void MouseClick(Form3Control control, std::optional<PixelSize> point) override {
    QTest::mouseClick(&Find(control), Qt::LeftButton, {},
                      point ? QPoint(point->width, point->height) : QPoint());
  }

  const std::vector<ShownMessage>& Messages() const override { return messages_; }
  void InsteadOfNextOk(std::function<void()> instead_of_ok) override {
    instead_of_ok_ = std::move(instead_of_ok);
  }
  void AnswerFileDialog(const Text& path) override { file_answer_ = QString::fromStdU16String(path); }
  const std::vector<ShownFileDialog>& FileDialogs() const override { return file_dialogs_; }

 private:
  QWidget& Find(Form3Control control) const {
    auto* widget = dialog_.Window()->findChild<QWidget*>(ObjectName(control));
    if (!widget) ADD_FAILURE() << "no control " << ObjectName(control).toStdString();
    return *widget;
  }
  QLineEdit& Field(Form3Control control) const { return static_cast<QLineEdit&>(Find(control)); }
  QWidget* FocusWidget() const { return dialog_.Window()->focusWidget(); }
  static QString TextOf(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
    if (const auto* field = qobject_cast<const QLineEdit*>(&widget)) return field->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
    return {};
  }

  // Answers every message box and file dialog as soon as the event loop
  // inside it runs.
  void AnswerOpenDialogs() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (!window->isVisible()) continue;
      if (auto* box = qobject_cast<QMessageBox*>(window)) AnswerBox(*box);
      if (auto* files = qobject_cast<QFileDialog*>(window)) AnswerFiles(*files);
    }
  }
  void AnswerBox(QMessageBox& box) {
    messages_.push_back({box.windowTitle().toStdU16String(), box.text().toStdU16String(),
                         box.icon() == QMessageBox::Information});
    if (instead_of_ok_) {
      std::exchange(instead_of_ok_, nullptr)();
    } else {
      box.button(QMessageBox::Ok)->click();
    }
  }
  void AnswerFiles(QFileDialog& files) {
    file_dialogs_.push_back({files.windowTitle().toStdU16String(),
                             (files.directory().absolutePath() + u'/').toStdU16String()});
    files.selectFile(file_answer_);
    static_cast<QDialog&>(files).accept();
  }

  QtForm3 dialog_;
  QTimer answerer_;
  QPointer<QWidget> watched_;
  std::vector<ShownMessage> messages_;
  std::function<void()> instead_of_ok_;
  QString file_answer_;
  std::vector<ShownFileDialog> file_dialogs_;
};

}  // namespace

Text NativePath(const Text& slash_path) { return slash_path; }

std::unique_ptr<Form3Driver> MakeForm3Driver(ModReg& reg, const ModIni& ini, PanelControl& panel,
                                             Text exe_path) {
  return std::make_unique<QtForm3Driver>(reg, ini, panel, std::move(exe_path));
}

}  // namespace quorbel
