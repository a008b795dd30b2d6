// The real file system: the faults a player's folder can really have.
#include "files/file_io.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <set>
#include <thread>
#include <utility>

#include "files/board_file.h"
#include "halloffame/records.h"
#include "support/fixtures.h"
#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace zg {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

struct RealFileTest : ::testing::Test {
    fs::path dir = test::freshTempPath("zg-files-");
    int heldLock = -1;  // the folder locked as a second copy of the game holds it
    test::RealFileIo io;
    SeededRandom random{3};

    void SetUp() override { ASSERT_TRUE(fs::create_directory(dir)); }
    std::string path(const char* name) const { return (dir / name).string(); }
    Bytes contents(const fs::path& name) const {
        if (!fs::is_regular_file(dir / name)) return {};  // a FIFO would wait for a writer
        std::ifstream in(dir / name, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    // The folder's entries but the Windows lock file, which stays once made.
    std::set<std::string> names() const {
        std::set<std::string> found;
        for (const auto& e : fs::directory_iterator(dir))
            found.insert(e.path().filename().string());
        found.erase(".zahlgarten.lock");
        return found;
    }
    std::size_t entries() const { return names().size(); }
    void put(const fs::path& name, const Bytes& bytes) {
        std::ofstream(dir / name, std::ios::binary) << std::string(bytes.begin(), bytes.end());
    }
    // The messages of a record of name at level, entered as a player does.
    std::vector<std::string> enter(HallOfFame& h, int level, const char* time, const char* name) {
        test::ScriptedUi ui;
        ui.typed = name;
        checkNewRecord(h, level, time, ui, io);
        return ui.errors;
    }
    // The hall of fame in the folder's file name, as read from it.
    HallOfFame hallOf(const char* name = "Champions.Rhm") {
        HallOfFame h;
        h.fileName = path(name);
        EXPECT_EQ(loadHallOfFame(h, io), "");
        return h;
    }
    std::string namesOnFile(int level) { return test::namesOf(hallOf(), level); }
    WriteResult save(const char* name) {
        BoardFiles files{path(name)};
        BoardModel m;
        m.board.at(2, 3) = m.givens.at(2, 3) = 5;
        return saveBoardSlot(files, m, random, io, 2);
    }
    void TearDown() override {
#ifndef _WIN32
        ::umount2(path("ro").c_str(), MNT_DETACH);
#endif
        std::error_code ignored;  // Windows deletes no read-only file
        fs::permissions(path("brett.zgb"), fs::perms::owner_write, fs::perm_options::add, ignored);
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    void fresh() {
        TearDown(), fs::create_directory(dir);
    }
};

// The temporary sits beside the target wherever the game runs; a bare name is replaced whole.
TEST_F(RealFileTest, SaveWritesTheWholeFileWithUsualPermissions) {
    const fs::path cwd = fs::current_path();
#ifndef _WIN32
    const mode_t userMask = ::umask(027);
    fs::current_path("/proc");
#endif
    const bool saved = save("brett.zgb").ok && entries() == 1u;
    fs::current_path(dir);
    BoardFiles bare{"brett.zgb"}, files{path("brett.zgb")};
    const bool again = saveBoardSlot(bare, BoardModel{}, random, io, 1).ok;
    fs::current_path(cwd);
    EXPECT_TRUE(saved && again && entries() == 1u);
#ifndef _WIN32
    struct stat st {};
    ASSERT_EQ(::stat(path("brett.zgb").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(::umask(userMask), 027u);  // the saves left the mask as they found it
    const int savedStdin = ::dup(0);     // no standard input: the file may get descriptor 0
    ::close(0);
#endif
    BoardModel loaded;
    ClockState clock;
    const LoadResult loadedResult = loadBoardSlot(files, loaded, clock, io, 2);
#ifndef _WIN32
    ::dup2(savedStdin, 0), ::close(savedStdin);
#endif
    ASSERT_EQ(loadedResult, LoadResult::loaded);
    EXPECT_TRUE(loaded.board.at(2, 3) == 5 && contents("brett.zgb").size() == 4000u);
}

TEST_F(RealFileTest, RefusedSavesKeepWhatWasThere) {
    // The file saved, what is in the way, the reason said.
    const std::tuple<const char*, std::function<void(RealFileTest&)>, const char*> cases[] = {
        {"brett.zgb",
         [](RealFileTest& t) {
             ASSERT_TRUE(t.save("brett.zgb").ok);
             fs::permissions(t.path("brett.zgb"), fs::perms::owner_read | fs::perms::group_read);
         },
         "keine Schreibberechtigung"},
        {"brett.zgb", [](RealFileTest& t) { fs::create_directory(t.path("brett.zgb")); }, "Ordner"},
        {"fehlt/brett.zgb", [](RealFileTest&) {}, "Ordner fehlt"},
#ifndef _WIN32
        {"brett.zgb", [](RealFileTest& t) { fs::create_symlink("weg.zgb", t.path("brett.zgb")); },
         "verweist auf „weg.zgb“, die es nicht gibt"},
        {"ro/brett.zgb",
         [](RealFileTest& t) {
             const std::string ro = t.path("ro");
             fs::create_directory(ro);
             if (::mount("tmpfs", ro.c_str(), "tmpfs", 0, "size=64k") != 0) return;
             ASSERT_TRUE(t.save("ro/brett.zgb").ok);
             ASSERT_EQ(::mount(nullptr, ro.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
         },
         "das Laufwerk ist schreibgeschützt"},
        {"brett.zgb",  // a lock never given back: the save gives up instead of waiting for ever
         [](RealFileTest& t) {
             t.heldLock = ::open(t.dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
             ASSERT_EQ(::flock(t.heldLock, LOCK_EX), 0);
         },
         "von einem anderen Programm benutzt"},
#endif
    };
    for (const auto& [file, prepare, reason] : cases) {
        SCOPED_TRACE(reason);
        fresh();
        prepare(*this);
        if (file == std::string("ro/brett.zgb") && !fs::exists(path(file))) {
            std::printf("not run: a read-only medium needs a tmpfs mount (root)\n");
            continue;
        }
        const Bytes before = contents(file);
        const WriteResult r = save(file);
        if (heldLock >= 0) ::close(std::exchange(heldLock, -1));
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find(reason), std::string::npos) << r.message;
        EXPECT_NE(r.message.find("„brett.zgb“"), std::string::npos) << r.message;
        EXPECT_EQ(contents(file), before);
        EXPECT_LE(entries(), 1u);
    }
}

#ifdef _WIN32
// A device (waits for a key, as a FIFO for a writer) is unreadable at once, never replaced.
TEST_F(RealFileTest, DevicesAreUnreadableAtOnce) {
    for (const char* device : {"CON", "NUL"}) {
        Bytes bytes;
        EXPECT_EQ(io.readAll(device, bytes), ReadStatus::error) << device;
        EXPECT_FALSE(replaceFile(io, device, Bytes(4000, 1)).ok) << device;
    }
}
#endif

TEST_F(RealFileTest, ReadAllStopsAtTheLimit) {
    std::ofstream(path("big"), std::ios::binary) << std::string(200000, 'x');
    Bytes a, b;
    ASSERT_TRUE(io.readAll(path("big"), a, 70000) == ReadStatus::ok && a.size() == 70000u);
    ASSERT_TRUE(io.readAll(path("big"), b) == ReadStatus::ok && b.size() == 200000u);
    // Names are UTF-8 (on Windows too, where narrow names are usually the ANSI code page).
    ASSERT_TRUE(replaceFile(io, path("") + "größe", Bytes(3, 1)).ok);
    EXPECT_TRUE(io.readAll(path("") + "größe", b) == ReadStatus::ok && b.size() == 3u);
    EXPECT_TRUE(fs::is_regular_file(dir / u8"größe"));
}

// A symbolic link at link. Wine has none of its own but runs a Unix program when asked to.
bool makeLink(const fs::path& target, const fs::path& link) {
    std::error_code failed;
    fs::create_symlink(target, link, failed);
#ifdef _WIN32
    using UnixName = char* (*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (failed && unixName) {
        std::wstring command = L"Z:\\bin\\ln -s";
        for (const fs::path& p : {target, link}) {
            char* name = unixName(p.c_str());
            command += L" " + std::wstring(name, name + std::strlen(name));
            HeapFree(GetProcessHeap(), 0, name);
        }
        STARTUPINFOW start{};
        start.cb = sizeof start;
        PROCESS_INFORMATION ln{};
        if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &start, &ln)) {
            CloseHandle(ln.hThread);
            CloseHandle(ln.hProcess);
            // Wine cannot wait for a Unix process: the link is looked for until it is there.
            for (int i = 0; i < 500 && !fs::exists(fs::symlink_status(link)); ++i) Sleep(10);
        }
    }
#endif
    return fs::exists(fs::symlink_status(link));
}

// check's findings as "nobody" when root, in a child a read blocked on a FIFO does not outlast.
std::string unprivileged(const std::function<std::string()>& check) {
#ifndef _WIN32
    int out[2];
    if (::pipe(out) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        ::alarm(10);
        const bool may = ::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0);
        std::string found = may ? check() : "no setuid";
        found += '.';  // something is always written
        ssize_t ignored = ::write(out[1], found.data(), found.size());
        (void)ignored;
        ::_exit(0);
    }
    ::close(out[1]);
    std::string found;
    char buffer[512];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) found.append(buffer, n);
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return found.empty() ? "child failed" : found.substr(0, found.size() - 1);
#else
    return check();
#endif
}

// A file there but unreadable is never taken for an empty one nor written over, until readable.
TEST_F(RealFileTest, AFileThatCannotBeReadIsNeverWrittenOver) {
    HallOfFame full = hallOf();
    full.fameNames[0][1] = "Nora", full.fameTimes[0][1] = "00:00:11.0";
    std::vector<std::function<void()>> undo;
    // What spoils a file, the reason said, whether the file is kept and can be read again.
    const std::tuple<std::function<void(RealFileTest&, const char*)>, const char*, bool> ways[] = {
        {[](RealFileTest& t, const char* f) { fs::create_directory(t.path(f)); },
         "ein Ordner dieses Namens ist im Weg", false},
#ifdef _WIN32
        {[&](RealFileTest& t, const char* f) {
             HANDLE h = CreateFileW(fs::path(t.path(f)).c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
             ASSERT_NE(h, INVALID_HANDLE_VALUE);
             undo.push_back([h] { CloseHandle(h); });
         },
         "wird gerade von einem anderen Programm benutzt", true},
#else
        {[](RealFileTest& t, const char* f) { ASSERT_EQ(::mkfifo(t.path(f).c_str(), 0666), 0); },
         "unter diesem Namen liegt keine gewöhnliche Datei", false},
        {[&](RealFileTest& t, const char* f) {
             fs::permissions(t.path(f), fs::perms::none);
             undo.push_back([&t, f] { fs::permissions(t.path(f), fs::perms::owner_all); });
         },
         "keine Leseberechtigung", true},
#endif
    };
    for (const auto& [spoil, reason, restorable] : ways) {
        SCOPED_TRACE(reason);
        fresh();
        ASSERT_TRUE(saveHallOfFame(full, io).ok && save("brett.zgb").ok);
        const Bytes hallBytes = contents("Champions.Rhm"), boardBytes = contents("brett.zgb");
        for (const char* f : {"Champions.Rhm", "brett.zgb"}) {
            if (!restorable) fs::remove(path(f));
            spoil(*this, f);
        }
        const auto check = [&]() -> std::string {
            std::string found;
            const auto expect = [&found](bool holds, const std::string& what) {
                if (!holds) found += what + "\n";
            };
            HallOfFame hall;
            hall.fileName = path("Champions.Rhm");
            const std::string said = loadHallOfFame(hall, io);
            expect(said.find("„Champions.Rhm“ konnte nicht gelesen werden: ") == 10 &&
                       said.find(reason) != std::string::npos,
                   "start: " + said);
            expect(hall.readError != 0 && hall.fameTimes[0][1] == kEmptyTime, "not loaded");
            const auto errors = enter(hall, 0, "00:00:01.0", "Anna");
            expect(errors.size() == 1 &&
                       errors[0].find("Es wurde nichts gespeichert") != std::string::npos,
                   "record: " + std::to_string(errors.size()) + " messages");
            expect(hall.fameTimes[0][1] == kEmptyTime, "the unsaved record is not shown");
            expect(!clearLevel(hall, 1, io).ok, "Löschen refused");
            BoardFiles files{path("brett.zgb")};
            BoardModel m;
            ClockState clock;
            const bool unreadable = loadBoardSlot(files, m, clock, io, 2) == LoadResult::unreadable;
            const std::string load = loadErrorText(files.boardFileName, errno);
            expect(unreadable && load.find(reason) != std::string::npos, "Laden: " + load);
            expect(!saveBoardSlot(files, m, random, io, 2).ok, "board save refused");
            return found;
        };
        EXPECT_EQ(unprivileged(check), "");
        for (auto& u : undo) u();
        undo.clear();
        for (const char* f : {"Champions.Rhm", "brett.zgb"})  // nor with the superuser's rights
            EXPECT_TRUE(restorable || !replaceFile(io, path(f), Bytes(4000, 1)).ok) << f;
        EXPECT_EQ(entries(), 2u) << "a temporary file is left";
        EXPECT_EQ(contents("Champions.Rhm"),
                  restorable ? hallBytes : Bytes{});  // or none, as before
        EXPECT_EQ(contents("brett.zgb"), restorable ? boardBytes : Bytes{});
    }
}

// Two copies on one folder keep each other's records and clears; a save waits for the lock.
TEST_F(RealFileTest, TwoCopiesOnOneFolderKeepEachOthersRecords) {
    HallOfFame a = hallOf(), b = hallOf();
    const auto record = [&](HallOfFame& h, int level, const char* time, const char* name) {
        EXPECT_EQ(enter(h, level, time, name), std::vector<std::string>{});
    };
    record(a, 1, "00:02:00.0", "Anna");
    record(b, 1, "00:01:00.0", "Bert");
    record(b, 3, "00:03:00.0", "Bert");
    record(a, 1, "00:03:00.0", "Carl");
    EXPECT_EQ(namesOnFile(1), "Bert Anna Carl        ");
    EXPECT_EQ(b.fameNames[1][2], "Anna");  // the lists show the file as written
    ASSERT_TRUE(clearLevel(a, 3, io).ok);
    record(b, 2, "00:04:00.0", "Bert");
    EXPECT_EQ(namesOnFile(3), "          ");
    EXPECT_EQ(namesOnFile(1), "Bert Anna Carl        ");

    test::RealFileIo other;
    auto held = std::make_unique<FolderLock>(other, a.fileName);
    ASSERT_TRUE(held->held());
    auto clearing = std::async(std::launch::async, [&] { return clearLevel(b, 1, io).ok; });
    EXPECT_EQ(clearing.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout);
    EXPECT_EQ(namesOnFile(1), "Bert Anna Carl        ");
    held.reset();
    EXPECT_TRUE(clearing.get());
    EXPECT_EQ(namesOnFile(1) + namesOnFile(2), "          Bert          ");
}

// The name holds the old or the new file at every instant; a link there is replaced, not followed.
TEST_F(RealFileTest, TheNameHoldsTheOldOrTheNewFileAtEveryInstant) {
    for (const char* name : {"brett.zgb", "Champions.Rhm"}) {
        SCOPED_TRACE(name);
        HallOfFame hall = hallOf(name);
        const auto saveOnce = [&](int i) {
            hall.fameNames[0][1] = std::to_string(i);
            return name == std::string("brett.zgb") ? save(name).ok : saveHallOfFame(hall, io).ok;
        };
        ASSERT_TRUE(saveOnce(0));
        std::atomic<bool> done{false};
        std::atomic<int> missing{0}, looked{0};
        std::thread watcher([&] {
            while (!done) {
                std::error_code e;
                missing += !fs::is_regular_file(path(name), e);
                ++looked;
            }
        });
        for (int i = 1; i <= 100; ++i) ASSERT_TRUE(saveOnce(i));
        done = true;
        watcher.join();
        EXPECT_EQ(missing, 0) << "of " << looked << " looks";
        // A private (or hidden) file stays so.
#ifdef _WIN32
        const std::wstring wide = fs::path(path(name)).wstring();
        SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN);
        ASSERT_TRUE(saveOnce(8));
        EXPECT_EQ(GetFileAttributesW(wide.c_str()) & ~FILE_ATTRIBUTE_ARCHIVE,
                  FILE_ATTRIBUTE_HIDDEN);
#else
        fs::permissions(path(name), fs::perms::owner_read | fs::perms::owner_write);
        ASSERT_TRUE(saveOnce(8));
        EXPECT_EQ(fs::status(path(name)).permissions(), fs::perms(0600));
#endif

        fs::remove(path(name));
        fs::create_directory(dir / "anderswo");
        const fs::path target = dir / "anderswo" / "eigen";
        const Bytes own(kBoardFileSize, 0);  // a board file, empty places
        put(target, own);
        if (!makeLink(target, path(name))) {
            std::printf("not run: no symbolic links here\n");
            continue;
        }
        ASSERT_EQ(contents(name), own);
        EXPECT_TRUE(saveOnce(7));
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path(name))));
        EXPECT_NE(contents(name), own);
        EXPECT_EQ(contents(target), own);
        fs::remove_all(dir / "anderswo");
    }
}

// A save removes killed saves' old temporaries of its own name, and nothing else.
TEST_F(RealFileTest, ASaveRemovesTheTemporariesOfKilledSaves) {
    const std::pair<const char*, const char*> left[] = {
        // name, the save that removes it
        {".brett.zgb.zgtmp-Ab3xZ9", "brett.zgb"}, {".Champions.Rhm.zgtmp-k2Jq7w", "Champions.Rhm"},
        {".brett.zgb.backup", nullptr},           {".Champions.Rhm.sicher", nullptr},
        {".brett.zgb.zgtmp-Ab3xZ", nullptr},      {".brett.zgb.zgtmp-Ab3xZ90", nullptr},
        {".brett.zgb.zgtmp-Ab-xZ9", nullptr},     {"brett.zgb.zgtmp-Ab3xZ9", nullptr},
        {".leicht.zgb.zgtmp-Ab3xZ9", nullptr},
    };
    for (const auto& [name, by] : left) {
        put(name, Bytes(10, 1));
        fs::last_write_time(dir / name, fs::file_time_type::clock::now() - std::chrono::minutes(2));
    }
    put(".brett.zgb.zgtmp-jetzt1", Bytes(10, 1));  // of a save that runs right now
    fs::create_directory(dir / ".brett.zgb.zgtmp-Ordner");
    HallOfFame hall = hallOf();
    std::set<std::string> expected{".brett.zgb.zgtmp-Ordner", ".brett.zgb.zgtmp-jetzt1",
                                   "brett.zgb", "Champions.Rhm"};
    for (const auto& [name, by] : left)
        if (!by) expected.insert(name);
    ASSERT_TRUE(save("brett.zgb").ok && clearLevel(hall, 0, io).ok);
    EXPECT_EQ(names(), expected);
}

// The lock file is made in the folder only: a link there is not followed, anything else named.
TEST_F(RealFileTest, TheLockFileIsMadeInTheFolderOnly) {
    const fs::path folder = dir / "ordner", outside = dir / "ziel";
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[] {}, nullptr},
        {[&] {
             put(outside, {});  // Wine links only to what is there
             ASSERT_TRUE(makeLink(outside, folder / kLockFileName) && fs::remove(outside));
         },
         "keine gewöhnliche"},
        {[&] { fs::create_directory(folder / kLockFileName); }, "ein Ordner dieses Namens"},
    };
    for (const auto& [prepare, reason] : cases) {
        SCOPED_TRACE(reason ? reason : "nothing in the way");
        fs::create_directory(folder);
        prepare();
#ifndef _WIN32
        // Where the folder itself cannot be locked.
        fs::permissions(folder, fs::perms(0333));
#endif
        const std::string said = unprivileged([&] {
            BoardFiles files{(folder / "brett.zgb").string()};
            const WriteResult r = saveBoardSlot(files, BoardModel{}, random, io, 1);
            return r.ok ? std::string("ok") : r.message;
        });
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
        EXPECT_TRUE(reason ? said.find("„.zahlgarten.lock“") != std::string::npos &&
                                 said.find(reason) != std::string::npos
                           : said == "ok")
            << said;
        EXPECT_EQ(fs::is_regular_file(folder / "brett.zgb"), !reason);
        EXPECT_FALSE(fs::exists(fs::symlink_status(outside)));
        put("weg", {});  // Wine removes no link, but a rename replaces it
        std::error_code ignored;
        fs::rename(dir / "weg", folder / kLockFileName, ignored);
        fs::remove_all(folder);
    }
}

#ifdef _WIN32
// Where Wine made the Windows folder the current one, the start says so and nothing is saved.
TEST_F(RealFileTest, NothingIsSavedInTheWindowsFolder) {
    wchar_t windows[MAX_PATH];
    ASSERT_GT(GetSystemWindowsDirectoryW(windows, MAX_PATH), 0u);
    const fs::path cwd = fs::current_path();
    EXPECT_EQ(io.currentFolderProblem(), "");
    fs::current_path(fs::path(windows) / "system32");
    for (const char* name : {"brett.zgb", "..\\brett.zgb"}) {
        BoardFiles files{name};
        const std::string said = saveBoardSlot(files, BoardModel{}, random, io, 1).message;
        EXPECT_NE(said.find(": der Ordner gehört zu Windows"), std::string::npos) << said;
    }
    const std::string problem = io.currentFolderProblem();
    fs::current_path(cwd);
    EXPECT_NE(problem.find("nichts speichern"), std::string::npos) << problem;
    for (const fs::path f : {"brett.zgb", "system32/brett.zgb", "system32/.zahlgarten.lock"})
        EXPECT_FALSE(fs::exists(fs::path(windows) / f)) << f;
}
#endif

}  // namespace
}  // namespace zg
