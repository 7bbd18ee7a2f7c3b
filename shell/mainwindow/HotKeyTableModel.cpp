#include "shell/mainwindow/HotKeyTableModel.h"

#include <QTimer>

namespace vorbix {

HotKeyTableModel::HotKeyTableModel(HotKeyTable& table, IconOf iconOf, QObject* parent)
    : QAbstractTableModel(parent), table_(table), iconOf_(std::move(iconOf)) {
    headers_[HotKeyColumn] = QStringLiteral("Hot Key");
}

int HotKeyTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(table_.size());
}

int HotKeyTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

const HotKeyEntry* HotKeyTableModel::row(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this || index.row() >= int(table_.size())) {
        return nullptr;
    }
    return &table_.at(size_t(index.row()));
}

QVariant HotKeyTableModel::data(const QModelIndex& index, int role) const {
    const HotKeyEntry* r = row(index);
    if (!r) return {};
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
            case HotKeyColumn:
                return QString::fromStdString(r->HotKeyText);
            case ActionColumn:
                return QString::fromStdString(r->ActionText);
            case PropertiesColumn:
                if (r->TextDigestPending && finish_) finish_(table_.at(size_t(index.row())));
                return QString::fromStdString(r->PropertiesText);
        }
    }
    if (role == Qt::DecorationRole && index.column() == ActionColumn && iconOf_) {
        const QIcon icon = iconOf_(*r);
        if (!icon.isNull()) return icon;
    }
    if ((role == Qt::DecorationRole || role == Qt::ToolTipRole) && index.column() == HotKeyColumn &&
        problemOf_) {
        const QString problem = problemOf_(size_t(index.row()));
        if (!problem.isEmpty()) return role == Qt::ToolTipRole ? QVariant(problem) : problemMark_;
    }
    if (role == Qt::ToolTipRole && index.column() != HotKeyColumn && noteOf_) {
        const QString note = noteOf_(size_t(index.row()));
        if (!note.isEmpty()) return note;
    }
    return {};
}

void HotKeyTableModel::setActionNotes(ProblemOf noteOf) {
    noteOf_ = std::move(noteOf);
    if (table_.empty()) return;
    emit dataChanged(index(0, ActionColumn), index(int(table_.size()) - 1, ColumnCount - 1),
                     {Qt::ToolTipRole});
}

void HotKeyTableModel::setProblemMarks(QIcon mark, ProblemOf problemOf) {
    problemMark_ = std::move(mark);
    problemOf_ = std::move(problemOf);
    refreshProblemMarks();
}

void HotKeyTableModel::refreshProblemMarks() {
    if (table_.empty()) return;
    emit dataChanged(index(0, HotKeyColumn), index(int(table_.size()) - 1, HotKeyColumn),
                     {Qt::DecorationRole, Qt::ToolTipRole});
}

QVariant HotKeyTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount) {
        return headers_[section];
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool HotKeyTableModel::setRow(const QModelIndex& index, const HotKeyEntry& newRow) {
    if (!row(index)) return false;
    table_.at(size_t(index.row())) = newRow;
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    return true;
}

void HotKeyTableModel::setHeaders(const QString& action, const QString& properties) {
    headers_[ActionColumn] = action;
    headers_[PropertiesColumn] = properties;
    emit headerDataChanged(Qt::Horizontal, ActionColumn, PropertiesColumn);
}

void HotKeyTableModel::refreshAll() {
    if (table_.empty()) return;
    emit dataChanged(index(0, 0), index(int(table_.size()) - 1, ColumnCount - 1));
}

void HotKeyTableModel::resetAround(const std::function<void()>& change) {
    beginResetModel();
    change();
    endResetModel();
    finishRowsLater();
}

bool HotKeyTableModel::finishRows(size_t limit) {
    if (!finish_) return false;
    for (size_t i = 0; i < table_.size(); ++i) {
        HotKeyEntry& r = table_.at(i);
        if (!r.TextDigestPending) continue;
        if (limit == 0) return true;
        --limit;
        finish_(r);
        const QModelIndex cell = index(int(i), PropertiesColumn);
        emit dataChanged(cell, cell, {Qt::DisplayRole});
    }
    return false;
}

void HotKeyTableModel::finishRowsLater() {
    if (finishing_) return;
    finishing_ = true;
    // About a millisecond of work per turn of the event loop.
    QTimer::singleShot(0, this, [this] {
        finishing_ = false;
        if (!background_) {
            emit rowsFinished();
        } else if (finishRows(4)) {
            finishRowsLater();
        } else {
            emit rowsFinished();
        }
    });
}

void HotKeyTableModel::setFinishingInBackground(bool on) {
    background_ = on;
    if (on) finishRowsLater();
}

void HotKeyTableModel::finishAllRows() {
    finishRows(table_.size());
}

void HotKeyTableModel::rowsAboutToChange(RowChange change, size_t first) {
    const int r = int(first);
    switch (change) {
        case RowChange::Insert:
            beginInsertRows({}, r, r);
            break;
        case RowChange::Remove:
            beginRemoveRows({}, r, r);
            break;
        case RowChange::Swap:
            // Exchanging rows r and r + 1 is moving row r + 1 in front of row r.
            beginMoveRows({}, r + 1, r + 1, {}, r);
            break;
        case RowChange::Reset:
            beginResetModel();
            break;
    }
}

void HotKeyTableModel::rowsChanged(RowChange change) {
    switch (change) {
        case RowChange::Insert:
            endInsertRows();
            break;
        case RowChange::Remove:
            endRemoveRows();
            break;
        case RowChange::Swap:
            endMoveRows();
            break;
        case RowChange::Reset:
            endResetModel();
            finishRowsLater();
            break;
    }
}

}  // namespace vorbix
