// Shutdown: exit statuses and the exit routine, by child processes; releaseSharedState itself.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/application.h"
#include "generators/composers.h"
#include "generators/table_pick.h"
#include "generators/word_tables.h"

extern char** environ;

namespace {

struct Outcome {
    bool exited = false;
    int status = -1;  // the exit status, 0 to 255
    std::string out;
    std::string err;
};

std::string readWhole(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The environment less the given names, plus the given NAME=value settings.
std::vector<std::string> environmentWith(const std::vector<std::string>& remove,
                                         const std::vector<std::string>& add) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry) {
        const std::string setting = *entry;
        const std::string name = setting.substr(0, setting.find('='));
        bool dropped = false;
        for (const std::string& r : remove) {
            dropped = dropped || name == r;
        }
        for (const std::string& a : add) {
            dropped = dropped || name == a.substr(0, a.find('='));
        }
        if (!dropped) {
            result.push_back(setting);
        }
    }
    result.insert(result.end(), add.begin(), add.end());
    return result;
}

// Runs the program with its outputs in files. A child that hangs is killed after a generous
// while, so that a broken shutdown fails the test instead of stalling it.
Outcome run(const std::string& program, const std::vector<std::string>& arguments,
            const std::vector<std::string>& environment) {
    char directory[] = "/tmp/novel-shutdown-XXXXXX";
    if (!mkdtemp(directory)) {
        ADD_FAILURE() << "mkdtemp";
        return {};
    }
    const std::string outPath = std::string(directory) + "/out";
    const std::string errPath = std::string(directory) + "/err";

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    std::vector<std::string> argvStrings{program};
    argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : argvStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStrings = environment;
    std::vector<char*> envp;
    for (std::string& e : envStrings)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    Outcome outcome;
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << program;
        return outcome;
    }
    int wait = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (waitpid(child, &wait, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &wait, 0);
            ADD_FAILURE() << program << " did not end and was killed";
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    outcome.exited = WIFEXITED(wait);
    outcome.status = outcome.exited ? WEXITSTATUS(wait) : -1;
    outcome.out = readWhole(outPath);
    outcome.err = readWhole(errPath);
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
    rmdir(directory);
    return outcome;
}

std::vector<std::string> offscreen() { return environmentWith({}, {"QT_QPA_PLATFORM=offscreen"}); }

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST(Shutdown, ProbeModesEndWithTheirStatusAndTheExitRoutineAsDescribed) {
    struct Case {
        const char* mode;
        int status;
        std::vector<std::string> said;  // on standard output, in this order
        std::vector<std::string> notSaid;
    };
    const std::vector<std::string> normalEnd = {"shared texts released",
                                                "exit routine cleared after the loop",
                                                "runApplication returned 0"};
    const Case cases[] = {
        {"esc", 0, normalEnd, {"still open"}},
        {"close", 0, normalEnd, {"still open"}},
        {"weapons-then-close",
         0,
         {"lines 3", "shared texts released", "exit routine cleared after the loop",
          "runApplication returned 0"},
         {"still open", "still held"}},
        {"check-exit-routine",
         0,
         {"exit routine is releaseSharedState", "exit routine cleared after the loop",
          "runApplication returned 0"},
         {"something else"}},
        {"count",
         0,
         {"exit routine ran 1", "click delivered: no", "text change delivered: no",
          "loop returned 0 after 1 run(s) of the exit routine"},
         {"exit routine ran 2", "delivered: yes"}},
        {"bad-layout", 255, {}, {"exit routine ran", "loaded"}},
        {"bad-page", 255, {}, {"exit routine ran", "loaded"}},
        {"bad-parent", 255, {}, {"exit routine ran", "loaded"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        const Outcome outcome = run(SHUTDOWN_PROBE, {c.mode}, offscreen());
        ASSERT_TRUE(outcome.exited) << outcome.err;
        EXPECT_EQ(outcome.status, c.status) << outcome.out << outcome.err;
        std::size_t from = 0;
        for (const std::string& line : c.said) {
            const std::size_t at = outcome.out.find(line, from);
            EXPECT_NE(at, std::string::npos) << "\"" << line << "\" in order in:\n" << outcome.out;
            from = at == std::string::npos ? from : at + line.size();
        }
        for (const std::string& line : c.notSaid) {
            EXPECT_FALSE(contains(outcome.out, line)) << outcome.out;
        }
        EXPECT_EQ(contains(outcome.err, "novel-helper: fatal error"), c.status == 255)
            << outcome.err;
    }
}

// No display to open is a fatal error of the real program: exit code -1, whether the X11
// platform is named or chosen by default.
TEST(Shutdown, ProgramWithoutADisplayEndsWithStatus255) {
    const std::vector<std::string> displays = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    const std::vector<std::vector<std::string>> settings = {{"QT_QPA_PLATFORM=xcb"}, {}};
    for (const std::vector<std::string>& add : settings) {
        SCOPED_TRACE(add.empty() ? "default platform" : add.front());
        const Outcome outcome = run(NOVEL_HELPER, {}, environmentWith(displays, add));
        ASSERT_TRUE(outcome.exited) << outcome.err;
        EXPECT_EQ(outcome.status, 255) << outcome.err;
        EXPECT_TRUE(contains(outcome.err, "novel-helper: fatal error")) << outcome.err;
        EXPECT_EQ(outcome.out, "");
    }
}

// releaseSharedState frees what the texts own and leaves the slots, which point into the
// constant tables, as they are.
TEST(ReleaseSharedState, FreesTheOwnedTextsAndLeavesSlotsAlone) {
    const std::string longText(4096, 'x');
    std::string* texts[] = {&customSurname, &nameResult, &weaponResult, &techniqueResult};
    for (std::string* text : texts) {
        *text = longText;
    }
    std::string_view* slots[] = {
        &raceSlot,          &rankSlot,    &epithetSlot,         &weaponKindSlot,
        &techniqueKindSlot, &surnameSlot, &compoundSurnameSlot, &maleCharSlot,
        &femaleCharSlot};
    const WordTable tables[] = {
        raceTable,          rankTable,    epithetTable,         weaponKindTable,
        techniqueKindTable, surnameTable, compoundSurnameTable, maleCharTable,
        femaleCharTable};
    for (std::size_t i = 0; i < std::size(slots); ++i) {
        *slots[i] = tables[i].back();
    }
    seedCounter = 777;
    lastDraw = 5;

    releaseSharedState();

    for (const std::string* text : texts) {
        EXPECT_TRUE(text->empty());
        EXPECT_LT(text->capacity(), 64u) << "the long buffer is freed, not only cleared";
    }
    for (std::size_t i = 0; i < std::size(slots); ++i) {
        EXPECT_EQ(slots[i]->data(), tables[i].back().data()) << i;
        EXPECT_EQ(slots[i]->size(), tables[i].back().size()) << i;
    }
    EXPECT_EQ(seedCounter, 777u);
    EXPECT_EQ(lastDraw, 5);

    releaseSharedState();  // nothing owned any more: harmless
    for (const std::string* text : texts) {
        EXPECT_TRUE(text->empty());
    }
}
