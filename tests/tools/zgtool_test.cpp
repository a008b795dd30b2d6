// zgtool run as a process, as authors use it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const std::string kLogic = "002006103040000501605000040602200100";
const std::string kGuess = "201000040000300020050003000030000401";
const std::string kEmpty(36, '0');
const std::string kClash = "11" + kEmpty.substr(2);
const std::string kFour = kLogic + "\n" + kGuess + "\n" + kLogic + "\n" + kGuess + "\n";
const std::string kThree = kLogic + "\n" + kGuess + "\n" + kLogic + "\n";

struct Zgtool : ::testing::Test {
    fs::path dir = fs::temp_directory_path() /
                   ("zgtool_test_" +
                    std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string slurp(const std::string& name) const {
        std::ifstream in(dir / name, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void put(const std::string& name, const std::string& text) const {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
    // "@" in args stands for the test's folder. A run that blocks is killed (status 124).
    int run(std::string args, const std::string& input = "") const {
        for (std::size_t at; (at = args.find('@')) != std::string::npos;)
            args.replace(at, 1, dir.string() + "/");
        put("in.txt", input);
        const fs::path d = dir;
        const std::string command = "timeout 30 '" + std::string(ZGTOOL) + "' " + args + " < '" +
                                    (d / "in.txt").string() + "' > '" + (d / "out.txt").string() +
                                    "' 2> '" + (d / "err.txt").string() + "'";
        const int raw = std::system(command.c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
};

TEST_F(Zgtool, ReportsAndRefuses) {
    const struct {
        std::string args, input;
        int status;
        std::string out, err;  // found in stdout and stderr
    } cases[] = {
        {"solve", kLogic + "\n\n" + kGuess + "\r\n" + std::string(36, '.') + "\n", 0,
         "452316163245324561615423541632236154 solved logic\n"
         "231564546312364125152643415236623451 solved extrem\n" +
             kEmpty + " open extrem\n",
         ""},
        // A clash stays on the board; a malformed line is reported and the rest still solved.
        {"solve", kClash + "\nabc\n" + kLogic + "\n", 1,
         kClash + " conflict extrem\nerror: expected 36 characters, got 3\n452316", ""},
        {"count", kLogic + "\n" + kEmpty + "\n" + kClash + "\n" + kLogic.substr(1) + "x\n", 1,
         "1\n2+\n0\nerror: invalid character 'x' at position 36 (row 6, column 6)", ""},
        {"make @set.zgb", kThree, 1, "", "exactly 4 puzzles, got 3"},
        {"make @set.zgb", kThree + kThree, 1, "", "got 6"},
        {"make @set.zgb", kThree + "5......5" + std::string(28, '.') + "\n", 1, "",
         "line 4: 5 twice in box 1"},
        {"make @set.zgb", "12\n" + kThree, 1, "", "line 1: expected 36 characters"},
        {"make @set.zgb", kThree + ".12...3.....4.....5...........6.....\n", 1, "",
         "line 4: no solution"},
        {"show @none.zgb", "", 1, "", "none.zgb: no such file"},
        {"show @short.zgb", "", 1, "", "3999 bytes, a board file has exactly 4000"},
        {"show @long.zgb", "", 1, "", "more than 4000 bytes"},
        {"show @wild.zgb", "", 1, "record 3: 0 givens", "record 2"},
        {"show @pipe.zgb", "", 1, "", "pipe.zgb: cannot be read (not a regular file)"},
    };
    std::string wild(4000, '\0');
    wild[2000 + 8] = 9;  // record 2 holds a value no board has
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        put("set.zgb", "old");
        put("short.zgb", std::string(3999, '\0'));
        put("long.zgb", std::string(4001, '\0'));
        put("wild.zgb", wild);
        fs::remove(dir / "pipe.zgb");
        ASSERT_EQ(::mkfifo((dir / "pipe.zgb").c_str(), 0666), 0);
        EXPECT_EQ(run(c.args, c.input), c.status);
        EXPECT_NE(slurp("out.txt").find(c.out), std::string::npos) << slurp("out.txt");
        EXPECT_NE(slurp("err.txt").find(c.err), std::string::npos) << slurp("err.txt");
        EXPECT_EQ(slurp("set.zgb"), "old");
    }
    for (const char* args : {"", "solve extra", "show", "make", "fly", "count x"}) {
        EXPECT_EQ(run(args), 2) << args;
        EXPECT_EQ(slurp("err.txt").rfind("usage: zgtool", 0), 0u) << args;
        EXPECT_EQ(slurp("out.txt"), "");
    }
}

TEST_F(Zgtool, MakeWritesWhatShowReads) {
    ASSERT_EQ(run("make @set.zgb", kFour), 0) << slurp("err.txt");
    const std::string bytes = slurp("set.zgb");
    ASSERT_EQ(bytes.size(), 4000u);
    EXPECT_EQ(bytes[1000 + 7 + 1], 2);       // record 1, cell (1,1), the board image
    EXPECT_EQ(bytes[1000 + 49 + 7 + 1], 2);  // and the givens image
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 4) << "a temporary file is left";

    // The same puzzles give the same bytes, whatever the file held before.
    put("other.zgb", std::string(3999, '\x07'));
    ASSERT_EQ(run("make @other.zgb", kFour), 0);
    EXPECT_EQ(slurp("other.zgb"), bytes);

    EXPECT_EQ(run("show @set.zgb"), 0) << slurp("err.txt");
    const std::string shown = slurp("out.txt");
    EXPECT_NE(shown.find("record 0: 14 givens, 0 entries, 0 marks\n"
                         "+---------+---------+\n"
                         "| .  . [2]| .  . [6]|\n"
                         "|[1] . [3]| . [4] . |\n"
                         "+---------+---------+\n"),
              std::string::npos)
        << shown;
    EXPECT_NE(shown.find("givens " + kGuess + "\n"), std::string::npos);
    EXPECT_NE(shown.find("record 3: 10 givens"), std::string::npos);

    ASSERT_EQ(run("make @two.zgb", kThree + kEmpty + "\n"), 0);
    EXPECT_NE(slurp("err.txt").find("line 4: warning: more than one solution"), std::string::npos);
}

}  // namespace
