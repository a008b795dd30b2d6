// A timed game from "&Neues Spiel" to the hall of fame, the clock's label while it runs, and
// every way a timed game is abandoned.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "engine/rules.h"
#include "engine/shuffle.h"
#include "files/board_file.h"
#include "halloffame/records.h"
#include "panels/clock_panel.h"
#include "play/new_game.h"
#include "play_support.h"

namespace zg {
namespace {

// The record's number first, then a seeded sequence for the shuffle.
class RecordThenSeeded : public Random {
  public:
    int operator()(int n) override {
        requests.push_back(n);
        return requests.size() == 1 ? 2 % n : rest_(n);
    }
    std::vector<int> requests;

  private:
    SeededRandom rest_{11};
};

// What "&Neues Spiel" must show (record 2 of the easy collection, shuffled by the same
// sequence), and its open cells with their values in the solution.
BoardModel expectedGame() {
    BoardModel m = test::collectionBoard(0, 2);
    SeededRandom random(11);
    shuffleBoard(m, random);
    return m;
}
std::vector<std::array<int, 3>> entries(const BoardModel& game) {
    BoardModel solved = game;
    ClockState clock;
    NullView view;
    solveCommand(solved, clock, view);
    std::vector<std::array<int, 3>> out;
    for (int i = 0; i < 36; ++i)
        if (game.board.at(i % 6 + 1, i / 6 + 1) == 0)
            out.push_back({i % 6 + 1, i / 6 + 1, solved.board.at(i % 6 + 1, i / 6 + 1)});
    return out;
}

// A program whose "&Neues Spiel" finds every collection.
struct TimedSession : test::Session {
    TimedSession() : Session({}, std::make_unique<RecordThenSeeded>()) {
        for (int level = 0; level < 4; ++level)
            t.files->files[dataFile(p(), collectionFile(level))] =
                test::readDataFile(collectionFile(level));
    }
    std::string label() { return p().panels.uhr->text(); }
    // The clock reads seconds from the moment the script gets here; a worker turn then.
    void turnAt(double seconds) {
        pl.then([this, seconds] {
            t.time->now = seconds;
            p().panels.clockWorker->fire();
        });
    }
    void newGame() {
        pl.abortButton();
        t.menu(cmd::kNewGame);
        EXPECT_EQ(t.events->remaining(), 0u);
    }
};

class TimedGame : public ::testing::Test, public TimedSession {};

TEST_F(TimedGame, FromNewGameToTheHallOfFameOnce) {
    const BoardModel game = expectedGame();
    const auto cells = entries(game);
    ASSERT_GE(cells.size(), 2u);
    pl.then([&] {
        EXPECT_EQ(p().panels.givenCount, countGivens(game));
        EXPECT_EQ(dynamic_cast<RecordThenSeeded&>(p().random()).requests.front(), kRecordCount);
        EXPECT_EQ(p().files.boardFileName, dataFile(p(), "leicht.zgb"));
        EXPECT_EQ(m().board, game.board);
        EXPECT_EQ(m().givens, game.givens);
        EXPECT_EQ(label(), kClockZero);
        EXPECT_TRUE(p().panels.clockWorker->running());
    });
    turnAt(1030.0);
    pl.then([&] { EXPECT_EQ(label(), " 00:00:30"); });
    for (std::size_t i = 0; i + 1 < cells.size(); ++i)
        pl.enter(cells[i][0], cells[i][1], cells[i][2]);
    std::string labelDuringPrompt;
    pl.then([&] { t.time->now = 1065.24; });
    const auto& last = cells.back();
    pl.enter(last[0], last[1], last[2]);
    pl.then([&] {
        labelDuringPrompt = label();
        test::visibleForm(p(), "champ")->findChild<QLineEdit*>("ed1")->setText("Tester");
        test::clickControl(p(), "champ", "cmd5");
    });
    pl.then([&] { test::clickControl(p(), "ruhm", "cmd3"); });
    pl.then([&] {
        EXPECT_EQ(p().clock.finalTime, "00:01:05.2");
        EXPECT_FALSE(p().clock.clockRunning);
        EXPECT_EQ(label(), kClockIdle);
    });
    // Still in the loop: emptying and refilling a cell solves again, without a record.
    pl.rightOnCell(last[0], last[1]);
    pl.enter(last[0], last[1], last[2]);
    newGame();
    EXPECT_EQ(labelDuringPrompt, "00:01:05.2");
    EXPECT_EQ(p().hall.fameNames[0][1], "Tester");
    EXPECT_EQ(p().hall.fameTimes[0][1], "00:01:05.2");
    EXPECT_EQ(p().hall.fameDates[0][1], "07.12.2026");
    EXPECT_EQ(t.files->files.count(kHallOfFameFile), 1u);
}

TEST_F(TimedGame, TheLabelShowsWholeSecondsSkipsBusyTurnsAndWrapsAfter99Hours) {
    struct Turn {
        double at;
        bool busy;  // the chooser is drawing
        const char* label;
    };
    const Turn turns[] = {{1000.5, false, kClockZero},    {1001.0, false, " 00:00:01"},
                          {1002.0, true, " 00:00:01"},    {1002.0, false, " 00:00:02"},
                          {360999.5, false, " 99:59:59"}, {361061.0, false, " 00:01:01"}};
    pl.then([&] {
        for (const Turn& turn : turns) {
            t.time->now = turn.at;
            p().view.drawingBusy = turn.busy;
            p().panels.clockWorker->fire();
            EXPECT_EQ(label(), turn.label) << turn.at;
        }
    });
    newGame();
    EXPECT_EQ(label(), kClockIdle);
}

// Each way of abandoning a timed game stops the clock: no record, and a turn of the worker
// overdue from before the stop writes no running time.
TEST(Abandoning, StopsTheClockWithoutARecord) {
    using Open = std::array<int, 3>;
    struct Case {
        const char* name;
        std::function<void(TimedSession&)> act;
        const char* labelAfter;  // nullptr: the last running text stays
        bool endsGame;           // after the 200 ms that let the worker see the stop
    };
    const Open o = entries(expectedGame()).front();
    const Case cases[] = {
        {"Escape", [&](auto& g) { g.pl.leftOnCell(o[0], o[1]), g.pl.type(27, vk::kEscape); },
         nullptr, false},
        {"A", [](auto& g) { g.pl.release('A'); }, nullptr, true},
        {"Abbruch", [](auto& g) { g.pl.abortButton(); }, kClockIdle, true},
        {"M", [](auto& g) { g.pl.release('M'); }, kClockIdle, false},
        {"K then O", [](auto& g) { g.pl.release('K'), g.pl.release('O'); }, kClockIdle, false},
        {"loading",
         [](auto& g) {
             g.pl.release('L'), g.pl.then([&g] { test::clickControl(g.p(), "frm1", "opt1"); });
         },
         kClockIdle, false},
        {"candidates shown",
         [&](auto& g) {
             g.pl.then([&g] { g.m().showCandidates = true; }), g.pl.enter(o[0], o[1], o[2]);
         },
         kClockIdle, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TimedSession g;
        g.t.files->files[kPlayerBoardFile] = test::readDataFile("leicht.zgb");
        g.turnAt(1003.0);
        c.act(g);
        const std::string after = c.labelAfter ? c.labelAfter : " 00:00:03";
        const auto stopped = [&] {
            EXPECT_FALSE(g.p().clock.clockRunning);
            EXPECT_EQ(g.label(), after);
            EXPECT_DOUBLE_EQ(g.t.time->now, c.endsGame ? 1003.2 : 1003.0);
            g.t.time->now += 1.0;  // a turn overdue from before the stop, in a later second
            g.p().panels.clockWorker->fire();
            EXPECT_EQ(g.label(), after);
            EXPECT_FALSE(g.p().panels.clockWorker->running());
        };
        if (c.endsGame) {
            g.t.menu(cmd::kNewGame);
            EXPECT_EQ(g.t.events->remaining(), 0u);
            stopped();
            continue;
        }
        g.pl.then(stopped);
        g.pl.release('K');  // solving the board now leads nowhere near the hall of fame
        g.pl.release('O');
        g.pl.then([&] { EXPECT_EQ(g.m().statusText, kStatusSolved); });
        g.newGame();
        EXPECT_EQ(g.p().hall.fameTimes[0][1], kEmptyTime);
        EXPECT_EQ(g.t.files->files.count(kHallOfFameFile), 0u);
    }
}

// Without its collection the level's game cannot be new: the player is told, and the game
// goes on with the board it had, shuffled as every new game is.
TEST(NewGameTest, AMissingCollectionIsReportedAndTheBoardStays) {
    test::Session s({{1, 1}, {6, 6}});
    s.m().level = 2;
    s.m().candidateMarks.at(1, 1, 1) = true;
    s.pl.then([&] {
        EXPECT_EQ(s.m().candidateMarks, Marks{});  // a new game all the same
        EXPECT_EQ(s.t.questions->messages, std::vector{missingCollectionText("schwer.zgb")});
        EXPECT_EQ(countGivens(s.m()), 34);
        EXPECT_TRUE(s.p().clock.clockRunning);
    });
    s.pl.abortButton();
    s.run(cmd::kNewGame);
    EXPECT_FALSE(s.p().clock.clockRunning);
}

}  // namespace
}  // namespace zg
