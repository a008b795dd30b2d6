// A timed game from "&Neues Spiel" to the hall of fame, the clock's label while it runs, and
// every way a timed game is abandoned.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "engine/rules.h"
#include "engine/shuffle.h"
#include "files/board_file.h"
#include "halloffame/records.h"
#include "panels/clock_panel.h"
#include "platform/data_path.h"
#include "play/new_game.h"
#include "play_support.h"
#include "view/cell_edit.h"

namespace zg {
namespace {

// The record's number first, then a seeded sequence for the shuffle.
class RecordThenSeeded : public Random {
  public:
    RecordThenSeeded(int record, std::uint64_t seed) : record_(record), rest_(seed) {}
    int operator()(int n) override {
        requests.push_back(n);
        return requests.size() == 1 ? record_ % n : rest_(n);
    }
    std::vector<int> requests;

  private:
    int record_;
    SeededRandom rest_;
};

constexpr std::uint64_t kSeed = 11;

// What "&Neues Spiel" must show: record r of the collection, shuffled by the same sequence.
BoardModel expectedGame(int level, int record) {
    BoardModel m;
    m.level = static_cast<std::int16_t>(level);
    test::MemoryFileIo io;
    io.files[collectionFile(level)] = test::dataFile(collectionFile(level));
    BoardFiles files{collectionFile(level)};
    ClockState clock;
    EXPECT_EQ(loadBoardSlot(files, m, clock, io, record), LoadResult::loaded);
    SeededRandom random(kSeed);
    shuffleBoard(m, random);
    return m;
}

class TimedGame : public ::testing::Test {
  protected:
    TimedGame() : t(makeRandom()) {
        for (int level = 0; level < 4; ++level)
            t.files->files[dataFile(p(), collectionFile(level))] =
                test::dataFile(collectionFile(level));
    }
    std::unique_ptr<Random> makeRandom() {
        auto r = std::make_unique<RecordThenSeeded>(2, kSeed);
        random = r.get();
        return r;
    }
    Program& p() { return t.p(); }
    BoardModel& m() { return p().model; }
    std::string label() { return p().panels.uhr->text(); }
    // The clock reads seconds from the moment the script gets here.
    void at(double seconds) {
        pl.then([this, seconds] { t.time->now = seconds; });
    }
    void turn() {
        pl.then([&] { p().panels.clockWorker->fire(); });
    }
    // Answers the two forms of a record as they open, noting which opened.
    void answerRecordForms(const std::string& name) {
        pl.then([this, name] {
            forms.push_back(test::visibleForm(p(), "champ") ? "champ" : "?");
            labelDuringPrompt = label();
            auto* ed1 = test::visibleForm(p(), "champ")->findChild<QLineEdit*>("ed1");
            ASSERT_NE(ed1, nullptr);
            ed1->setText(QString::fromStdString(name));
            test::clickControl(p(), "champ", "cmd5");
        });
        pl.then([this] {
            forms.push_back(test::visibleForm(p(), "ruhm") ? "ruhm" : "?");
            test::clickControl(p(), "ruhm", "cmd3");
        });
    }
    // The open cells of the new game and their values in the solution.
    std::vector<std::array<int, 3>> entries(const BoardModel& game) {
        BoardModel solved = game;
        ClockState clock;
        NullView view;
        solveCommand(solved, clock, view);
        EXPECT_EQ(solved.statusText, kStatusSolved);
        std::vector<std::array<int, 3>> out;
        for (int c = 1; c <= 6; ++c)
            for (int r = 1; r <= 6; ++r)
                if (game.board.at(c, r) == 0) out.push_back({c, r, solved.board.at(c, r)});
        return out;
    }

