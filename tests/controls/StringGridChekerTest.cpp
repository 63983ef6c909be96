#include "controls/StringGridCheker.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A grid shaped like the task list: a header row, the check column 0 and two text
// columns, with every event written to a log.
class GridTest : public ::testing::Test {
protected:
    void Build(int fixedCols, TGridOptions options = goRowSelect | goRangeSelect) {
        grid.setColCount(3);
        grid.setRowCount(6);
        grid.setFixedRows(1);
        grid.setFixedCols(fixedCols);
        grid.setDefaultRowHeight(20);
        grid.setColWidths(0, 20);
        grid.setColWidths(1, 120);
        grid.setColWidths(2, 60);
        grid.setOptions(options);
        grid.setCheckCollIndex(0);
        grid.setCells(1, 0, "Task");
        for (int r = 1; r < 6; ++r) grid.setCells(1, r, QString("task %1").arg(r));
        grid.OnCheked = [this](TStringGridCheck*, int row, bool checked) {
            log.push_back("cheked " + std::to_string(row) + (checked ? " on" : " off"));
        };
        grid.OnMouseUp = [this](TStringGridCheck* g, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
            const QPoint cell = g->MouseCoord(x, y);
            log.push_back("up " + std::to_string(cell.x()) + "," + std::to_string(cell.y()));
        };
        grid.resize(260, 200);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
        QApplication::processEvents();
    }

    // The widget under a cell's centre and the centre in its coordinates.
    std::pair<QWidget*, QPoint> At(int col, int row) {
        const QPoint p = grid.CellRect(col, row).center();
        QWidget* w = grid.childAt(p);
        return {w, w->mapFrom(&grid, p)};
    }

    void Click(int col, int row, Qt::MouseButton button = Qt::LeftButton) {
        auto [w, p] = At(col, row);
        QTest::mouseClick(w, button, {}, p);
    }

    void Drag(QPoint from, QPoint to) {
        auto [w1, p1] = At(from.x(), from.y());
        auto [w2, p2] = At(to.x(), to.y());
        QTest::mousePress(w1, Qt::LeftButton, {}, p1);
        QTest::mouseRelease(w2, Qt::LeftButton, {}, p2);
    }

    QImage CellImage(int col, int row) { return grid.grab(grid.CellRect(col, row)).toImage(); }

