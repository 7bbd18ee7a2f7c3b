// The hot key table as a Qt model: the one source of the list's rows, icons and problem marks. The
// table commands report each change of rows (RowChangeListener), which the model passes on as Qt's
// row signals, so views and persistent indexes (an open editor's row) follow inserts, removals
// and moves without copying the table.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <functional>

#include "core/HotKeyTable.h"
#include "core/TableCommands.h"

namespace vorbix {

class HotKeyTableModel : public QAbstractTableModel, public RowChangeListener {
    Q_OBJECT
public:
    enum Column { HotKeyColumn = 0, ActionColumn = 1, PropertiesColumn = 2, ColumnCount = 3 };
    // The image of a row's action kind; a null icon for a row whose kind is unknown.
    using IconOf = std::function<QIcon(const HotKeyEntry&)>;
    // Why a row's combination does not work, in the user's language; empty for a row that
    // works (or is not registered while the hot keys are off).
    using ProblemOf = std::function<QString(size_t row)>;
    // Makes what a loaded row left for later (its properties text).
    using FinishRow = std::function<void(HotKeyEntry&)>;

    HotKeyTableModel(HotKeyTable& table, IconOf iconOf, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const HotKeyTable& table() const { return table_; }
    // The row behind `index`, null when the index no longer points at a row.
    const HotKeyEntry* row(const QModelIndex& index) const;
    // Replaces the fields of the row behind `index`; false when it is gone.
    bool setRow(const QModelIndex& index, const HotKeyEntry& row);

    // Column headers 1 and 2 (column 0 always reads "Hot Key").
    void setHeaders(const QString& action, const QString& properties);
    // A row with a problem shows `mark` beside its combination and the problem as its tip.
    void setProblemMarks(QIcon mark, ProblemOf problemOf);
    // A remark on a row's action (what it cannot reach in this session), shown as the tip of
    // its action and properties; empty for none.
    void setActionNotes(ProblemOf noteOf);
    // The rows' problems may have changed (after registering them).
    void refreshProblemMarks();
    // The rows' texts or icons may read differently (after a change of language).
    void refreshAll();
    // Runs `change`, which may replace every row (loading a file), as one reset.
    void resetAround(const std::function<void()>& change);

    // Rows loaded with parts left for later are finished a few at a time from the event loop,
    // so the program answers its hot keys meanwhile; a row shown or asked for before that is
    // finished at once.
    void setRowFinisher(FinishRow finish) { finish_ = std::move(finish); }
    // Off: rows wait until shown or asked for (nobody looks at the list yet, and a finished
    // row's text takes memory); on again: the waiting rows are finished from the event loop.
    void setFinishingInBackground(bool on);
    void finishRowsLater();
    void finishAllRows();

    void rowsAboutToChange(RowChange change, size_t first) override;
    void rowsChanged(RowChange change) override;

signals:
    // Every row of a loaded table is finished (at once when none waited), or, while finishing
    // in the background is off, the load is done.
    void rowsFinished();

private:
    HotKeyTable& table_;
    IconOf iconOf_;
    QIcon problemMark_;
    ProblemOf problemOf_;
    ProblemOf noteOf_;
    QString headers_[ColumnCount];
    FinishRow finish_;
    bool finishing_ = false;
    bool background_ = true;

    // Finishes up to `limit` waiting rows; true when some are left.
    bool finishRows(size_t limit);
};

}  // namespace vorbix
