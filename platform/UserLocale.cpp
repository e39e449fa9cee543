#include "UserLocale.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

namespace numora {

char userDecimalSeparator() {
  const QByteArray decimalPoint = QLocale::system().decimalPoint().toUtf8();
  return decimalSeparatorOf(std::string_view(decimalPoint.constData(), decimalPoint.size()));
}

char decimalSeparatorOf(std::string_view decimalPoint) { return decimalPoint == "," ? ',' : '.'; }

}  // namespace numora
