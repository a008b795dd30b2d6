// A long run of random input across every mode of the program, with the invariants checked
// before every event. A failure names its seed and event; rerun one seed with
// ZG_SOAK_SEED=<seed> (and ZG_SOAK_EVENTS=<n> for a longer or shorter run).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <cstdlib>
#include <random>

#include "files/board_file.h"
#include "halloffame/records.h"
#include "shell/exit.h"
#include "shell/startup.h"
#include "support/fixtures.h"
#include "support/test_program.h"

namespace zg {
namespace {

using Files = std::map<std::string, std::vector<unsigned char>>;

struct SoakDone {};
struct InvariantBroken {
    std::string what;
};

// What a run has seen, across the restarts after "&JA".
struct SoakRun {
    std::mt19937 rng;
    long budget, delivered = 0;
    Program* program = nullptr;
    test::MemoryFileIo* files = nullptr;
    Files checked;                      // files seen valid
    std::map<std::string, long> modes;  // where the program waited for each event
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
};

// Where the program waits; a run that never reaches a mode proves nothing about it.
std::string modeOf(const Program& p) {
    if (QApplication::activeModalWidget()) return "form";
    if (p.view.pickerOpen) return "chooser";
    if (!p.shell.commandRunning) return "idle";
    return p.play.ownBoardMode ? "editor" : "play loop";
}

void check(bool ok, const std::string& what) {
    if (!ok) throw InvariantBroken{what};
}

void checkInvariants(SoakRun& run) {
    const Program& p = *run.program;
    const BoardModel& m = p.model;
    for (int i = 0; i < 49; ++i) {
        const int c = i % 7, r = i / 7, v = m.board.at(c, r), g = m.givens.at(c, r);
        check(v <= 6 && (g == 0 || g == v), "bad cell " + std::to_string(c) + std::to_string(r));
    }
    check(m.level >= 0 && m.level <= 3, "level out of range");
    check(p.shell.commandRunning || !p.clock.clockRunning, "the clock runs outside a command");
    const Files snapshot = run.files->files;  // checking Champions.Rhm writes it back
    for (const auto& [name, bytes] : snapshot) {
        if (auto it = run.checked.find(name); it != run.checked.end() && it->second == bytes)
            continue;
        if (name == kPlayerBoardFile) {
            check(bytes.size() == std::size_t(kBoardFileSize), "brett.zgb has a wrong size");
            for (int rec = 0; rec < kRecordCount; ++rec) {
                BoardModel probe;
                ClockState clock;
                BoardFiles bf{kPlayerBoardFile};
                check(loadBoardSlot(bf, probe, clock, *run.files, rec) == LoadResult::loaded,
                      "a record of brett.zgb does not load");
            }
        } else if (name == kHallOfFameFile) {
            check(test::splitCrLf(bytes).size() == 120, "Champions.Rhm has a wrong line count");
            HallOfFame hall;
            loadHallOfFame(hall, *run.files);
            check(saveHallOfFame(hall, *run.files).ok && run.files->files[name] == bytes,
                  "Champions.Rhm does not read back as written");
        }
        run.checked[name] = bytes;
    }
}

// Random input: a new event each time the pump runs dry, the invariants checked first.
class SoakSource : public EventSource {
  public:
    explicit SoakSource(SoakRun& run) : run_(run) {}

    void waitForEvents(EventPump& pump) override {
        if (run_.program) {
            checkInvariants(run_);
            ++run_.modes[modeOf(*run_.program)];
        }
        if (run_.delivered >= run_.budget) throw SoakDone{};
        ++run_.delivered;
        for (Event& e : nextEvents()) pump.post(std::move(e));
    }

  private:
    Event pointer() {
        const int where = run_.pick(4);
        if (where < 2) return Event::mouseMove(29 + run_.pick(360), 45 + run_.pick(360));
        if (where == 2) return Event::mouseMove(20 + run_.pick(420), 410 + run_.pick(40));
        return Event::mouseMove(run_.pick(900) - 5, run_.pick(505) - 5);  // edges and beyond
    }

