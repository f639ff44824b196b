#include "ui/browser/game_list_model.h"

#include <QColor>
#include <QPainter>

#include "core/browser/game_list.h"
#include "ui/text_codec.h"

namespace kw {

GameListModel::GameListModel(QObject* parent) : QAbstractListModel(parent) {}

void GameListModel::SetLines(const GameListLines* lines) {
  beginResetModel();
  lines_ = lines;
  rows_ = lines_ ? static_cast<int>(lines_->size()) : 0;
  endResetModel();
}

int GameListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

QVariant GameListModel::data(const QModelIndex& index, int role) const {
  // rows_ is the count at the last reset; the lines may have been cleared since, so check both.
  if (!lines_ || !index.isValid() || index.row() >= rows_ ||
      static_cast<std::size_t>(index.row()) >= lines_->size())
    return {};
  if (role == Qt::DisplayRole)
    return FromSystemText(std::string(lines_->Line(static_cast<std::size_t>(index.row()))));
  if (role == Qt::DecorationRole && status_.verdict && status_.any && status_.any())
    return StatusMark(status_.verdict(index.row()));
  return {};
}

void GameListModel::StatusChanged() {
  if (rows_ > 0) emit dataChanged(index(0), index(rows_ - 1), {Qt::DecorationRole});
}

QImage GameListModel::StatusMark(AuditVerdict verdict) {
  constexpr int kSize = 10;
  static const std::array<QImage, 5> marks = [] {
    std::array<QImage, 5> made;
    const QColor colours[5] = {Qt::transparent, QColor(0x2e, 0xa0, 0x43), QColor(0xf0, 0xa0, 0x20),
                               QColor(0xd0, 0x30, 0x30), QColor(0x9a, 0x9a, 0x9a)};
    for (int i = 0; i < 5; ++i) {
      QImage mark(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
      mark.fill(Qt::transparent);
      if (i != 0) {
        QPainter painter(&mark);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(colours[i].darker(140), 1));
        painter.setBrush(colours[i]);
        painter.drawEllipse(QRectF(1.0, 1.0, kSize - 2.0, kSize - 2.0));
      }
      made[static_cast<std::size_t>(i)] = mark;
    }
    return made;
  }();
  const auto at = static_cast<std::size_t>(verdict);
  return at < marks.size() ? marks[at] : marks[0];
}

}  // namespace kw
