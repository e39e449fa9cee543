#include "ValueTableLegend.h"

#include <QKeyEvent>
#include <QPainter>

namespace {

// A short stretch of the row's line, as the entry's picture, drawn for the screen's scale.
QIcon lineSample(const QPen& pen, QSize size, qreal scale) {
  QPixmap picture(size * scale);
  picture.setDevicePixelRatio(scale);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(pen);
  const qreal middle = size.height() / 2.0;
  painter.drawLine(QPointF(1, middle), QPointF(size.width() - 1, middle));
  return QIcon(picture);
}

}  // namespace

ValueTableLegend::ValueTableLegend(QWidget* parent) : QListWidget(parent) {
  setObjectName("Legend");
  setAccessibleName("Legend");
  setIconSize(QSize(24, 12));
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::NoSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTextElideMode(Qt::ElideRight);
  connect(this, &QListWidget::itemClicked, this, &ValueTableLegend::toggle);
}

void ValueTableLegend::showRows(const QStringList& labels, const std::vector<QPen>& pens) {
  clear();
  for (qsizetype row = 0; row < labels.size(); ++row) {
    auto* entry = new QListWidgetItem(
        lineSample(pens[static_cast<std::size_t>(row)], iconSize(), devicePixelRatioF()),
        labels[row], this);
    entry->setToolTip(labels[row]);
    // Checked is shown; the entry itself toggles, on a click anywhere in it.
    entry->setFlags(Qt::ItemIsEnabled);
    entry->setCheckState(Qt::Checked);
  }
  if (count() > 0) {
    setCurrentRow(0);
  }
}

bool ValueTableLegend::isRowShown(int row) const {
  const QListWidgetItem* entry = item(row);
  return entry != nullptr && entry->checkState() == Qt::Checked;
}

void ValueTableLegend::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && currentItem() != nullptr) {
    toggle(currentItem());
    return;
  }
  QListWidget::keyPressEvent(event);
}

void ValueTableLegend::toggle(QListWidgetItem* entry) {
  const bool shown = entry->checkState() != Qt::Checked;
  entry->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
  entry->setForeground(shown ? palette().text() : palette().placeholderText());
  emit rowToggled(row(entry), shown);
}
