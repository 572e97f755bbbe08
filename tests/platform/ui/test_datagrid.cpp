// The data grid over a record set: columns and their layout, the current
// row followed both ways, and the mouse events with the positions they
// report.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTest>
#include <filesystem>

#include "../vb/VbTestSupport.h"
#include "TestEnvironment.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "ui/DataGrid.h"
#include "ui/Twips.h"
#include "vb/Conversions.h"

namespace {

using vbtest::ErrorOf;

class DataGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fixtures::MakeTempFolder("levgrid");
    conn_ = db::Connection::Create();
    conn_->Open("Data Source=" + (folder_ / "g.db").string(), true);
    conn_->ExecuteScript(R"(
      CREATE TABLE Agency (ID INTEGER PRIMARY KEY, NAME VARCHAR(20), CODE INTEGER, KIND SMALLINT);
      INSERT INTO Agency VALUES (1, 'Alder', 7, 2), (2, 'Birch', 12, 3), (3, 'Cedar', NULL, 3), (4, 'Dogwood', 5, 4);
    )");
    grid_.resize(640, 320);
    grid_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid_));
  }
  void TearDown() override {
    grid_.DataSource(nullptr);
    conn_->Close();
    std::filesystem::remove_all(folder_);
  }

  db::RecordsetPtr Agencies() { return db::Recordset::Query("SELECT * FROM Agency ORDER BY ID", conn_); }
  std::string Cell(int row, int column) {
    return grid_.model()->data(grid_.model()->index(row, column)).toString().toStdString();
  }

  std::filesystem::path folder_;
  db::ConnectionPtr conn_;
  ui::DataGrid grid_;
};

TEST_F(DataGridTest, ColumnsByNameOrPositionWithTwipsWidthsFormatsAndCaptions) {
  auto rs = Agencies();
  grid_.DataSource(rs);
  ASSERT_EQ(grid_.ColumnCount(), 4);
  EXPECT_EQ(grid_.Columns("name").ColIndex(), 1) << "names ignore case";
  EXPECT_EQ(grid_.Columns(2).DataField(), "CODE");
  EXPECT_EQ(grid_.Columns(2).Caption(), "CODE") << "headed by the field name";
  EXPECT_EQ(grid_.ColumnIndex("SCHOOL"), -1);
  EXPECT_EQ(ErrorOf([&] { grid_.Columns("SCHOOL"); }), vb::err::SubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { grid_.Columns(4); }), vb::err::SubscriptOutOfRange);

  QHeaderView& header = *grid_.horizontalHeader();
  grid_.Columns("NAME").Width(2500);
  EXPECT_EQ(header.sectionSize(1), ui::TwipsToPixelsX(2500));
  EXPECT_DOUBLE_EQ(grid_.Columns("NAME").Width(), 2500);
  grid_.Columns("ID").Width(0);
  EXPECT_TRUE(header.isSectionHidden(0)) << "width 0 hides";
  grid_.Columns("KIND").Visible(false);
  EXPECT_TRUE(header.isSectionHidden(3));
  grid_.Columns("KIND").Visible(true);
  EXPECT_FALSE(header.isSectionHidden(3));

  grid_.Columns("CODE").NumberFormat("00");
  grid_.Columns("NAME").Caption("AGENCY");
  EXPECT_EQ(Cell(0, 2), "07") << "cells show the format";
  EXPECT_EQ(Cell(1, 2), "12");
  EXPECT_EQ(Cell(2, 2), "") << "Null shows empty";
  EXPECT_EQ(grid_.Columns("CODE").Text(), "07") << "so does the current row's text";
  EXPECT_EQ(vb::CLng(grid_.Columns("CODE").Value()), 7);
  EXPECT_EQ(grid_.model()->headerData(1, Qt::Horizontal).toString(), "AGENCY");

  // A column can take the width that its heading and values need.
  const std::string heading = "THE AGENCY'S NAME AS IT WAS REGISTERED";
  grid_.Columns("NAME").Caption(heading);
  grid_.Columns("NAME").FitContents();
  EXPECT_GT(header.sectionSize(1), grid_.fontMetrics().horizontalAdvance(QString::fromStdString(heading)));
  EXPECT_NEAR(grid_.Columns("NAME").Width(), ui::PixelsToTwipsX(header.sectionSize(1)), 15);

  // Binding again rebuilds the columns from the fields.
  grid_.DataSource(rs);
  EXPECT_FALSE(header.isSectionHidden(0));
  EXPECT_EQ(grid_.Columns("CODE").NumberFormat(), "");
  EXPECT_EQ(Cell(0, 2), "7");

  grid_.DataSource(nullptr);
  EXPECT_EQ(grid_.ColumnCount(), 0);
  EXPECT_EQ(grid_.Row(), -1);
  EXPECT_EQ(grid_.model()->rowCount(), 0);
}

