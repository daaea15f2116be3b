#pragma once

#include "CanvasFixture.h"
#include "TestHome.h"

#include "pixorama/canvo/CanvasFiles.h"
#include "pixorama/parlet/DialogDriver.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"

#include <QDialog>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

// What the raw-load dialog is answered with.
struct LoadAnswer {
    int width = 4;
    int height = 3;
    int pixelType = 0; // ushort, float, short, uchar, int, double
    bool littleEndian = true;
    int skipBytes = 0;
    bool useMapRange = false;
    float lowIn = 0, highIn = 0, lowOut = 0, highOut = 0;
};

// Canvas tests that read and write files: the load dialog is worked through
// its controls, file choosers answer with a path in the test's home folder
// (or cancel), and message boxes are recorded.
class FilesTest : public CanvasTest {
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        plat::setFileDialogResponder([this](const plat::FileDialogRequest& request) {
            requests.push_back(request);
            return chooserAnswer ? std::vector<std::wstring>{*chooserAnswer} : std::vector<std::wstring>{};
        });
    }

    void TearDown() override
    {
        plat::setDialogHook({});
        plat::setFileDialogResponder({});
        CanvasTest::TearDown();
    }

    // File choosers return path from now on; std::nullopt cancels.
    void Choose(std::optional<std::wstring> path) { chooserAnswer = std::move(path); }

    // The load dialog is confirmed with a (or cancelled when a is empty).
    void AnswerLoad(std::optional<LoadAnswer> a)
    {
        plat::setDialogHook([this, a](QDialog& dialog) {
            ++dialogs;
            DialogDriver d(dialog);
            if (!a) {
                d.PressCancel();
                return;
            }
            d.SetText(L"InImaW", std::to_wstring(a->width));
            d.SetText(L"InImaH", std::to_wstring(a->height));
            d.SetComboIndex(L"InImaPixelType", a->pixelType);
            d.SetChecked(L"bLittleEndian", a->littleEndian);
            d.SetText(L"skipBytes", std::to_wstring(a->skipBytes));
            d.SetChecked(L"bUseMapRange", a->useMapRange);
            d.SetText(L"MapRangeLowIn", std::to_wstring(a->lowIn));
            d.SetText(L"MapRangeHighIn", std::to_wstring(a->highIn));
            d.SetText(L"MapRangeLowOut", std::to_wstring(a->lowOut));
            d.SetText(L"MapRangeHighOut", std::to_wstring(a->highOut));
            d.PressOk();
        });
    }

    static std::wstring Path(const std::string& name) { return plat::fromPath(TestHome::path() / name); }

    static void WriteFile(const std::wstring& path, const std::vector<unsigned char>& bytes)
    {
        std::ofstream out(plat::toPath(path), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    static std::vector<unsigned char> ReadFile(const std::wstring& path)
    {
        std::ifstream in(plat::toPath(path), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Runs save on canvas id with the file chooser answering name in the
    // home folder; returns that path.
    std::wstring SaveAs(int id, const std::string& name, void (*save)(int))
    {
        const std::wstring path = Path(name);
        Choose(path);
        save(id);
        return path;
    }

    static bool Exists(const std::wstring& path) { return std::filesystem::exists(plat::toPath(path)); }

    // The bytes of values as stored in a file, in either byte order.
    template <typename T>
    static std::vector<unsigned char> Bytes(const std::vector<T>& values, bool bigEndian = false)
    {
        std::vector<unsigned char> out;
        for (const T& v : values) {
            unsigned char b[sizeof(T)];
            std::memcpy(b, &v, sizeof(T));
            for (std::size_t i = 0; i < sizeof(T); ++i)
                out.push_back(b[bigEndian ? sizeof(T) - 1 - i : i]);
        }
        return out;
    }

    // Element i of a file of T.
    template <typename T>
    static T At(const std::vector<unsigned char>& bytes, std::size_t i)
    {
        T v;
        std::memcpy(&v, bytes.data() + i * sizeof(T), sizeof(T));
        return v;
    }

    // The ori raw of canvas id, row by row.
    static std::vector<float> OriValues(int id)
    {
        const ClassData2DIO<float>& ori = gCVSGetRawOri(id);
        std::vector<float> out;
        for (int y = 0; y < ori.height; ++y)
            out.insert(out.end(), ori.rows[y], ori.rows[y] + ori.width);
        return out;
    }

    std::vector<plat::FileDialogRequest> requests;
    int dialogs = 0;

private:
    std::optional<std::wstring> chooserAnswer;
};

// A files test whose canvas 4 has a w x h window from the start.
template <int w, int h>
class FilesWindowTest : public FilesTest {
protected:
    static constexpr int id = 4;

    void SetUp() override
    {
        FilesTest::SetUp();
        Window(id, w, h);
    }
};
