#include "dialog/skin_picker_qt.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>

#include <memory>
#include <vector>

#include "common/image_file_qt.h"
#include "common/scaled_picture.h"
#include "dialog/form3.h"

namespace quorbel {

namespace {

// The fixed sunken border of the Windows viewport.
constexpr int kBorderWidth = 2;

QRect ToQRect(const PixelRect& rect) { return QRect(rect.x, rect.y, rect.width, rect.height); }

void OutlineRect(QPainter& painter, uint32_t argb, const PixelRect& rect) {
  painter.setPen(QPen(QColor::fromRgba(argb), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(ToQRect(rect));  // covers left ... left + width, as a 1-pixel pen does
}

void DrawSelectionFrame(QPainter& painter) {
  const SelectionFrame frame = SelectionFrameFor(kThumbnailSize, kThumbnailSize);
  painter.fillRect(ToQRect(frame.tint), QColor::fromRgba(kSelectionTint));
  OutlineRect(painter, kSelectionInner, frame.inner);
  OutlineRect(painter, kSelectionOuter, frame.outer);
}

// What the strip's accessible list asks of the strip.
class ThumbnailList {
 public:
  virtual ~ThumbnailList() = default;
  virtual int Count() const = 0;
  virtual int Selected() const = 0;
  // In the strip's own coordinates.
  virtual QRect ThumbnailArea(int index) const = 0;
};

// One thumbnail of the list, "Skin N".
class ThumbnailAccessible final : public QAccessibleInterface {
 public:
  ThumbnailAccessible(QFrame& strip, int index) : strip_(&strip), index_(index) {}
  ~ThumbnailAccessible() override = default;

  bool isValid() const override { return List() && index_ < List()->Count(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return strip_ ? strip_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(strip_); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text which) const override {
    return which == QAccessible::Name ? QString::fromStdU16String(ThumbnailName(index_)) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    const QRect area = List()->ThumbnailArea(index_);
    return QRect(strip_->mapToGlobal(area.topLeft()), area.size());
  }
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) return state;
    state.selectable = true;
    state.focusable = true;
    state.selected = index_ == List()->Selected();
    state.focused = state.selected && strip_->hasFocus();
    state.invisible = !strip_->contentsRect().intersects(List()->ThumbnailArea(index_));
    state.offscreen = state.invisible;
    return state;
  }

 private:
  const ThumbnailList* List() const { return dynamic_cast<const ThumbnailList*>(strip_.data()); }

  QPointer<QFrame> strip_;
  int index_;
};

// The strip as a list of its thumbnails, the selected one in focus.
class StripAccessible final : public QAccessibleWidget {
 public:
  explicit StripAccessible(QFrame& strip) : QAccessibleWidget(&strip, QAccessible::List), strip_(strip) {}
  ~StripAccessible() override {
    for (const QAccessible::Id id : children_) QAccessible::deleteAccessibleInterface(id);
  }

  int childCount() const override { return List().Count(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    while (static_cast<int>(children_.size()) <= index) {
      // Qt's accessibility cache owns each thumbnail's interface from here;
      // the list deletes them from the cache when it goes.
      auto* thumbnail =
          std::make_unique<ThumbnailAccessible>(strip_, static_cast<int>(children_.size())).release();
      children_.push_back(QAccessible::registerAccessibleInterface(thumbnail));
    }
    return QAccessible::accessibleInterface(children_[static_cast<size_t>(index)]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (size_t index = 0; index < children_.size(); ++index) {
      if (QAccessible::accessibleInterface(children_[index]) == child) return static_cast<int>(index);
    }
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint point = strip_.mapFromGlobal(QPoint(x, y));
    for (int index = 0; index < childCount(); ++index) {
      if (List().ThumbnailArea(index).contains(point)) return child(index);
    }
    return nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    return strip_.hasFocus() ? child(List().Selected()) : nullptr;
  }

 private:
  const ThumbnailList& List() const { return dynamic_cast<const ThumbnailList&>(strip_); }

  QFrame& strip_;
  mutable std::vector<QAccessible::Id> children_;
};

QAccessibleInterface* StripAccessibleFor(const QString&, QObject* object) {
  auto* strip = dynamic_cast<QFrame*>(object);
  if (!strip || !dynamic_cast<ThumbnailList*>(object)) return nullptr;
  // Qt's accessibility cache owns the interface and deletes it with the strip.
  return std::make_unique<StripAccessible>(*strip).release();
}

}  // namespace

class QtSkinPicker::StripView : public QFrame, public ThumbnailList {
 public:
  StripView(QWidget& dialog, const SkinPicker& picker, ClickHandler on_click, KeyHandler on_key)
      : QFrame(&dialog), picker_(picker), on_click_(std::move(on_click)), on_key_(std::move(on_key)) {
    setObjectName(QStringLiteral("Picture1"));
    setFocusPolicy(Qt::StrongFocus);
    [[maybe_unused]] static const bool factory_installed = [] {
      QAccessible::installFactory(&StripAccessibleFor);
      return true;
    }();
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setLineWidth(kBorderWidth);
    setGeometry(ToQRect(DesignedPlace(Form3Control::Picture1)));
  }

  void Load(const std::vector<Text>& thumbnail_paths) {
    images_.clear();
    // A thumbnail shows its picture's top-left 49 x 49 pixels, unscaled:
    // that is all that is kept of it. On a dense screen a picture twice the
    // size, where there is one, shows its top-left 98 x 98 in the same place.
    const DisplayScale scale(devicePixelRatioF());
    for (const Text& path : thumbnail_paths) {
      QImage image;
      for (const PictureFile& file : PictureFilesFor(path, scale)) {
        image = LoadImageCorner(file.path, PictureCorner({kThumbnailSize, kThumbnailSize}, file.factor));
        image.setDevicePixelRatio(file.factor);
        if (!image.isNull()) break;
      }
      images_.push_back(std::move(image));
    }
    offset_ = 0;
    update();
  }

  int Count() const override { return static_cast<int>(images_.size()); }
  int ViewWidth() const { return contentsRect().width(); }

  void ScrollTo(int offset) {
    offset_ = offset;
    update();
  }

  void Redraw(int index) { update(ThumbnailArea(index)); }
  int Offset() const { return offset_; }
  // The selected thumbnail, to assistive technology: selected, and focused
  // while the strip has the focus.
  void ReportSelected() {
    if (Selected() >= Count()) return;
    QAccessibleEvent selection(this, QAccessible::Selection);
    selection.setChild(Selected());
    QAccessible::updateAccessibility(&selection);
    if (!hasFocus()) return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(Selected());
    QAccessible::updateAccessibility(&focus);
  }
  int Selected() const override { return picker_.SelectedSkin(); }
  QRect ThumbnailArea(int index) const override {
    return QRect(contentsRect().left() + ThumbnailLeft(index) - offset_,
                 contentsRect().top() + kThumbnailTop, kThumbnailSize, kThumbnailSize);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    painter.fillRect(contentsRect(), Qt::white);
    painter.setClipRect(contentsRect());
    for (int index = 0; index < Count(); ++index) {
      if (ThumbnailArea(index).intersects(event->rect())) DrawThumbnail(painter, index);
    }
    painter.setClipping(false);
    drawFrame(&painter);
    if (hasFocus()) DrawFocusMark(painter);
  }

  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Left && event->modifiers() == Qt::NoModifier) return on_key_(StripKey::Left);
    if (event->key() == Qt::Key_Right && event->modifiers() == Qt::NoModifier) return on_key_(StripKey::Right);
    QFrame::keyPressEvent(event);  // Enter and Esc go on to the dialog
  }

  void focusInEvent(QFocusEvent* event) override {
    QFrame::focusInEvent(event);
    update();
    ReportSelected();
  }

  void focusOutEvent(QFocusEvent* event) override {
    QFrame::focusOutEvent(event);
    update();
  }


  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    const QPoint on_strip = event->position().toPoint() - contentsRect().topLeft();
    if (const auto index = ThumbnailAt(on_strip.x(), on_strip.y(), offset_, Count())) {
      on_click_(*index);
    }
  }

