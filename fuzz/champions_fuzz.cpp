// Any bytes as "Champions.Rhm": what is read survives a save and a second read unchanged.
#include <cstdint>
#include <cstdlib>

#include "halloffame/records.h"
#include "support/memory_file_io.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zg::test::MemoryFileIo io;
    zg::HallOfFame hall;
    hall.fileName = "Champions.Rhm";
    io.files[hall.fileName].assign(data, data + size);
    zg::loadHallOfFame(hall, io);
    if (!zg::saveHallOfFame(hall, io).ok) std::abort();
    const auto& written = io.files[hall.fileName];
    std::size_t lines = 0;
    for (std::size_t i = 0; i < written.size(); ++i)
        if (written[i] == '\n') {
            if (i == 0 || written[i - 1] != '\r') std::abort();
            ++lines;
        }
    if (lines != 120) std::abort();
    zg::HallOfFame again;
    again.fileName = hall.fileName;
    zg::loadHallOfFame(again, io);
    if (again.fameNames != hall.fameNames || again.fameDates != hall.fameDates ||
        again.fameTimes != hall.fameTimes)
        std::abort();
    return 0;
}
