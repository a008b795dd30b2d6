// The platform layer's own rules: which key releases reach the loops, and data files found in
// folders with names beyond ASCII.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/data_path.h"
#include "platform/key_filter.h"
#ifdef _WIN32
#include "platform/win32/win32_file_io.h"
#else
#include "files/file_io.h"
#endif

namespace zg {
namespace {

namespace fs = std::filesystem;

// Each step is a press or a release of a key (its scan code and virtual key) with Alt held or
// not; a release says whether it is a key event of the loops.
TEST(PressedKeys, OnlyReleasesOfKeysPressedHereWithoutAltReachTheLoops) {
    enum Kind { press, release, lost };  // lost: the keyboard went to a menu, form or box
    struct Step {
        Kind kind;
        std::uint32_t scan, vk;
        bool alt;
        bool reaches;  // release: a key event of the loops
    };
    const struct {
        const char* what;
        std::vector<Step> steps;
    } cases[] = {
        {"a plain key", {{press, 30, 'A', false, false}, {release, 30, 'A', false, true}}},
        {"pressed elsewhere", {{release, 30, 'A', false, false}}},
        {"released with Alt held, then released again from a menu",
         {{press, 45, 'X', false, false},
          {release, 45, 'X', true, false},
          {release, 45, 'X', false, false}}},
        {"pressed with Alt held",
         {{press, 45, 'X', true, false}, {release, 45, 'X', false, false}}},
        {"Alt pressed while the key is held",
         {{press, 45, 'X', false, false},
          {press, 45, 'X', true, false},
          {release, 45, 'X', false, false}}},
        {"the keyboard taken away",
         {{press, 30, 'A', false, false},
          {lost, 0, 0, false, false},
          {release, 30, 'A', false, false}}},
        {"scan code 0: keys told apart by their virtual key",
         {{press, 0, 'A', false, false},
          {release, 0, 'B', false, false},
          {release, 0, 'A', false, true}}},
        {"a scan code and a virtual key of the same number are two keys",
         {{press, 0, 30, false, false},
          {release, 30, 'A', false, false},
          {release, 0, 30, false, true}}},
        {"Shift+1 and 1: one physical key",
         {{press, 10, '!', false, false}, {release, 10, '1', false, true}}},
        {"held twice (auto-repeat), released once",
         {{press, 30, 'A', false, false},
          {press, 30, 'A', false, false},
          {release, 30, 'A', false, true},
          {release, 30, 'A', false, false}}},
    };
    for (const auto& c : cases) {
        PressedKeys keys;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const Step& s = c.steps[i];
            const PressedKeys::Key key = PressedKeys::keyOf(s.scan, s.vk);
            if (s.kind == press) keys.pressed(key, s.alt);
            if (s.kind == lost) keys.clear();
            if (s.kind == release) {
                EXPECT_EQ(keys.released(key, s.alt), s.reaches) << c.what << ", step " << i;
            }
        }
        EXPECT_TRUE(keys.empty()) << c.what;
    }
}

// A folder made by its name in the system's own encoding, not through the code under test.
fs::path nativeFolder(const fs::path& base, const wchar_t* wide, const char* utf8) {
#ifdef _WIN32
    (void)utf8;
    return base / fs::path(std::wstring(wide));
#else
    (void)wide;
    return base / fs::path(std::string(utf8));
#endif
}

// The game started from such a folder, the working folder elsewhere: the collections beside
// the game are found, and the name found opens with the game's own file calls.
TEST(DataPath, CollectionsAreFoundInFoldersWithNamesBeyondAscii) {
    const fs::path base = fs::temp_directory_path() / "zg_data_path_test";
    fs::remove_all(base);
    const struct {
        const wchar_t* wide;
        const char* utf8;
    } names[] = {{L"J\u00fcrgen", "J\xc3\xbcrgen"},
                 {L"\u0141\u00f3d\u017a", "\xc5\x81\xc3\xb3\x64\xc5\xba"},
                 {L"\u6771\u4eac", "\xe6\x9d\xb1\xe4\xba\xac"}};
#ifdef _WIN32
    Win32FileIo files;
#else
    PosixFileIo files;
#endif
    for (const auto& n : names) {
        const fs::path folder = nativeFolder(base, n.wide, n.utf8) / "data";
        fs::create_directories(folder);
        std::ofstream(folder / "leicht.zgb", std::ios::binary) << n.utf8;
        const std::string dir = utf8FromPath(base) + "/" + n.utf8 + "/data";
        EXPECT_EQ(utf8FromPath(pathFromUtf8(dir)), dir) << n.utf8;
        const std::string found = resolveDataFile("leicht.zgb", {utf8FromPath(base), dir});
        EXPECT_NE(found.find(n.utf8), std::string::npos) << found;
        std::vector<unsigned char> bytes;
        ASSERT_EQ(files.readAll(found, bytes, 1000), ReadStatus::ok) << found;
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), n.utf8);
    }
    EXPECT_EQ(resolveDataFile("mittel.zgb", {utf8FromPath(base)}), "mittel.zgb");  // none
    fs::remove_all(base);
}

}  // namespace
}  // namespace zg
