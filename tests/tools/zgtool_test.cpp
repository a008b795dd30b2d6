// zgtool run as a process, as authors use it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const std::string kLogic = "002006103040000501605000040602200100\n";
const std::string kGuess = "201000040000300020050003000030000401\n";
const std::string kEmpty = std::string(36, '0') + "\n", kClash = "11" + kEmpty.substr(2);
const std::string kThree = kLogic + kGuess + kLogic;

TEST(Zgtool, ReportsRefusesAndWritesWhatItShows) {
    const fs::path dir = fs::temp_directory_path() / "zgtool_test";
    auto slurp = [&](const char* name) {
        std::ostringstream s;
        s << std::ifstream(dir / name, std::ios::binary).rdbuf();
        return s.str();
    };
    auto put = [&](const char* name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
    };
    fs::remove_all(dir);
    fs::create_directories(dir);
    put("old.zgb", "old");
    put("short.zgb", std::string(3999, '\0'));
    std::string wild(4000, '\0');
    wild[2000 + 8] = 9;  // record 2 holds a value no board has
    put("wild.zgb", wild);
    ASSERT_EQ(::mkfifo((dir / "pipe.zgb").c_str(), 0666), 0);
    const struct {
        std::string args, input;
        int status;
        std::string out, err;  // found in stdout and stderr; status 2: err starts with it
    } cases[] = {
        {"solve", kLogic + "\n" + kGuess.substr(0, 36) + "\r\n" + std::string(36, '.') + "\n", 0,
         "452316163245324561615423541632236154 solved logic\n"
         "231564546312364125152643415236623451 solved extrem\n" +
             kEmpty.substr(0, 36) + " open extrem\n",
         ""},
        // A clash stays on the board; a malformed line is reported and the rest still solved.
        {"solve", kClash + "abc\n" + kLogic, 1,
         kClash.substr(0, 36) + " conflict extrem\nerror: expected 36 characters, got 3\n452316",
         ""},
        {"count", kLogic + kEmpty + kClash + kLogic.substr(1, 35) + "x\n", 1,
         "1\n2+\n0\nerror: invalid character 'x' at position 36 (row 6, column 6)", ""},
        {"make @old.zgb", kThree, 1, "", "exactly 4 puzzles, got 3"},
        {"make @old.zgb", kThree + "5......5" + std::string(28, '.') + "\n", 1, "",
         "line 4: 5 twice in box 1"},
        {"show @none.zgb", "", 1, "", "none.zgb: no such file"},
        {"show @short.zgb", "", 1, "", "3999 bytes, a board file has exactly 4000"},
        {"show @wild.zgb", "", 1, "record 3: 0 givens", "record 2"},
        {"show @pipe.zgb", "", 1, "", "pipe.zgb: cannot be read (not a regular file)"},
        {"make @set.zgb", kThree + kGuess, 0, "", ""},
        // (1,1) of record 1 in the board and the givens image; the same bytes over any file.
        {"make @short.zgb", kThree + kGuess, 0, "", ""},
        {"show @set.zgb", "", 0,
         "record 0: 14 givens, 0 entries, 0 marks\n+---------+---------+\n"
         "| .  . [2]| .  . [6]|\n|[1] . [3]| . [4] . |\n+---------+---------+\n",
         ""},
        {"make @two.zgb", kThree + kEmpty, 0, "", "line 4: warning: more than one solution"},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.args);
        for (std::size_t at; (at = c.args.find('@')) != std::string::npos;)
            c.args.replace(at, 1, dir.string() + "/");
        put("in.txt", c.input);
        const std::string d = "'" + dir.string() + "/";
        const std::string command = "timeout 30 '" + std::string(ZGTOOL) + "' " + c.args + " < " +
                                    d + "in.txt' > " + d + "out.txt' 2> " + d + "err.txt'";
        const int raw = std::system(command.c_str());
        EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, c.status);
        EXPECT_NE(slurp("out.txt").find(c.out), std::string::npos) << slurp("out.txt");
        EXPECT_NE(slurp("err.txt").find(c.err), std::string::npos) << slurp("err.txt");
        EXPECT_EQ(slurp("old.zgb"), "old");
    }
    const std::string bytes = slurp("set.zgb");
    ASSERT_EQ(bytes.size(), 4000u);
    EXPECT_TRUE(bytes[1000 + 7 + 1] == 2 && bytes[1000 + 49 + 7 + 1] == 2);
    EXPECT_EQ(slurp("short.zgb"), bytes);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 9) << "a temporary file is left";
    for (const char* args : {"", "solve extra", "show", "fly"}) {
        const std::string command = std::string(ZGTOOL) + " " + args + " >" + dir.string() +
                                    "/out.txt 2>" + dir.string() + "/err.txt";
        EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 2) << args;
        EXPECT_EQ(slurp("err.txt").rfind("usage: zgtool", 0), 0u) << args;
        EXPECT_EQ(slurp("out.txt"), "");
    }
    fs::remove_all(dir);
}

}  // namespace
