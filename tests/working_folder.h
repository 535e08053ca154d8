// A test's own working folder: made empty under /tmp and entered; on leaving, the test is back in
// "/" and the folder is gone with whatever the program wrote into it.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

class WorkingFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/spring-chain-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        ASSERT_EQ(chdir(folder.c_str()), 0);
    }
    void TearDown() override {
        ASSERT_EQ(chdir("/"), 0);
        ASSERT_EQ(std::system(("rm -rf '" + folder + "'").c_str()), 0);
    }
    std::string folder;
};
