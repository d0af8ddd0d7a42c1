#include "dialog/skin_picker_qt.h"

#include <QFrame>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

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

}  // namespace

class QtSkinPicker::StripView : public QFrame {
 public:
  StripView(QWidget& dialog, const SkinPicker& picker, ClickHandler on_click)
      : QFrame(&dialog), picker_(picker), on_click_(std::move(on_click)) {
    setObjectName(QStringLiteral("Picture1"));
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

  int Count() const { return static_cast<int>(images_.size()); }
  int ViewWidth() const { return contentsRect().width(); }

  void ScrollTo(int offset) {
    offset_ = offset;
    update();
  }

  void Redraw(int index) { update(ThumbnailArea(index)); }

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
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    const QPoint on_strip = event->position().toPoint() - contentsRect().topLeft();
    if (const auto index = ThumbnailAt(on_strip.x(), on_strip.y(), offset_, Count())) {
      on_click_(*index);
    }
  }

 private:
  QRect ThumbnailArea(int index) const {
    return QRect(contentsRect().left() + ThumbnailLeft(index) - offset_,
                 contentsRect().top() + kThumbnailTop, kThumbnailSize, kThumbnailSize);
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
  std::vector<QImage> images_;
  int offset_ = 0;  // how far the strip has moved left
};

QtSkinPicker::QtSkinPicker(QWidget& dialog, const SkinPicker& picker, ClickHandler on_click)
    : viewport_(std::make_unique<StripView>(dialog, picker, std::move(on_click))),
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

QWidget& QtSkinPicker::Viewport() const { return *viewport_; }

QScrollBar& QtSkinPicker::ScrollBar() const { return *scroll_bar_; }

}  // namespace quorbel
