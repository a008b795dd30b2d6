#include "engine/board.h"

#include <gtest/gtest.h>

namespace zg {
namespace {

TEST(BoardImage, OffsetsFollowTheFileLayout) {
    BoardModel m;
    m.board.at(2, 1) = 5;
    m.board.at(1, 2) = 6;
    EXPECT_EQ(m.board.bytes[9], 5);
    EXPECT_EQ(m.board.bytes[15], 6);
    m.candidateMarks.at(3, 4, 5) = true;
    EXPECT_TRUE(m.candidateMarks.items[3 + 7 * 4 + 49 * 5]);
}

TEST(BoardImage, SymbolsAsDigitsOrLetters) {
    EXPECT_EQ(symbolText(2, true), "2");
    EXPECT_EQ(symbolText(2, false), "B");
    EXPECT_EQ(symbolText(6, false), "F");
    EXPECT_EQ(symbolText(0, true), "");
}

TEST(BoardModel, LevelNamesKeepTheirBlanks) {
    BoardModel m;
    EXPECT_EQ(m.levelNames[0], " Leicht ");
    EXPECT_EQ(m.levelNames[1], " Mittel ");
    EXPECT_EQ(m.levelNames[2], "Schwer ");
    EXPECT_EQ(m.levelNames[3], "Extrem ");
    EXPECT_TRUE(m.showDigits);
    EXPECT_TRUE(m.symmetricShuffle);
    EXPECT_FALSE(m.showCandidates);
}

}  // namespace
}  // namespace zg
