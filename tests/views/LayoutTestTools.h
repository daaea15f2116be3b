#pragma once

#include "ViewTestTools.h"

#include "pixorama/tilemo/EleContainer.h"
#include "pixorama/tilemo/Tilemo.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace viewtest {

// Sizes app as the application's 1405 x 600 window and creates the layout in
// it over rect with the application's ratios and maximise response.
inline bool CreateLayout(RecordingWnd& app, const plat::Rect& rect)
{
    app.resize(1405, 600);
    gCTERSetLayOut(1.2f, 0.5f, 0.5f, false);
    gCTERSetRespondToMaxView(true);
    return gCTERCreate(L"#32770", L"Hello", 0x5000004E, rect, &app, 2000);
}

// The layout in a recording application window.
class LayoutFixture : public testing::Test {
protected:
    // Creates the layout over rect.
    void Build(const plat::Rect& rect)
    {
        app = std::make_unique<RecordingWnd>();
        ASSERT_TRUE(CreateLayout(*app, rect));
        container = gCTERGetContainer();
        ASSERT_NE(container, nullptr);
        area = container->viewArea();
    }

    // Shows the window; once it is mapped, repaint() paints.
    void Show()
    {
        app->show();
        QApplication::processEvents();
    }

    void TearDown() override { app.reset(); }

    std::unique_ptr<RecordingWnd> app;
    EleContainer* container = nullptr;
    EleViewContainer* area = nullptr;
};

} // namespace viewtest
