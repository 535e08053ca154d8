// The dialogue as a student sees it: the real executable fed through a pipe, every byte of its
// output compared with the recorded transcript, in UTF-8 and in code page 932. No display is
// given, so after the dialogue the window cannot open; the window tests cover what follows.
#include <gtest/gtest.h>

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "process.h"

namespace {

const std::string Exe = SPRING_CHAIN_EXE;
const std::string Transcripts = TRANSCRIPT_DIR;
const std::string Examples = std::string(TRANSCRIPT_DIR) + "/../../examples";

ProcessRun runDialogue(const std::string& input, const std::string& lang = "C.UTF-8",
                       const std::vector<std::string>& args = {}) {
    ProcessSetup setup;
    setup.input = input;
    setup.args = args;
    setup.env = {{"LANG", lang}};
    return runProcess(Exe, setup);
}

std::string toCodePage932(const std::string& utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    std::string out(utf8.size() * 2, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* to = &out[0];
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(cd, &in, &inLeft, &to, &outLeft);
    iconv_close(cd);
    EXPECT_NE(rc, static_cast<std::size_t>(-1));
    out.resize(out.size() - outLeft);
    return out;
}

// The decimal numbers of a text in order, full-width digits read as ASCII ones: what a script
// reading the results of either language's transcript reads. (Whole numbers are left out: the
// prompts name their quantities differently, m1 against No. 1.)
std::vector<std::string> decimals(std::string text) {
    for (std::size_t at = text.find("\xef\xbc"); at != std::string::npos;
         at = text.find("\xef\xbc", at + 1)) {
        const unsigned char last = static_cast<unsigned char>(text[at + 2]);
        if (last >= 0x90 && last <= 0x99) {
            text.replace(at, 3, 1, static_cast<char>('0' + (last - 0x90)));
        }
    }
    std::vector<std::string> found;
    std::string number;
    for (const char c : text + " ") {
        if (std::isdigit(static_cast<unsigned char>(c)) || (c == '.' && !number.empty())) {
            number += c;
        } else if (!number.empty()) {
            if (number.find('.') != std::string::npos) {
                found.push_back(number);
            }
            number.clear();
        }
    }
    return found;
}

bool ascii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Each recorded dialogue against its transcript, in UTF-8 and in code page 932, in Japanese and
// in English: the English one ASCII only, the same bytes in every encoding, and the same numbers
// in the same order as the Japanese.
class Transcript : public ::testing::TestWithParam<const char*> {};

TEST_P(Transcript, Utf8AndCodePage932InBothLanguages) {
    const std::string name = GetParam();
    std::string input = readFile(Examples + "/" + name + ".txt");
    if (input.empty()) {
        input = readFile(Transcripts + "/" + name + ".in");
    }
    const std::string expected = readFile(Transcripts + "/" + name + ".out");
    const std::string english = readFile(Transcripts + "/" + name + ".en.out");
    ASSERT_FALSE(input.empty());
    ASSERT_FALSE(expected.empty());
    ASSERT_FALSE(english.empty());

    const ProcessRun utf8 = runDialogue(input);
    EXPECT_FALSE(utf8.timedOut);
    EXPECT_EQ(utf8.out, expected);
    // No display: the tables, then the same word as at a terminal, not GLUT's.
    EXPECT_EQ(utf8.exitStatus, 1);
    EXPECT_EQ(utf8.err, "ウィンドウを開く画面（ディスプレイ）に接続できないため終了します\n");
    for (const char* lang : {"ja_JP.SJIS", "ja_JP.CP932", "ja_JP.Shift_JIS"}) {
        const ProcessRun sjis = runDialogue(input, lang);
        EXPECT_EQ(sjis.out, toCodePage932(expected)) << lang;
    }

    EXPECT_TRUE(ascii(english));
    EXPECT_EQ(decimals(english), decimals(expected));
    EXPECT_FALSE(decimals(expected).empty());
    for (const char* lang : {"C.UTF-8", "ja_JP.SJIS"}) {
        const ProcessRun run = runDialogue(input, lang, {"--lang=en"});
        EXPECT_EQ(run.out, english) << lang;
        EXPECT_EQ(run.err, "Cannot open the window: there is no X display (DISPLAY is not set, or "
                           "no X server answers at it). The program ends\n");
    }
}

INSTANTIATE_TEST_SUITE_P(Dialogues, Transcript,
                         ::testing::Values("two_masses_typed_start", "three_masses_mode_start",
                                           "unequal_masses", "twenty_masses_mode_start",
                                           "split_chain", "free_ends", "six_masses_plucked",
                                           "bad_input", "bad_mode_number"));

// The English transcripts in the words of an English textbook, never in the program's own
// symbols; the chart's reference amplitude named for the start that was made.
TEST(EnglishTranscript, TextbookWordsAndTrueReference) {
    const auto read = [](const char* name) {
        return readFile(Transcripts + "/" + name + ".en.out");
    };
    for (const char* name : {"two_masses_typed_start", "three_masses_mode_start", "bad_input"}) {
        const std::string english = read(name);
        for (const char* jargon : {"nfree", "DOF", "omega0", "ddy", "ddt"}) {
            EXPECT_EQ(english.find(jargon), std::string::npos) << name << ": " << jargon;
        }
        for (const char* term :
             {"Number of masses n (1 to 20) = ", "m1 [kg] = ", "K1 [N/m] = ", "d2y1/dt2",
              "wall -K1- m1", "Natural angular frequencies", "Mode shapes",
              "mass 1 has amplitude 1", "Press y for yes, any other key for no (no Enter needed)",
              "\nSpace: play"}) {
            EXPECT_NE(english.find(term), std::string::npos) << name << ": " << term;
        }
    }
    const std::string typed = read("two_masses_typed_start");
    const std::string mode = read("three_masses_mode_start");
    EXPECT_NE(typed.find("reference amplitude is 1 m"), std::string::npos);
    EXPECT_EQ(typed.find("largest amplitude"), std::string::npos);
    EXPECT_NE(mode.find("Which mode (1 to 3)? "), std::string::npos);
    EXPECT_NE(mode.find("reference amplitude is the largest amplitude"), std::string::npos);
    EXPECT_NE(read("twenty_masses_mode_start").find("How many displacement curves (0 to 20)? "),
              std::string::npos);
    EXPECT_NE(read("six_masses_plucked").find("mass 6: y0 [m] v0 [m/s] = "), std::string::npos);
}

// The code page 932 bytes of the characters that only that code page maps this way.
TEST(CodePage932, SpecialCharactersHaveTheirCodes) {
    const std::string out =
        runDialogue(readFile(Examples + "/two_masses_typed_start.txt"), "ja_JP.SJIS").out;
    const auto has = [&out](const char* bytes) { return out.find(bytes) != std::string::npos; };
    EXPECT_TRUE(has("\x82\xce\x82\xcb\x31\x81\x5b\x83\x7d\x83\x58\x31\x81\x7c")); // ばね1ーマス1－
    EXPECT_TRUE(has("\n \x81\x45\x81\x45"));                                      // middle dots
    EXPECT_TRUE(has("nfree(\x81\x85\x32\x30)"));                                  // ≦
    EXPECT_TRUE(has("\x83\xd6\x30[rad/s]"));                                      // ω0
    EXPECT_TRUE(has("\x83\x7d\x83\x58\x81\x40m1"));                               // マス　m1
    EXPECT_TRUE(has("\x81\x43\x8d\xc5\x91\xe5\x90\x55\x95\x9d\x81\x81\x82\x50")); // ，最大振幅＝１
    EXPECT_TRUE(has("\x81\x48  n="));                                             // ？
    EXPECT_EQ(out.find("\xe3"), std::string::npos) << "no UTF-8 lead bytes of kana";
}

// A Shift-JIS locale that is installed but whose name does not tell its codeset: only the
// locale's own description of itself can select code page 932.
TEST(CodePage932, InstalledLocaleIsAskedForItsCodeset) {
    const std::string dir = ::testing::TempDir() + "spring-chain-locales";
    const std::string make = "mkdir -p '" + dir + "' && localedef -i ja_JP -f SHIFT_JIS " +
                             "--no-warnings=ascii '" + dir + "/student' 2>/dev/null";
    if (std::system(make.c_str()) != 0) {
        GTEST_SKIP() << "localedef or the ja_JP locale source is missing";
    }
    ProcessSetup setup;
    setup.input = readFile(Examples + "/two_masses_typed_start.txt");
    setup.env = {{"LOCPATH", dir}, {"LANG", "student"}};
    const ProcessRun run = runProcess(Exe, setup);
    EXPECT_EQ(run.out, toCodePage932(readFile(Transcripts + "/two_masses_typed_start.out")));
}

TEST(Utf8Console, AnyOtherLocaleGetsUtf8) {
    const std::string input = readFile(Examples + "/two_masses_typed_start.txt");
    const std::string expected = readFile(Transcripts + "/two_masses_typed_start.out");
    for (const char* lang : {"", "C", "POSIX", "en_US.UTF-8", "ja_JP.UTF-8", "ja_JP.eucJP"}) {
        EXPECT_EQ(runDialogue(input, lang).out, expected) << "LANG=" << lang;
    }
}

// Two dialogue files saved by a Windows editor and joined: the second's byte order mark, like one
// anywhere else in UTF-8 input, reads as a blank, and is not taken for the yes/no answer.
TEST(Utf8Console, ByteOrderMarksAnywhereAreBlanks) {
    const std::string bom = "\xef\xbb\xbf";
    const std::string plain = runDialogue("2\n1 1\n1 1 1\n2\ny\n2\n").out;
    ASSERT_NE(plain.find("何番目のモード"), std::string::npos);
    EXPECT_EQ(runDialogue("2\n1 1\n1 1 1\n2\n" + bom + "y\n2\n").out, plain);
    EXPECT_EQ(runDialogue(bom + "2\n1" + bom + "1\n1 1 1\n" + bom + bom + "2\ny\n2\n").out, plain);
}

// Refused values never print a number that is no number.
TEST(BadInput, RefusalsPrintNoNanOrInf) {
    const ProcessRun run = runDialogue(readFile(Transcripts + "/bad_input.in"));
    EXPECT_EQ(run.out.find("nan"), std::string::npos);
    EXPECT_EQ(run.out.find("inf"), std::string::npos);
}

// Input as students type it, each against the same dialogue typed plainly in ASCII: the output
// must be the same bytes, in UTF-8 and in code page 932. Full-width digits, signs and spaces from
// a Japanese input method; a byte order mark; a refused value whose line held more values; "yes"
// and full-width answers to the yes/no question.
struct Twin {
    const char* name;
    const char* typed; // UTF-8; converted for the code page 932 run
    const char* plain;
};

class ForgivingInput : public ::testing::TestWithParam<Twin> {};

TEST_P(ForgivingInput, ReadsAsThePlainDialogue) {
    const Twin twin = GetParam();
    const std::string bom = "\xef\xbb\xbf";
    const std::string typed = twin.typed;
    const ProcessRun plain = runDialogue(twin.plain);
    ASSERT_NE(plain.out.find("ESCキーで：終了"), std::string::npos) << plain.out;
    EXPECT_EQ(runDialogue(typed).out, plain.out);
    EXPECT_EQ(runDialogue(bom + typed).out, plain.out) << "after a byte order mark";
    EXPECT_EQ(runDialogue(toCodePage932(typed), "ja_JP.SJIS").out,
              runDialogue(twin.plain, "ja_JP.SJIS").out);
}

INSTANTIATE_TEST_SUITE_P(
    Students, ForgivingInput,
    ::testing::Values(Twin{"FullWidthModeStart", "２\n１．５　＋１\n１　１ １\n２\nｙ\n２\n",
                           "2\n1.5 +1\n1 1 1\n2\ny\n2\n"},
                      Twin{"YesAndRefusedLines",
                           "x 2\n2\nabc 5\n1 1\n1 1 -1 7\n1\n9 1\n2\nyes 1\n2\n",
                           "x\n2\nabc\n1 1\n1 1 -1\n1\n9\n2\ny\n2\n"},
                      Twin{"RefusedPairIsAskedWhole", "1\n1\n1 1\n1\nｎ\nabc ５\n－０．５ ０\n",
                           "1\n1\n1 1\n1\nn\nabc\n-0.5 0\n"}),
    [](const ::testing::TestParamInfo<Twin>& info) { return std::string(info.param.name); });

} // namespace
