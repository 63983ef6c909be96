#pragma once
// The cells of the check grid, and the item model through which the table view shows
// them. Fixed rows are not rows of the model: the view shows them in its header, so they
// stay in place while the other rows scroll.
//
// Writing a cell or changing the size is O(1) and tells the view nothing at once: the
// changes gather and reach the view in one go (Flush), queued right after the first
// change or forced by the grid before it works with the view. A rebuild of thousands of
// rows therefore costs one insert or removal of rows and one repaint.
#include <QAbstractTableModel>
#include <QString>
#include <vector>

class TStringGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TStringGridModel(QObject* parent = nullptr);

    int ColCount() const { return fCols; }
    int RowCount() const { return fRows; }
    int FixedRows() const { return fFixedRows; }
    int FixedCols() const { return fFixedCols; }
    void SetColCount(int value);
    void SetRowCount(int value);
    void SetFixedRows(int value);
    void SetFixedCols(int value);

    // Empty text outside the grid; writes outside it are ignored.
    const QString& Cell(int ACol, int ARow) const;
    void SetCell(int ACol, int ARow, const QString& text);
    // Moves a column's cells to another index; the columns between shift by one.
    void MoveColumn(int FromIndex, int ToIndex);
    // Asks for a repaint of every cell without changing any.
    void Touch();

    // The fixed rows the view shows now; view row r is grid row r + ShownFixedRows.
    int ShownFixedRows() const { return fShownFixedRows; }
    bool Pending() const { return fPending; }
    // Brings the view in line with the cells.
    void Flush();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // After a Flush that reached the view; columnsChanged when the view's columns changed.
    void Flushed(bool columnsChanged, bool fixedRowsChanged);

private:
    void MarkRows(int top, int bottom);
    void Schedule();

    std::vector<QString> fCells; // row-major, fRows * fCols
    int fCols = 5;
    int fRows = 5;
    int fFixedRows = 1;
    int fFixedCols = 1;

    int fShownCols = 5;
    int fShownRows = 4; // rows of the model, that is, without the fixed ones
    int fShownFixedRows = 1;

    int fDirtyTop = 0; // grid rows whose cells changed, fDirtyTop > fDirtyBottom for none
    int fDirtyBottom = -1;
    bool fPending = false;
};
