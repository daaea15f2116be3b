#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Translation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

using namespace plat;

namespace {

// Sets the language variables for one case and restores them after it.
class Environment {
public:
    using Values = std::map<std::string, std::string>;
    explicit Environment(const Values& values)
    {
        for (const char* name : {"PIXORAMA_LANG", "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
            if (const char* old = std::getenv(name))
                saved[name] = old;
            const auto found = values.find(name);
            if (found != values.end())
                setenv(name, found->second.c_str(), 1);
            else
                unsetenv(name);
        }
    }
    ~Environment()
    {
        for (const char* name : {"PIXORAMA_LANG", "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
            const auto found = saved.find(name);
            if (found != saved.end())
                setenv(name, found->second.c_str(), 1);
            else
                unsetenv(name);
        }
    }

private:
    std::map<std::string, std::string> saved;
};

constexpr Language zh = Language::Chinese;
constexpr Language en = Language::English;

} // namespace

TEST(Translation, TheLocaleChoosesEnglishOnlyWhenItNamesEnglishFirst)
{
    const struct {
        std::map<std::string, std::string> environment;
        Language want;
    } cases[] = {
        {{}, zh},
        {{{"LANG", "C"}}, zh},
        {{{"LANG", "POSIX"}}, zh},
        {{{"LANG", "C.UTF-8"}}, zh},
        {{{"LANG", "en_US.UTF-8"}}, en},
        {{{"LANG", "en"}}, en},
        {{{"LANG", "zh_CN.UTF-8"}}, zh},
        {{{"LANG", "de_DE.UTF-8"}}, zh},
        {{{"LANG", "eng"}}, zh},
        {{{"LC_MESSAGES", "en_GB.UTF-8"}, {"LANG", "zh_CN.UTF-8"}}, en},
        {{{"LC_ALL", "zh_CN.UTF-8"}, {"LC_MESSAGES", "en_GB.UTF-8"}}, zh},
        {{{"LANGUAGE", "en_GB:zh_CN"}, {"LC_ALL", "zh_CN.UTF-8"}}, en},
        {{{"LANGUAGE", "zh_CN:en"}, {"LANG", "en_US.UTF-8"}}, zh},
        {{{"LANGUAGE", ""}, {"LANG", "en_US.UTF-8"}}, en},
    };
    for (const auto& c : cases) {
        Environment environment(c.environment);
        std::string described;
        for (const auto& [name, value] : c.environment)
            described += name + "=" + value + " ";
        EXPECT_EQ(languageFromLocale(), c.want) << described;
    }
}

TEST(Translation, CommandLineThenVariableThenSettingsThenLocale)
{
    {
        Environment environment(Environment::Values{{"LANG", "en_US.UTF-8"}});
        EXPECT_EQ(startLanguage(L""), en);
        EXPECT_EQ(startLanguage(L"zh"), zh);
        EXPECT_EQ(startLanguage(L"klingon"), en); // unknown: the next source decides
        ASSERT_TRUE(storeLanguage(zh));
        EXPECT_EQ(startLanguage(L""), zh);
    }
    Environment environment(Environment::Values{{"LANG", "zh_CN.UTF-8"}, {"PIXORAMA_LANG", "EN"}});
    EXPECT_EQ(startLanguage(L""), en);
    EXPECT_EQ(startLanguage(L"Chinese"), zh);
}

TEST(Translation, EnglishTextsPatternsAndMessageBoxes)
{
    std::vector<std::wstring> shown;
    setMessageBoxResponder([&](const std::wstring& text, const std::wstring& caption, unsigned) {
        shown.push_back(caption + L": " + text);
        return IDOK;
    });
    ASSERT_TRUE(setLanguage(en));
    EXPECT_EQ(tr(L"文件不存在"), L"The file does not exist");
    EXPECT_EQ(trArgs(L"图像太大：宽度 %1，高度 %2", {L"70000", L"3"}), L"The image is too large: width 70000, height 3");
    EXPECT_EQ(tr(L"没有的文字"), L"没有的文字"); // a text the catalogue lacks stays as written
    messageBox(L"没有图像");
    ASSERT_TRUE(setLanguage(zh));
    EXPECT_EQ(trArgs(L"图像太大：宽度 %1，高度 %2", {L"70000", L"3"}), L"图像太大：宽度 70000，高度 3");
    messageBox(L"没有图像");
    setMessageBoxResponder({});
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"Pixorama: There is no image", L"Pixorama: 没有图像"}));
}
