#pragma once

// The main window with canvas 4 in it, pictures written into the test's
// home folder, and every modal question answered: file choosers with a
// chosen path, message boxes recorded, parameter dialogs filled by a script.
#include "TestHome.h"

#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/parlet/DialogDriver.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/workbench/CMainFrame.h"
#include "pixorama/workbench/PictureHistory.h"
#include "pixorama/workbench/WorkState.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class WorkbenchTest : public testing::Test {
protected:
    static constexpr int canvas = 4;

    void SetUp() override
    {
        ResetWorkState();
        plat::setMessageBoxResponder([this](const std::wstring& text, const std::wstring&, unsigned) {
            messages.push_back(text);
            return plat::IDOK;
        });
        plat::setFileDialogResponder([this](const plat::FileDialogRequest&) {
            ++choosers;
            return chosen ? std::vector<std::wstring>{*chosen} : std::vector<std::wstring>{};
        });
        plat::setDialogHook([this](QDialog& dialog) {
            ++dialogs;
            DialogDriver driver(dialog);
            if (answer) {
                for (const auto& [name, value] : *answer)
                    driver.SetValue(name, value);
                driver.PressOk();
            }
            if (dialog.isVisible())
                dialog.done(QDialog::Rejected);
        });
        frame = std::make_unique<CMainFrame>();
        frame->show();
        QApplication::processEvents();
    }

    void TearDown() override
    {
        frame.reset();
        plat::setDialogHook({});
        plat::setFileDialogResponder({});
        plat::setMessageBoxResponder({});
        gCVSSetFileType(canvas, FileNothing);
        ResetWorkState();
    }

    static void ResetWorkState()
    {
        WorkState& s = gWorkState();
        s.imagePath.clear();
        s.PictureReplaced();
        gPictureHistory().Clear();
        s.alwaysOnTop = false;
        s.rawWindowLeft = 0.0f;
        s.rawWindowRight = 1.0f;
    }

    // Parameter dialogs are confirmed with these texts by item name;
    // std::nullopt cancels them.
    void Answer(std::optional<std::map<std::wstring, std::wstring>> texts) { answer = std::move(texts); }
    void Choose(std::optional<std::wstring> path) { chosen = std::move(path); }

    static std::filesystem::path Home() { return TestHome::path(); }

    // A little-endian 16-bit raw file of w x h values v(x, y).
    static std::wstring WriteRaw(const std::string& name, int w, int h,
                                 const std::function<std::uint16_t(int, int)>& v)
    {
        const std::filesystem::path path = Home() / name;
        std::ofstream out(path, std::ios::binary);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::uint16_t value = v(x, y);
                const char bytes[2] = {char(value & 0xFF), char(value >> 8)};
                out.write(bytes, 2);
            }
        return plat::fromPath(path);
    }

    // A colour PNG whose pixel (x, y) is colour(x, y) (0xRRGGBB).
    static std::wstring WriteColour(const std::string& name, int w, int h,
                                    const std::function<unsigned(int, int)>& colour)
    {
        QImage image(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, 0xFF000000u | colour(x, y));
        const std::filesystem::path path = Home() / name;
        image.save(QString::fromStdString(path.string()), "PNG");
        return plat::fromPath(path);
    }

    // The load dialog's answer for a 16-bit little-endian raw of w x h.
    void AnswerRawLoad(int w, int h)
    {
        Answer(std::map<std::wstring, std::wstring>{{L"InImaW", std::to_wstring(w)},
                                                    {L"InImaH", std::to_wstring(h)},
                                                    {L"InImaPixelType", L"0"},
                                                    {L"bLittleEndian", L"true"},
                                                    {L"bUseMapRange", L"false"},
                                                    {L"skipBytes", L"0"}});
    }

    // Opens a raw file through "打开图像".
    void OpenRawByMenu(const std::wstring& path, int w, int h)
    {
        AnswerRawLoad(w, h);
        Choose(path);
        frame->OnCommand(2224);
    }

    // Writes a colour PNG (see WriteColour) and opens it through "打开图像".
    void OpenColourByMenu(const std::string& name, int w, int h, const std::function<unsigned(int, int)>& colour)
    {
        Choose(WriteColour(name, w, h, colour));
        frame->OnCommand(2224);
    }

    // Canvas pixel (x, y) in image coordinates (row 0 at the top), 0xRRGGBB.
    static unsigned Pixel(int x, int y)
    {
        const int h = gCVSGetCanvasHeight(canvas);
        return gCVSGetCanvasPixelPtr(canvas)[std::size_t(h - 1 - y) * gCVSGetCanvasWidth(canvas) + x] & 0xFFFFFFu;
    }

    std::unique_ptr<CMainFrame> frame;
    std::vector<std::wstring> messages;
    int choosers = 0;
    int dialogs = 0;

private:
    std::optional<std::map<std::wstring, std::wstring>> answer;
    std::optional<std::wstring> chosen;
};
