#include "ui/browser/game_list_model.h"

#include "core/profile/game_database.h"
#include "ui/text_codec.h"

namespace kw {

GameListModel::GameListModel(QObject* parent) : QAbstractListModel(parent) {}

void GameListModel::SetDatabase(const GameDatabase* database) {
  beginResetModel();
  database_ = database;
  rows_ = database_ ? static_cast<int>(database_->GameCount()) : 0;
  endResetModel();
}

void GameListModel::Clear() {
  beginResetModel();
  rows_ = 0;
  endResetModel();
}

void GameListModel::Reload() {
  SetDatabase(database_);
}

int GameListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

QVariant GameListModel::data(const QModelIndex& index, int role) const {
  // rows_ is the count at the last reset; the database may have shrunk since, so check both.
  if (!database_ || !index.isValid() || index.row() >= rows_ ||
      static_cast<std::size_t>(index.row()) >= database_->GameCount())
    return {};
  if (role == Qt::DisplayRole)
    return FromSystemText(std::string(database_->Description(database_->Game(index.row()))));
  return {};
}

}  // namespace kw
