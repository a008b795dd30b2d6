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

struct Outcome {
    int status = -1;
    std::string out, err;
};

class Zgtool : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string name =
            "zgtool_test_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name());
        dir_ = fs::temp_directory_path() / name;
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    static std::string slurp(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void put(const std::string& file, const std::string& text) const {
        std::ofstream(path(file), std::ios::binary) << text;
    }

    // A run that blocks is killed (status 124) instead of hanging the suite.
    Outcome run(const std::string& args, const std::string& input = "") const {
        put("in.txt", input);
        std::string command = std::string("timeout 30 '") + ZGTOOL + "' " + args + " < '" +
                              path("in.txt") + "' > '" + path("out.txt") + "' 2> '" +
                              path("err.txt") + "'";
        int raw = std::system(command.c_str());
        Outcome r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = slurp(path("out.txt"));
        r.err = slurp(path("err.txt"));
        return r;
    }

    fs::path dir_;
};

const std::string kLogic = "002006103040000501605000040602200100";
const std::string kLogicSolved = "452316163245324561615423541632236154";
const std::string kGuess = "201000040000300020050003000030000401";
const std::string kGuessSolved = "231564546312364125152643415236623451";
const std::string kEmpty(36, '0');

TEST_F(Zgtool, SolveReportsBoardStatusAndLevel) {
    Outcome ok = run("solve", kLogic + "\n\n" + kGuess + "\r\n" + std::string(36, '.') + "\n");
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, kLogicSolved + " solved logic\n" + kGuessSolved + " solved extrem\n" +
                          kEmpty + " open extrem\n");

    // A clash stays on the board; a malformed line is reported and the rest still solved.
    std::string clash = "11" + kEmpty.substr(2);
    Outcome bad = run("solve", clash + "\nabc\n" + kLogic + "\n");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, clash + " conflict extrem\nerror: expected 36 characters, got 3\n" +
                           kLogicSolved + " solved logic\n");
}

TEST_F(Zgtool, CountSaysNoneOneOrMore) {
    Outcome r = run("count", kLogic + "\n" + kEmpty + "\n" + "11" + kEmpty.substr(2) + "\n" +
                                 kLogic.substr(1) + "x\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "1\n2+\n0\nerror: invalid character 'x' at position 36 (row 6, column 6); use "
              "1-6, 0 or .\n");
}

TEST_F(Zgtool, MakeWritesWhatShowReads) {
    std::string four = kLogic + "\n" + kGuess + "\n" + kLogic + "\n" + kGuess + "\n";
    Outcome made = run("make '" + path("set.zgb") + "'", four);
    ASSERT_EQ(made.status, 0) << made.err;
    std::string bytes = slurp(path("set.zgb"));
    ASSERT_EQ(bytes.size(), 4000u);
    EXPECT_EQ(bytes[1000 + 7 + 1], 2);       // record 1, cell (1,1), the board image
    EXPECT_EQ(bytes[1000 + 49 + 7 + 1], 2);  // and the givens image
    EXPECT_FALSE(fs::exists(path("set.zgb.new")));

    // The same puzzles give the same bytes, whatever the file held before.
    put("other.zgb", std::string(3999, '\x07'));
    ASSERT_EQ(run("make '" + path("other.zgb") + "'", four).status, 0);
    EXPECT_EQ(slurp(path("other.zgb")), bytes);

    Outcome shown = run("show '" + path("set.zgb") + "'");
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("record 0: 14 givens, 0 entries, 0 marks\n"
                             "+---------+---------+\n"
                             "| .  . [2]| .  . [6]|\n"
                             "|[1] . [3]| . [4] . |\n"
                             "+---------+---------+\n"),
              std::string::npos)
        << shown.out;
    EXPECT_NE(shown.out.find("givens " + kGuess + "\n"), std::string::npos);
    EXPECT_NE(shown.out.find("record 3: 10 givens"), std::string::npos);
}

TEST_F(Zgtool, MakeRefusesAndWritesNothing) {
    std::string three = kLogic + "\n" + kGuess + "\n" + kLogic + "\n";
    std::string target = path("set.zgb");
    put("set.zgb", "old");

    Outcome few = run("make '" + target + "'", three);
    EXPECT_EQ(few.status, 1);
    EXPECT_NE(few.err.find("exactly 4 puzzles, got 3"), std::string::npos) << few.err;
    Outcome many = run("make '" + target + "'", three + three);
    EXPECT_NE(many.err.find("got 6"), std::string::npos) << many.err;

    std::string clash = "5......5" + std::string(28, '.');
    Outcome clashing = run("make '" + target + "'", three + clash + "\n");
    EXPECT_EQ(clashing.status, 1);
    EXPECT_NE(clashing.err.find("line 4: 5 twice in box 1"), std::string::npos) << clashing.err;

    Outcome malformed = run("make '" + target + "'", "12\n" + three);
    EXPECT_NE(malformed.err.find("line 1: expected 36 characters"), std::string::npos);
    Outcome dead = run("make '" + target + "'", three + ".12...3.....4.....5...........6.....\n");
    EXPECT_NE(dead.err.find("line 4: no solution"), std::string::npos) << dead.err;

    EXPECT_EQ(slurp(target), "old");
    EXPECT_FALSE(fs::exists(target + ".new"));

    Outcome twoWays = run("make '" + target + "'", three + kEmpty + "\n");
    EXPECT_EQ(twoWays.status, 0);
    EXPECT_NE(twoWays.err.find("line 4: warning: more than one solution"), std::string::npos);
}

TEST_F(Zgtool, ShowRejectsMissingAndMisSizedFiles) {
    Outcome missing = run("show '" + path("none.zgb") + "'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.zgb: no such file"), std::string::npos) << missing.err;
    EXPECT_EQ(missing.out, "");

    put("short.zgb", std::string(3999, '\0'));
    Outcome shortFile = run("show '" + path("short.zgb") + "'");
    EXPECT_EQ(shortFile.status, 1);
    EXPECT_NE(shortFile.err.find("3999 bytes, a board file has exactly 4000"), std::string::npos)
        << shortFile.err;

    put("long.zgb", std::string(4001, '\0'));
    EXPECT_EQ(run("show '" + path("long.zgb") + "'").status, 1);

    std::string wild(4000, '\0');
    wild[2000 + 8] = 9;  // record 2 holds a value no board has
    put("wild.zgb", wild);
    Outcome damaged = run("show '" + path("wild.zgb") + "'");
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("record 2"), std::string::npos) << damaged.err;
    EXPECT_NE(damaged.out.find("record 3: 0 givens"), std::string::npos);
}

TEST_F(Zgtool, ShowRefusesAFifoAtOnce) {
    ASSERT_EQ(::mkfifo(path("pipe.zgb").c_str(), 0666), 0);
    Outcome r = run("show '" + path("pipe.zgb") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("pipe.zgb: cannot be read (not a regular file)"), std::string::npos)
        << r.err;
}

TEST_F(Zgtool, BadArgumentsShowTheUsage) {
    for (const char* args : {"", "solve extra", "show", "make", "fly", "count x"}) {
        Outcome r = run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.err.rfind("usage: zgtool", 0), 0u) << args;
        EXPECT_EQ(r.out, "");
    }
}

}  // namespace
