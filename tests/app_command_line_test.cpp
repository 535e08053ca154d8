// The command line as a user types it: the program's own options, GLUT's, and what is neither,
// each with what the program writes and the status it ends with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "process.h"

namespace {

const std::string Exe = SPRING_CHAIN_EXE;
const std::string Example = readFile(std::string(TRANSCRIPT_DIR) + "/../../examples/"
                                                                   "two_masses_typed_start.txt");
const std::string Transcript =
    readFile(std::string(TRANSCRIPT_DIR) + "/two_masses_typed_start.out");

struct OptionCase {
    const char* name;
    std::vector<std::string> args;
    const char* language; // SPRING_CHAIN_LANG, or null
    bool dialogue;        // the example dialogue on standard input
    int status;
    const char* out; // what standard output starts with ("" for nothing)
    const char* err; // standard error, whole
};

void PrintTo(const OptionCase& c, std::ostream* out) {
    *out << c.name;
}

const char* const NoDisplay = "ウィンドウを開く画面（ディスプレイ）に接続できないため終了します\n";

class CommandLine : public ::testing::TestWithParam<OptionCase> {};

TEST_P(CommandLine, WritesAndEndsAsAUserExpects) {
    const OptionCase c = GetParam();
    ProcessSetup setup;
    setup.args = c.args;
    setup.input = c.dialogue ? Example : "";
    setup.env = {{"LANG", "C.UTF-8"}};
    if (c.language != nullptr) {
        setup.env.emplace_back("SPRING_CHAIN_LANG", c.language);
    }
    const ProcessRun run = runProcess(Exe, setup);
    EXPECT_EQ(run.exitStatus, c.status);
    EXPECT_EQ(run.out.substr(0, std::string(c.out).size()), c.out) << run.out;
    if (*c.out == '\0') {
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(run.err, c.err);
}

INSTANTIATE_TEST_SUITE_P(
    Options, CommandLine,
    ::testing::Values(
        OptionCase{"Help", {"--help"}, nullptr, true, 0, "書式\n  spring-chain [--lang=en|ja]", ""},
        OptionCase{"ShortHelp", {"-h"}, nullptr, false, 0, "書式\n", ""},
        OptionCase{"HelpInEnglish", {"--lang=en", "--help"}, nullptr, false, 0, "SYNOPSIS\n", ""},
        OptionCase{"HelpInTheEnvironmentsLanguage", {"--help"}, "en", false, 0, "SYNOPSIS\n", ""},
        OptionCase{"OptionOverEnvironment", {"--lang", "ja", "-h"}, "en", false, 0, "書式\n", ""},
        OptionCase{"Version",
                   {"--version"},
                   nullptr,
                   false,
                   0,
                   "spring-chain " SPRING_CHAIN_VERSION "\n",
                   ""},
        OptionCase{
            "UnknownOption",
            {"--foo"},
            nullptr,
            true,
            2,
            "",
            "spring-chain: 「--foo」というオプションはありません。使い方は spring-chain --help "
            "で表示します\n"},
        OptionCase{"UnknownOptionInEnglish",
                   {"--lang=en", "-x"},
                   nullptr,
                   true,
                   2,
                   "",
                   "spring-chain: unknown option '-x' (spring-chain --help lists the options)\n"},
        OptionCase{"DialogueFileAsArgument",
                   {"lab.txt"},
                   nullptr,
                   false,
                   2,
                   "",
                   "spring-chain: 引数「lab.txt」は受け付けません。対話のファイルは spring-chain < "
                   "lab.txt のように標準入力から渡します\n"},
        OptionCase{"EndOfOptionsThenStandardInput",
                   {"--"},
                   nullptr,
                   true,
                   1,
                   "\n(1) 自由度設定",
                   NoDisplay},
        OptionCase{"AnythingAfterEndOfOptionsIsAnArgument",
                   {"--", "--help"},
                   nullptr,
                   false,
                   2,
                   "",
                   "spring-chain: 引数「--help」は受け付けません。対話のファイルは spring-chain < "
                   "--help のように標準入力から渡します\n"},
        OptionCase{"DashIsStandardInput", {"-"}, nullptr, true, 1, "\n(1) 自由度設定", NoDisplay},
        OptionCase{"MissingValue",
                   {"-display"},
                   nullptr,
                   false,
                   2,
                   "",
                   "spring-chain: オプション「-display」には値が必要です。使い方は spring-chain "
                   "--help で表示します\n"},
        OptionCase{"UnknownLanguage",
                   {"--lang=fr"},
                   nullptr,
                   false,
                   2,
                   "",
                   "spring-chain: 言語「fr」はありません。en（英語）か ja（日本語）を指定します\n"
                   "spring-chain: unknown language 'fr': use en (English) or ja (Japanese)\n"},
        // A wrong --lang is told first in the language that SPRING_CHAIN_LANG chose.
        OptionCase{"UnknownLanguageToAnEnglishReader",
                   {"--lang=english-please", "--lang", "fr"},
                   "en_GB.UTF-8",
                   false,
                   2,
                   "",
                   "spring-chain: unknown language 'fr': use en (English) or ja (Japanese)\n"
                   "spring-chain: 言語「fr」はありません。en（英語）か ja（日本語）を指定します\n"},
        // A language is named by its first two letters, case ignored; the last --lang wins.
        OptionCase{
            "CapitalsAndLongNames", {"--lang=EN", "-h"}, nullptr, false, 0, "SYNOPSIS\n", ""},
        OptionCase{
            "EnglishSpelledOut", {"--lang", "english", "-h"}, nullptr, false, 0, "SYNOPSIS\n", ""},
        OptionCase{
            "LastLanguageWins", {"--lang=en", "-h", "--lang=JA"}, nullptr, false, 0, "書式\n", ""},
        OptionCase{"LastLanguageWinsBack",
                   {"--lang=ja", "--lang", "En"},
                   "ja",
                   true,
                   1,
                   "\n(1) Number of masses",
                   "Cannot open the window: there is no X display (DISPLAY is not set, or no X "
                   "server answers at it). The program ends\n"},
        OptionCase{"LocaleNameInTheEnvironment", {"-h"}, "en_US.UTF-8", false, 0, "SYNOPSIS\n", ""},
        OptionCase{"CapitalsInTheEnvironment", {"-h"}, "EN", false, 0, "SYNOPSIS\n", ""},
        OptionCase{"UnknownLanguageInTheEnvironment",
                   {},
                   "fr",
                   true,
                   1,
                   "\n(1) 自由度設定",
                   "spring-chain: SPRING_CHAIN_LANG=fr は en でも ja "
                   "でもないため、日本語で表示します\n"
                   "spring-chain: SPRING_CHAIN_LANG=fr names neither English (en) nor Japanese "
                   "(ja): using Japanese\n"
                   "ウィンドウを開く画面（ディスプレイ）に接続できないため終了します\n"},
        OptionCase{"GlutsOptionsAsToday",
                   {"-iconic", "-sync", "-gldebug", "-direct", "-indirect", "-geometry", "600x400"},
                   nullptr,
                   true,
                   1,
                   "\n(1) 自由度設定",
                   NoDisplay},
        OptionCase{"DisplayNamed",
                   {"-display", ":97"},
                   nullptr,
                   true,
                   1,
                   "\n(1) 自由度設定",
                   "ウィンドウを開く画面（ディスプレイ :97）に接続できないため終了します\n"}),
    [](const ::testing::TestParamInfo<OptionCase>& info) { return std::string(info.param.name); });

// Options change nothing of the dialogue itself.
TEST(CommandLine, GlutsOptionsLeaveTheDialogueAsItWas) {
    ProcessSetup setup;
    setup.args = {"-geometry", "600x400", "-iconic"};
    setup.input = Example;
    setup.env = {{"LANG", "C.UTF-8"}};
    EXPECT_EQ(runProcess(Exe, setup).out, Transcript);
}

} // namespace
