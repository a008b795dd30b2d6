// The real file system: the faults a player's folder can really have.
#include "files/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>

#include "files/board_file.h"
#include "halloffame/records.h"

namespace zg {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

struct PosixFileTest : ::testing::Test {
    fs::path dir;
    PosixFileIo io;
    SeededRandom random{3};

    void SetUp() override {
        char name[] = "/tmp/zg-files-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir = name;
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    std::string path(const char* name) const { return (dir / name).string(); }
    Bytes contents(const char* name) const {
        std::ifstream in(path(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
    }
    BoardModel board() const {
        BoardModel m;
        m.board.at(2, 3) = 5;
        m.givens.at(2, 3) = 5;
        return m;
    }
};

TEST_F(PosixFileTest, ReplaceWritesWholeFileWithUsualPermissions) {
    BoardFiles files{path("brett.zgb")};
    BoardModel m = board();
    ASSERT_TRUE(saveBoardSlot(files, m, random, io, 2).ok);
    EXPECT_EQ(contents("brett.zgb").size(), 4000u);
    EXPECT_EQ(entries(), 1u);
    struct stat st {};
    ASSERT_EQ(::stat(path("brett.zgb").c_str(), &st), 0);
    mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);

    BoardModel loaded;
    ClockState clock;
    ASSERT_EQ(loadBoardSlot(files, loaded, clock, io, 2), LoadResult::loaded);
    EXPECT_EQ(loaded.board, m.board);
}

TEST_F(PosixFileTest, ReadOnlyBoardFileStaysAsItWas) {
    BoardFiles files{path("brett.zgb")};
    BoardModel m = board();
    ASSERT_TRUE(saveBoardSlot(files, m, random, io, 0).ok);
    const Bytes before = contents("brett.zgb");
    fs::permissions(path("brett.zgb"), fs::perms::owner_read | fs::perms::group_read);
    m.board.at(1, 1) = 2;
    WriteResult r = saveBoardSlot(files, m, random, io, 0);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("\"brett.zgb\""), std::string::npos) << r.message;
    EXPECT_EQ(contents("brett.zgb"), before);
    EXPECT_EQ(entries(), 1u);
}

TEST_F(PosixFileTest, FolderInTheWayIsReportedAndKept) {
    fs::create_directory(path("brett.zgb"));
    fs::create_directory(path("Champions.Rhm"));
    BoardFiles files{path("brett.zgb")};
    BoardModel m = board();
    const BoardModel before = m;
    WriteResult r = saveBoardSlot(files, m, random, io, 0);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("Ordner"), std::string::npos) << r.message;
    EXPECT_TRUE(fs::is_directory(path("brett.zgb")));

    ClockState clock;
    EXPECT_EQ(loadBoardSlot(files, m, clock, io, 0), LoadResult::unreadable);
    EXPECT_EQ(m.board, before.board);

    HallOfFame hall;
    hall.fileName = path("Champions.Rhm");
    loadHallOfFame(hall, io);  // read as no file at all
    EXPECT_EQ(hall.fameTimes[2][5], "9");
    WriteResult saved = saveHallOfFame(hall, io);
    EXPECT_FALSE(saved.ok);
    EXPECT_NE(saved.message.find("\"Champions.Rhm\""), std::string::npos);
    EXPECT_TRUE(fs::is_directory(path("Champions.Rhm")));
    EXPECT_EQ(entries(), 2u);
}

// A folder the player may not write to. Root writes anywhere, so as root the save runs in a
// child process that has dropped to the unprivileged user "nobody".
TEST_F(PosixFileTest, ReadOnlyFolderIsReported) {
    const Bytes before(kBoardFileSize, 1);
    {
        std::ofstream out(path("brett.zgb"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(before.data()), kBoardFileSize);
    }
    // The file itself may be written by anyone: only the folder stands in the way.
    fs::permissions(
        path("brett.zgb"),
        fs::perms::all & ~(fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec));
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                             fs::perms::group_exec | fs::perms::others_read |
                             fs::perms::others_exec);
    auto save = [&] {
        BoardFiles files{path("brett.zgb")};
        BoardModel m = board();
        return saveBoardSlot(files, m, random, io, 0);
    };
    if (::geteuid() != 0) {
        const WriteResult r = save();
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find("keine Schreibberechtigung"), std::string::npos) << r.message;
    } else {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
            const WriteResult r = save();
            const bool reported =
                !r.ok && r.message.find("keine Schreibberechtigung") != std::string::npos;
            ::_exit(reported ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == 3) GTEST_SKIP() << "cannot become the user nobody";
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the save was not refused with the German reason";
    }
    EXPECT_EQ(contents("brett.zgb"), before);
    EXPECT_EQ(entries(), 1u);
}

TEST_F(PosixFileTest, MissingFolderIsReported) {
    BoardFiles files{path("fehlt/brett.zgb")};
    BoardModel m = board();
    WriteResult r = saveBoardSlot(files, m, random, io, 0);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("Ordner fehlt"), std::string::npos) << r.message;
}

// open() of a FIFO without a writer blocks: every file the game reads, as a FIFO or a folder,
// must read as unreadable at once and must not be replaced by a save.
TEST_F(PosixFileTest, NonRegularFilesAreUnreadableAtOnce) {
    for (const char* name : {"Champions.Rhm", "brett.zgb", "brett.sud", "leicht.zgb"}) {
        for (const bool fifo : {true, false}) {
            SCOPED_TRACE(std::string(name) + (fifo ? " as FIFO" : " as folder"));
            const std::string p = path(name);
            ASSERT_EQ(fifo ? ::mkfifo(p.c_str(), 0666) : ::mkdir(p.c_str(), 0777), 0);
            auto read = std::async(std::launch::async, [&] {
                Bytes bytes;
                return io.readAll(p, bytes);
            });
            if (read.wait_for(std::chrono::seconds(2)) != std::future_status::ready) {
                ADD_FAILURE() << "reading blocked";
                ::close(::open(p.c_str(), O_WRONLY | O_NONBLOCK));  // lets the reader go
            }
            EXPECT_EQ(read.get(), ReadStatus::error);
            EXPECT_FALSE(replaceFile(io, p, Bytes(4000, 1)).ok);
            struct stat st {};
            ASSERT_EQ(::lstat(p.c_str(), &st), 0);
            EXPECT_EQ(fifo ? S_ISFIFO(st.st_mode) : S_ISDIR(st.st_mode), true);
            fs::remove(p);
        }
    }
    EXPECT_EQ(entries(), 0u);
}

TEST_F(PosixFileTest, ReadAllStopsAtTheLimit) {
    {
        std::ofstream out(path("big"), std::ios::binary);
        out << std::string(200000, 'x');
    }
    Bytes bytes;
    ASSERT_EQ(io.readAll(path("big"), bytes, 70000), ReadStatus::ok);
    EXPECT_EQ(bytes.size(), 70000u);
    ASSERT_EQ(io.readAll(path("big"), bytes), ReadStatus::ok);
    EXPECT_EQ(bytes.size(), 200000u);
    EXPECT_EQ(io.readAll(path("none"), bytes), ReadStatus::missing);
}

}  // namespace
}  // namespace zg
