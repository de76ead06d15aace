#include "app/pictures/document_images.h"

#include <QImage>
#include <QTextDocument>
#include <QUrl>
#include <functional>
#include <string_view>

#include "app/pictures/picture.h"

namespace sumvane {

QString DocumentImages::Share(const std::string& html, QTextDocument& document, qreal pixelRatio) {
  const QSize onScreen = (QSizeF(kPictureWidth, kPictureHeight) * pixelRatio).toSize();
  static constexpr std::string_view kHead = "src=\"data:image/png;base64,";
  std::string shown;
  shown.reserve(html.size() < 4096 ? html.size() : 4096);
  QStringList used;
  std::size_t from = 0;
  for (std::size_t at = html.find(kHead); at != std::string::npos; at = html.find(kHead, from)) {
    const std::size_t begin = at + kHead.size();
    const std::size_t end = html.find('"', begin);
    if (end == std::string::npos) break;
    const std::string_view data(html.data() + begin, end - begin);
    const QString name = QStringLiteral("picture:%1")
                             .arg(std::hash<std::string_view>{}(data), 16, 16, QLatin1Char('0'));
    if (!held_.contains(name) && !used.contains(name)) {
      QImage image = RecentlyRendered(data);
      if (image.isNull())
        image = QImage::fromData(QByteArray::fromBase64(QByteArray::fromRawData(
                                     data.data(), static_cast<qsizetype>(data.size()))),
                                 "PNG");
      if (image.size() != onScreen)
        image = image.scaled(onScreen, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      image.setDevicePixelRatio(pixelRatio);
      document.addResource(QTextDocument::ImageResource, QUrl(name), image);
    }
    used << name;
    shown.append(html, from, at - from);
    shown += "src=\"" + name.toStdString() + "\"";
    from = end + 1;
  }
  shown.append(html, from, std::string::npos);
  for (const QString& name : held_)
    if (!used.contains(name)) document.addResource(QTextDocument::ImageResource, QUrl(name), {});
  held_ = used;
  return QString::fromStdString(shown);
}

}  // namespace sumvane
