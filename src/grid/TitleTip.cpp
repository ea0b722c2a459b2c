#include "grid/TitleTip.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QToolTip>

namespace tillora {

bool TextOverflows(const QString& text, const QFont& font, int cellWidth) {
    if (text.isEmpty()) {
        return false;
    }
    return QFontMetrics(font).horizontalAdvance(QLatin1Char(' ') + text + QLatin1Char(' ')) >
           cellWidth;
}

bool ShowTitleTip(QAbstractItemView& view, const QModelIndex& index, const QPoint& viewportPoint,
                  const QPoint& globalPoint) {
    if (!index.isValid()) {
        return false;
    }
    const QString text = index.data(Qt::DisplayRole).toString();
    const QVariant cellFont = index.data(Qt::FontRole);
    const QFont font = cellFont.isValid() ? cellFont.value<QFont>() : view.font();
    const QRect cell = view.visualRect(index);
    if (!TextOverflows(text, font, cell.width())) {
        return false;
    }
    // The tip stays while the pointer is over the cell and goes when it leaves it.
    QToolTip::showText(globalPoint, text, view.viewport(),
                       cell.contains(viewportPoint) ? cell : QRect());
    return true;
}

} // namespace tillora
