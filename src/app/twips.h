// The window is laid out in twips, as its controls were designed; 15 twips make
// one device-independent pixel and Qt's high-DPI scaling does the rest.
#pragma once

#include <QRect>
#include <QWidget>

namespace sumvane {

constexpr int kTwipsPerPixel = 15;

constexpr int Px(int twips) {
  // Round half away from zero so that negative offsets mirror positive ones.
  return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                    : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

inline QRect TwipsRect(int left, int top, int width, int height) {
  return {Px(left), Px(top), Px(width), Px(height)};
}

inline void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipsRect(left, top, width, height));
}

}  // namespace sumvane