    TStringGridCheck grid;
    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST_F(GridTest, CheckStateIsTheCellTextMinusOne) {
    Build(1);
    struct Case {
        const char* text;
        bool checked;
    } cases[] = {{"-1", true}, {"0", false}, {"1", false}, {"", false}, {"yes", false}, {"-1 ", false}};
    for (const auto& c : cases) {
        grid.setCells(0, 2, c.text);
        EXPECT_EQ(grid.Checked(2), c.checked) << c.text;
    }
    grid.setCells(0, 0, "-1");
    EXPECT_FALSE(grid.GetChecked(0)) << "a fixed row has no check box";

    grid.SetChecked(3, true);
    grid.SetChecked(3, true);
    grid.SetChecked(3, false);
    EXPECT_EQ(grid.Cells(0, 3), "0");
    EXPECT_EQ(log, (Log{"cheked 3 on", "cheked 3 on", "cheked 3 off"})) << "fires on every call";
}

TEST_F(GridTest, OutsideTheCheckColumnNothingIsReadOrWritten) {
    Build(1);
    grid.setCells(0, 2, "-1");
    for (int row : {-1, 0, 6, 100}) grid.SetChecked(row, true);
    for (int index : {-1, 3}) {
        grid.setCheckCollIndex(index);
        EXPECT_FALSE(grid.GetChecked(2)) << index;
        grid.SetChecked(2, false);
    }
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(grid.Cells(0, 2), "-1");
    EXPECT_EQ(grid.Cells(0, 0), "");
}

struct ClickCase {
    const char* name;
    int fixedCols;
    QPoint press, release;
    Qt::MouseButton button;
    Log expected;
};

void PrintTo(const ClickCase& c, std::ostream* os) {
    *os << c.name;
}

class GridClick : public GridTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(GridClick, TogglesOnlyAPressAndReleaseOfTheLeftButtonOnOneCheckCell) {
    const ClickCase& c = GetParam();
    Build(c.fixedCols);
    if (c.press == c.release) {
        Click(c.press.x(), c.press.y(), c.button);
    } else {
        Drag(c.press, c.release);
    }
    EXPECT_EQ(log, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GridClick,
    ::testing::Values(ClickCase{"SameCell", 0, {0, 2}, {0, 2}, Qt::LeftButton, {"cheked 2 on", "up 0,2"}},
                      ClickCase{
                          "FixedCheckColumn", 1, {0, 4}, {0, 4}, Qt::LeftButton, {"cheked 4 on", "up 0,4"}},
                      ClickCase{"OtherReleaseCell", 0, {0, 2}, {0, 3}, Qt::LeftButton, {"up 0,3"}},
                      ClickCase{"RightButton", 0, {0, 2}, {0, 2}, Qt::RightButton, {"up 0,2"}},
                      ClickCase{"MiddleButton", 0, {0, 2}, {0, 2}, Qt::MiddleButton, {"up 0,2"}},
                      ClickCase{"HeaderOfCheckColumn", 1, {0, 0}, {0, 0}, Qt::LeftButton, {"up 0,0"}},
                      ClickCase{"TextHeader", 1, {1, 0}, {1, 0}, Qt::LeftButton, {"up 1,0"}},
                      ClickCase{"TextCell", 0, {1, 2}, {1, 2}, Qt::LeftButton, {"up 1,2"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridTest, ClickTwiceUntogglesAndReportsEveryMouseUp) {
    Build(1);
    Click(0, 3);
    EXPECT_TRUE(grid.Checked(3));
    Click(0, 3);
    EXPECT_FALSE(grid.Checked(3));
    EXPECT_EQ(log, (Log{"cheked 3 on", "up 0,3", "cheked 3 off", "up 0,3"}));
}

TEST_F(GridTest, EnterAndSpaceInvertEachSelectedRowInOrder) {
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        log.clear();
        Build(0);
        grid.setFocus();
        for (int r = 1; r < 6; ++r) grid.SetChecked(r, r == 2 || r == 4);
        grid.setSelection({0, 2, 2, 5});
        grid.OnKeyPress = [this](TStringGridCheck*, QChar& Key) {
            log.push_back("key " + std::to_string(Key.unicode()));
        };
        log.clear();
        QTest::keyClick(&grid, key);
        const std::string pressed = key == Qt::Key_Space ? "key 32" : "key 13";
        EXPECT_EQ(log, (Log{"cheked 2 off", "cheked 3 on", "cheked 4 off", "cheked 5 on", pressed}));
        EXPECT_EQ(grid.Selection(), (TGridRect{0, 2, 2, 5})) << "the selection stays";
        QTest::keyClick(&grid, Qt::Key_A);
        EXPECT_EQ(log.back(), "key 97") << "other keys toggle nothing";
        EXPECT_EQ(log.size(), 6u);
    }
}

TEST_F(GridTest, KeysToggleNothingWhenTheSelectionMissesTheCheckColumn) {
    Build(1); // a fixed check column is never selected
    grid.setFocus();
    grid.setSelection({1, 2, 2, 4});
    EXPECT_FALSE(grid.IsCellSelected(0, 3));
    EXPECT_TRUE(grid.IsCellSelected(2, 3));
    QTest::keyClick(&grid, Qt::Key_Space);
    QTest::keyClick(&grid, Qt::Key_Enter);
    EXPECT_TRUE(log.empty());
}

TEST_F(GridTest, WithoutCheckColumnNothingToggles) {
    Build(0);
    grid.setCheckCollIndex(-1);
    grid.setFocus();
    grid.setSelection({0, 1, 2, 5});
    Click(0, 2);
    QTest::keyClick(&grid, Qt::Key_Space);
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(log, (Log{"up 0,2"}));
    for (int r = 0; r < 6; ++r) EXPECT_FALSE(grid.GetChecked(r));
    EXPECT_FALSE(grid.grab().isNull());
}

TEST_F(GridTest, OptionsDropGridLinesAndEditingSkipsTheCheckColumn) {
    Build(0, goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goEditing);
    EXPECT_EQ(grid.Options(), TGridOptions(goEditing));
    EXPECT_FALSE(grid.showGrid());

    grid.setFocus();
    struct Case {
        int col;
        bool editable;
    } cases[] = {{0, false}, {1, true}, {0, false}, {2, true}};
    for (const auto& c : cases) {
        Click(c.col, 2);
        EXPECT_EQ(grid.editTriggers() != QAbstractItemView::NoEditTriggers, c.editable) << c.col;
        QTest::keyClick(&grid, Qt::Key_F2);
        QLineEdit* editor = nullptr;
        for (auto* e : grid.findChildren<QLineEdit*>())
            if (e->isVisible()) editor = e;
        EXPECT_EQ(editor != nullptr, c.editable) << c.col;
        if (editor) QTest::keyClick(editor, Qt::Key_Escape);
    }
    EXPECT_EQ(grid.Options(), TGridOptions(goEditing)) << "the rule leaves Options alone";
}

struct MoveCase {
    int from, to, checkBefore, checkAfter;
};

void PrintTo(const MoveCase& c, std::ostream* os) {
    *os << "move " << c.from << " to " << c.to << ", check column " << c.checkBefore;
}

class GridMove : public GridTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(GridMove, CheckColumnFollowsItsCells) {
    const MoveCase& c = GetParam();
    Build(0, goColMoving);
    grid.setColCount(4);
    grid.SyncView();
    grid.setCheckCollIndex(c.checkBefore);
    grid.SetChecked(2, true);
    int moved = 0;
    grid.OnColumnMoved = [&](TStringGridCheck*, int from, int to) {
        EXPECT_EQ(from, c.from);
        EXPECT_EQ(to, c.to);
        EXPECT_EQ(grid.CheckCollIndex(), c.checkAfter) << "tracked before the user's handler";
        ++moved;
    };
    // Dragging a header section moves the column itself; the header keeps its order.
    grid.horizontalHeader()->moveSection(c.from, c.to);
    EXPECT_EQ(moved, 1);
    EXPECT_EQ(grid.CheckCollIndex(), c.checkAfter);
    EXPECT_TRUE(grid.Checked(2)) << "the box still reads its own cell";
    EXPECT_EQ(grid.horizontalHeader()->logicalIndex(c.to), c.to);
}

INSTANTIATE_TEST_SUITE_P(Cases, GridMove,
                         ::testing::Values(MoveCase{0, 2, 0, 2}, MoveCase{2, 0, 0, 1}, MoveCase{1, 0, 0, 1},
                                           MoveCase{1, 2, 0, 0}, MoveCase{2, 1, 0, 0}, MoveCase{1, 3, 2, 1},
                                           MoveCase{3, 1, 2, 3}));

TEST_F(GridTest, MovedColumnKeepsItsTextAndWidth) {
    Build(0);
    grid.MoveColumn(1, 2);
    EXPECT_EQ(grid.Cells(2, 3), "task 3");
    EXPECT_EQ(grid.ColWidths(2), 120);
    EXPECT_EQ(grid.ColWidths(1), 60);
}

TEST_F(GridTest, RowsThatComeBackAreEmpty) {
    Build(1);
    grid.setRowCount(2);
    grid.setRowCount(6);
    EXPECT_EQ(grid.Cells(1, 3), "");
    EXPECT_EQ(grid.Cells(1, 1), "task 1");
    grid.SyncView();
    EXPECT_EQ(grid.model()->rowCount(), 5) << "the header row is not a model row";
}

TEST_F(GridTest, PaintsEveryCellThroughTheDrawEvents) {
    Build(1);
    std::vector<QPoint> drawn;
    int drawing = 0;
    grid.OnDrawingCell = [&](TStringGridCheck*, QPainter&, int, int, const QRect&, TGridDrawState) {
        ++drawing;
    };
    grid.OnDrawCell = [&](TStringGridCheck*, QPainter&, int c, int r, const QRect&, TGridDrawState) {
        drawn.emplace_back(c, r);
    };
    for (TGridDrawingStyle style : {gdsThemed, gdsClassic}) {
        grid.setDrawingStyle(style);
        drawn.clear();
        drawing = 0;
        EXPECT_FALSE(grid.grab().isNull());
        EXPECT_EQ(drawing, static_cast<int>(drawn.size()));
        for (QPoint cell : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 3), QPoint(2, 5)})
            EXPECT_NE(std::find(drawn.begin(), drawn.end(), cell), drawn.end())
                << cell.x() << "," << cell.y();

        // The box shows the state; the header of the check column shows no box.
        grid.SetChecked(3, false);
        const QImage unchecked = CellImage(0, 3);
        grid.SetChecked(3, true);
        EXPECT_NE(CellImage(0, 3), unchecked) << style;
        const QImage header = CellImage(0, 0);
        grid.setCells(0, 0, "-1");
        EXPECT_NE(CellImage(0, 0), header) << "the header shows its text";
        grid.setCells(0, 0, "");
    }
}

TEST_F(GridTest, PointerMovesRepaintTheCellsItLeavesAndEnters) {
    Build(1);
    std::vector<QPoint> drawn;
    grid.OnDrawCell = [&](TStringGridCheck*, QPainter&, int c, int r, const QRect&, TGridDrawState) {
        drawn.emplace_back(c, r);
    };
    int moves = 0;
    grid.OnMouseMove = [&](TStringGridCheck*, Qt::KeyboardModifiers, int, int) { ++moves; };
    auto [w1, p1] = At(1, 2);
    QTest::mouseMove(w1, p1);
    QApplication::processEvents();
    drawn.clear();
    auto [w2, p2] = At(1, 0);
    QTest::mouseMove(w2, p2);
    QApplication::processEvents();
    EXPECT_GE(moves, 2);
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), QPoint(1, 2)), drawn.end());
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), QPoint(1, 0)), drawn.end());
}

} // namespace
