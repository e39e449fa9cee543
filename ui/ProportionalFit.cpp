#include "ProportionalFit.h"

QSize proportionalFit(QSize picture, QSize area) {
  const long long w = picture.width();
  const long long h = picture.height();
  const long long W = area.width();
  const long long H = area.height();
  if (w <= 0 || h <= 0) {
    return {0, 0};
  }
  long long width;
  long long height;
  if (w > h) {
    width = W;
    height = W * h / w;
    if (height > H) {
      height = H;
      width = H * w / h;
    }
  } else {
    height = H;
    width = H * w / h;
    if (width > W) {
      width = W;
      height = W * h / w;
    }
  }
  return {static_cast<int>(width), static_cast<int>(height)};
}
