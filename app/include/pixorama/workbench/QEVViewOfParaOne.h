#pragma once

#include "pixorama/platform/Wnd.h"

// The parameter view on the left of the layout. It hosts the browser
// layout (four sections) and takes its messages: 0x084E (lParam: a BSTR
// path, freed here) opens the file into canvas 4 and answers 1; 0x089A
// (wParam: const tagQEVParaReport*) goes to the parameter dispatcher and
// answers 0.
class QEVViewOfParaOne : public plat::Wnd {
public:
    static constexpr unsigned openFileMessage = 0x084E;

    explicit QEVViewOfParaOne(QWidget* parent = nullptr);

    std::intptr_t onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;

protected:
    void onPaint(plat::Dc& dc) override;
    void onSize(int width, int height) override;
};
