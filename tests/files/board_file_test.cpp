#include "files/board_file.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "support/memory_file_io.h"
#include "support/recording_view.h"

namespace zg {
namespace {

using test::FileStep;
using test::MemoryFileIo;
using Bytes = std::vector<unsigned char>;

// A board with values, givens and marks in every corner of the images.
BoardModel sampleBoard() {
    BoardModel m;
    test::setBoard(m.board, test::kSolution);
    m.givens.at(1, 1) = m.board.at(1, 1);
    m.givens.at(6, 6) = m.board.at(6, 6);
    m.board.at(3, 4) = 0;
    m.candidateMarks.at(3, 4, 1) = true;
    m.candidateMarks.at(3, 4, 6) = true;
    m.candidateMarks.at(6, 6, 6) = true;
    return m;
}

Bytes validFile(std::uint8_t fill) {
    Bytes b(kBoardFileSize, 0);
    for (int s = 0; s < 4; ++s)
        for (int i = kRecordImageSize; i < kRecordSize; ++i) b[s * kRecordSize + i] = fill;
    return b;
}

struct BoardFileTest : ::testing::Test {
    MemoryFileIo io;
    BoardFiles files{kPlayerBoardFile};
    SeededRandom random{7};
    ClockState clock;
    Bytes& file() { return io.files[kPlayerBoardFile]; }
};

TEST_F(BoardFileTest, NewFileHoldsTheRecordAndThreeFreshOnes) {
    BoardModel m = sampleBoard();
    ASSERT_TRUE(saveBoardSlot(files, m, random, io, 1).ok);
    ASSERT_EQ(file().size(), 4000u);
    for (int s : {0, 2, 3}) {
        for (int i = 0; i < kRecordImageSize; ++i) ASSERT_EQ(file()[s * 1000 + i], 0) << s;
    }
    for (int s = 0; s < 4; ++s)
        for (int i = kRecordImageSize; i < kRecordSize; ++i) {
            ASSERT_GE(file()[s * 1000 + i], 1);
            ASSERT_LE(file()[s * 1000 + i], 6);
        }
    // Byte offsets of the three images inside record 1.
    const unsigned char* r = file().data() + 1000;
    EXPECT_EQ(r[Grid::offset(2, 1)], m.board.at(2, 1));
    EXPECT_EQ(r[Grid::offset(3, 4)], 0);
    EXPECT_EQ(r[49 + Grid::offset(6, 6)], m.givens.at(6, 6));
    EXPECT_EQ(r[98 + 3 + 7 * 4 + 49 * 1], 0xFF);
    EXPECT_EQ(r[98 + 3 + 7 * 4 + 49 * 6], 0xFF);
    EXPECT_EQ(r[98 + 3 + 7 * 4 + 49 * 2], 0x00);
}

TEST_F(BoardFileTest, SaveKeepsTheOtherRecordsByteForByte) {
    file() = validFile(5);
    Bytes before = file();
    BoardModel m = sampleBoard();
    ASSERT_TRUE(saveBoardSlot(files, m, random, io, 2).ok);
    ASSERT_EQ(file().size(), 4000u);
    for (std::size_t i = 0; i < 4000; ++i)
        if (i < 2000 || i >= 3000) {
            ASSERT_EQ(file()[i], before[i]) << i;
        }
}

TEST_F(BoardFileTest, WrongLengthIsRewrittenAsFourFreshRecords) {
    for (std::size_t size : {3999u, 4001u, 12000u}) {
        file() = Bytes(size, 3);
        BoardModel m = sampleBoard();
        ASSERT_TRUE(saveBoardSlot(files, m, random, io, 0).ok);
        ASSERT_EQ(file().size(), 4000u) << size;
        for (int s = 1; s < 4; ++s)
            for (int i = 0; i < kRecordImageSize; ++i) ASSERT_EQ(file()[s * 1000 + i], 0);
    }
}

TEST_F(BoardFileTest, FillerIsDrawnFreshRecordsFirstThenTheSavedOne) {
    ScriptedRandom scripted(std::vector<int>(5 * 559, 2));
    BoardModel m;
    ASSERT_TRUE(saveBoardSlot(files, m, scripted, io, 3).ok);
    EXPECT_EQ(scripted.requests().size(), 5u * 559u);
    for (int n : scripted.requests()) ASSERT_EQ(n, 6);
    EXPECT_EQ(file()[3999], 3);  // Random(6) + 1

    // A valid file draws only the filler of the one record.
    ScriptedRandom again(std::vector<int>(559, 0));
    ASSERT_TRUE(saveBoardSlot(files, m, again, io, 0).ok);
    EXPECT_EQ(again.requests().size(), 559u);
}

TEST_F(BoardFileTest, TwoSavesDifferOnlyInTheFiller) {
    BoardModel m = sampleBoard();
    ASSERT_TRUE(saveBoardSlot(files, m, random, io, 0).ok);
    Bytes first = file();
    ASSERT_TRUE(saveBoardSlot(files, m, random, io, 0).ok);
    EXPECT_TRUE(std::equal(first.begin(), first.begin() + 441, file().begin()));
    EXPECT_FALSE(std::equal(first.begin() + 441, first.begin() + 1000, file().begin() + 441));
}

TEST_F(BoardFileTest, RoundTripRestoresImagesIndexZeroIncluded) {
    BoardModel m = sampleBoard();
    m.board.at(0, 3) = 4;  // index 0 is stored as it stands
    m.givens.at(5, 0) = 2;
    m.candidateMarks.at(0, 2, 3) = true;  // never written
    ASSERT_TRUE(saveBoardSlot(files, m, random, io, 3).ok);

    BoardModel loaded;
    loaded.candidateMarks.at(2, 2, 0) = true;
    clock.clockRunning = true;
    ASSERT_EQ(loadBoardSlot(files, loaded, clock, io, 3), LoadResult::loaded);
    EXPECT_FALSE(clock.clockRunning);
    EXPECT_EQ(loaded.board, m.board);
    EXPECT_EQ(loaded.givens, m.givens);
    Marks expected = m.candidateMarks;
    expected.at(0, 2, 3) = false;
    EXPECT_EQ(loaded.candidateMarks, expected);
}

TEST_F(BoardFileTest, AnyNonZeroMarkByteCountsAsSet) {
    file() = validFile(1);
    file()[1000 + 98 + 2 + 7 * 5 + 49 * 4] = 0x01;
    file()[1000 + 98 + 6 + 7 * 1 + 49 * 1] = 0x7E;
    file()[1000 + 98 + 0 + 7 * 1 + 49 * 1] = 0xFF;  // index 0: never a mark
    BoardModel m;
    ASSERT_EQ(loadBoardSlot(files, m, clock, io, 1), LoadResult::loaded);
    EXPECT_TRUE(m.candidateMarks.at(2, 5, 4));
    EXPECT_TRUE(m.candidateMarks.at(6, 1, 1));
    EXPECT_FALSE(m.candidateMarks.at(0, 1, 1));
    int set = 0;
    for (bool b : m.candidateMarks.items) set += b;
    EXPECT_EQ(set, 2);
}

TEST_F(BoardFileTest, FailedLoadsLeaveTheModelAndStopTheClock) {
    BoardModel m = sampleBoard();
    const BoardModel before = m;
    auto unchanged = [&] {
        return m.board == before.board && m.givens == before.givens &&
               m.candidateMarks == before.candidateMarks;
    };

    clock.clockRunning = true;
    EXPECT_EQ(loadBoardSlot(files, m, clock, io, 0), LoadResult::missing);
    EXPECT_FALSE(clock.clockRunning);
    EXPECT_TRUE(unchanged());

    // Record 3 reaches past the end of a short file.
    file() = Bytes(3440, 0);
    clock.clockRunning = true;
    EXPECT_EQ(loadBoardSlot(files, m, clock, io, 3), LoadResult::damaged);
    EXPECT_FALSE(clock.clockRunning);
    EXPECT_TRUE(unchanged());
    // ...while its first record is whole.
    EXPECT_EQ(loadBoardSlot(files, m, clock, io, 0), LoadResult::loaded);
    m = before;

    // Values outside 0..6 in the board or the givens image.
    for (int at : {Grid::offset(4, 4), 49 + Grid::offset(1, 6), 0, 97}) {
        file() = validFile(1);
        file()[at] = 7;
        EXPECT_EQ(loadBoardSlot(files, m, clock, io, 0), LoadResult::damaged) << at;
        EXPECT_TRUE(unchanged());
    }
    // A given that the board does not show.
    file() = validFile(1);
    file()[49 + Grid::offset(2, 2)] = 4;
    file()[Grid::offset(2, 2)] = 3;
    EXPECT_EQ(loadBoardSlot(files, m, clock, io, 0), LoadResult::damaged);
    EXPECT_TRUE(unchanged());

    EXPECT_EQ(loadBoardSlot(files, m, clock, io, 4), LoadResult::damaged);
    EXPECT_EQ(loadBoardSlot(files, m, clock, io, -1), LoadResult::damaged);
    EXPECT_TRUE(unchanged());
}

// Every call of every step of the save can fail: the old file stays byte for byte, no
// temporary file is left, the message names the file in German, the model is untouched, and
// the next save works.
TEST_F(BoardFileTest, EveryFaultOfTheSaveKeepsTheOldFile) {
    file() = validFile(4);
    const Bytes before = file();
    io.failAt(FileStep::open, 0);
    {
        BoardModel m = sampleBoard();
        ASSERT_TRUE(saveBoardSlot(files, m, random, io, 1).ok);
    }
    int faults = 0;
    for (auto [step, nth] : io.callsMade()) {
        file() = before;
        io.failAt(step, nth);
        BoardModel m = sampleBoard();
        const BoardModel model = m;
        WriteResult r = saveBoardSlot(files, m, random, io, 1);
        ASSERT_FALSE(r.ok) << static_cast<int>(step) << " #" << nth;
        EXPECT_NE(r.message.find("\"brett.zgb\""), std::string::npos) << r.message;
        EXPECT_NE(r.message.find("kein Platz mehr"), std::string::npos) << r.message;
        EXPECT_EQ(io.files.size(), 1u) << "temporary file left behind";
        EXPECT_EQ(file(), before);
        EXPECT_EQ(m.board, model.board);
        EXPECT_EQ(m.givens, model.givens);
        EXPECT_EQ(m.candidateMarks, model.candidateMarks);
        ++faults;
    }
    std::printf("saveBoardSlot: %d faults injected, the file unchanged after each\n", faults);
    EXPECT_GE(faults, 5);
    io.failAt(FileStep::open, 0);
    BoardModel m = sampleBoard();
    EXPECT_TRUE(saveBoardSlot(files, m, random, io, 1).ok);
    EXPECT_NE(file(), before);
}

TEST_F(BoardFileTest, ReadOnlyFileIsNotReplaced) {
    file() = validFile(4);
    const Bytes before = file();
    io.readOnly[kPlayerBoardFile] = true;
    BoardModel m = sampleBoard();
    WriteResult r = saveBoardSlot(files, m, random, io, 0);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("keine Schreibberechtigung"), std::string::npos) << r.message;
    EXPECT_EQ(file(), before);
}

TEST(CollectionFile, NamesOfTheFourLevels) {
    EXPECT_STREQ(collectionFile(0), "leicht.zgb");
    EXPECT_STREQ(collectionFile(1), "mittel.zgb");
    EXPECT_STREQ(collectionFile(2), "schwer.zgb");
    EXPECT_STREQ(collectionFile(3), "extrem.zgb");
}

}  // namespace
}  // namespace zg
