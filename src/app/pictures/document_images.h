// The report's pictures travel in its HTML as PNG data URIs; a document that
// shows them parsed afresh at every keystroke would decode them each time.
// Here each picture is decoded once, kept in the document's resources under
// a name made from its bytes, and the HTML on show refers to that name. The
// image kept is scaled once to the pixels the picture covers on the screen,
// so that painting the report copies it instead of scaling it each time.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

class QTextDocument;

namespace sumvane {

class DocumentImages {
 public:
  // The HTML with every data URI replaced by the name of its decoded image in
  // `document`'s resources. Images of earlier HTML that this one no longer
  // shows are released. `pixelRatio` is the screen's device pixels per pixel.
  QString Share(const std::string& html, QTextDocument& document, qreal pixelRatio);

 private:
  QStringList held_;
};

}  // namespace sumvane