    std::vector<Event> nextEvents() {
        // An open form (slot dialog, hall of fame, name prompt, about box) gets answered.
        if (QWidget* modal = QApplication::activeModalWidget(); modal && run_.pick(3) == 0) {
            const auto buttons = modal->findChildren<QAbstractButton*>();
            QPointer<QWidget> w = buttons.empty() || run_.pick(4) == 0
                                      ? modal
                                      : buttons[run_.pick(int(buttons.size()))];
            return {Event::deferred([w] {
                if (auto* b = qobject_cast<QAbstractButton*>(w.data()); b && b->isVisible())
                    b->click();
                else if (w)
                    w->close();
            })};
        }
        static const int commands[] = {1,  8,  10, 11, 12, 20, 21, 22, 24, 25, 26, 27, 30,
                                       31, 32, 33, 40, 41, 44, 45, 50, 60, 99, 0,  7,  1000};
        static const std::string keys = "LSHAMNKOXZYTPBCDEF01367\x1b\r\b %&'(.";
        static const std::u32string chars = U"123456079abcdefgACFZ`\x1b\r\b \u00e4\u00df\u20ac";
        const int roll = run_.pick(100), k = keys[run_.pick(int(keys.size()))];
        const Event lone[] = {Event::leftDown(), Event::leftUp(), Event::rightDown(),
                              Event::rightUp()};
        if (roll < 30) return {pointer()};
        if (roll < 50) return {pointer(), Event::leftDown(), Event::leftUp()};
        if (roll < 60) return {pointer(), Event::rightDown(), Event::rightUp()};
        if (roll < 63) return {lone[run_.pick(4)]};
        // A press alone, with Shift, Ctrl, both or neither (the cursor, undo, marks); a typed
        // letter, usually with its release; or a release alone.
        if (roll < 67) return {Event::keyDown(k, run_.pick(4))};
        if (roll < 71 && k >= 'A' && k <= 'Z')
            return {Event::character(run_.pick(2) ? k : k + 32), Event::keyUp(k)};
        if (roll < 75) return {Event::keyUp(k)};
        if (roll < 85) return {Event::character(int(chars[run_.pick(int(chars.size()))]))};
        if (roll < 97) return {Event::menu(commands[run_.pick(std::size(commands))])};
        return {Event::close()};
    }

    SoakRun& run_;
};

long eventsPerSeed() {
    const char* n = std::getenv("ZG_SOAK_EVENTS");
    return n ? std::atol(n) : 5000;
}

class Soak : public ::testing::TestWithParam<unsigned> {};

TEST_P(Soak, RandomInputKeepsEveryInvariant) {
    unsigned seed = GetParam();
    if (const char* s = std::getenv("ZG_SOAK_SEED")) seed = static_cast<unsigned>(std::atol(s));
    SoakRun run{std::mt19937(seed), eventsPerSeed(), 0, nullptr, nullptr, {}, {}};
    Files disk;  // outlives each program, as the disk outlives a run of the game
    for (bool running = true; running;) {
        test::TestProgram t(std::make_unique<SeededRandom>(run.rng()), 1,
                            std::make_unique<SoakSource>(run), disk);
        for (int level = 0; level < 4; ++level)
            t.files->files[dataFile(t.p(), collectionFile(level))] =
                test::readDataFile(collectionFile(level));
        // "&NEIN" mostly, "&JA" now and then; a box with one button gets it.
        t.questions->orElse = [&run](const std::string& captions) {
            return captions.find('|') == std::string::npos || run.pick(20) == 0 ? 1 : 2;
        };
        run.program = &t.p();
        run.files = t.files;
        try {
            mainEventLoop(t.p());
        } catch (const ProgramExit&) {
            disk = t.files->files;  // the player starts the game again
        } catch (const SoakDone&) {
            running = false;
        } catch (const InvariantBroken& broken) {
            ADD_FAILURE() << "seed " << seed << ", event " << run.delivered << ": " << broken.what;
            running = false;
        }
        run.program = nullptr;
    }
    EXPECT_EQ(run.delivered, eventsPerSeed());
    for (const char* mode : {"idle", "play loop", "editor", "chooser", "form"})
        EXPECT_GT(run.modes[mode], 0) << "seed " << seed << " never reached " << mode;
}

// Four seeds of 5000 events: 20,000 events in all.
INSTANTIATE_TEST_SUITE_P(Seeds, Soak, ::testing::Values(1u, 2u, 3u, 4u));

}  // namespace
}  // namespace zg
