#include "halloffame/records.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "support/memory_file_io.h"

namespace zg {
namespace {

using test::FileStep;
using test::MemoryFileIo;

// Answers the name prompt like a player: types a name and accepts, or cancels.
struct ScriptedUi : RecordUi {
    bool accept = true;
    std::string typed = "Anna";
    int asked = 0, shown = 0, shownLevel = -1;
    std::vector<std::string> errors;

    void askChampionName(HallOfFame& hall) override {
        ++asked;
        if (!accept) return;
        hall.championAccepted = true;
        hall.championName = typed;
    }
    void showHallOfFame(HallOfFame&, int level) override {
        ++shown;
        shownLevel = level;
    }
    std::string today() override { return "07.12.2026"; }
    void reportError(const std::string& message) override { errors.push_back(message); }
};

std::string time(int seconds) {
    auto two = [](int n) { return std::string(1, char('0' + n / 10)) + char('0' + n % 10); };
    return "00:" + two(seconds / 60 % 60) + ":" + two(seconds % 60) + ".0";
}

std::vector<std::string> fileLines(MemoryFileIo& io) {
    const auto& bytes = io.files[kHallOfFameFile];
    std::string text(bytes.begin(), bytes.end());
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    EXPECT_EQ(at, text.size()) << "text after the last CR LF";
    return lines;
}

struct RecordsTest : ::testing::Test {
    MemoryFileIo io;
    HallOfFame hall;
    ScriptedUi ui;

