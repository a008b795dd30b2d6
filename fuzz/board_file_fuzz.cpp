// Any bytes of any length as a board file: loading never crashes and never breaks the model.
#include <cstdint>
#include <cstdlib>

#include "files/board_file.h"
#include "support/memory_file_io.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zg::test::MemoryFileIo io;
    io.files["brett.zgb"].assign(data, data + size);
    zg::BoardFiles files{"brett.zgb"};
    for (int slot = 0; slot < zg::kRecordCount; ++slot) {
        zg::BoardModel m;
        m.board.at(1, 1) = 3;
        m.givens.at(1, 1) = 3;
        zg::BoardModel before = m;
        zg::ClockState clock;
        clock.clockRunning = true;
        zg::LoadResult result = zg::loadBoardSlot(files, m, clock, io, slot);
        if (clock.clockRunning) std::abort();
        if (result != zg::LoadResult::loaded &&
            (m.board != before.board || m.givens != before.givens ||
             m.candidateMarks != before.candidateMarks))
            std::abort();
        for (std::uint8_t b : m.board.bytes)
            if (b > 6) std::abort();
        for (int c = 1; c <= 6; ++c)
            for (int r = 1; r <= 6; ++r)
                if (m.givens.at(c, r) != 0 && m.board.at(c, r) != m.givens.at(c, r)) std::abort();
        for (int i = 0; i < 343; ++i)
            if (m.candidateMarks.items[i] && (i % 7 == 0 || (i / 7) % 7 == 0 || i / 49 == 0))
                std::abort();
        // A loaded record saved back and loaded again gives the same model.
        if (result == zg::LoadResult::loaded) {
            zg::SeededRandom random(size);
            zg::BoardFiles out{"copy.zgb"};
            if (!zg::saveBoardSlot(out, m, random, io, slot).ok) std::abort();
            zg::BoardModel again;
            if (zg::loadBoardSlot(out, again, clock, io, slot) != zg::LoadResult::loaded)
                std::abort();
            if (again.board != m.board || again.givens != m.givens ||
                again.candidateMarks != m.candidateMarks)
                std::abort();
            if (io.files["copy.zgb"].size() != static_cast<std::size_t>(zg::kBoardFileSize))
                std::abort();
        }
    }
    return 0;
}
