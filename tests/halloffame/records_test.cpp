#include "halloffame/records.h"

#include <gtest/gtest.h>

#include "support/fixtures.h"
#include "support/memory_file_io.h"

namespace zg {
namespace {

using test::ScriptedUi;

std::string time(int seconds) {
    auto two = [](int n) { return std::string(1, char('0' + n / 10)) + char('0' + n % 10); };
    return "00:" + two(seconds / 60 % 60) + ":" + two(seconds % 60) + ".0";
}

struct RecordsTest : ::testing::Test {
    test::MemoryFileIo io;
    HallOfFame hall;
    ScriptedUi ui;

    void SetUp() override { resetHallOfFame(hall); }
    std::vector<std::string> fileLines() { return test::splitCrLf(io.files[kHallOfFameFile]); }
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

TEST_F(RecordsTest, NewTimesTakeTheirPlace) {
    // What happens; level 1 full, the name accepted, the new time; the names afterwards and
    // how often the name was asked.
    const std::tuple<const char*, bool, bool, int, const char*, int> cases[] = {
        {"empty list: place one", false, true, 70, "Anna          ", 1},
        {"equal time goes behind, the last drops", true, true, 30,
         "N1 N2 N3 Anna N4 N5 N6 N7 N8 N9 ", 1},
        {"faster than all", true, true, 9, "Anna N1 N2 N3 N4 N5 N6 N7 N8 N9 ", 1},
        {"slower than all: nothing asked", true, true, 101, "N1 N2 N3 N4 N5 N6 N7 N8 N9 N10 ", 0},
        {"cancelled: the file decides", true, false, 5, "N1 N2 N3 N4 N5 N6 N7 N8 N9 N10 ", 1},
        {"cancelled without a file", false, false, 5, "          ", 1},
    };
    for (const auto& [name, full, accept, seconds, names, asked] : cases) {
        SCOPED_TRACE(name);
        io.files.clear();
        resetHallOfFame(hall);
        if (full) fillMittel();
        const auto file = io.files;
        hall.fameNames[1][2] += "!";  // only in memory: the file, read again, decides
        hall.championName = "Bert";
        ui = ScriptedUi{};
        ui.accept = accept;
        checkNewRecord(hall, 1, time(seconds), ui, io);
        EXPECT_EQ(test::namesOf(hall, 1), names);
        EXPECT_EQ(ui.asked, asked);
        EXPECT_TRUE(ui.shown == 1 && ui.shownLevel == 1);
        EXPECT_EQ(hall.championName, accept && asked ? "Anna" : "Bert");
        if (!accept || asked == 0) {
            EXPECT_EQ(io.files, file);
            continue;
        }
        const auto lines = fileLines();
        ASSERT_EQ(lines.size(), 120u);
        int place = 1;
        while (hall.fameNames[1][place] != "Anna") ++place;
        EXPECT_EQ(lines[27 + 3 * place] + lines[28 + 3 * place] + lines[29 + 3 * place],
                  "Anna07.12.2026" + time(seconds));
        EXPECT_EQ(lines[2], kEmptyTime);
    }
    ui.accept = true;
    checkNewRecord(hall, 7, time(1), ui, io);  // no such level: the first
    EXPECT_EQ(ui.shownLevel, 0);
    EXPECT_EQ(hall.fameTimes[0][1], time(1));
}

TEST_F(RecordsTest, ClearingOneLevelRewritesOnlyItsLines) {
    fillMittel();
    hall.fameNames[3][1] = "X";
    hall.fameTimes[3][1] = time(1);
    ASSERT_TRUE(saveHallOfFame(hall, io).ok);
    auto before = fileLines();
    ASSERT_TRUE(clearLevel(hall, 1, io).ok);
    auto after = fileLines();
    ASSERT_EQ(after.size(), 120u);
    for (int line = 0; line < 120; ++line)
        EXPECT_EQ(after[line], line < 30 || line >= 60 ? before[line] : line % 3 == 2 ? "9" : "");
    EXPECT_TRUE(clearLevel(hall, 4, io).ok);
    EXPECT_EQ(fileLines(), after);
    hall.championName = "Anna";  // the last level's clearing stays inside its list
    ASSERT_TRUE(clearLevel(hall, 3, io).ok);
    EXPECT_EQ(hall.championName + fileLines()[90], "Anna");
}

// The lists take a new name as the file will give it back, so a restart shows the same.
TEST_F(RecordsTest, NamesAreStoredAsTheFileReadsThem) {
    const std::pair<std::string, std::string> cases[] = {
        // typed, stored
        {"Jürgen Größ €", "J\xFCrgen Gr\xF6\xDF \x80"},
        {"Łukasz Żółć", "Lukasz Z\xF3lc"},
        {"\xC2\x80", "?"},
        {"Āda", "Ada"},  // the table of base letters from its first
        {"Ștefan Şahin Őrs Đorđe", "Stefan Sahin Ors Dorde"},
        {"Ĳsbrand ǅemal ǖ Œ ɐ",
         "IJsbrand D\x9E"
         "emal \xFC \x8C ?"},
        {"Zeile\neins\r\nzwei\xE2\x80\xA8", "Zeile eins  zwei "},
        {"Ωmega 日本 😀 bad\xC3", "?mega ?? ? bad?"},
        {std::string(1200, 'x'), std::string(kMaxLine, 'x')},
    };
    for (const auto& [typed, stored] : cases) {
        SCOPED_TRACE(typed);
        io.files.clear();
        resetHallOfFame(hall);
        ui.typed = typed;
        checkNewRecord(hall, 3, time(5), ui, io);
        EXPECT_EQ(fileLines().at(90), stored);
        EXPECT_EQ(hall.fameNames[3][1], cp1252ToUtf8(stored));
        HallOfFame again;
        loadHallOfFame(again, io);
        EXPECT_EQ(again.fameNames, hall.fameNames);
    }
    std::string all;  // every byte but the line breaks survives decoding and encoding
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n') all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST_F(RecordsTest, ShortOddOrHugeFilesRead) {
    std::string text =
        "Anna\n01.02.2026\n00:00:10.0\rBert\r\n02.02.2026\r\n00:00:20.0\r\nCarl\n03.02.2026\n";
    io.files[kHallOfFameFile].assign(text.begin(), text.end());
    hall.fameTimes[0][3] = hall.fameTimes[3][10] = "x";  // what memory held is not the file's
    loadHallOfFame(hall, io);
    EXPECT_EQ(hall.fameTimes[0][1] + hall.fameNames[0][2] + hall.fameTimes[0][2],
              "00:00:10.0Bert00:00:20.0");
    // An entry cut short is empty, and so is everything after it.
    EXPECT_EQ(hall.fameNames[0][3] + hall.fameTimes[0][3] + hall.fameTimes[3][10],
              std::string(kEmptyTime) + kEmptyTime);
    // A long name; the last line, unended, is a line too.
    text = std::string(kMaxLine + 9, 'x') + "\r\n01.02.2026\r\n00:00:10.0";
    io.files[kHallOfFameFile].assign(text.begin(), text.end());
    loadHallOfFame(hall, io);
    EXPECT_EQ(hall.fameNames[0][1] + hall.fameTimes[0][1],
              std::string(kMaxLine, 'x') + "00:00:10.0");

    // Longer than any the game writes (a first line of 5 MB, then 40 entries): not loaded,
    // and no record writes over it.
    fillMittel();
    std::vector<unsigned char> huge(5 << 20, 'x');
    huge.insert(huge.end(), io.files[kHallOfFameFile].begin(), io.files[kHallOfFameFile].end());
    io.files[kHallOfFameFile] = huge;
    EXPECT_NE(loadHallOfFame(hall, io).find(": die Datei ist zu groß."), std::string::npos);
    checkNewRecord(hall, 1, time(1), ui, io);
    EXPECT_TRUE(io.files[kHallOfFameFile] == huge && ui.errors.size() == 1u);
    io.files.erase(kHallOfFameFile), loadHallOfFame(hall, io);  // gone: all empty, the 10th too
    EXPECT_EQ(hall.fameNames[1][10] + hall.fameTimes[1][10], kEmptyTime);
}

// Every call of every step of the save can fail, in a new record's save and a plain one.
TEST_F(RecordsTest, EveryFaultOfTheSaveKeepsTheFileAndIsReported) {
    fillMittel();
    const auto saved = io.files[kHallOfFameFile];
    for (auto [step, nth] : io.pointsOf([&] { return saveHallOfFame(hall, io).ok; })) {
        io.failAt(step, nth, EACCES);
        HallOfFame h = hall;
        ScriptedUi answers;
        checkNewRecord(h, 1, time(1), answers, io);
        ASSERT_EQ(answers.errors.size(), 1u) << static_cast<int>(step) << " #" << nth;
        EXPECT_EQ(answers.errors[0].find("„Champions.Rhm“ konnte nicht gespeichert werden: "
                                         "keine Schreibberechtigung"),
                  10u);
        EXPECT_EQ(answers.shown, 1);
        EXPECT_EQ(test::namesOf(h, 1), test::namesOf(hall, 1));  // the list shows the file
        EXPECT_TRUE(io.files.size() == 1u && io.files[kHallOfFameFile] == saved);
    }
}

}  // namespace
}  // namespace zg
