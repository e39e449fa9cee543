#pragma once

#include <QFont>
#include <QRect>

class QColor;
class QPainter;
class QPalette;
class QRect;
class QWidget;

// What the windows share: their fonts, their placement by outer size, and how a secondary
// window is shown beside the main window.
namespace windowLook {

// "MS Sans Serif", 11 pixels high, or the face with its metrics that the system has.
QFont windowFont();
// The same face, 17 pixels high, for the labels of the variables bar.
QFont variableLabelFont();
// "Arial" at this pixel size, or the face with its metrics that the system has.
QFont arialFont(int pixelSize);

// Places a top-level window so that its outer frame, title bar included, has this position
// and size, moved and if need be made smaller so that it lies wholly on the available area of
// the screen at that position (placedWithin). The frame's size is known only once the window
// manager has framed the shown window, so the size is adjusted then.
void placeWindow(QWidget* window, int left, int top, int outerWidth, int outerHeight);

// The outer frame `wanted` moved the least so that it lies wholly on `available`, and first
// made as small as `available` where it is larger.
QRect placedWithin(const QRect& wanted, const QRect& available);

// Shows a window without blocking; one that is visible already comes to the front.
void showBeside(QWidget* window);

// `width` nested one-pixel frames, the outermost first: the top and left edges in `topLeft`,
// the bottom and right edges in `bottomRight`. The area shrinks by one pixel on every side
// after each frame.
void drawFrame(QPainter& painter, QRect& area, int width, const QColor& topLeft,
               const QColor& bottomRight);
// The sunken 3-D edge of a panel, 2 pixels wide.
void drawSunkenEdge(QPainter& painter, QRect& area, const QPalette& colours);
// A raised bevel: highlight on the top and left, shadow on the bottom and right.
void drawRaisedBevel(QPainter& painter, QRect& area, const QPalette& colours, int width = 1);

}  // namespace windowLook
