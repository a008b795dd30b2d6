// The real file system: the faults a player's folder can really have.
#include "files/file_io.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <random>

#include "files/board_file.h"
#include "halloffame/records.h"
#include "support/fixtures.h"
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zg {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

struct RealFileTest : ::testing::Test {
    fs::path dir;
    test::RealFileIo io;
    SeededRandom random{3};

    void SetUp() override {
        dir = fs::temp_directory_path() / ("zg-files-" + std::to_string(std::random_device{}()));
        ASSERT_TRUE(fs::create_directory(dir));
    }
    void TearDown() override {
        std::error_code ignored;  // Windows deletes no read-only file
        fs::permissions(path("brett.zgb"), fs::perms::owner_write, fs::perm_options::add, ignored);
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    std::string path(const char* name) const { return (dir / name).string(); }
    Bytes contents(const char* name) const {
        if (!fs::is_regular_file(path(name))) return {};
        std::ifstream in(path(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
    }
    WriteResult save(const char* name) {
        BoardFiles files{path(name)};
        BoardModel m;
        m.board.at(2, 3) = m.givens.at(2, 3) = 5;
        return saveBoardSlot(files, m, random, io, 2);
    }
};

TEST_F(RealFileTest, SaveWritesTheWholeFileWithUsualPermissions) {
    // The temporary file sits beside the target, wherever the program runs: a folder where
    // nothing can be created, or another file system, does not matter.
    const fs::path cwd = fs::current_path();
#ifndef _WIN32
    fs::current_path("/proc");
#endif
    const bool saved = save("brett.zgb").ok;
    fs::current_path(cwd);
    ASSERT_TRUE(saved);
    EXPECT_EQ(entries(), 1u);
    // Saved again by its bare name in the current folder, as the game saves: replaced whole.
    fs::current_path(dir);
    BoardFiles bare{"brett.zgb"};
    const bool again = saveBoardSlot(bare, BoardModel{}, random, io, 1).ok;
    fs::current_path(cwd);
    EXPECT_TRUE(again && entries() == 1u);
#ifndef _WIN32
    struct stat st {};
    ASSERT_EQ(::stat(path("brett.zgb").c_str(), &st), 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);

    // The same, with no standard input: the file may get descriptor 0.
    const int savedStdin = ::dup(0);
    ::close(0);
#endif
    BoardFiles files{path("brett.zgb")};
    BoardModel loaded;
    ClockState clock;
    const LoadResult loadedResult = loadBoardSlot(files, loaded, clock, io, 2);
#ifndef _WIN32
    ::dup2(savedStdin, 0);
    ::close(savedStdin);
#endif
    ASSERT_EQ(loadedResult, LoadResult::loaded);
    EXPECT_TRUE(loaded.board.at(2, 3) == 5 && contents("brett.zgb").size() == 4000u);
}

TEST_F(RealFileTest, RefusedSavesKeepWhatWasThere) {
    const struct {
        const char* name;
        const char* file;
        std::function<void(RealFileTest&)> prepare;
        const char* reason;
    } cases[] = {
        {"read-only file", "brett.zgb",
         [](RealFileTest& t) {
             ASSERT_TRUE(t.save("brett.zgb").ok);
             fs::permissions(t.path("brett.zgb"), fs::perms::owner_read | fs::perms::group_read);
         },
         "keine Schreibberechtigung"},
        {"folder in the way", "brett.zgb",
         [](RealFileTest& t) { fs::create_directory(t.path("brett.zgb")); }, "Ordner"},
        {"missing folder", "fehlt/brett.zgb", [](RealFileTest&) {}, "Ordner fehlt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        fs::create_directory(dir);
        c.prepare(*this);
        const Bytes before = contents(c.file);
        const WriteResult r = save(c.file);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find(c.reason), std::string::npos) << r.message;
        EXPECT_NE(r.message.find("\"brett.zgb\""), std::string::npos) << r.message;
        EXPECT_EQ(contents(c.file), before);
        EXPECT_LE(entries(), 1u);
    }
    // A folder where the hall of fame should be: read as no file, never replaced.
    HallOfFame hall;
    hall.fileName = path("Champions.Rhm");
    fs::create_directory(hall.fileName);
    hall.fameTimes[2][5] = "x";
    loadHallOfFame(hall, io);
    EXPECT_EQ(hall.fameTimes[2][5], kEmptyTime);
    EXPECT_NE(saveHallOfFame(hall, io).message.find("Ordner dieses Namens"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(hall.fileName));
}

#ifdef _WIN32
// Reading the console waits for a key, as a FIFO waits for a writer: a device must read as
// unreadable at once and must not be replaced by a save.
TEST_F(RealFileTest, DevicesAreUnreadableAtOnce) {
    for (const char* device : {"CON", "NUL"}) {
        Bytes bytes;
        EXPECT_EQ(io.readAll(device, bytes), ReadStatus::error) << device;
        EXPECT_FALSE(replaceFile(io, device, Bytes(4000, 1)).ok) << device;
    }
}
#else
// open() of a FIFO without a writer blocks: a FIFO or a folder must read as unreadable at
// once and must not be replaced by a save.
TEST_F(RealFileTest, NonRegularFilesAreUnreadableAtOnce) {
    for (const bool fifo : {true, false}) {
        const std::string p = path("brett.zgb");
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
        EXPECT_TRUE(fifo ? fs::is_fifo(p) : fs::is_directory(p));
        fs::remove(p);
    }
    EXPECT_EQ(entries(), 0u);
}
#endif

TEST_F(RealFileTest, ReadAllStopsAtTheLimit) {
    std::ofstream(path("big"), std::ios::binary) << std::string(200000, 'x');
    Bytes a, b;
    ASSERT_TRUE(io.readAll(path("big"), a, 70000) == ReadStatus::ok && a.size() == 70000u);
    ASSERT_TRUE(io.readAll(path("big"), b) == ReadStatus::ok && b.size() == 200000u);
    EXPECT_EQ(io.readAll(path("none"), b), ReadStatus::missing);
    // Names are UTF-8 (on Windows too, where narrow names are usually the ANSI code page).
    ASSERT_TRUE(replaceFile(io, path("") + "größe", Bytes(3, 1)).ok);
    EXPECT_TRUE(io.readAll(path("") + "größe", b) == ReadStatus::ok && b.size() == 3u);
    EXPECT_TRUE(fs::is_regular_file(dir / u8"größe"));
}

}  // namespace
}  // namespace zg
