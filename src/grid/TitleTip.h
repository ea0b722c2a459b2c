#pragma once

#include <QModelIndex>
#include <QPoint>

class QAbstractItemView;

namespace tillora {

// Whether the text, with a blank on each side, is wider than the cell shows.
bool TextOverflows(const QString& text, const QFont& font, int cellWidth);

// Shows the cell's full text in a tip over the cell when it does not fit; false when it fits.
bool ShowTitleTip(QAbstractItemView& view, const QModelIndex& index, const QPoint& viewportPoint,
                  const QPoint& globalPoint);

} // namespace tillora
