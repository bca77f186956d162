#include "persistence/HistoryCsv.h"

#include <gtest/gtest.h>

#include <sstream>

#include "bend/Bend.h"

namespace umbrinex {
namespace {

TEST(HistoryCsv, BlocksFollowOneAnotherAndARefusedRowKeepsTheRowsBeforeIt)
{
  auto bend = New<TBend>();
  std::string text = "# a comment\nangle (rad);TIME [s];Tension (MN);remark\n";
  for (int i = 0; i < 10; ++i) text += "0,5;" + std::to_string(i) + ";0,00" + std::to_string(i) + ";calm\n";
  text += "0,5;10;-1;storm\n";
  std::istringstream in(text);
  THistoryReader reader(in, *bend);
  EXPECT_TRUE(reader.HasTime());
  THistoryBlock block;
  reader.Read(4, block);
  ASSERT_EQ(block.Count(), 4);
  EXPECT_EQ(block.Line[0], 3);
  EXPECT_EQ(block.Time[3], 3.0);
  EXPECT_EQ(block.Tension[2], 2.0) << "MN in kN";
  EXPECT_DOUBLE_EQ(block.Angle[0], 0.5 * 180.0 / 3.14159265358979323846);
  reader.Read(4, block);
  EXPECT_EQ(block.Time.front(), 4.0);
  try {
    reader.Read(4, block);
    FAIL() << "a negative tension read";
  } catch (const ECsvError& e) {
    EXPECT_EQ(std::string(e.what()).substr(0, 31), "Line 13, tension: -1 is refused");
  }
  EXPECT_EQ(block.Count(), 2) << "rows 9 and 10 kept, the refused one not";
  EXPECT_EQ(block.Time.size(), 2u);
  EXPECT_EQ(reader.RowsRead(), 10);
}

TEST(HistoryCsv, AHistoryWithoutTimeHasNone)
{
  auto bend = New<TBend>();
  std::istringstream in("Tension,Angle\n1,2\n");
  THistoryReader reader(in, *bend);
  THistoryBlock block;
  reader.Read(100, block);
  EXPECT_FALSE(reader.HasTime());
  EXPECT_TRUE(block.Time.empty());
  ASSERT_EQ(block.Count(), 1);
  reader.Read(100, block);
  EXPECT_EQ(block.Count(), 0);
}

}  // namespace
}  // namespace umbrinex
