#include "TestHome.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

std::filesystem::path TestHome::current;

void TestHome::OnTestStart(const testing::TestInfo&)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "pixorama-test-XXXXXX").string();
    if (char* made = mkdtemp(pattern.data())) {
        current = made;
        setenv("PIXORAMA_HOME", made, 1);
    }
}

void TestHome::OnTestEnd(const testing::TestInfo&)
{
    std::error_code ignored;
    if (!current.empty())
        std::filesystem::remove_all(current, ignored);
    current.clear();
    unsetenv("PIXORAMA_HOME");
}

// A death test's child process gets no test events: it works in the home
// its parent made and handed down in the environment.
std::filesystem::path TestHome::path()
{
    if (current.empty())
        if (const char* inherited = std::getenv("PIXORAMA_HOME"))
            return inherited;
    return current;
}
