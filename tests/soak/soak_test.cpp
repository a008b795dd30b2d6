// A long run of random input through the scripted pump, across every mode of the program,
// with the invariants checked after every event. A failure names its seed and event; rerun
// one seed with ZG_SOAK_SEED=<seed> (and ZG_SOAK_EVENTS=<n> for a longer or shorter run).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "engine/board.h"
#include "files/board_file.h"
#include "halloffame/records.h"
#include "platform/qt/qt_platform.h"
#include "shell/exit.h"
#include "shell/program.h"
#include "shell/startup.h"
#include "support/memory_file_io.h"

namespace zg {
namespace {

struct SoakDone {};

// Thrown out of the pump when an invariant breaks, so the run stops at the first fault.
struct InvariantBroken {
    std::string what;
};

class SoakTime : public TimeSource {
  public:
    double now = 100.0;
    double seconds() override { return now; }
    std::string today() override { return "07.12.2026"; }
    void sleepMs(int ms) override { now += ms / 1000.0; }
};

class SoakBeeper : public Beeper {
  public:
    void beep() override {}
};

// Answers every question at random: "&NEIN" (2) mostly, "&JA" (1) now and then.
class SoakQuestions : public QuestionBox {
  public:
    explicit SoakQuestions(std::mt19937& rng) : rng_(rng) {}
    int ask(QuestionIcon, const std::string&, const std::string& captions, int) override {
        ++asked;
        if (captions.find('|') == std::string::npos) return 1;
        return std::uniform_int_distribution<int>(0, 19)(rng_) == 0 ? 1 : 2;
    }
    void message(const std::string&) override { ++messages; }
    int asked = 0;
    int messages = 0;

  private:
    std::mt19937& rng_;
};

// What the invariants look at.
struct Watch {
    Program* program = nullptr;
    test::MemoryFileIo* files = nullptr;
    std::map<std::string, std::vector<unsigned char>> checked;  // files seen valid
    long invariantChecks = 0;
    std::map<std::string, long> modes;  // where the program waited for each event
};

// The mode the program waits in; a run that never reaches one proves nothing about it.
std::string modeOf(const Program& p) {
    if (QApplication::activeModalWidget()) return "form";
    if (p.view.pickerOpen) return "chooser";
    if (!p.shell.commandRunning) return "idle";
    return p.play.ownBoardMode ? "editor" : "play loop";
}

std::string describe(const std::string& what, int c, int r) {
    std::ostringstream s;
    s << what << " at (" << c << ", " << r << ")";
    return s.str();
}

void checkInvariants(Watch& w) {
    ++w.invariantChecks;
    Program& p = *w.program;
    const BoardModel& m = p.model;
    for (int c = 0; c <= 6; ++c)
        for (int r = 0; r <= 6; ++r) {
            if (m.board.at(c, r) > 6) throw InvariantBroken{describe("board value > 6", c, r)};
            if (m.givens.at(c, r) > 6) throw InvariantBroken{describe("given > 6", c, r)};
            if (m.givens.at(c, r) != 0 && m.board.at(c, r) != m.givens.at(c, r))
                throw InvariantBroken{describe("board differs from its given", c, r)};
        }
    if (m.level < 0 || m.level > 3) throw InvariantBroken{"level out of range"};
    // Outside a command no timed game runs.
    if (!p.shell.commandRunning && p.clock.clockRunning)
        throw InvariantBroken{"the clock runs while no command runs"};
    const auto snapshot = w.files->files;  // checking Champions.Rhm writes it back
    for (const auto& [name, bytes] : snapshot) {
        auto seen = w.checked.find(name);
        if (seen != w.checked.end() && seen->second == bytes) continue;
        if (name == kPlayerBoardFile) {
            if (bytes.size() != static_cast<std::size_t>(kBoardFileSize))
                throw InvariantBroken{"brett.zgb has " + std::to_string(bytes.size()) + " bytes"};
            for (int rec = 0; rec < kRecordCount; ++rec) {
                BoardModel probe;
                ClockState clock;
                BoardFiles bf{kPlayerBoardFile};
                if (loadBoardSlot(bf, probe, clock, *w.files, rec) != LoadResult::loaded)
                    throw InvariantBroken{"brett.zgb record " + std::to_string(rec) +
                                          " does not load"};
            }
        } else if (name == kHallOfFameFile) {
            int lines = 0;
            for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
                if (bytes[i] == '\r' && bytes[i + 1] == '\n') ++lines;
            if (lines != 120)
                throw InvariantBroken{"Champions.Rhm has " + std::to_string(lines) + " lines"};
            HallOfFame hall;
            loadHallOfFame(hall, *w.files);
            if (!saveHallOfFame(hall, *w.files).ok)
                throw InvariantBroken{"Champions.Rhm cannot be written back"};
            if (w.files->files[name] != bytes)
                throw InvariantBroken{"Champions.Rhm does not read back as written"};
        }
        w.checked[name] = bytes;
    }
}

// Random input: a new event each time the pump runs dry, the invariants checked first.
class SoakSource : public EventSource {
  public:
    SoakSource(std::mt19937& rng, Watch& watch, long budget)
        : rng_(rng), watch_(watch), budget_(budget) {}

