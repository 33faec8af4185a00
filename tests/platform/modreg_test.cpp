#include "modreg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int RunCommand(const char* name, std::vector<std::string> args) {
    std::vector<char*> argv;
    args.insert(args.begin(), name);
    for (std::string& a : args) argv.push_back(a.data());
    const TCommandEntry* entry = FindCommand(int(argv.size()), argv.data());
    return entry ? entry->run(int(argv.size()), argv.data()) : -1;
}

// A module window and a headless command may share a name: the command's predicate decides
// which argument lists are its own ("glsys --loese ..." against "glsys FILE.gls").
TEST(CommandRegistry, PredicateSplitsCommandFromModuleWindow) {
    TCommandRegistrar reg(
        {"regtest", "regtest --rechne TEXT",
         [](int argc, char** argv) { return argc >= 2 && std::string(argv[1]) == "--rechne"; },
         [](int argc, char**) { return argc; }});
    EXPECT_EQ(RunCommand("regtest", {"--rechne", "1"}), 3);
    EXPECT_EQ(RunCommand("regtest", {"aufgabe.gls"}), -1);
    EXPECT_EQ(RunCommand("regtest", {}), -1);
    EXPECT_EQ(RunCommand("unbekannt", {"--rechne"}), -1);
    bool listed = false;
    for (const TCommandEntry* e : RegisteredCommands()) listed |= e->name == "regtest";
    EXPECT_TRUE(listed);
}

TEST(CommandRegistry, EmptyPredicateTakesEveryList) {
    TCommandRegistrar reg({"regall", "regall", nullptr, [](int, char**) { return 7; }});
    EXPECT_EQ(RunCommand("regall", {}), 7);
    EXPECT_EQ(RunCommand("regall", {"x", "y"}), 7);
    EXPECT_EQ(FindCommand(0, nullptr), nullptr);
}

} // namespace
