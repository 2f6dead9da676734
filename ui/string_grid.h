// An editable grid of texts with a fixed heading row and a fixed label column, as the main
// window's field and count/code grids. Grid row r (from 1) is the table's row r - 1; the
// heading row and the label column are the table's headers.
#pragma once

#include <QTableWidget>
#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace rivex::ui {

class StringGrid : public QTableWidget {
    Q_OBJECT

  public:
    // `columnWidths[0]` is the label column; the other widths are the editable columns.
    StringGrid(const std::vector<int>& columnWidths, int rowCount, QWidget* parent);

    void SetHeading(int column, const QString& text);
    QString Heading(int column) const;
    QString RowLabel(int row) const;
    // The text of grid cell (column, row), both from 1 as in the headings and labels.
    QString Cell(int column, int row) const;
    void SetCell(int column, int row, const QString& text);
    int GridRowCount() const { return rowCount() + 1; }  // with the heading row
    int GridColumn() const { return currentColumn() + 1; }
    int GridRow() const { return currentRow() + 1; }
    void MoveTo(int column, int row);
    void AddRow();
    // Every cell below the heading emptied, then `rows` written from grid row 1 on, each
    // labelled "(n)" as Enter would have labelled it.
    template <std::size_t N>
    void SetRows(const std::vector<std::array<std::string, N>>& rows);
    // The grid made to hold exactly `rows` below the heading, the rows that `labelled`
    // marks labelled "(n)" and the others not. Only the cells that change are written, so
    // that the current cell and the selection stay.
    template <std::size_t N>
    void SetContent(const std::vector<std::array<std::string, N>>& rows,
                    const std::vector<bool>& labelled);

    // Writes "(n)" into the label column of grid row n.
    void LabelRow(int row);
    // Which grid rows, from row 1 on, are labelled.
    std::vector<bool> Labelled() const;

    // An empty row put in as grid row `row`, the rows from there on moving down; the grid
    // grows by one row.
    void InsertRow(int row);
    // Grid rows `first` to `last` taken out, the rows below moving up; empty rows are added
    // at the end while the grid has fewer rows than it was made with.
    void DeleteRows(int first, int last);

    // Undo and redo, shown above the row commands in the grid's context menu.
    void SetHistoryActions(const QList<QAction*>& actions);

    // The cells of every grid row below the heading, in order, as UTF-8.
    template <std::size_t N>
    std::vector<std::array<std::string, N>> Rows() const;

    // The available or unavailable look of a condition control.
    void SetOffered(bool offered);

  signals:
    // Enter in a cell, typed into its editor or not; the Enter key itself is swallowed.
    void enterPressed();
    // The context menu is about to be shown.
    void menuOpening();
    // Rows were inserted or deleted.
    void rowsChanged();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    // The rows labelled as they stand, each with its number.
    void Renumber();

    const int madeRows_;
    QList<QAction*> historyActions_;
};

// Moves the cursor as Enter does: to the next column of the row, and from the last column to
// column 1 of the next row, which is added and labelled "(n)" when it does not exist yet.
void EnterNavigation(StringGrid& grid);

template <std::size_t N>
std::vector<std::array<std::string, N>> StringGrid::Rows() const {
    std::vector<std::array<std::string, N>> rows;
    for (int row = 1; row < GridRowCount(); ++row) {
        std::array<std::string, N> cells;
        for (std::size_t c = 0; c < N; ++c) {
            cells[c] = Cell(static_cast<int>(c) + 1, row).toUtf8().toStdString();
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

template <std::size_t N>
void StringGrid::SetRows(const std::vector<std::array<std::string, N>>& rows) {
    auto all = rows;
    all.resize(std::max(rows.size(), static_cast<std::size_t>(rowCount())));
    std::vector<bool> labelled(all.size(), false);
    std::fill_n(labelled.begin(), std::max<std::size_t>(rows.size(), 1), true);
    SetContent(all, labelled);
}

template <std::size_t N>
void StringGrid::SetContent(const std::vector<std::array<std::string, N>>& rows,
                            const std::vector<bool>& labelled) {
    while (rowCount() > static_cast<int>(rows.size())) removeRow(rowCount() - 1);
    while (rowCount() < static_cast<int>(rows.size())) AddRow();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int row = static_cast<int>(r) + 1;
        verticalHeaderItem(row - 1)->setText(QString());
        if (labelled[r]) LabelRow(row);
        for (std::size_t c = 0; c < N; ++c) {
            const int column = static_cast<int>(c) + 1;
            const QString text = QString::fromUtf8(rows[r][c]);
            if (Cell(column, row) != text) SetCell(column, row, text);
        }
    }
}

}  // namespace rivex::ui
