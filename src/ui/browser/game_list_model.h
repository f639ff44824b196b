// The game list's rows over the lines the game list controller wrote. The model never copies
// them: a row is a line of the controller's block, and every refill resets the model.
#pragma once

#include <QAbstractListModel>

namespace kw {

class GameListLines;

class GameListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit GameListModel(QObject* parent = nullptr);

  // Shows `lines` (nullptr: none). Call again whenever they were rewritten.
  void SetLines(const GameListLines* lines);
  void Clear() { SetLines(nullptr); }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  const GameListLines* lines_ = nullptr;
  int rows_ = 0;
};

}  // namespace kw
