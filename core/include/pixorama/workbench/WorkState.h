#pragma once

#include "pixorama/common/QEVUCDATA2D.h"
#include "pixorama/workbench/PlaneWatcher.h"

#include <atomic>
#include <string>

class QProgressBar;

// The process-wide working state of the workbench: what the commands share
// about the picture in the working canvas 4. Owned by the workbench (one
// object, gWorkState()), touched on the user-interface thread except where a
// member says otherwise.
//
// Colour planes are in canvas memory order: plane row r is canvas memory
// row r, which is bottom-up (memory row 0 is the bottom line on screen), the
// same order as the canvas's label image. Plane pixels therefore line up
// with label pixels index for index.
class WorkState {
public:
    static constexpr int workingCanvas = 4;

    // Listens to canvas 4: any change of its picture drops the detail layers.
    WorkState();

    std::wstring imagePath;            // last path opened into canvas 4
    QEVUCDATA2D sourceR, sourceG, sourceB;
    QEVUCDATA2D grey;                  // grey of the source planes, at capture
    QEVUCDATA2D resultR, resultG, resultB;
    int canvasWidth = 0;               // canvas 4's size at capture
    int canvasHeight = 0;
    bool planesCaptured = false;
    std::atomic<bool> detailLayersReady{false}; // read by the detail worker
    bool alwaysOnTop = false;
    // Display window of a raw picture in canvas 4, fractions of its range:
    // as last set by the contrast strip, the mouse or the automatic window.
    float rawWindowLeft = 0.0f;
    float rawWindowRight = 1.0f;
    // The status-bar progress control the frame publishes; null without a
    // frame (headless programs, tests). Workers reach it only through the
    // user-interface thread.
    QProgressBar* progress = nullptr;
    // Told before any colour plane is written; null when nothing listens.
    PlaneWatcher* planeWatcher = nullptr;

    // Captures canvas 4's pixels into the source planes (red from byte 2,
    // green from byte 1, blue from byte 0), computes the grey plane and
    // sizes the result planes; sets planesCaptured. Nothing happens when the
    // planes are already captured. False when canvas 4 has no pixels.
    bool CapturePlanes();
    // CapturePlanes, then ResetResult unless the capture has just made the
    // result planes copies of the source planes itself.
    bool CaptureAndResetResult();
    // Every writer of a colour plane calls this first; replaced when the
    // write covers the whole plane without reading it.
    void PlaneWillChange(QEVUCDATA2D& plane, bool replaced);
    // Copies each source plane into its result plane.
    void ResetResult();
    // The result planes become copies of r, g and b.
    void SetResult(const QEVUCDATA2D& r, const QEVUCDATA2D& g, const QEVUCDATA2D& b);
    // "固化结果" for colour pictures: the result planes become the source.
    void CommitResult();
    // The region-masked show step: writes the result planes into canvas 4's
    // pixels wherever the label image of the user's regions is above 0 and
    // the pixel lies inside the result planes, then repaints the views.
    // With no region drawn (or none selected) every pixel is labelled, so
    // the whole picture changes.
    void ShowResult();
    // A new picture went into canvas 4: the captured planes and the detail
    // layers no longer describe it.
    void PictureReplaced();

private:
    void CopyInto(QEVUCDATA2D& to, const QEVUCDATA2D& from);
};

WorkState& gWorkState();