    RecordThenSeeded* random = nullptr;
    test::TestProgram t;
    test::Player pl{t};
    std::vector<std::string> forms;
    std::string labelDuringPrompt;
};

TEST_F(TimedGame, FromNewGameToTheHallOfFameOnce) {
    const BoardModel game = expectedGame(0, 2);
    const auto cells = entries(game);
    ASSERT_GE(cells.size(), 2u);
    pl.then([&] {
        EXPECT_EQ(random->requests.front(), 4);
        EXPECT_EQ(p().files.boardFileName, dataFile(p(), "leicht.zgb"));
        EXPECT_EQ(m().board, game.board);
        EXPECT_EQ(m().givens, game.givens);
        EXPECT_EQ(m().candidateMarks, Marks{});
        EXPECT_TRUE(p().clock.clockRunning);
        EXPECT_EQ(p().clock.finalTime, "X");
        EXPECT_EQ(label(), kClockZero);
        EXPECT_TRUE(p().panels.clockWorker->running());
    });
    at(1030.0);
    turn();
    pl.then([&] { EXPECT_EQ(label(), " 00:00:30"); });
    for (std::size_t i = 0; i + 1 < cells.size(); ++i)
        pl.enter(cells[i][0], cells[i][1], cells[i][2]);
    pl.then([&] {
        EXPECT_EQ(m().statusText, kStatusNoErrors);
        t.time->now = 1065.24;
    });
    const auto& last = cells.back();
    pl.enter(last[0], last[1], last[2]);
    answerRecordForms("Tester");
    pl.then([&] {
        EXPECT_EQ(m().statusText, kStatusSolved);
        EXPECT_EQ(p().clock.finalTime, "00:01:05.2");
        EXPECT_FALSE(p().clock.clockRunning);
        EXPECT_EQ(label(), kClockIdle);
    });
    // Still in the loop: emptying and refilling a cell solves again, without a record.
    pl.rightOnCell(last[0], last[1]);
    pl.enter(last[0], last[1], last[2]);
    turn();
    pl.then([&] {
        EXPECT_EQ(m().statusText, kStatusSolved);
        EXPECT_FALSE(p().panels.clockWorker->running());
    });
    pl.abortButton();
    t.menu(cmd::kNewGame);

    EXPECT_EQ(t.events->remaining(), 0u);
    EXPECT_EQ(forms, (std::vector<std::string>{"champ", "ruhm"}));
    EXPECT_EQ(labelDuringPrompt, "00:01:05.2");
    EXPECT_EQ(p().hall.fameNames[0][1], "Tester");
    EXPECT_EQ(p().hall.fameTimes[0][1], "00:01:05.2");
    EXPECT_EQ(p().hall.fameDates[0][1], "07.12.2026");
    EXPECT_EQ(t.files->files.count(kHallOfFameFile), 1u);
    EXPECT_FALSE(p().shell.commandRunning);
    EXPECT_TRUE(p().window.menu().isEnabled());
    EXPECT_EQ(p().panels.helpText, kHelpChooseMenu);
}

TEST_F(TimedGame, TheLabelShowsWholeSecondsSkipsBusyTurnsAndWrapsAfter99Hours) {
    pl.then([&] { EXPECT_EQ(label(), kClockZero); });
    at(1000.5);
    turn();
    pl.then([&] { EXPECT_EQ(label(), kClockZero); });
    at(1001.0);
    turn();
    pl.then([&] { EXPECT_EQ(label(), " 00:00:01"); });
    pl.then([&] {
        p().view.drawingBusy = true;  // the chooser is drawing
        t.time->now = 1002.0;
    });
    turn();
    pl.then([&] {
        EXPECT_EQ(label(), " 00:00:01");
        p().view.drawingBusy = false;
    });
    turn();
    pl.then([&] {
        EXPECT_EQ(label(), " 00:00:02");
        t.time->now = 1000.0 + 99 * 3600 + 59 * 60 + 59.5;
    });
    turn();
    pl.then([&] {
        EXPECT_EQ(label(), " 99:59:59");
        t.time->now = 1000.0 + 100 * 3600 + 61.0;
    });
    turn();
    pl.then([&] { EXPECT_EQ(label(), " 00:01:01"); });
    pl.abortButton();
    t.menu(cmd::kNewGame);
    EXPECT_EQ(t.events->remaining(), 0u);
    EXPECT_EQ(label(), kClockIdle);
}

// Each way of abandoning a timed game stops the clock: no record, the worker ends.
struct Abandon {
    const char* name;
    // Appends the player's action; game is the board the new game shows.
    std::function<void(test::Player&, Program&, const BoardModel& game)> act;
    const char* labelAfter;  // nullptr: the last running text stays
};

class Abandoning : public TimedGame, public ::testing::WithParamInterface<Abandon> {};

TEST_P(Abandoning, StopsTheClockWithoutARecord) {
    t.files->files[kPlayerBoardFile] = test::dataFile("leicht.zgb");
    at(1003.0);
    turn();
    GetParam().act(pl, p(), expectedGame(0, 2));
    pl.then([&] {
        EXPECT_FALSE(p().clock.clockRunning);
        EXPECT_EQ(label(), GetParam().labelAfter ? GetParam().labelAfter : " 00:00:03");
        t.time->now += 1.0;  // a turn overdue from before the stop, in a later second
        p().panels.clockWorker->fire();
        EXPECT_EQ(label(), GetParam().labelAfter ? GetParam().labelAfter : " 00:00:03");
        EXPECT_FALSE(p().panels.clockWorker->running());
    });
    // Solving the board now leads nowhere near the hall of fame.
    pl.release('K');
    pl.release('O');
    pl.then([&] { EXPECT_EQ(m().statusText, kStatusSolved); });
    pl.abortButton();
    t.menu(cmd::kNewGame);
    EXPECT_EQ(t.events->remaining(), 0u);
    EXPECT_EQ(p().hall.fameTimes[0][1], kEmptyTime);
    EXPECT_EQ(t.files->files.count(kHallOfFameFile), 0u);
}

// "Abbruch" by key stops the clock but leaves its last text; the button resets the label.
TEST_F(TimedGame, AbbruchStopsTheClock) {
    at(1003.0);
    turn();
    pl.release('A');
    t.menu(cmd::kNewGame);
    EXPECT_EQ(t.events->remaining(), 0u);
    EXPECT_FALSE(p().clock.clockRunning);
    EXPECT_EQ(label(), " 00:00:03");
    p().panels.clockWorker->fire();
    EXPECT_FALSE(p().panels.clockWorker->running());
    EXPECT_DOUBLE_EQ(t.time->now, 1003.2);  // the pause that lets the worker see the stop

    at(1010.0);
    turn();
    pl.abortButton();
    t.menu(cmd::kNewGame);
    EXPECT_EQ(label(), kClockIdle);
    t.time->now += 1.0;
    p().panels.clockWorker->fire();  // overdue after the pause: the label stays
    EXPECT_EQ(label(), kClockIdle);
    EXPECT_FALSE(p().panels.clockWorker->running());
}

// An open cell of the game and its value in the solution.
std::array<int, 3> openCell(const BoardModel& game) {
    BoardModel solved = game;
    ClockState clock;
    NullView view;
    solveCommand(solved, clock, view);
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r)
            if (game.board.at(c, r) == 0) return {c, r, solved.board.at(c, r)};
    return {0, 0, 0};
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Abandoning,
    ::testing::Values(
        Abandon{"EscapeInTheChooser",
                [](test::Player& pl, Program&, const BoardModel& game) {
                    const auto cell = openCell(game);
                    pl.leftOnCell(cell[0], cell[1]);
                    pl.type(27, vk::kEscape);
                },
                nullptr},
        Abandon{"M", [](test::Player& pl, Program&, const BoardModel&) { pl.release('M'); },
                kClockIdle},
        Abandon{"KThenO",
                [](test::Player& pl, Program&, const BoardModel&) {
                    pl.release('K');
                    pl.release('O');
                },
                kClockIdle},
        Abandon{"Loading",
                [](test::Player& pl, Program& p, const BoardModel&) {
                    pl.release('L');
                    pl.then([&p] { test::clickControl(p, "frm1", "opt1"); });
                },
                kClockIdle},
        Abandon{"AnEntryWithCandidatesShown",
                [](test::Player& pl, Program& p, const BoardModel& game) {
                    pl.then([&p] { p.model.showCandidates = true; });
                    const auto cell = openCell(game);
                    pl.enter(cell[0], cell[1], cell[2]);
                },
                kClockIdle}),
    [](const ::testing::TestParamInfo<Abandon>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zg

namespace zg {
namespace {

// Without its collection the level's game cannot be new: the player is told, and the game
// goes on with the board it had.
TEST(NewGameTest, AMissingCollectionIsReportedAndTheBoardStays) {
    test::TestProgram t;
    test::Player pl{t};
    Program& p = t.p();
    test::setPuzzle(p.model, {{1, 1}, {6, 6}});
    const BoardModel before = p.model;
    p.model.level = 2;
    pl.then([&] {
        ASSERT_EQ(t.questions->messages.size(), 1u);
        EXPECT_EQ(t.questions->messages[0], missingCollectionText("schwer.zgb"));
        EXPECT_NE(t.questions->messages[0].find("\"schwer.zgb\""), std::string::npos);
        // The same puzzle, shuffled as every new game is.
        EXPECT_EQ(countGivens(p.model), countGivens(before));
        EXPECT_TRUE(p.clock.clockRunning);
    });
    pl.abortButton();
    t.menu(cmd::kNewGame);
    EXPECT_EQ(t.events->remaining(), 0u);
    EXPECT_FALSE(p.clock.clockRunning);
}

}  // namespace
}  // namespace zg
