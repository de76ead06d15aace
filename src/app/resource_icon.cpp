#include "app/resource_icon.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

namespace sumvane {
namespace {

// Modes and states are all drawn alike: the window icon has none, and the
// toolbar's commands are never disabled.
class ResourceIconEngine final : public QIconEngine {
 public:
  ResourceIconEngine(QString pattern, QList<int> sides)
      : pattern_(std::move(pattern)), sides_(std::move(sides)) {}

  QIconEngine* clone() const override { return new ResourceIconEngine(*this); }
  QString key() const override { return QStringLiteral("sumvane-resource"); }
  bool isNull() override { return sides_.isEmpty(); }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (int side : sides_) sizes.append(QSize(side, side));
    return sizes;
  }

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    if (sides_.isEmpty()) return {};
    const int side = std::min({size.width(), size.height(), sides_.back()});
    return side > 0 ? QSize(side, side) : QSize();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    const QSize actual = actualSize(size, mode, state);
    if (actual.isEmpty()) return {};
    const QPixmap source = Decoded(actual.width());
    if (source.isNull() || source.size() == actual) return source;
    return source.scaled(actual, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }

  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override {
    QPixmap result = pixmap(size * scale, mode, state);
    result.setDevicePixelRatio(scale);
    return result;
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal scale = painter->device()->devicePixelRatioF();
    painter->drawPixmap(rect, pixmap(rect.size() * scale, mode, state));
  }

 private:
  // The file of the smallest side at least `wanted`, decoded once.
  QPixmap Decoded(int wanted) {
    const auto found =
        std::find_if(sides_.cbegin(), sides_.cend(), [wanted](int side) { return side >= wanted; });
    const int side = found == sides_.cend() ? sides_.back() : *found;
    QPixmap& decoded = decoded_[side];
    if (decoded.isNull()) decoded.load(pattern_.arg(side));
    return decoded;
  }

  QString pattern_;
  QList<int> sides_;
  QHash<int, QPixmap> decoded_;
};

}  // namespace

QIcon ResourceIcon(const QString& pattern, const QList<int>& sides) {
  return QIcon(new ResourceIconEngine(pattern, sides));
}

}  // namespace sumvane
