// The platform layer's key releases, data files in folders with names beyond ASCII, and what a
// screen reader is told as the scene changes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/accessibility.h"
#include "platform/data_path.h"
#include "platform/key_filter.h"
#include "support/fixtures.h"

namespace zg {
namespace {

namespace fs = std::filesystem;

// Steps: press +, release -, loop key =; scan/vk ("#" number), "a" Alt held; "!" focus gone.
TEST(PressedKeys, OnlyReleasesOfKeysPressedHereWithoutAltReachTheLoops) {
    const std::pair<const char*, const char*> cases[] = {
        {"a plain key", "+30/A =30/A"},
        {"pressed elsewhere", "-30/A"},
        {"released with Alt held, then released again from a menu", "+45/X -45/Xa -45/X"},
        {"pressed with Alt held", "+45/Xa -45/X"},
        {"Alt pressed while the key is held", "+45/X +45/Xa -45/X"},
        {"the keyboard taken away", "+30/A ! -30/A"},
        {"scan code 0: keys told apart by their virtual key", "+0/A -0/B =0/A"},
        {"a scan code and a virtual key of the same number are two keys", "+0/#30 -30/A =0/#30"},
        {"Shift+1 and 1: one physical key", "+10/! =10/1"},
        {"held twice (auto-repeat), released once", "+30/A +30/A =30/A -30/A"},
    };
    for (const auto& [what, steps] : cases) {
        PressedKeys keys;
        std::istringstream in(steps);
        for (std::string s; in >> s;) {
            if (s == "!") {
                keys.clear();
                continue;
            }
            const std::size_t slash = s.find('/');
            const auto scan = static_cast<std::uint32_t>(std::stoul(s.substr(1, slash - 1)));
            const auto vk = static_cast<std::uint32_t>(
                s[slash + 1] == '#' ? std::stoul(s.substr(slash + 2)) : s[slash + 1]);
            const PressedKeys::Key key = PressedKeys::keyOf(scan, vk);
            const bool alt = s.back() == 'a';
            if (s[0] == '+')
                keys.pressed(key, alt);
            else
                EXPECT_EQ(keys.released(key, alt), s[0] == '=') << what << ": " << s;
        }
        EXPECT_TRUE(keys.empty()) << what;
    }
}

// Collections in folders with non-ASCII names are found and opened; the working folder's first.
TEST(DataPath, CollectionsAreFoundInFoldersWithNamesBeyondAscii) {
    const fs::path base = test::freshTempPath("zg_data_path_test");
    const std::pair<const wchar_t*, const char*> names[] = {
        {L"J\u00fcrgen", "J\xc3\xbcrgen"},
        {L"\u0141\u00f3d\u017a", "\xc5\x81\xc3\xb3\x64\xc5\xba"},
        {L"\u6771\u4eac", "\xe6\x9d\xb1\xe4\xba\xac"}};
    test::RealFileIo files;
    for (const auto& [wide, utf8] : names) {
        // Made by its name in the system's own encoding, not through the code under test.
#ifdef _WIN32
        const fs::path folder = base / fs::path(std::wstring(wide)) / "data";
#else
        const fs::path folder = base / fs::path(std::string(utf8)) / "data";
#endif
        fs::create_directories(folder);
        std::ofstream(folder / "leicht.zgb", std::ios::binary) << utf8;
        const std::string dir = utf8FromPath(base) + "/" + utf8 + "/data";
        EXPECT_EQ(utf8FromPath(pathFromUtf8(dir)), dir) << utf8;
        const std::string found = resolveDataFile("leicht.zgb", {utf8FromPath(base), dir});
        EXPECT_NE(found.find(utf8), std::string::npos) << found;
        std::vector<unsigned char> bytes;
        ASSERT_EQ(files.readAll(found, bytes, 1000), ReadStatus::ok) << found;
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), utf8);
        const fs::path old = fs::current_path();
        fs::current_path(folder);  // the working folder's own file comes first
        EXPECT_EQ(resolveDataFile("leicht.zgb", {dir}), "leicht.zgb");
        fs::current_path(old);
    }
    EXPECT_EQ(resolveDataFile("mittel.zgb", {utf8FromPath(base)}), "mittel.zgb");  // none
    fs::remove_all(base);
}

// Step by step from the last: what changed, as "change kind index", announced ones marked "!".
TEST(ToldScene, EachChangeIsToldOnceTheFocusWhenItMovedNothingBeforeAnyoneAsked) {
    AccessibleScene now;
    now.panels = {{"Statistik", {}}, {"Status: a", {}, true}};
    now.buttons = {{"Laden", {}}, {"Sichern", {}}};
    ToldScene told([&now] { return now; });
    EXPECT_TRUE(told.refresh().empty());
    EXPECT_FALSE(told.asked());  // nothing described before a screen reader asks
    told.scene();
    const std::pair<void (*)(AccessibleScene&), const char*> steps[] = {
        {[](AccessibleScene& s) { s.board.rect.x = 5; }, ""},
        {[](AccessibleScene& s) { s.cells[3].name = "3", s.focusedCell = 8; },
         "renamed cell 3, focused cell 8, "},
        {[](AccessibleScene& s) { s.panels[1].name = "Status: b"; }, "renamed panel 1!, "},
        {[](AccessibleScene& s) { s.buttons.resize(1), s.buttons[0].name = "Abbruch"; },
         "renamed button 0, destroyed button 1, "},
        {[](AccessibleScene& s) { s.buttons.emplace_back().name = "Hilfe"; }, "created button 1, "},
        {[](AccessibleScene& s) { s.chooserItems.resize(6), s.chooserSelected = 2; },
         "created chooser 0, focused chooserItem 2, "},
        {[](AccessibleScene& s) { s.chooserItems[4].name = "E"; }, "renamed chooserItem 4, "},
        {[](AccessibleScene& s) { s.chooserItems.clear(), s.chooserSelected = -1; },
         "destroyed chooser 0, focused cell 8, "},
        {[](AccessibleScene& s) { s.focusedCell = -1; }, ""},
    };
    const char* kinds[] = {"client", "table", "cell", "panel", "button", "chooser", "chooserItem"};
    const char* types[] = {"renamed", "created", "destroyed", "focused"};
    for (const auto& [step, expected] : steps) {
        step(now);
        std::string got;
        for (const AccessibleChange& c : told.refresh())
            got += std::string(types[static_cast<int>(c.type)]) + " " +
                   kinds[static_cast<int>(c.item.kind)] + " " + std::to_string(c.item.index) +
                   (c.announced ? "!, " : ", ");
        EXPECT_EQ(got, expected);
    }
}

}  // namespace
}  // namespace zg
