// The game list's rows over the open profile's games. The list never copies the games: a row is
// a position in Games, and whoever re-sorts or refills the games resets the model.
#pragma once

#include <QAbstractListModel>

namespace kw {

class GameDatabase;

class GameListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit GameListModel(QObject* parent = nullptr);

  // Shows the games of `database` (nullptr: none). Call again after the games changed.
  void SetDatabase(const GameDatabase* database);
  // Empties the list (the database itself is left alone).
  void Clear();
  // The games changed in place (sorted, refilled): every row is read again.
  void Reload();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  const GameDatabase* database_ = nullptr;
  int rows_ = 0;
};

}  // namespace kw
