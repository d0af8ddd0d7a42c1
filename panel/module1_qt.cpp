#include "panel/module1_qt.h"

#include <QFontMetricsF>
#include <QString>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "common/image_file_qt.h"

namespace quorbel {

namespace {

constexpr qreal kPanelDpi = 96.0;

QString ToQString(const Text& text) { return QString::fromStdU16String(text); }

// The string format's padding at either end of each line: a sixth of the em.
qreal LineMargin(int32_t font_size) { return font_size * kPanelDpi / 72.0 / 6.0; }

// The text's lines broken at words, or inside a word wider than a line.
void LayOutLines(QTextLayout& layout, qreal line_width) {
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  qreal top = 0;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(line_width);
    line.setPosition(QPointF(0, top));
    top += line.height();
  }
  layout.endLayout();
}

qreal LinesHeight(const QTextLayout& layout) {
  return layout.lineCount() == 0 ? 0 : layout.lineAt(layout.lineCount() - 1).rect().bottom();
}

// Lines that fit are drawn as laid out; a line still too wide (one glyph
// wider than the box) ends with an ellipsis, and nothing leaves `box`.
void DrawLines(QPainter& painter, const QTextLayout& layout, const QRectF& box, QPointF origin,
               qreal line_width, Argb colour) {
  painter.save();
  painter.setClipRect(box, Qt::IntersectClip);
  painter.setPen(QColor::fromRgba(colour));
  const QFontMetricsF metrics(layout.font(), painter.device());
  for (int i = 0; i < layout.lineCount(); ++i) {
    const QTextLine line = layout.lineAt(i);
    if (line.naturalTextWidth() <= line_width) {
      line.draw(&painter, origin);
      continue;
    }
    const QString part = layout.text().mid(line.textStart(), line.textLength());
    const QPointF baseline = origin + line.position() + QPointF(0, line.ascent());
    painter.drawText(baseline, metrics.elidedText(part, Qt::ElideRight, line_width));
  }
  painter.restore();
}

}  // namespace

QFont PanelFont(const QPaintDevice& device, const Text& font_name, float points, FontStyle style) {
  QFont font(ToQString(font_name));
  font.setPointSizeF(points * kPanelDpi / device.logicalDpiY());
  font.setBold(style == FontStyle::Bold);
  // Grid-fitted glyphs on whole-pixel advances, as the Windows program lays
  // text out: headings then measure, and lines wrap, as they do there.
  font.setHintingPreference(QFont::PreferFullHinting);
  // Nor kerned or shaped where the script does not need it, as GDI+ draws
  // them; the idle program then keeps no shaping tables in memory.
  font.setKerning(false);
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

void DrawShadowText(QPainter& painter, const Text& text, float x, float y, const Text& font_name,
                    int32_t font_size, Argb colour, FontStyle style, bool shadow, int32_t width) {
  if (text.empty() || font_size <= 0 || painter.device() == nullptr) return;
  const QFont font = PanelFont(*painter.device(), font_name, static_cast<float>(font_size), style);
  QTextLayout layout(ToQString(text), font, painter.device());
  const qreal margin = LineMargin(font_size);
  const qreal line_width = std::max<qreal>(0, width - 2 * margin);
  LayOutLines(layout, line_width);
  // Grid-fitted lines start on the nearest whole pixel.
  QPointF origin(std::round(x + margin), std::round(y));
  QRectF box(x, origin.y(), width, LinesHeight(layout));
  if (shadow) {
    DrawLines(painter, layout, box, origin, line_width, MakeArgb(kShadowAlpha, 0, 0, 0));
    origin.ry() -= 1.0;
    box.translate(0, -1.0);
  }
  DrawLines(painter, layout, box, origin, line_width, colour);
}

void DrawSectionIcons(QPainter& painter, const Text& icon_file) {
  const QImage sprites = LoadImageCorner(icon_file, kSpriteSheetUsed);
  if (sprites.isNull()) return;
  int32_t source_x = 0;
  for (const Point& place : kSectionIconPlaces) {
    painter.drawImage(QPoint(place.x, place.y), sprites,
                      QRect(source_x, 0, kSpriteCell, kSpriteCell));
    source_x += kSpriteCell;
  }
}

void DrawLevelBar(QPainter& painter, const QImage& sprites, int32_t x, int32_t level,
                  float opacity) {
  const int32_t width = LevelBarWidth(level);
  if (width == 0 || sprites.isNull()) return;
  painter.save();
  painter.setOpacity(opacity);
  painter.drawImage(QPoint(x, kLevelBarY), sprites,
                    QRect(kLevelBarSourceX, 0, width, kSpriteCell));
  painter.restore();
}

}  // namespace quorbel
