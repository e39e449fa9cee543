#pragma once

#include <QByteArray>
#include <QImage>

// Decodes a JPEG picture held in memory with libjpeg. A picture that libjpeg cannot decode
// raises numora::Exception with libjpeg's own description of the problem.
QImage decodeJpeg(const QByteArray& jpeg);
