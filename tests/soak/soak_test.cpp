// Random input in every mode, invariants checked before each event; rerun with ZG_SOAK_SEED.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "files/board_file.h"
#include "shell/exit.h"
#include "support/fixtures.h"
#include "support/test_program.h"

namespace zg {
namespace {

struct SoakDone {};

// A broken invariant, like any runtime_error the program throws, ends the run naming its seed.
void check(bool ok, const std::string& what) {
    if (!ok) throw std::runtime_error(what);
}

// What a run has seen, across the restarts after "&JA", and its random input.
struct SoakRun {
    std::mt19937 rng;
    long budget, delivered = 0;
    Program* program = nullptr;
    std::map<std::string, long> modes;  // where the program waited for each event
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    // Where the program waits; a run that never reaches a mode proves nothing about it.
    std::string mode() const {
        if (test::openForm(program->window)) return "form";
        if (program->view.pickerOpen) return "chooser";
        return !program->shell.commandRunning ? "idle"
               : program->play.ownBoardMode   ? "editor"
                                              : "play loop";
    }

    void checkInvariants() {
        const BoardModel& m = program->model;
        for (int i = 0; i < 49; ++i) {
            const int v = m.board.at(i % 7, i / 7), g = m.givens.at(i % 7, i / 7);
            check(v <= 6 && (g == 0 || g == v), "bad cell " + std::to_string(i));
        }
        check(m.level >= 0 && m.level <= 3, "level out of range");
        check(program->shell.commandRunning || !program->clock.clockRunning,
              "the clock runs outside a command");
    }

    // Mostly on the board or the buttons, else anywhere, beyond the edges too.
    Event pointer() {
        const int w = pick(3);
        return w == 0   ? Event::mouseMove(29 + pick(360), 45 + pick(360))
               : w == 1 ? Event::mouseMove(20 + pick(420), 410 + pick(40))
                        : Event::mouseMove(pick(900) - 5, pick(505) - 5);
    }

    std::vector<Event> next() {
        // An open form gets one of its buttons clicked, or its close box.
        if (test::openForm(program->window) && pick(3) == 0) {
            const bool closeBox = pick(4) == 0;
            const int button = pick(1000);
            return {Event::deferred([this, closeBox, button] {
                Form* form = test::openForm(program->window);
                const auto buttons = form ? test::buttonsOf(*form) : std::vector<Form::Control>{};
                if (form && (buttons.empty() || closeBox)) test::closeBox(*form);
                if (!buttons.empty() && !closeBox)
                    test::click(*form, buttons[std::size_t(button) % buttons.size()]);
            })};
        }
        static const int commands[] = {1,  8,  10, 11, 12, 20, 21, 22, 24, 25, 26, 27, 30,
                                       31, 32, 33, 40, 41, 44, 45, 50, 60, 99, 0,  7,  1000};
        static const std::string keys = "LSHAMNKOXZYTPBCDEF01367\x1b\r\b %&'(.";
        static const std::u32string chars = U"123456079abcdefgACFZ`\x1b\r\b \u00e4\u00df\u20ac";
        const int roll = pick(100), k = keys[pick(int(keys.size()))], b = roll < 50 ? 0 : 2;
        const Event lone[] = {Event::leftDown(), Event::leftUp(), Event::rightDown(),
                              Event::rightUp()};
        if (roll < 30) return {pointer()};
        if (roll < 60) return {pointer(), lone[b], lone[b + 1]};
        if (roll < 63) return {lone[pick(4)]};
        // A press alone, with Shift, Ctrl, both or neither (the cursor, undo, marks); a typed
        // letter, usually with its release; or a release alone.
        if (roll < 67) return {Event::keyDown(k, pick(4))};
        if (roll < 71 && k >= 'A' && k <= 'Z')
            return {Event::character(pick(2) ? k : k + 32), Event::keyUp(k)};
        if (roll < 75) return {Event::keyUp(k)};
        if (roll < 85) return {Event::character(int(chars[pick(int(chars.size()))]))};
        if (roll < 97) return {Event::menu(commands[pick(std::size(commands))])};
        return {Event::close()};
    }
};

// A new event each time the pump runs dry, the invariants checked first.
struct SoakSource : EventSource {
    SoakRun& run;
    explicit SoakSource(SoakRun& r) : run(r) {}
    void waitForEvents(EventPump& pump) override {
        if (run.program) run.checkInvariants(), ++run.modes[run.mode()];
        if (run.delivered++ >= run.budget) throw SoakDone{};
        for (Event& e : run.next()) pump.post(std::move(e));
    }
};

class Soak : public ::testing::TestWithParam<unsigned> {};

TEST_P(Soak, RandomInputKeepsEveryInvariant) {
    const char *s = std::getenv("ZG_SOAK_SEED"), *n = std::getenv("ZG_SOAK_EVENTS");
    const unsigned seed = s ? unsigned(std::atol(s)) : GetParam();
    SoakRun run{std::mt19937(seed), n ? std::atol(n) : 5000, 0, nullptr, {}};
    std::map<std::string, std::vector<unsigned char>> disk;  // outlives each run of the game
    for (bool running = true; running; run.program = nullptr) {
        test::TestProgram t(std::make_unique<SeededRandom>(run.rng()),
                            std::make_unique<SoakSource>(run), disk);
        for (int level = 0; level < 4; ++level)
            t.files->files[dataFile(t.p(), collectionFile(level))] =
                test::readDataFile(collectionFile(level));
        // "&NEIN" mostly, "&JA" now and then; a box with one button gets it.
        t.questions->orElse = [&run](const std::string& captions) {
            return captions.find('|') == std::string::npos || run.pick(20) == 0 ? 1 : 2;
        };
        run.program = &t.p();
        try {
            mainEventLoop(t.p());
        } catch (const ProgramExit&) {
            disk = t.files->files;  // the player starts the game again
        } catch (const SoakDone&) {
            running = false;
        } catch (const std::runtime_error& broken) {
            ADD_FAILURE() << "seed " << seed << ", event " << run.delivered << ": "
                          << broken.what();
            running = false;
        }
    }
    EXPECT_EQ(run.delivered, run.budget + 1);
    for (const char* mode : {"idle", "play loop", "editor", "chooser", "form"})
        EXPECT_GT(run.modes[mode], 0) << "seed " << seed << " never reached " << mode;
}

INSTANTIATE_TEST_SUITE_P(Seeds, Soak, ::testing::Values(1u, 2u, 3u, 4u));

}  // namespace
}  // namespace zg
