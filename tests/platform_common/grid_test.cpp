#include <gtest/gtest.h>

#include "platform/common/grid_layout.h"
#include "platform/common/grid_selection.h"

namespace lumenpoll {
namespace {

using Cell = GridSelection::Cell;
using Move = GridSelection::Move;

// The technique chart: three columns, a heading row and seven rows of values.
GridSelection chart_selection() {
  return GridSelection(3, 8, 0, 1);
}

TEST(GridSelection, AClickSelectsACellAndADragFromItARangeNeverTheHeadings) {
  GridSelection selection = chart_selection();
  EXPECT_FALSE(selection.press({1, 0}));  // a heading: nothing, and no drag
  EXPECT_EQ(selection.rect(), GridRect{});
  EXPECT_FALSE(selection.drag({1, 2}));

  ASSERT_TRUE(selection.press({1, 3}));
  EXPECT_EQ(selection.rect(), (GridRect{1, 3, 1, 3}));
  EXPECT_TRUE(selection.drag({2, 5}));
  EXPECT_EQ(selection.rect(), (GridRect{1, 3, 2, 5}));
  EXPECT_TRUE(selection.drag({0, 1}));  // back over the start: the range turns
  EXPECT_EQ(selection.rect(), (GridRect{0, 1, 1, 3}));
  EXPECT_FALSE(selection.drag({0, 0}));  // onto the headings: it stays
  EXPECT_EQ(selection.rect(), (GridRect{0, 1, 1, 3}));
  selection.release();
  EXPECT_FALSE(selection.drag({2, 7}));
  EXPECT_EQ(selection.rect(), (GridRect{0, 1, 1, 3}));
}

TEST(GridSelection, KeysMoveWithinTheValuesAndShiftExtendsFromWhereItStarted) {
  GridSelection selection = chart_selection();
  ASSERT_TRUE(selection.move(Move::Down, false));  // from nothing: the first value cell
  EXPECT_EQ(selection.rect(), (GridRect{0, 1, 0, 1}));
  selection.move(Move::Up, false);  // not onto the headings
  selection.move(Move::Left, false);
  EXPECT_EQ(selection.rect(), (GridRect{0, 1, 0, 1}));
  selection.move(Move::End, false);
  EXPECT_EQ(selection.rect(), (GridRect{2, 1, 2, 1}));
  selection.move(Move::Right, false);
  EXPECT_EQ(selection.rect(), (GridRect{2, 1, 2, 1}));

  selection.move(Move::Down, true);
  selection.move(Move::Home, true);
  EXPECT_EQ(selection.rect(), (GridRect{0, 1, 2, 2}));
  EXPECT_EQ(selection.current().col, 2);  // the focus stays where the range began
  selection.move(Move::Down, false);      // a plain move goes on from the focus, alone
  EXPECT_EQ(selection.rect(), (GridRect{2, 2, 2, 2}));
}

// The program's highlight is kept as given; the keys go on from it.
TEST(GridSelection, TheProgramsSelectionIsKeptAndTheKeysStartFromIt) {
  GridSelection selection = chart_selection();
  selection.set(GridRect{0, 4, 2, 4});
  EXPECT_EQ(selection.rect(), (GridRect{0, 4, 2, 4}));
  selection.move(Move::Down, false);
  EXPECT_EQ(selection.rect(), (GridRect{2, 5, 2, 5}));
  selection.set(GridRect{});
  EXPECT_FALSE(selection.selected(0, 1));
  EXPECT_FALSE(GridSelection(3, 1, 0, 1).move(Move::Down, false));  // headings only
}

TEST(GridLayout, EveryCellHasTheLineAfterItExceptTheLastOnes) {
  const GridLayout layout(3, 8, 37, 18);
  EXPECT_EQ(layout.col_span(0), 38);
  EXPECT_EQ(layout.col_span(2), 37);
  EXPECT_EQ(layout.row_span(7), 18);
  const GridLayout::Box box = layout.cell_box(2, 1);
  EXPECT_EQ(box.left, 76);
  EXPECT_EQ(box.top, 19);
  EXPECT_EQ(box.width, 37);
  EXPECT_EQ(box.height, 18);
}

TEST(GridLayout, APointFindsTheCellWhoseLineItIsOnAndNothingOffTheCells) {
  const GridLayout layout(3, 8, 37, 18);
  const auto at = [&](int x, int y) { return layout.cell_at(x, y); };
  ASSERT_TRUE(at(0, 0));
  EXPECT_EQ(at(37, 18)->col, 0);  // on the lines after cell (0, 0)
  EXPECT_EQ(at(37, 18)->row, 0);
  EXPECT_EQ(at(38, 19)->col, 1);
  EXPECT_EQ(at(38, 19)->row, 1);
  EXPECT_FALSE(at(-1, 5));
  EXPECT_FALSE(at(3 * 38, 5));
  EXPECT_FALSE(at(5, 8 * 19));
}

TEST(CellLook, HeadingsAreNeverHighlightedNorTheCellUnderTheFocusRectangle) {
  GridSelection selection = chart_selection();
  selection.set(GridRect{0, 0, 2, 2});  // the program's, over the headings too
  EXPECT_TRUE(cell_look(selection, 1, 0, true).fixed);
  EXPECT_FALSE(cell_look(selection, 1, 0, true).highlighted);
  EXPECT_TRUE(cell_look(selection, 2, 2, true).focus);  // the focus goes where set() ends
  EXPECT_FALSE(cell_look(selection, 2, 2, true).highlighted);
  EXPECT_TRUE(cell_look(selection, 2, 2, false).highlighted);
  EXPECT_TRUE(cell_look(selection, 1, 1, true).highlighted);
  EXPECT_FALSE(cell_look(selection, 1, 3, true).highlighted);
}

}  // namespace
}  // namespace lumenpoll
