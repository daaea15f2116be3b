#pragma once

#include <gtest/gtest.h>

#include <filesystem>

// Gives every test a fresh, empty PIXORAMA_HOME and removes it afterwards.
class TestHome : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo& info) override;
    void OnTestEnd(const testing::TestInfo& info) override;

    // The current test's home folder.
    static std::filesystem::path path();

private:
    static std::filesystem::path current;
};