TEST_F(DataGridTest, GridAndRecordSetFollowEachOthersRowAndTheRecordSetMovesOncePerUserChange) {
  auto rs = Agencies();
  int moves = 0;
  rs->AddMoveHandler([&](db::Recordset&, db::MoveReason) { ++moves; });
  grid_.DataSource(rs);
  EXPECT_EQ(moves, 0) << "binding does not move the record set";
  EXPECT_EQ(grid_.Row(), 0);

  rs->MoveLast();
  EXPECT_EQ(grid_.currentIndex().row(), 3) << "a move in code moves the grid";
  EXPECT_EQ(grid_.Row(), 3);
  EXPECT_EQ(grid_.Columns("NAME").Text(), "Dogwood");

  moves = 0;
  grid_.setCurrentIndex(grid_.model()->index(1, 1));  // the user picks a row
  EXPECT_EQ(rs->AbsolutePosition(), 2);
  EXPECT_EQ(moves, 1) << "one notification, no echo";
  EXPECT_EQ(grid_.Col(), 1);

  moves = 0;
  grid_.Row(0);
  EXPECT_EQ(rs->AbsolutePosition(), 1);
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(ErrorOf([&] { grid_.Row(4); }), vb::err::InvalidProcedureCall);

  // Rows that change in the table show after a requery.
  conn_->Execute("DELETE FROM Agency WHERE ID > 1");
  rs->Requery();
  EXPECT_EQ(grid_.model()->rowCount(), 1);
  rs->MoveNext();
  EXPECT_EQ(grid_.Row(), -1) << "past the last row there is no current row";
  EXPECT_EQ(grid_.Columns("NAME").Text(), "");
  EXPECT_TRUE(grid_.Columns("NAME").Value().IsNull());
}

TEST_F(DataGridTest, MouseDownComesBeforeClickWithThePositionsUnderThePointer) {
  auto rs = Agencies();
  grid_.DataSource(rs);
  std::vector<std::string> events;
  int downRow = -9, downCol = -9;
  QObject::connect(&grid_, &ui::DataGrid::MouseDown, [&](int button, int, int x, int y) {
    events.push_back("down " + std::to_string(button));
    downRow = grid_.RowContaining(y);
    downCol = grid_.ColContaining(x);
  });
  QObject::connect(&grid_, &ui::DataGrid::Click, [&] { events.push_back("click"); });

  QWidget* cells = grid_.viewport();
  QWidget* selectors = grid_.verticalHeader()->viewport();
  QWidget* headings = grid_.horizontalHeader()->viewport();
  const QPoint cell21 = grid_.visualRect(grid_.model()->index(2, 1)).center();
  const QPoint cell11 = grid_.visualRect(grid_.model()->index(1, 1)).center();
  const int row1Y = grid_.verticalHeader()->sectionViewportPosition(1) + 2;  // near the edge
  const int column0X = grid_.horizontalHeader()->sectionViewportPosition(0) + grid_.horizontalHeader()->sectionSize(0) / 2;
  const int belowRows = grid_.verticalHeader()->sectionViewportPosition(3) + 60;

  struct Case {
    const char* what;
    QWidget* target;
    QPoint at;
    int row, col;          // what MouseDown finds under the pointer
    bool clicks;           // the release raises Click
    long position;         // the record set's row afterwards
    int colAfter;          // the grid's current column afterwards
  };
  const Case cases[] = {
      {"a cell", cells, cell21, 2, 1, true, 3, 1},
      {"a record selector", selectors, QPoint(4, row1Y), 1, -1, true, 2, -1},
      {"the cell of that row under the current column", cells, cell11, 1, 1, true, 2, 1},
      {"the record selector again", selectors, QPoint(4, row1Y), 1, -1, true, 2, -1},
      {"a column heading", headings, QPoint(column0X, 4), -1, 0, false, 2, -1},
      {"below the last row", cells, QPoint(cell21.x(), belowRows), -1, 1, true, 2, -1},
  };
  for (const Case& c : cases) {
    events.clear();
    QTest::mouseClick(c.target, Qt::LeftButton, {}, c.at);
    std::vector<std::string> expected = {"down 1"};
    if (c.clicks) expected.push_back("click");
    EXPECT_EQ(events, expected) << c.what;
    EXPECT_EQ(downRow, c.row) << c.what;
    EXPECT_EQ(downCol, c.col) << c.what;
    EXPECT_EQ(rs->AbsolutePosition(), c.position) << c.what;
    EXPECT_EQ(grid_.Col(), c.colAfter) << c.what;
  }
}

}  // namespace
