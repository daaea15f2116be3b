#pragma once

#include <string>

// Opens a picture or raw file into the working canvas 4 (raw files through
// the load dialog), as "打开图像" does: the path becomes the current image
// path, the captured planes and detail layers are dropped, the display
// window starts full, the views repaint and a picture that shows joins the
// recent-file list. A file that gives no picture changes none of this and
// leaves the picture shown; false then.
bool OpenPicture(const std::wstring& path);
// The reading part of OpenPicture, for "重新打开图像": the current image
// path and the recent files stay as they are.
bool ReadIntoWorkingCanvas(const std::wstring& path);
// A recent-file entry: a file that no longer exists is dropped from the list
// with the message "文件不存在" and not opened.
bool OpenRecentPicture(const std::wstring& path);
