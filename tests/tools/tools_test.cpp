// The author tools: solution counter, generator, stored collections, zgtool as a process.
#include "generator.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "rating.h"

#include "support/fixtures.h"

namespace zg::tools {
namespace {

// Counter and game solver (written apart) agree on generated puzzles: unique, symmetric, down to
// their floor.
TEST(Generator, PuzzlesAreUniqueSymmetricAndAgreeWithTheGameSolver) {
    SeededRandom random(11);
    for (int i = 0; i < 300; ++i) {
        const Cells solution = randomSolution(random);
        const int floor = 8 + 2 * (i % 4);
        const Cells puzzle = removePairs(solution, random, floor);
        EXPECT_GE(filledCount(puzzle), floor);
        EXPECT_TRUE(halfTurnSymmetric(puzzle));
        Cells counted{};
        ASSERT_EQ(countSolutions(puzzle, 2, &counted), 1) << cellsText(puzzle);
        ASSERT_EQ(counted, solution);
        const Assessment a = assess(puzzle);
        ASSERT_TRUE(a.traceAgrees) << cellsText(puzzle);
        EXPECT_EQ(a.game.raisedLevel, a.trace.passesNeeded == 0);
        ASSERT_TRUE(a.game.outcome != Outcome::solved || a.game.board == solution);
    }
}

TEST(Generator, FoundPuzzlesMeetTheirLevelAndFollowTheSeed) {
    for (Level level : {Level::leicht, Level::schwer, Level::extrem}) {
        auto found = findPuzzles(level, 21, 2, 5000);
        ASSERT_EQ(found.size(), 2u) << levelName(level);
        for (const Found& f : found)
            EXPECT_TRUE(fitsRule(ruleFor(level), f.assessment, filledCount(f.puzzle)));
        EXPECT_EQ(findPuzzles(level, 21, 2, 5000)[1].puzzle, found[1].puzzle);
    }
    EXPECT_EQ(levelNamed("mittel"), Level::mittel);
    EXPECT_EQ(levelNamed("Mittel"), std::nullopt);
}

TEST(Collections, EveryPuzzleIsUniqueSymmetricAndRatedForItsLevel) {
    std::set<Cells> seen;
    std::array<int, 4> fewest{36, 36, 36, 36}, most{};
    std::array<Rating, 4> easiest{}, hardest{};
    for (int level = 0; level < 4; ++level) {
        ASSERT_EQ(test::readDataFile(collectionFile(level)).size(), 4000u);
        easiest[level] = {99, 99};
        for (int slot = 0; slot < 4; ++slot) {
            const BoardModel m = test::collectionBoard(level, slot);
            const Cells puzzle = cellsOf(m.givens);
            const std::string what = collectionFile(level) + (" " + cellsText(puzzle));
            // Givens only, and nothing outside the 6 x 6 cells.
            EXPECT_EQ(m.board, m.givens) << what;
            EXPECT_EQ(m.candidateMarks, Marks{}) << what;
            EXPECT_EQ(test::boardFromLine(cellsText(puzzle)).givens, m.givens) << what;
            EXPECT_EQ(countSolutions(puzzle), 1) << what;
            EXPECT_TRUE(halfTurnSymmetric(puzzle)) << what;
            EXPECT_TRUE(seen.insert(puzzle).second) << what << " stored twice";
            const Assessment a = assess(puzzle);
            EXPECT_EQ(a.game.outcome, Outcome::solved) << what;
            EXPECT_TRUE(a.traceAgrees) << what;
            // Leicht, Mittel and Schwer are finished by the passes; Extrem needs the guess.
            EXPECT_EQ(a.game.raisedLevel, level == 3) << what;
            fewest[level] = std::min(fewest[level], filledCount(puzzle));
            most[level] = std::max(most[level], filledCount(puzzle));
            easiest[level] = std::min(easiest[level], a.rating);
            hardest[level] = std::max(hardest[level], a.rating);
        }
    }
    EXPECT_GE(fewest[0], 14);
    EXPECT_LT(most[1], fewest[0]);
    EXPECT_LT(most[2], fewest[0]);
    // Each puzzle of a level rates above every puzzle of the level before.
    EXPECT_LT(hardest[0], easiest[1]);
    EXPECT_LT(hardest[1], easiest[2]);
}

namespace fs = std::filesystem;

const std::string kLogic = "002006103040000501605000040602200100\n";
const std::string kGuess = "201000040000300020050003000030000401\n";
const std::string kEmpty = std::string(36, '0') + "\n", kClash = "11" + kEmpty.substr(2);
const std::string kThree = kLogic + kGuess + kLogic;

// zgtool run as a shell command in a folder of the test's own.
struct Zgtool : ::testing::Test {
    const fs::path dir = test::freshTempPath("zgtool-");
    Zgtool() { fs::remove_all(dir), fs::create_directories(dir); }
    ~Zgtool() override { fs::remove_all(dir); }
    std::string slurp(const char* name) const {
        std::ostringstream s;
        s << std::ifstream(dir / name, std::ios::binary).rdbuf();
        return s.str();
    }
    void put(const char* name, const std::string& text) const {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
    long entries() const { return std::distance(fs::directory_iterator(dir), {}); }
    // The exit status of command ('Z' zgtool, '@' the folder), -1 when it did not exit; memory is
    // bounded so that a tool reading it all fails, not the machine (ASan reserves more than that).
    int run(const std::string& command) const {
#ifdef __SANITIZE_ADDRESS__
        std::string full = "(timeout 30 ";
#else
        std::string full = "(ulimit -v 1000000; timeout 30 ";
#endif
        for (char c : command)
            full += c == '@' ? dir.string() + "/" : c == 'Z' ? ZGTOOL : std::string(1, c);
        const int raw = std::system((full + ")").c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
};

// Reports and refusals; endless input refused unread; a make renames into place and syncs.
TEST_F(Zgtool, ReportsRefusesAndWritesAsTheGameSaves) {
    put("old.zgb", "old");
    put("short.zgb", std::string(3999, '\0'));
    std::string wild(4000, '\0');
    wild[2000 + 8] = 9;  // record 2 holds a value no board has
    put("wild.zgb", wild);
    put("four.txt", kThree + kGuess);
    put("x.zgb.new", "mine");
    put("ro.zgb", "ro");
    fs::permissions(dir / "ro.zgb", fs::perms::owner_read);
    ASSERT_EQ(::mkfifo((dir / "pipe.zgb").c_str(), 0666), 0);
    // Command ('@' the test's folder), input, exit status, text found in stdout and stderr.
    const std::tuple<std::string, std::string, int, std::string, std::string> cases[] = {
        {"Z solve", kLogic + "\n" + kGuess.substr(0, 36) + "\r\n" + std::string(36, '.') + "\n", 0,
         "452316163245324561615423541632236154 solved logic\n"
         "231564546312364125152643415236623451 solved extrem\n" +
             kEmpty.substr(0, 36) + " open extrem\n",
         ""},
        // A clash stays on the board; a malformed line is reported and the rest still solved.
        {"Z solve", kClash + "abc\n" + kLogic, 1,
         kClash.substr(0, 36) + " conflict extrem\nerror: expected 36 characters, got 3\n452316",
         ""},
        {"Z count", kLogic + kEmpty + kClash + kLogic.substr(1, 35) + "x\n", 1,
         "1\n2+\n0\nerror: invalid character 'x' at position 36 (row 6, column 6)", ""},
        {"Z make @old.zgb", kThree, 1, "", "exactly 4 puzzles, got 3"},
        {"Z make @old.zgb", kThree + "5......5" + std::string(28, '.') + "\n", 1, "",
         "line 4: 5 twice in box 1"},
        {"Z show @none.zgb", "", 1, "", "none.zgb: no such file"},
        {"Z show @short.zgb", "", 1, "", "3999 bytes, a board file has exactly 4000"},
        {"Z show @wild.zgb", "", 1, "record 3: 0 givens", "record 2"},
        {"Z show @pipe.zgb", "", 1, "", "pipe.zgb: cannot be read (not a regular file)"},
        {"Z make @set.zgb", kThree + kGuess, 0, "", ""},
        // (1,1) of record 1 in the board and the givens image; the same bytes over any file.
        {"Z make @short.zgb", kThree + kGuess, 0, "", ""},
        {"Z show @set.zgb", "", 0,
         "record 0: 14 givens, 0 entries, 0 marks\n+---------+---------+\n"
         "| .  . [2]| .  . [6]|\n|[1] . [3]| . [4] . |\n+---------+---------+\n",
         ""},
        {"Z make @two.zgb", kThree + kEmpty, 0, "", "line 4: warning: more than one solution"},
        {"Z solve < /dev/zero", "", 1, "error: line 1 is longer than 256 characters: not a file",
         ""},
        {"Z count < /dev/zero", "", 1, "error: line 1 is longer than 256 characters", ""},
        {"Z make @x.zgb < /dev/zero", "", 1, "", "line 1 is longer than 256 characters"},
        {"yes " + kLogic.substr(0, 36) + " | Z make @x.zgb", "", 1, "",
         "exactly 4 puzzles, got more"},
        {"yes '' | Z make @x.zgb", "", 1, "",
         "more than 256 blank lines: not a file of puzzle lines"},
        {"Z make @ro.zgb < @four.txt", "", 1, "", "keine Schreibberechtigung"},
        {"Z make @pipe.zgb < @four.txt", "", 1, "", "keine gewöhnliche Datei"},
        {"Z make @x.zgb < @four.txt", "", 0, "", ""},
    };
    for (const auto& [command, input, status, out, err] : cases) {
        SCOPED_TRACE(command);
        put("in.txt", input);
        EXPECT_EQ(run(command + (input.empty() ? "" : " < @in.txt") + " > @out.txt 2> @err.txt"),
                  status);
        EXPECT_NE(slurp("out.txt").find(out), std::string::npos) << slurp("out.txt");
        EXPECT_NE(slurp("err.txt").find(err), std::string::npos) << slurp("err.txt");
        EXPECT_EQ(slurp("old.zgb"), "old");
    }
    const std::string bytes = slurp("set.zgb");
    ASSERT_EQ(bytes.size(), 4000u);
    EXPECT_TRUE(bytes[1000 + 7 + 1] == 2 && bytes[1000 + 49 + 7 + 1] == 2);
    EXPECT_EQ(slurp("short.zgb"), bytes);
    EXPECT_EQ(entries(), 13) << "a temporary file is left";
    for (const char* args : {"", "solve extra", "show", "fly"}) {
        EXPECT_EQ(run("Z " + std::string(args) + " > @out.txt 2> @err.txt"), 2) << args;
        EXPECT_EQ(slurp("err.txt").rfind("usage: zgtool", 0), 0u) << args;
        EXPECT_EQ(slurp("out.txt"), "");
    }
    EXPECT_EQ(slurp("x.zgb.new") + slurp("ro.zgb"), "minero");
    EXPECT_TRUE(fs::is_fifo(dir / "pipe.zgb"));
    const std::string made = slurp("x.zgb");
    EXPECT_EQ(made.size(), 4000u);
    if (std::system("strace -V > /dev/null 2>&1") != 0) GTEST_SKIP() << "strace is missing";
    put(".x.zgb.zgtmp-Ab3xq9", "");  // a killed make's, which the next (in the lock) removes
    EXPECT_EQ(run("touch -d '-2 min' @.x.zgb.zgtmp-Ab3xq9"), 0);
    // Renamed into place, then the folder synced. LeakSanitizer cannot run under a tracer.
    EXPECT_EQ(run("env ASAN_OPTIONS=detect_leaks=0 strace -f -qq -o @strace.log "
                  "-e trace=openat,rename,renameat,renameat2,fsync Z make @x.zgb < @four.txt"),
              0);
    EXPECT_EQ(entries(), 14);
    EXPECT_EQ(slurp("x.zgb"), made);
    const std::string trace = slurp("strace.log");
    EXPECT_TRUE(std::regex_search(
        trace,
        std::regex(R"(rename[^\n]*x\.zgb"[^\n]*= 0\n(.*\n)*.*openat\([^\n]*O_DIRECTORY[^\n]*= )"
                   R"((\d+)\n(.*\n)*.*fsync\(\2\) *= 0)")))
        << trace;
}

}  // namespace
}  // namespace zg::tools
