#pragma once

#include <exception>
#include <functional>

class QWidget;

// The one application fault handler: shows the fault's message in the fault message box
// (the message with its final period, the application title as caption, the error icon and
// one "OK" button, application-modal) and returns when the user has closed it. A text that the
// message quotes is shown with at most its first 1,000 characters.
void showFault(const std::exception& fault, QWidget* parent);

// Runs one user command and hands any fault it raises to the fault handler, so that no
// exception ever crosses Qt's signal and event machinery. Memory running out is shown as the
// out-of-memory fault. The rows the command wrote before the fault keep their new texts.
void runCommand(QWidget* parent, const std::function<void()>& command);
