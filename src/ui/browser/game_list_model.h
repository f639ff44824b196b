// The game list's rows over the lines the game list controller wrote. The model never copies
// them: a row is a line of the controller's block, and every refill resets the model. Each row
// may carry a small mark of its set's kept status (the decoration, beside the line's text,
// which stays the line as written).
#pragma once

#include <QAbstractListModel>
#include <QImage>
#include <array>
#include <functional>

#include "core/audit/machine_audit.h"

namespace kw {

class GameListLines;

class GameListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit GameListModel(QObject* parent = nullptr);

  // Shows `lines` (nullptr: none). Call again whenever they were rewritten.
  void SetLines(const GameListLines* lines);
  void Clear() { SetLines(nullptr); }

  // The kept verdict of the set on each row: kNoneNeeded for a set never judged. Without one,
  // or while `any` answers false (nothing judged yet), the rows carry no mark.
  struct StatusSource {
    std::function<bool()> any;
    std::function<AuditVerdict(int row)> verdict;
  };
  void SetStatusSource(StatusSource source) { status_ = std::move(source); }
  // The rows' marks have changed (a check ended): they are drawn again.
  void StatusChanged();
  // The mark of a verdict: a dot in green (good), amber (best available), red (bad) or grey
  // (not found); a blank of the same size for a set never judged, so that the lines align.
  static QImage StatusMark(AuditVerdict verdict);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  const GameListLines* lines_ = nullptr;
  int rows_ = 0;
  StatusSource status_;
};

}  // namespace kw
