#include "FileIoTestTools.h"

#include "pixorama/common/OSDIR.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

// Answers every file chooser with the given paths and keeps the last request.
class ChooserAnswer {
public:
    explicit ChooserAnswer(std::vector<std::wstring> answer)
    {
        plat::setFileDialogResponder([this, answer](const plat::FileDialogRequest& request) {
            last = request;
            ++shown;
            return answer;
        });
    }
    ~ChooserAnswer() { plat::setFileDialogResponder({}); }
    ChooserAnswer(const ChooserAnswer&) = delete;
    ChooserAnswer& operator=(const ChooserAnswer&) = delete;

    std::optional<plat::FileDialogRequest> last;
    int shown = 0;
};

struct SaveChooser {
    const char* name;
    std::function<CString()> open;
    const wchar_t* extension;
    bool overwritePrompt;
    const wchar_t* filter;
};

const wchar_t* const allFiles =
    L"所有文件(*.*)|*.*|(*.raw) |*.raw|(*.bmp) |*.bmp|(*.jpg) |*.jpg|(*.gif) |*.gif|(*.tif) |*.tif||";
const wchar_t* const bitmaps = L"图像文件格式(*.bmp) |*.bmp|(*.jpg) |*.jpg|(*.gif) |*.gif|所有文件(*.*)|*.*||";
const wchar_t* const raws = L"图像文件格式(*.raw) |*.raw|(*.hraw) |*.hraw|所有文件(*.*)|*.*||";
const wchar_t* const bitmapsAndTiff = L"图像文件格式(*.bmp) |*.bmp|(*.jpg) |*.jpg|(*.gif) |*.gif|(*.tiff) |*.tiff||";

std::vector<SaveChooser> saveChoosers()
{
    return {
        {"GetFile", [] { return OSDIR::GetFile(); }, L"bmp", false, allFiles},
        {"GetBmpFile", [] { return OSDIR::GetBmpFile(); }, L"bmp", true, bitmaps},
        {"GetRawFile", [] { return OSDIR::GetRawFile(); }, L"raw", true, raws},
        {"GetBmpFileNoOverWritePrompt", [] { return OSDIR::GetBmpFileNoOverWritePrompt(); }, L"bmp", false,
         bitmapsAndTiff},
        {"GetRawFileNoOverWritePrompt", [] { return OSDIR::GetRawFileNoOverWritePrompt(); }, L"raw", false, raws},
    };
}

TEST(Choosers, SaveChoosersAskWithTheirFiltersAndFlags)
{
    for (const SaveChooser& chooser : saveChoosers()) {
        ChooserAnswer answer({L"/home/user/图像.out"});
        EXPECT_EQ(chooser.open(), L"/home/user/图像.out") << chooser.name;
        ASSERT_TRUE(answer.last) << chooser.name;
        const plat::FileDialogRequest& r = *answer.last;
        EXPECT_TRUE(r.save) << chooser.name;
        EXPECT_FALSE(r.multiSelect) << chooser.name;
        EXPECT_EQ(r.overwritePrompt, chooser.overwritePrompt) << chooser.name;
        EXPECT_TRUE(r.hideReadOnly) << chooser.name;
        EXPECT_TRUE(r.noChangeDir) << chooser.name;
        EXPECT_EQ(r.initialName, L"未命名") << chooser.name;
        EXPECT_EQ(r.defaultExtension, chooser.extension) << chooser.name;
        EXPECT_EQ(r.filter, chooser.filter) << chooser.name;
    }
}

TEST(Choosers, CancelledSaveChoosersReturnNULL)
{
    for (const SaveChooser& chooser : saveChoosers()) {
        ChooserAnswer answer({});
        EXPECT_EQ(chooser.open(), L"NULL") << chooser.name;
        EXPECT_EQ(answer.shown, 1) << chooser.name;
    }
}

TEST(Choosers, MultipleSelectionAppendsEveryPath)
{
    std::vector<CString> paths{L"/already/there.raw"};
    {
        ChooserAnswer answer({L"/d/a.raw", L"/d/b.raw"});
        EXPECT_TRUE(OSDIR::GetMultiFile(paths, 4096));
        ASSERT_TRUE(answer.last);
        EXPECT_FALSE(answer.last->save);
        EXPECT_TRUE(answer.last->multiSelect);
        EXPECT_TRUE(answer.last->hideReadOnly);
        EXPECT_EQ(answer.last->defaultExtension, L"*.*");
        EXPECT_EQ(answer.last->filter, L"All files and folders(*.*)|*.*||");
    }
    EXPECT_EQ(paths, (std::vector<CString>{L"/already/there.raw", L"/d/a.raw", L"/d/b.raw"}));

    ChooserAnswer cancel({});
    EXPECT_FALSE(OSDIR::GetMultiFile(paths, 4096));
    EXPECT_EQ(paths.size(), 3u);
}

TEST(Choosers, FolderChooserHasItsTitleAndReturnsNULLOnCancel)
{
    std::wstring title;
    std::wstring answer = L"/data/投影";
    plat::setFolderDialogResponder([&](const std::wstring& t) {
        title = t;
        return answer;
    });
    EXPECT_EQ(OSDIR::GetDir(), L"/data/投影");
    EXPECT_EQ(title, L"选择待处理文件的文件夹");
    answer.clear();
    EXPECT_EQ(OSDIR::GetDir(), L"NULL");
    plat::setFolderDialogResponder({});
}

} // namespace
