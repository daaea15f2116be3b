#pragma once

#include "pixorama/common/CString.h"

#include <cstdint>

class QDialog;

// What a dialog is built from instead of a resource: its window style,
// position and size in dialog units, and caption.
struct DialogTemplate {
    static constexpr std::uint32_t kFramedStyle = 0x80CC0040; // popup, caption, system menu, own font
    static constexpr std::uint32_t kChildStyle = 0x40000000;  // a child inside its owner

    std::uint32_t style = kFramedStyle;
    int x = 0;
    int y = 0;
    int cx = 400; // dialog units
    int cy = 200;
    CString caption;

    // Framed when modal or when the dialog wants a frame; a child otherwise.
    static DialogTemplate Build(const CString& caption, bool framed);
    bool IsChild() const { return style == kChildStyle; }
    // Gives dialog its kind of window, caption and initial size; a dialog
    // unit is a quarter of the font's average character width across and
    // an eighth of its height down.
    void Apply(QDialog& dialog) const;
};
