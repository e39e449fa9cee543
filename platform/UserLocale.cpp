#include "UserLocale.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

namespace numora {

char userDecimalSeparator() {
  const QByteArray separator = QLocale::system().decimalPoint().toUtf8();
  return separator.size() == 1 ? separator.front() : '.';
}

}  // namespace numora
