#include "files/board_file.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/fixtures.h"
#include "support/memory_file_io.h"

namespace zg {
namespace {

using Bytes = std::vector<unsigned char>;

// Values, givens and marks in every corner of the images; (3,4) is empty.
BoardModel sampleBoard() {
    BoardModel m = test::boardFromLine("1..................................2",
                                       "12345645612323156456.231312645645312");
    m.candidateMarks.at(3, 4, 1) = m.candidateMarks.at(3, 4, 6) = true;
    m.candidateMarks.at(6, 6, 6) = true;
    return m;
}

Bytes validFile(std::uint8_t fill) {
    Bytes b(kBoardFileSize, 0);
    for (int s = 0; s < 4; ++s)
        std::fill(b.begin() + s * 1000 + kRecordImageSize, b.begin() + (s + 1) * 1000, fill);
    return b;
}

struct BoardFileTest : ::testing::Test {
    test::MemoryFileIo io;
    BoardFiles files{kPlayerBoardFile};
    SeededRandom random{7};
    ClockState clock;
    Bytes& file() { return io.files[kPlayerBoardFile]; }
};

TEST_F(BoardFileTest, SavedImagesLoadBack) {
    BoardModel m = sampleBoard();
    m.board.at(0, 3) = 4;  // index 0 is stored as it stands
    m.givens.at(5, 0) = 2;
    m.candidateMarks.at(0, 2, 3) = true;  // never written
    ASSERT_TRUE(saveBoardSlot(files, m, random, io, 1).ok);
    ASSERT_EQ(file().size(), 4000u);
    const unsigned char* r = file().data() + 1000;
    EXPECT_TRUE(r[Grid::offset(2, 1)] == 2 && r[Grid::offset(3, 4)] == 0 && r[49 + 6 + 7 * 6] == 2);
    EXPECT_TRUE(r[98 + 3 + 7 * 4 + 49 * 6] == 0xFF && r[98 + 3 + 7 * 4 + 49 * 2] == 0);
    EXPECT_EQ(r[98 + Marks::offset(0, 2, 3)], 0x00);
    for (int i = 0; i < 4000; ++i) {
        // The filler drawn 1..6; the images of the fresh records empty.
        const unsigned char b = file()[i];
        ASSERT_TRUE(i % 1000 >= kRecordImageSize ? b >= 1 && b <= 6 : i / 1000 == 1 || b == 0) << i;
    }

    // Any byte but 0 is a mark; column or row 0 never holds one.
    file()[1000 + 98 + 3 + 7 * 4 + 49 * 2] = 0x01;
    file()[1000 + 98 + 3 + 7 * 4 + 49 * 5] = 0x7E;
    file()[1000 + 98 + 0 + 7 * 2 + 49 * 1] = 0xFF;
    file()[1000 + 98 + Marks::offset(3, 0, 2)] = 0xFF;
    BoardModel loaded;
    loaded.candidateMarks.at(2, 2, 0) = true;
    clock.clockRunning = true;
    ASSERT_EQ(loadBoardSlot(files, loaded, clock, io, 1), LoadResult::loaded);
    EXPECT_FALSE(clock.clockRunning);
    EXPECT_TRUE(loaded.board == m.board && loaded.givens == m.givens);
    m.candidateMarks.at(0, 2, 3) = false;
    m.candidateMarks.at(3, 4, 2) = m.candidateMarks.at(3, 4, 5) = true;
    EXPECT_EQ(loaded.candidateMarks, m.candidateMarks);
}

// A file of another length is renewed only when the player agrees; an empty one holds nothing.
TEST_F(BoardFileTest, SaveKeepsAValidFileAndRenewsAnyOtherOnlyWhenAsked) {
    const std::pair<std::size_t, const char*> cases[] = {{4000, ""},
                                                         {0, ""},
                                                         {3999, "3999 statt 4000 Bytes"},
                                                         {4001, "mehr als 4000 Bytes"},
                                                         {12000, "mehr als 4000 Bytes"}};
    for (auto [size, question] : cases) {
        file() = size == 4000 ? validFile(5) : Bytes(size, 3);
        const Bytes before = file();
        const WriteResult asked = saveBoardSlot(files, sampleBoard(), random, io, 2);
        EXPECT_EQ(asked.damaged, *question != 0) << size;
        if (asked.damaged) {
            EXPECT_TRUE(file() == before && io.files.size() == 1u);
            const std::string said = "„brett.zgb“ ist beschädigt: sie hat " + std::string(question);
            EXPECT_EQ(asked.message.find(said), 10u) << asked.message;
        }
        ASSERT_TRUE(asked.ok || saveBoardSlot(files, sampleBoard(), random, io, 2, true).ok);
        ASSERT_EQ(file().size(), 4000u) << size;
        for (std::size_t i = 0; i < 4000; ++i)
            ASSERT_TRUE(i / 1000 == 2 ||
                        (size == 4000 ? file()[i] == before[i] : i % 1000 >= 441 || file()[i] == 0))
                << size << " " << i;
    }
}

TEST_F(BoardFileTest, FillerIsDrawnFreshRecordsFirstThenTheSavedOne) {
    ScriptedRandom scripted(std::vector<int>(5 * 559, 2));
    ASSERT_TRUE(saveBoardSlot(files, BoardModel{}, scripted, io, 3).ok);
    EXPECT_EQ(scripted.requests(), std::vector<int>(5 * 559, 6));
    EXPECT_EQ(file()[3999], 3);  // Random(6) + 1

    // A valid file draws only the filler of the one record.
    ScriptedRandom again(std::vector<int>(559, 0));
    ASSERT_TRUE(saveBoardSlot(files, BoardModel{}, again, io, 0).ok);
    EXPECT_EQ(again.requests().size(), 559u);
}

TEST_F(BoardFileTest, FailedLoadsLeaveTheModelAndStopTheClock) {
    // What is done to a valid file, the slot loaded, the result.
    const std::tuple<const char*, std::function<void(Bytes&)>, int, LoadResult> cases[] = {
        {"no file", [&](Bytes&) { io.files.clear(); }, 0, LoadResult::missing},
        {"record 3 past the end", [](Bytes& b) { b.resize(3440); }, 3, LoadResult::damaged},
        {"record 0 of that file", [](Bytes& b) { b.resize(3440); }, 0, LoadResult::loaded},
        {"7 on the board", [](Bytes& b) { b[Grid::offset(4, 4)] = 7; }, 0, LoadResult::damaged},
        {"7 at index 0", [](Bytes& b) { b[0] = 7; }, 0, LoadResult::damaged},
        {"7 as a given", [](Bytes& b) { b[97] = 7; }, 0, LoadResult::damaged},
        {"7 in another record", [](Bytes& b) { b[1000] = 7; }, 0, LoadResult::loaded},
        {"mark bytes are no values", [](Bytes& b) { b[98] = b[99] = 0xFF; }, 0, LoadResult::loaded},
        {"a given the board does not show",
         [](Bytes& b) { b[49 + Grid::offset(2, 2)] = 4, b[Grid::offset(2, 2)] = 3; }, 0,
         LoadResult::damaged},
        {"slot 4", [](Bytes&) {}, 4, LoadResult::damaged},
        {"slot -1", [](Bytes&) {}, -1, LoadResult::damaged},
    };
    for (const auto& [name, damage, slot, result] : cases) {
        file() = validFile(1);
        damage(file());
        BoardModel m = sampleBoard();
        const BoardModel before = m;
        clock.clockRunning = true;
        EXPECT_EQ(loadBoardSlot(files, m, clock, io, slot), result) << name;
        EXPECT_FALSE(clock.clockRunning) << name;
        EXPECT_TRUE(result == LoadResult::loaded ||
                    (m.board == before.board && m.givens == before.givens &&
                     m.candidateMarks == before.candidateMarks))
            << name;
    }
    EXPECT_STREQ(collectionFile(4), collectionFile(0));
    EXPECT_STREQ(collectionFile(-1), collectionFile(0));
}

}  // namespace
}  // namespace zg