 private:
  // A dotted black-on-white ring just inside the selected thumbnail's
  // frame, seen on light and dark pictures alike.
  void DrawFocusMark(QPainter& painter) const {
    const QRect ring = ThumbnailArea(Selected()).adjusted(3, 3, -4, -4);
    painter.save();
    painter.setClipRect(contentsRect());
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(ring);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(ring);
    painter.restore();
  }

  void DrawThumbnail(QPainter& painter, int index) const {
    const QRect area = ThumbnailArea(index);
    painter.save();
    painter.setClipRect(area & contentsRect());
    painter.translate(area.topLeft());
    painter.fillRect(QRect(0, 0, kThumbnailSize, kThumbnailSize), palette().color(QPalette::Base));
    // The picture at its own pixel size from the top-left corner, not scaled.
    painter.drawImage(QPoint(0, 0), images_[static_cast<size_t>(index)]);
    if (index == picker_.SelectedSkin()) {
      DrawSelectionFrame(painter);
      if (picker_.Band()) painter.fillRect(ToQRect(*picker_.Band()), QColor::fromRgba(kLightBand));
    }
    painter.restore();
  }

  const SkinPicker& picker_;
  ClickHandler on_click_;
  KeyHandler on_key_;
  std::vector<QImage> images_;
  int offset_ = 0;  // how far the strip has moved left
};

QtSkinPicker::QtSkinPicker(QWidget& dialog, const SkinPicker& picker, ClickHandler on_click,
                           KeyHandler on_key)
    : viewport_(std::make_unique<StripView>(dialog, picker, std::move(on_click), std::move(on_key))),
      scroll_bar_(std::make_unique<QScrollBar>(Qt::Horizontal, &dialog)) {
  // Created after the viewport, so it lies on top of the viewport's lower border.
  scroll_bar_->setObjectName(QStringLiteral("HScroll1"));
  scroll_bar_->setGeometry(ToQRect(DesignedPlace(Form3Control::HScroll1)));
  scroll_bar_->setFocusPolicy(Qt::NoFocus);
  scroll_bar_->setSingleStep(1);
  QObject::connect(scroll_bar_.get(), &QScrollBar::valueChanged, viewport_.get(),
                   [viewport = viewport_.get()](int value) { viewport->ScrollTo(value); });
  // The page step sizes the thumb to the visible part; a click beside the
  // thumb moves one thumbnail width.
  QObject::connect(scroll_bar_.get(), &QScrollBar::actionTriggered, scroll_bar_.get(),
                   [bar = scroll_bar_.get()](int action) {
                     if (action == QAbstractSlider::SliderPageStepAdd) {
                       bar->setSliderPosition(bar->value() + kThumbnailSize);
                     } else if (action == QAbstractSlider::SliderPageStepSub) {
                       bar->setSliderPosition(bar->value() - kThumbnailSize);
                     }
                   });
}

QtSkinPicker::~QtSkinPicker() = default;

void QtSkinPicker::Build(const std::vector<Text>& thumbnail_paths) {
  viewport_->Load(thumbnail_paths);
  const int viewport_width = viewport_->ViewWidth();
  const int range = ScrollRange(StripWidth(viewport_->Count()), viewport_width);
  scroll_bar_->setValue(0);
  scroll_bar_->setRange(0, range);
  scroll_bar_->setPageStep(viewport_width);
  scroll_bar_->setEnabled(range > 0);
}

void QtSkinPicker::Redraw(int index) { viewport_->Redraw(index); }

void QtSkinPicker::Reveal(int index) {
  scroll_bar_->setValue(OffsetShowing(index, viewport_->Offset(), viewport_->ViewWidth(), scroll_bar_->maximum()));
  viewport_->ReportSelected();
}

QWidget& QtSkinPicker::Viewport() const { return *viewport_; }

QScrollBar& QtSkinPicker::ScrollBar() const { return *scroll_bar_; }

}  // namespace quorbel
