#include "UserLocale.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

#include "DecimalSeparator.h"

namespace numora {

char applyUserDecimalSeparator() {
  const QByteArray separator = QLocale::system().decimalPoint().toUtf8();
  const char chosen = separator.size() == 1 ? separator.front() : '.';
  setDecimalSeparator(chosen);
  return chosen;
}

}  // namespace numora
