#pragma once

#include <QSize>

// The size a picture of `picture` size takes in an area of `area` size when it is stretched
// proportionally: scaled to fit while keeping its width-to-height ratio, truncated to whole
// pixels. A wide picture first takes the area's width, a tall or square one its height.
QSize proportionalFit(QSize picture, QSize area);
