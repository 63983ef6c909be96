#pragma once
// TStringGridCheck: a string grid whose one column shows a check box in every non-fixed
// row. The check state of a row is the text of its cell in that column: "-1" is checked,
// anything else unchecked. The grid paints every cell itself and hot-tracks the cell
// under the pointer.
//
// Built on QTableView: the cells live in TStringGridModel, the fixed rows are painted in
// the horizontal header (so they do not scroll), fixed columns are model columns that can
// never be selected. Coordinates X, Y and the cell rectangles of CellRect and MouseCoord
// are in the grid widget's own coordinates; the Rect handed to the draw-cell events is in
// the coordinates of the painter handed with it.
#include <QFlags>
#include <QPoint>
#include <QRect>
#include <QTableView>
#include <functional>
#include <vector>

class QPainter;
class TStringGridModel;
class TGridHeader;
class TGridCellDelegate;

enum TGridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goRowMoving = 1u << 8,
    goColMoving = 1u << 9,
    goEditing = 1u << 10,
    goTabs = 1u << 11,
    goRowSelect = 1u << 12,
    goAlwaysShowEditor = 1u << 13,
    goThumbTracking = 1u << 14,
    goFixedColClick = 1u << 15,
    goFixedRowClick = 1u << 16,
    goFixedHotTrack = 1u << 17,
};
Q_DECLARE_FLAGS(TGridOptions, TGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)

enum TGridDrawStateFlag : unsigned { gdSelected = 1u << 0, gdFocused = 1u << 1, gdFixed = 1u << 2 };
Q_DECLARE_FLAGS(TGridDrawState, TGridDrawStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridDrawState)

// gdsThemed draws the fixed cells and the check boxes with the desktop style; the other
// two draw the classic raised face and frame check box.
enum TGridDrawingStyle { gdsClassic, gdsThemed, gdsGradient };

// Columns Left..Right and rows Top..Bottom, bounds included; all -1 when nothing is selected.
struct TGridRect {
    int Left = -1;
    int Top = -1;
    int Right = -1;
    int Bottom = -1;
    bool operator==(const TGridRect&) const = default;
};

class TStringGridCheck;
using TChekedGridEvent = std::function<void(TStringGridCheck* Sender, int ARow, bool RowChecked)>;
using TGridMouseEvent = std::function<void(TStringGridCheck* Sender, Qt::MouseButton Button,
                                           Qt::KeyboardModifiers Shift, int X, int Y)>;
using TGridMouseMoveEvent =
    std::function<void(TStringGridCheck* Sender, Qt::KeyboardModifiers Shift, int X, int Y)>;
using TGridKeyPressEvent = std::function<void(TStringGridCheck* Sender, QChar& Key)>;
using TDrawCellEvent = std::function<void(TStringGridCheck* Sender, QPainter& Canvas, int ACol, int ARow,
                                          const QRect& Rect, TGridDrawState State)>;
using TMovedEvent = std::function<void(TStringGridCheck* Sender, int FromIndex, int ToIndex)>;
using TSelectCellEvent = std::function<void(TStringGridCheck* Sender, int ACol, int ARow, bool& CanSelect)>;

class TStringGridCheck : public QTableView {
    Q_OBJECT
public:
    explicit TStringGridCheck(QWidget* AOwner = nullptr);
    ~TStringGridCheck() override;

    // The string grid.
    int ColCount() const;
    void setColCount(int value);
    int RowCount() const;
    void setRowCount(int value);
    int FixedCols() const;
    void setFixedCols(int value);
    int FixedRows() const;
    void setFixedRows(int value);
    QString Cells(int ACol, int ARow) const;
    void setCells(int ACol, int ARow, const QString& text);
    int DefaultColWidth() const { return fDefaultColWidth; }
    void setDefaultColWidth(int value);
    int DefaultRowHeight() const { return fDefaultRowHeight; }
    void setDefaultRowHeight(int value);
    int ColWidths(int ACol) const;
    void setColWidths(int ACol, int value);
    TGridDrawingStyle DrawingStyle() const { return fDrawingStyle; }
    void setDrawingStyle(TGridDrawingStyle value);
    // The current cell; Row is FixedRows and Col FixedCols while the grid has none.
    int Row() const;
    void setRow(int value);
    int Col() const;
    void setCol(int value);
    TGridRect Selection() const;
    void setSelection(const TGridRect& value);
    // The cell at a point (-1 in a coordinate outside every cell), and a cell's rectangle
    // (empty when it is not on screen).
    QPoint MouseCoord(int X, int Y) const;
    QRect CellRect(int ACol, int ARow) const;
    // Moves a column with its cells and width, as dragging its header does with goColMoving.
    void MoveColumn(int FromIndex, int ToIndex);
    // Hands the changes made so far to the view now instead of at the next event loop turn.
    void SyncView();