    void SetUp() override { resetHallOfFame(hall); }
    // Level 1 full with 10, 20, ..., 100 seconds, saved.
    void fillMittel() {
        for (int place = 1; place <= 10; ++place) {
            hall.fameNames[1][place] = "N" + std::to_string(place);
            hall.fameDates[1][place] = "01.01.2026";
            hall.fameTimes[1][place] = time(10 * place);
        }
        ASSERT_TRUE(saveHallOfFame(hall, io).ok);
    }
};

TEST_F(RecordsTest, FirstGameOfAnEmptyListTakesPlaceOne) {
    checkNewRecord(hall, 2, "01:10:05.3", ui, io);
    EXPECT_EQ(ui.asked, 1);
    EXPECT_EQ(hall.fameNames[2][1], "Anna");
    EXPECT_EQ(hall.fameDates[2][1], "07.12.2026");
    EXPECT_EQ(hall.fameTimes[2][1], "01:10:05.3");
    EXPECT_EQ(hall.fameTimes[2][2], "9");
    EXPECT_EQ(ui.shown, 1);
    EXPECT_EQ(ui.shownLevel, 2);
    auto lines = fileLines(io);
    ASSERT_EQ(lines.size(), 120u);
    EXPECT_EQ(lines[3 * 20], "Anna");
    EXPECT_EQ(lines[3 * 20 + 2], "01:10:05.3");
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[2], "9");
}

TEST_F(RecordsTest, EqualTimeGoesBehindAndTheLastEntryDrops) {
    fillMittel();
    checkNewRecord(hall, 1, time(30), ui, io);
    EXPECT_EQ(hall.fameNames[1][3], "N3");
    EXPECT_EQ(hall.fameNames[1][4], "Anna");
    EXPECT_EQ(hall.fameNames[1][5], "N4");
    EXPECT_EQ(hall.fameNames[1][10], "N9");
    EXPECT_EQ(hall.fameTimes[1][10], time(90));
    EXPECT_EQ(fileLines(io)[3 * (10 + 3)], "Anna");
}

TEST_F(RecordsTest, SlowerThanAllAsksNothingAndStillShows) {
    fillMittel();
    hall.fameNames[1][1] = "only in memory";
    checkNewRecord(hall, 1, time(101), ui, io);
    EXPECT_EQ(ui.asked, 0);
    EXPECT_EQ(ui.shown, 1);
    EXPECT_EQ(hall.fameNames[1][1], "N1");  // re-read from the file
}

TEST_F(RecordsTest, CancelKeepsTheListsAsInTheFile) {
    fillMittel();
    const auto saved = io.files[kHallOfFameFile];
    hall.championName = "Bert";
    ui.accept = false;
    checkNewRecord(hall, 1, time(5), ui, io);
    EXPECT_EQ(ui.asked, 1);
    EXPECT_FALSE(hall.championAccepted);
    EXPECT_EQ(hall.championName, "Bert");
    EXPECT_EQ(hall.fameNames[1][1], "N1");
    EXPECT_EQ(hall.fameNames[1][10], "N10");
    EXPECT_EQ(io.files[kHallOfFameFile], saved);

    // Without a file the cancelled entry vanishes with everything else.
    io.files.clear();
    checkNewRecord(hall, 1, time(5), ui, io);
    EXPECT_EQ(hall.fameTimes[1][1], "9");
}

TEST_F(RecordsTest, AcceptedNameIsKeptForTheNextPrompt) {
    ui.typed = "Clara";
    checkNewRecord(hall, 0, time(50), ui, io);
    EXPECT_EQ(hall.championName, "Clara");
    ui.accept = false;
    checkNewRecord(hall, 0, time(40), ui, io);  // cancelled: the file decides
    EXPECT_EQ(hall.fameTimes[0][1], time(50));
}

TEST_F(RecordsTest, ClearingOneLevelRewritesOnlyItsLines) {
    fillMittel();
    hall.fameNames[3][1] = "X";
    hall.fameTimes[3][1] = time(1);
    ASSERT_TRUE(saveHallOfFame(hall, io).ok);
    auto before = fileLines(io);
    ASSERT_TRUE(clearLevel(hall, 1, io).ok);
    auto after = fileLines(io);
    ASSERT_EQ(after.size(), 120u);
    for (int line = 0; line < 120; ++line) {
        if (line >= 30 && line < 60)
            EXPECT_EQ(after[line], line % 3 == 2 ? "9" : "") << line;
        else
            EXPECT_EQ(after[line], before[line]) << line;
    }
}

TEST_F(RecordsTest, TimesCompareByCharacterCode) {
    EXPECT_TRUE(timeBefore("00:00:59.9", "00:01:00.0"));
    EXPECT_TRUE(timeBefore("89:59:59.9", "9"));
    EXPECT_FALSE(timeBefore("9", "00:00:01.0"));
    EXPECT_FALSE(timeBefore("9", "9"));
    EXPECT_TRUE(timeBefore("00:01", "00:01:00.0"));  // a prefix sorts first
    EXPECT_FALSE(timeBefore("00:01:00.0", "00:01:00.0"));
}

TEST_F(RecordsTest, FileRoundTripKeepsUmlautsAndWindowsCharacters) {
    hall.fameNames[0][1] = "Jürgen Größ €";
    hall.fameDates[0][1] = "24.12.2026";
    hall.fameTimes[0][1] = time(61);
    ASSERT_TRUE(saveHallOfFame(hall, io).ok);
    const auto& bytes = io.files[kHallOfFameFile];
    std::string name(bytes.begin(), bytes.begin() + 13);
    EXPECT_EQ(name, "J\xFCrgen Gr\xF6\xDF \x80");
    HallOfFame again;
    loadHallOfFame(again, io);
    EXPECT_EQ(again.fameNames, hall.fameNames);
    EXPECT_EQ(again.fameDates, hall.fameDates);
    EXPECT_EQ(again.fameTimes, hall.fameTimes);
}

TEST_F(RecordsTest, NamesThatTheFileCannotHoldAreStoredSafely) {
    hall.fameNames[0][1] = "Zeile\neins\r\nzwei";
    hall.fameNames[0][2] = "日本 Ωmega";
    hall.fameNames[0][3] = std::string("bad\xC3", 4);  // cut UTF-8
    ASSERT_TRUE(saveHallOfFame(hall, io).ok);
    auto lines = fileLines(io);
    ASSERT_EQ(lines.size(), 120u);
    EXPECT_EQ(lines[0], "Zeile eins  zwei");
    EXPECT_EQ(lines[3], "?? ?mega");
    EXPECT_EQ(lines[6], "bad?");
    HallOfFame again;
    loadHallOfFame(again, io);
    EXPECT_EQ(again.fameNames[0][1], "Zeile eins  zwei");
    EXPECT_EQ(again.fameTimes[0][4], "9");
}

// The lists take a new name as the file will give it back, so a restart shows the same.
TEST_F(RecordsTest, NewNameIsStoredAsTheFileReadsIt) {
    const struct {
        std::string typed, stored;
    } cases[] = {
        {"Łukasz Żółć", "Lukasz Zólc"},
        {"Ștefan Şahin Őrs Đorđe", "Stefan Sahin Ors Dorde"},
        {"Ĳsbrand ǅemal ǖ Œ", "IJsbrand Džemal ü Œ"},
        {"Ωmega 日本\nB", "?mega ?? B"},
        {std::string(1200, 'x'), std::string(kMaxLine, 'x')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        resetHallOfFame(hall);
        ui.typed = c.typed;
        checkNewRecord(hall, 3, time(5), ui, io);
        EXPECT_EQ(hall.fameNames[3][1], c.stored);
        HallOfFame again;
        loadHallOfFame(again, io);
        EXPECT_EQ(again.fameNames, hall.fameNames);
    }
}

TEST_F(RecordsTest, ShortAndLfOnlyFilesRead) {
    std::string text = "Anna\n01.02.2026\n00:00:10.0\nBert\r\n02.02.2026\r\n00:00:20.0\r\nCarl\n";
    io.files[kHallOfFameFile].assign(text.begin(), text.end());
    loadHallOfFame(hall, io);
    EXPECT_EQ(hall.fameNames[0][1], "Anna");
    EXPECT_EQ(hall.fameTimes[0][1], "00:00:10.0");
    EXPECT_EQ(hall.fameNames[0][2], "Bert");
    EXPECT_EQ(hall.fameTimes[0][2], "00:00:20.0");
    // An entry cut short is empty, and so is everything after it.
    EXPECT_EQ(hall.fameNames[0][3], "");
    EXPECT_EQ(hall.fameTimes[0][3], "9");
    EXPECT_EQ(hall.fameTimes[3][10], "9");
}

TEST_F(RecordsTest, HugeOrBinaryFilesReadWithoutHarmAndRoundTrip) {
    std::vector<unsigned char> junk(10 * 1024 * 1024);
    for (std::size_t i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<unsigned char>((i * 2654435761u) >> 13);
    io.files[kHallOfFameFile] = junk;
    loadHallOfFame(hall, io);
    for (int level = 0; level < 4; ++level)
        for (int place = 1; place <= 10; ++place)
            ASSERT_LE(hall.fameNames[level][place].size(), 3 * kMaxLine);
    ASSERT_TRUE(saveHallOfFame(hall, io).ok);
    EXPECT_EQ(fileLines(io).size(), 120u);
    HallOfFame again;
    loadHallOfFame(again, io);
    EXPECT_EQ(again.fameNames, hall.fameNames);
    EXPECT_EQ(again.fameDates, hall.fameDates);
    EXPECT_EQ(again.fameTimes, hall.fameTimes);
}

// Every call of every step of the save can fail, in a new record's save and a plain one.
TEST_F(RecordsTest, EveryFaultOfTheSaveKeepsTheFileAndIsReported) {
    fillMittel();
    const auto saved = io.files[kHallOfFameFile];
    io.failAt(FileStep::open, 0);
    {
        HallOfFame h = hall;
        ASSERT_TRUE(saveHallOfFame(h, io).ok);
        io.files[kHallOfFameFile] = saved;
    }
    int faults = 0;
    for (auto [step, nth] : io.callsMade()) {
        io.failAt(step, nth, EACCES);
        HallOfFame h = hall;
        ScriptedUi answers;
        checkNewRecord(h, 1, time(1), answers, io);
        ASSERT_EQ(answers.errors.size(), 1u) << static_cast<int>(step) << " #" << nth;
        EXPECT_NE(answers.errors[0].find("\"Champions.Rhm\""), std::string::npos);
        EXPECT_NE(answers.errors[0].find("keine Schreibberechtigung"), std::string::npos);
        EXPECT_EQ(answers.shown, 1);
        EXPECT_EQ(io.files[kHallOfFameFile], saved);
        EXPECT_EQ(io.files.size(), 1u);

        io.failAt(step, nth, ENOSPC);
        const WriteResult r = saveHallOfFame(hall, io);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find("kein Platz mehr"), std::string::npos) << r.message;
        EXPECT_EQ(io.files[kHallOfFameFile], saved);
        EXPECT_EQ(io.files.size(), 1u);
        faults += 2;
    }
    std::printf("saveHallOfFame: %d faults injected, the file unchanged after each\n", faults);
    EXPECT_GE(faults, 10);
    HallOfFame reread;
    loadHallOfFame(reread, io);
    EXPECT_EQ(reread.fameTimes, hall.fameTimes);  // the lists in memory went on unharmed
}

TEST(Cp1252, EveryByteSurvivesDecodingAndEncoding) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n') all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
    EXPECT_EQ(cp1252ToUtf8("\x80\x9F\xE4"), "€Ÿä");
}

}  // namespace
}  // namespace zg
