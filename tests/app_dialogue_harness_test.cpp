// The harness that types many inputs into one process (the fuzzer's): every input starts from the
// program's start-up state and from a new source of input, so that what one input prints does not
// depend on the inputs before it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "console/text_encoding.h"
#include "fuzz/dialogue_harness.h"

namespace {

std::string typed(const std::string& input) {
    return typeIntoProgram(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

// The energy panel switched on prints the energy report; a byte order mark is skipped at the start
// of every input (in code page 932, where it is no blank). Either order gives the same outputs.
TEST(DialogueHarness, AnInputPrintsTheSameWhateverCameBefore) {
    setenv("LC_ALL", "ja_JP.SJIS", 1);
    prepareDialogueHarness();
    unsetenv("LC_ALL");
    ASSERT_TRUE(consoleIsCodePage932());
    const std::string panel = "2\n1 1\n1 1 1\n2\ny\n1\ne";
    const std::string marked = "\xef\xbb\xbf"
                               "1\n1\n1 1\n1\nn\n0.5 0\n";
    const std::string panelFirst = typed(panel);
    const std::string markedSecond = typed(marked);
    const std::string markedFirst = typed(marked);
    const std::string panelSecond = typed(panel);
    EXPECT_EQ(panelFirst, panelSecond);
    EXPECT_EQ(markedFirst, markedSecond);
    EXPECT_NE(panelSecond.find("E0="), std::string::npos) << "the panel came on: its report";
    EXPECT_NE(markedSecond.find("No. 1  y01 v01= "), std::string::npos) << "the mark was skipped";
    useCodePage932(false);
}

} // namespace
