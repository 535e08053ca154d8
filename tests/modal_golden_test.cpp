// The golden corpus: worked examples, uniform and random chains whose printed frequencies and mode
// shapes were recorded from the plain march; every build must print them byte for byte.
#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <string>
#include <vector>

#include "process.h"

namespace {

const std::string Golden = GOLDEN_DIR;

std::vector<std::string> corpus() {
    std::vector<std::string> names;
    if (DIR* dir = opendir(Golden.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 3 && name.compare(name.size() - 3, 3, ".in") == 0) {
                names.push_back(name.substr(0, name.size() - 3));
            }
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(GoldenCorpus, PrintedResultsAreUnchanged) {
    const std::vector<std::string> names = corpus();
    ASSERT_GE(names.size(), 60u);
    for (const std::string& name : names) {
        ProcessSetup setup;
        setup.input = readFile(Golden + "/" + name + ".in");
        setup.env = {{"LANG", "C.UTF-8"}};
        const ProcessRun run = runProcess(SPRING_CHAIN_EXE, setup);
        EXPECT_EQ(run.out, readFile(Golden + "/" + name + ".out")) << name;
    }
}

} // namespace
