#pragma once

class CMainFrame;

// The results entries of "图像分析": the results window, measuring every
// overlay, saving and loading region files, saving a line profile.
bool IsResultsCommand(int id);
void RunResultsCommand(CMainFrame& frame, int id);
