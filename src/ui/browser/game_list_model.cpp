#include "ui/browser/game_list_model.h"

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
  return {};
}

}  // namespace kw
