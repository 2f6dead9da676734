#include "ui/string_grid.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QStyledItemDelegate>
#include <QToolTip>

#include "ui/history_keys.h"
#include "ui/system_colors.h"

namespace rivex::ui {
namespace {

// Enter in a cell editor commits it and closes it through the view's own path, then moves on
// as Enter on the grid does; undo and redo commit it the same way and are left to the
// window, whose history then holds the typing as one step. A cell whose text does not fit
// shows all of it as a tooltip.
class CellDelegate : public QStyledItemDelegate {
  public:
    explicit CellDelegate(StringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride &&
            IsHistoryKey(*static_cast<QKeyEvent*>(event))) {
            auto* editor = static_cast<QWidget*>(watched);
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                auto* editor = static_cast<QWidget*>(watched);
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                emit grid_->enterPressed();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(watched, event);
    }

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        const QString text = index.data().toString();
        if (event->type() == QEvent::ToolTip && !text.isEmpty()) {
            const bool fits = option.fontMetrics.horizontalAdvance(text) + 6 <= option.rect.width();
            QToolTip::showText(event->globalPos(), fits ? QString() : text, view);
            return true;
        }
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    }

  private:
    StringGrid* grid_;
};

}  // namespace

StringGrid::StringGrid(const std::vector<int>& columnWidths, int rowCount, QWidget* parent)
    : QTableWidget(rowCount - 1, static_cast<int>(columnWidths.size()) - 1, parent),
      madeRows_(rowCount - 1) {
    verticalHeader()->setFixedWidth(columnWidths[0]);
    verticalHeader()->setDefaultSectionSize(18);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setFixedHeight(19);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 1; c < static_cast<int>(columnWidths.size()); ++c) {
        setColumnWidth(c - 1, columnWidths[static_cast<std::size_t>(c)]);
    }
    // Rows stay unlabelled until the Enter navigation first reaches them.
    for (int r = 0; r < rowCount - 1; ++r) setVerticalHeaderItem(r, new QTableWidgetItem());
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // As in a spreadsheet: a click or a drag selects, typing, F2 or a double click edits.
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setTabKeyNavigation(false);
    setItemDelegate(new CellDelegate(this));
    LabelRow(1);
    // Typed digits land in a cell from the first focus on, whichever way the focus came.
    setCurrentCell(0, 0);
}

void StringGrid::SetHeading(int column, const QString& text) {
    setHorizontalHeaderItem(column - 1, new QTableWidgetItem(text));
}

QString StringGrid::Heading(int column) const {
    const QTableWidgetItem* item = horizontalHeaderItem(column - 1);
    return item ? item->text() : QString();
}

QString StringGrid::RowLabel(int row) const {
    return verticalHeaderItem(row - 1)->text();
}

QString StringGrid::Cell(int column, int row) const {
    const QTableWidgetItem* it = item(row - 1, column - 1);
    return it ? it->text() : QString();
}

void StringGrid::SetCell(int column, int row, const QString& text) {
    setItem(row - 1, column - 1, new QTableWidgetItem(text));
}

void StringGrid::MoveTo(int column, int row) {
    setCurrentCell(row - 1, column - 1);
}

// A greyed grid shows no selected cell, but keeps its current one for when it is offered
// again; a grid offered already keeps its selection.
void StringGrid::SetOffered(bool offered) {
    const bool greyed = !isEnabled();
    SetOfferedLook(this, offered);
    if (!offered) {
        clearSelection();
    } else if (greyed) {
        setCurrentIndex(currentIndex());
    }
}

void StringGrid::AddRow() {
    insertRow(rowCount());
    setVerticalHeaderItem(rowCount() - 1, new QTableWidgetItem());
}

void StringGrid::LabelRow(int row) {
    verticalHeaderItem(row - 1)->setText(QString("(%1)").arg(row));
}

std::vector<bool> StringGrid::Labelled() const {
    std::vector<bool> labelled;
    for (int row = 1; row < GridRowCount(); ++row) labelled.push_back(!RowLabel(row).isEmpty());
    return labelled;
}

// The new row is labelled when it lies among labelled rows.
void StringGrid::InsertRow(int row) {
    const bool among = row == 1 || !RowLabel(row).isEmpty();
    insertRow(row - 1);
    setVerticalHeaderItem(row - 1, new QTableWidgetItem());
    Renumber();
    if (among) LabelRow(row);
    emit rowsChanged();
}

void StringGrid::DeleteRows(int first, int last) {
    for (int row = last; row >= first; --row) removeRow(row - 1);
    while (rowCount() < madeRows_) AddRow();
    Renumber();
    emit rowsChanged();
}

void StringGrid::Renumber() {
    LabelRow(1);
    for (int row = 2; row < GridRowCount(); ++row) {
        if (!RowLabel(row).isEmpty()) LabelRow(row);
    }
}

void StringGrid::SetHistoryActions(const QList<QAction*>& actions) {
    historyActions_ = actions;
}

// The rows chosen are those of the selection when the menu is opened on it, else the row
// under the pointer (the current row for the menu key).
void StringGrid::contextMenuEvent(QContextMenuEvent* event) {
    emit menuOpening();
    const bool byMouse = event->reason() == QContextMenuEvent::Mouse;
    int first = byMouse ? rowAt(event->pos().y()) : currentRow();
    int last = first;
    for (const QTableWidgetSelectionRange& range : selectedRanges()) {
        if (range.topRow() <= first && first <= range.bottomRow()) {
            first = range.topRow();
            last = range.bottomRow();
        }
    }
    QMenu menu(this);
    menu.addActions(historyActions_);
    menu.addSeparator();
    QAction* insert = menu.addAction(tr("行の挿入"));
    QAction* remove = menu.addAction(tr("行の削除"));
    insert->setEnabled(first >= 0);
    remove->setEnabled(first >= 0);
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == insert) InsertRow(first + 1);
    if (chosen == remove) DeleteRows(first + 1, last + 1);
}

// Enter on a cell that is not being edited; the cell delegate takes it in an editor. Delete
// empties every selected cell.
void StringGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit enterPressed();
        return;
    }
    if (event->key() == Qt::Key_Delete && state() != QAbstractItemView::EditingState) {
        for (const QModelIndex& index : selectedIndexes()) model()->setData(index, QString());
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void EnterNavigation(StringGrid& grid) {
    const int column = grid.GridColumn();
    const int lastColumn = grid.columnCount();
    if (column < 1 || column > lastColumn) return;
    if (column < lastColumn) {
        grid.MoveTo(column + 1, grid.GridRow());
        return;
    }
    const int next = grid.GridRow() + 1;
    if (next > grid.GridRowCount() - 1) grid.AddRow();
    grid.LabelRow(next);
    grid.MoveTo(1, next);
}

}  // namespace rivex::ui