    void waitForEvents(EventPump& pump) override {
        if (watch_.program) {
            checkInvariants(watch_);
            ++watch_.modes[modeOf(*watch_.program)];
        }
        if (delivered >= budget_) throw SoakDone{};
        ++delivered;
        for (Event& e : nextEvents()) pump.post(std::move(e));
    }

    long delivered = 0;
    std::map<std::string, long> kinds;

  private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    Event pointer() {
        switch (pick(4)) {
            case 0:
            case 1:  // the board, where most clicks go
                return Event::mouseMove(29 + pick(360), 45 + pick(360));
            case 2:  // the button strip
                return Event::mouseMove(20 + pick(420), 410 + pick(40));
            default:  // anywhere, the edges and a little outside included
                return Event::mouseMove(pick(900) - 5, pick(505) - 5);
        }
    }

    std::vector<Event> nextEvents() {
        // An open form (slot dialog, hall of fame, name prompt, about box) gets answered.
        if (QWidget* modal = QApplication::activeModalWidget(); modal && pick(3) == 0) {
            const auto buttons = modal->findChildren<QAbstractButton*>();
            if (!buttons.empty() && pick(4) != 0) {
                QAbstractButton* b =
                    buttons[static_cast<std::size_t>(pick(static_cast<int>(buttons.size())))];
                QPointer<QAbstractButton> guard(b);
                ++kinds["form button"];
                return {Event::deferred([guard] {
                    if (guard && guard->isVisible() && guard->isEnabled()) guard->click();
                })};
            }
            QPointer<QWidget> guard(modal);
            ++kinds["form close"];
            return {Event::deferred([guard] {
                if (guard) guard->close();
            })};
        }
        static const int commands[] = {1,  8,  10, 11, 12, 20, 21, 22, 24, 25, 26, 27, 30,
                                       31, 32, 33, 40, 41, 44, 45, 50, 60, 99, 0,  7,  1000};
        static const int keys[] = {'L', 'S', 'H', 'A', 'M', 'N', 'K', 'O', 'X', 'Z', 'Y',
                                   'T', 'P', 'B', 'C', 'D', 'E', 'F', '0', '1', '3', '6',
                                   '7', 27,  13,  8,   32,  37,  38,  39,  40,  46};
        static const int chars[] = {'1', '2', '3', '4', '5', '6', '0',  '7',  '9',
                                    'a', 'b', 'c', 'd', 'e', 'f', 'g',  'A',  'C',
                                    'F', 'Z', 27,  13,  8,   ' ', 0xE4, 0xDF, 0x20AC};
        const int roll = pick(100);
        if (roll < 30) {
            ++kinds["move"];
            return {pointer()};
        }
        if (roll < 50) {
            ++kinds["left click"];
            return {pointer(), Event::leftDown(), Event::leftUp()};
        }
        if (roll < 60) {
            ++kinds["right click"];
            return {pointer(), Event::rightDown(), Event::rightUp()};
        }
        if (roll < 63) {
            ++kinds["lone button"];
            switch (pick(4)) {
                case 0:
                    return {Event::leftDown()};
                case 1:
                    return {Event::leftUp()};
                case 2:
                    return {Event::rightDown()};
                default:
                    return {Event::rightUp()};
            }
        }
        if (roll < 75) {
            ++kinds["key"];
            const int k = keys[pick(std::size(keys))];
            // A press alone, with Shift, Ctrl, both or neither (the cursor, undo, marks).
            if (pick(3) == 0) return {Event::keyDown(k, pick(4))};
            // A typed character usually comes with the release of its key.
            if (k >= 'A' && k <= 'Z' && pick(2) == 0)
                return {Event::character(pick(2) ? k : k + 32), Event::keyUp(k)};
            return {Event::keyUp(k)};
        }
        if (roll < 85) {
            ++kinds["character"];
            return {Event::character(chars[pick(std::size(chars))])};
        }
        if (roll < 97) {
            ++kinds["menu"];
            return {Event::menu(commands[pick(std::size(commands))])};
        }
        ++kinds["close"];
        return {Event::close()};
    }

