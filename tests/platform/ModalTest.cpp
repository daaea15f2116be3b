#include "pixorama/platform/Modal.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace plat;

namespace {

// Puts every responder back to the real dialog after each test.
class Modal : public testing::Test {
protected:
    void TearDown() override
    {
        setMessageBoxResponder({});
        setFileDialogResponder({});
        setFolderDialogResponder({});
        setColorDialogResponder({});
        setDialogHook({});
    }
};

} // namespace

TEST(QtNameFilters, PairsBecomeQtFiltersInOrder)
{
    const auto filters = qtNameFilters(L"图像文件格式(*.raw) |*.raw|(*.hraw) |*.hraw|所有文件(*.*)|*.*||");
    ASSERT_EQ(filters.size(), 3u);
    EXPECT_EQ(filters[0], L"图像文件格式(*.raw)");
    EXPECT_EQ(filters[1], L"(*.hraw)");
    EXPECT_EQ(filters[2], L"所有文件(*.*)");

    const auto several = qtNameFilters(L"位图|*.bmp; *.dib|JPEG (*.jpg)|*.jpeg||");
    ASSERT_EQ(several.size(), 2u);
    EXPECT_EQ(several[0], L"位图 (*.bmp *.dib)");
    EXPECT_EQ(several[1], L"JPEG (*.jpg) (*.jpeg)"); // the patterns that count come last

    EXPECT_TRUE(qtNameFilters(L"").empty());
    EXPECT_TRUE(qtNameFilters(L"no patterns|").empty());
    EXPECT_EQ(qtNameFilters(L"a|*.a|dangling").size(), 1u);
}

TEST_F(Modal, MessageBoxResponderSeesTheTextAndAnswers)
{
    std::wstring seenText, seenCaption;
    unsigned seenStyle = 0;
    setMessageBoxResponder([&](const std::wstring& text, const std::wstring& caption, unsigned style) {
        seenText = text;
        seenCaption = caption;
        seenStyle = style;
        return IDNO;
    });
    EXPECT_EQ(messageBox(L"文件不存在", L"提示", MB_YESNO | MB_ICONWARNING), IDNO);
    EXPECT_EQ(seenText, L"文件不存在");
    EXPECT_EQ(seenCaption, L"提示");
    EXPECT_EQ(seenStyle, MB_YESNO | MB_ICONWARNING);
}

TEST_F(Modal, RealMessageBoxRunsThroughTheDialogHook)
{
    QString shown;
    setDialogHook([&](QDialog& dialog) {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        ASSERT_NE(box, nullptr);
        shown = box->text();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(messageBox(L"保存吗", L"Pixorama", MB_YESNOCANCEL), IDNO);
    EXPECT_EQ(shown, QString::fromUtf8("保存吗"));

    setDialogHook([](QDialog& dialog) { dialog.reject(); }); // Esc
    EXPECT_EQ(messageBox(L"x", L"y", MB_YESNO), IDNO);
    EXPECT_EQ(messageBox(L"x", L"y", MB_OKCANCEL), IDCANCEL);
}

TEST_F(Modal, FileChooserResponderGetsTheRequest)
{
    FileDialogRequest seen;
    setFileDialogResponder([&](const FileDialogRequest& request) {
        seen = request;
        return std::vector<std::wstring>{L"/data/a.raw", L"/data/b.raw"};
    });
    FileDialogRequest request;
    request.save = true;
    request.initialName = L"未命名";
    request.defaultExtension = L"raw";
    request.filter = L"图像文件格式(*.raw) |*.raw||";
    const auto chosen = fileDialog(request);
    EXPECT_TRUE(seen.save);
    EXPECT_EQ(seen.initialName, L"未命名");
    EXPECT_EQ(seen.filter, request.filter);
    // A single-choice chooser gives back one path.
    EXPECT_EQ(chosen, std::vector<std::wstring>{L"/data/a.raw"});

    request.save = false;
    request.multiSelect = true;
    EXPECT_EQ(fileDialog(request).size(), 2u);

    setFileDialogResponder([](const FileDialogRequest&) { return std::vector<std::wstring>{}; });
    EXPECT_TRUE(fileDialog(request).empty());
}

TEST_F(Modal, RealFileChooserHonoursTheRequest)
{
    QFileDialog* seen = nullptr;
    QStringList filters;
    setDialogHook([&](QDialog& dialog) {
        seen = qobject_cast<QFileDialog*>(&dialog);
        ASSERT_NE(seen, nullptr);
        filters = seen->nameFilters();
        EXPECT_EQ(seen->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(seen->defaultSuffix(), QStringLiteral("raw"));
        EXPECT_FALSE(seen->testOption(QFileDialog::DontConfirmOverwrite));
        dialog.reject();
    });
    FileDialogRequest request;
    request.save = true;
    request.overwritePrompt = true;
    request.defaultExtension = L"raw";
    request.filter = L"图像文件格式(*.raw) |*.raw|所有文件(*.*)|*.*||";
    EXPECT_TRUE(fileDialog(request).empty());
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(filters, (QStringList{QString::fromUtf8("图像文件格式(*.raw)"), QString::fromUtf8("所有文件(*.*)")}));
}

TEST_F(Modal, FolderAndColourChoosersAnswerThroughResponders)
{
    setFolderDialogResponder([](const std::wstring& title) { return title == L"选择文件夹" ? L"/data" : L""; });
    EXPECT_EQ(folderDialog(L"选择文件夹"), L"/data");

    setColorDialogResponder([](ColorRef& colour) {
        colour = rgb(1, 2, 3);
        return true;
    });
    ColorRef colour{};
    EXPECT_TRUE(colorDialog(colour));
    EXPECT_EQ(colour, rgb(1, 2, 3));

    // The real colour chooser cancelled leaves the colour alone.
    setColorDialogResponder({});
    setDialogHook([](QDialog& dialog) { dialog.reject(); });
    ColorRef kept = rgb(9, 9, 9);
    EXPECT_FALSE(colorDialog(kept));
    EXPECT_EQ(kept, rgb(9, 9, 9));
}

TEST_F(Modal, DialogHookFillsControlsAndClosesTheDialog)
{
    QDialog dialog;
    auto* edit = new QLineEdit(&dialog);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(edit);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    bool wasVisible = false;
    setDialogHook([&](QDialog& shown) {
        wasVisible = shown.isVisible();
        shown.findChild<QLineEdit*>()->setText(QStringLiteral("512"));
        shown.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_EQ(execModal(dialog), QDialog::Accepted);
    EXPECT_TRUE(wasVisible);
    EXPECT_EQ(edit->text(), QStringLiteral("512"));

    setDialogHook([](QDialog& shown) { shown.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click(); });
    EXPECT_EQ(execModal(dialog), QDialog::Rejected);
}

TEST_F(Modal, AWorkerThreadsQuestionIsAskedOnTheUiThread)
{
    std::thread::id askedOn;
    setDialogHook([&](QDialog& dialog) {
        askedOn = std::this_thread::get_id();
        qobject_cast<QMessageBox*>(&dialog)->button(QMessageBox::Yes)->click();
    });
    int answer = 0;
    std::atomic<bool> finished = false;
    std::thread worker([&] {
        answer = messageBox(L"继续吗", L"Pixorama", MB_YESNO);
        finished = true;
    });
    // The UI thread keeps its events running while the worker waits.
    while (!finished)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    EXPECT_EQ(answer, IDYES);
    EXPECT_EQ(askedOn, std::this_thread::get_id());
}