    // The check column.
    int CheckCollIndex() const { return fCheckCollIndex; }
    void setCheckCollIndex(int value);
    bool IsCellSelected(int X, int Y) const;
    bool Checked(int ARow) const { return GetChecked(ARow); }
    bool GetChecked(int ARow) const;
    // Fires OnCheked on every call within the grid, also when the state stays the same.
    void SetChecked(int ARow, bool Value);
    // Grid lines are never drawn: the four line options are dropped. goEditing stays, and
    // then the check column alone is kept from editing.
    TGridOptions Options() const { return fOptions; }
    void setOptions(TGridOptions V);

    // The user's handlers; each runs after the grid's own work for the event.
    TChekedGridEvent OnCheked;
    TGridMouseMoveEvent OnMouseMove;
    TGridMouseEvent OnMouseUp;
    TGridMouseEvent OnMouseDown;
    TGridKeyPressEvent OnKeyPress;
    TDrawCellEvent OnDrawCell;
    TDrawCellEvent OnDrawingCell;
    TMovedEvent OnColumnMoved;
    TSelectCellEvent OnSelectCell;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    friend class TGridHeader;
    friend class TGridCellDelegate;

    // Event work shared by the cell area and the fixed-row header.
    void GridMouseDown(const QMouseEvent* event);
    void GridMouseMove(const QMouseEvent* event);
    void GridMouseUp(const QMouseEvent* event);
    void PointerLeft() { fPointerInside = false; }
    QPoint GridPos(const QMouseEvent* event) const;

    bool SelectCell(int ACol, int ARow);
    void ApplyEditingRule(int ACol);
    void ColumnMoved(int FromIndex, int ToIndex);
    void KeyboardToggle();
    void HotTrackCell(int ACol, int ARow);
    void RedrawCheckColumn();
    void UpdateCell(int ACol, int ARow);
    void ApplyBaseOptions(TGridOptions value);
    void ApplyColumnWidths();
    QItemSelectionModel::SelectionFlags SelectCommand() const;
    void ModelFlushed(bool columnsChanged, bool fixedRowsChanged);

    // Without bringing the view in line first; what painting may call.
    QPoint CellAt(QPoint gridPos) const;
    TGridRect CurrentSelection() const;
    bool InSelection(int X, int Y) const;
    TGridDrawState CellState(int ACol, int ARow) const;
    QPoint HotCell() const;

    // Painting (StringGridPaint.cpp).
    void PaintCell(QPainter& Canvas, int ACol, int ARow, const QRect& Rect, TGridDrawState State);
    void PaintRaisedFace(QPainter& Canvas, const QRect& R);
    void PaintCheckBox(QPainter& Canvas, const QRect& R, const QRect& I, bool checked, bool hot, bool themed);

    TStringGridModel* fModel = nullptr;
    TGridHeader* fHeader = nullptr;

    TGridOptions fOptions;
    bool OptEdition = false;
    int OldCellR = 0;
    int OldCellC = 0;
    Qt::MouseButton OldButton = Qt::LeftButton;
    QPoint OldMouseCell{0, 0};
    int fCheckCollIndex = 0;

    TGridOptions fBaseOptions;
    TGridDrawingStyle fDrawingStyle = gdsThemed;
    int fDefaultColWidth = 64;
    int fDefaultRowHeight = 24;
    std::vector<int> fColWidths;
    QPoint fPointerPos;
    bool fPointerInside = false;
    bool fInDoubleClick = false;
    bool fUndoingSectionMove = false;
    mutable TGridRect fSelectionCache;
    mutable bool fSelectionCacheValid = false;
};
