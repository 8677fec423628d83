#include "script/ScriptListings.h"

#include "CompileHelper.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

using test::CompileText;
using test::Lines;

TEST(ScriptListings, EmptyScriptListsItsEmptyTables) {
    const auto compiled = CompileText(Lines({"METHOD", "METHOD", "END METHOD"}));
    const sc_Script& s = *compiled.script;
    EXPECT_EQ(ListDisks(s), "No disks in the list DISKS Global list of disks");
    EXPECT_EQ(ListVariables(s), "No variables in list 'Global variables'");
    EXPECT_EQ(ListSequences(s), "No sequences in 'Global sequences'");
    EXPECT_EQ(ListLists(s), "DISKS : \r\n\r\n");
}

TEST(ScriptListings, ViewsShowTablesInOrder) {
    const auto compiled = CompileText(Lines(
        {"METHOD", "GLOBAL", "T = 160", "Dose = ?", "LIST DOSES = 0, ?, 20#2", "END GLOBAL",
         "SEQUENCE", "S = (NORM TL(5, T, 10, 450, 0, 0))", "E = (NATL NODATA)", "END SEQUENCE",
         "METHOD", "LOOP DISKS #2", "S", "END LOOP", "LOOP DISKS #1", "END LOOP", "END METHOD"}));
    sc_Script& s = *compiled.script;
    ASSERT_FALSE(s.error) << s.errorMessage;
    EXPECT_EQ(ListVariables(s), "T = 160\r\nDose = ?\r\n");
    EXPECT_EQ(ListSequences(s),
              "S \r\n  NORM TL(5, T, 10, 450, 0, 0)\r\n\r\nE \r\n  NATL NODATA\r\n\r\n");
    EXPECT_EQ(ListLists(s), "DISKS : 1 2 3 \r\n\r\nDOSES : 0, ?, 20, \r\n\r\n");
    EXPECT_EQ(ListDisks(s), "Disk 1 platter/position  -1/-1 \"\"\r\n"
                            "  NORM TL(5, 160, 10, 450, 0, 0)\r\n"
                            "Disk 2 platter/position  -1/-1 \"\"\r\n"
                            "  NORM TL(5, 160, 10, 450, 0, 0)\r\n"
                            "Disk 3 platter/position  -1/-1 \"\"\r\n"
                            "No sequence for this disk\r\n");
    // Placed disks show their platter, position and label; unnumbered ones a '?'.
    sc_Item& first = *s.Disks().disks.First();
    first.platter = 0;
    first.position = 5;
    first.label = "Q1";
    first.number = 0;
    EXPECT_EQ(ListDisks(s).substr(0, 38), "Disk 0 platter/position  0/5 \"Q1\"\r\n  N");
    EXPECT_EQ(ListLists(s).substr(0, 16), "DISKS : ? 2 3 \r\n");
}

} // namespace
} // namespace gw
