#pragma once

#include <QFont>

class QWidget;

// What the windows share: their fonts, their placement by outer size, and how a secondary
// window is shown beside the main window.
namespace windowLook {

// "MS Sans Serif", 11 pixels high; the system substitutes a sans-serif face where it has none.
QFont windowFont();
// The same face, 17 pixels high, for the labels of the variables bar.
QFont variableLabelFont();

// Places a top-level window so that its outer frame, title bar included, has this position
// and size. The frame's size is known only once the window is shown, so the size is adjusted
// then.
void placeWindow(QWidget* window, int left, int top, int outerWidth, int outerHeight);

// Shows a window without blocking; one that is visible already comes to the front.
void showBeside(QWidget* window);

}  // namespace windowLook