    std::mt19937& rng_;
    Watch& watch_;
    long budget_;
};

std::vector<unsigned char> readData(const std::string& name) {
    std::ifstream in(std::string(ZG_SOURCE_DIR) + "/data/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct SoakResult {
    long events = 0;
    long checks = 0;
    int restarts = 0;
    std::map<std::string, long> kinds;
    std::map<std::string, long> modes;
};

SoakResult soak(unsigned seed, long events) {
    std::mt19937 rng(seed);
    Watch watch;
    auto files = std::make_unique<test::MemoryFileIo>();
    watch.files = files.get();
    for (int level = 0; level < 4; ++level)
        files->files[collectionFile(level)] = readData(collectionFile(level));
    auto owned = std::make_unique<SoakSource>(rng, watch, events);
    SoakSource* source = owned.get();
    SoakResult result;
    QtPlatform platform;
    // The file store outlives each program, as the disk outlives a run of the game.
    for (;;) {
        Services s;
        s.platform = &platform;
        // The source survives restarts: each program borrows it through a forwarder.
        struct Forward : EventSource {
            SoakSource* to;
            explicit Forward(SoakSource* t) : to(t) {}
            void waitForEvents(EventPump& pump) override { to->waitForEvents(pump); }
        };
        struct BorrowedFiles : FileIo {
            FileIo* to;
            explicit BorrowedFiles(FileIo* t) : to(t) {}
            ReadStatus readAll(const std::string& path, std::vector<unsigned char>& out,
                               std::size_t maxBytes) override {
                return to->readAll(path, out, maxBytes);
            }
            bool mayReplace(const std::string& path) override { return to->mayReplace(path); }
            int openTemp(const std::string& target, std::string& temp) override {
                return to->openTemp(target, temp);
            }
            bool write(int fd, const unsigned char* data, std::size_t size) override {
                return to->write(fd, data, size);
            }
            bool flush(int fd) override { return to->flush(fd); }
            bool close(int fd) override { return to->close(fd); }
            bool rename(const std::string& from, const std::string& to2) override {
                return to->rename(from, to2);
            }
            void remove(const std::string& path) override { to->remove(path); }
        };
        s.events = std::make_unique<Forward>(source);
        s.questions = std::make_unique<SoakQuestions>(rng);
        s.time = std::make_unique<SoakTime>();
        s.random = std::make_unique<SeededRandom>(rng());
        s.fileIo = std::make_unique<BorrowedFiles>(files.get());
        s.beeper = std::make_unique<SoakBeeper>();
        s.devicePixelRatio = 1;
        auto program = std::make_unique<Program>(std::move(s));
        watch.program = program.get();
        try {
            initProgram(*program);
        } catch (const ProgramExit&) {
            ++result.restarts;  // "&JA": the player starts the game again
            watch.program = nullptr;
            continue;
        } catch (const SoakDone&) {
            break;
        } catch (const InvariantBroken& broken) {
            ADD_FAILURE() << "seed " << seed << ", event " << source->delivered << ": "
                          << broken.what;
            break;
        }
    }
    result.events = source->delivered;
    result.checks = watch.invariantChecks;
    result.kinds = source->kinds;
    result.modes = watch.modes;
    return result;
}

long eventsPerSeed() {
    const char* n = std::getenv("ZG_SOAK_EVENTS");
    return n ? std::atol(n) : 5000;
}

class Soak : public ::testing::TestWithParam<unsigned> {};

TEST_P(Soak, RandomInputKeepsEveryInvariant) {
    unsigned seed = GetParam();
    if (const char* s = std::getenv("ZG_SOAK_SEED")) seed = static_cast<unsigned>(std::atol(s));
    const SoakResult r = soak(seed, eventsPerSeed());
    auto counts = [](const std::map<std::string, long>& m) {
        std::ostringstream out;
        for (const auto& [name, n] : m) out << " " << name << "=" << n;
        return out.str();
    };
    std::printf(
        "seed %u: %ld events, %ld invariant checks, %d restarts after \"&JA\";%s; "
        "waited in:%s\n",
        seed, r.events, r.checks, r.restarts, counts(r.kinds).c_str(), counts(r.modes).c_str());
    EXPECT_EQ(r.events, eventsPerSeed());
    for (const char* mode : {"idle", "play loop", "editor", "chooser", "form"})
        EXPECT_GT(r.modes.count(mode) ? r.modes.at(mode) : 0, 0)
            << "seed " << seed << " never reached " << mode;
}

// Four seeds of 5000 events: 20,000 events in all.
INSTANTIATE_TEST_SUITE_P(Seeds, Soak, ::testing::Values(1u, 2u, 3u, 4u));

}  // namespace
}  // namespace zg
