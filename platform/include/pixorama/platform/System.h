#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

// Kernel services: processor count, counters, key state, folders and the
// user-interface thread.
namespace plat {

int processorCount();

// Keeps freed picture-sized blocks in the heap for the next picture instead
// of handing them back to the system, so an edit that makes a picture of a
// new size does not fault every page of its buffers in afresh. The
// process's memory stays at its peak; the programs call it once at start.
void keepLargeBlocksForReuse();

std::int64_t performanceCounter();
std::int64_t performanceFrequency();

// GetAsyncKeyState: the top bit (0x8000) is set while the key is held down.
// Fed by the application's key and mouse events; tests may set it.
std::int16_t asyncKeyState(int virtualKey);
void setKeyDown(int virtualKey, bool down);

// The folder of the running executable.
std::filesystem::path programFolder();
// Where a read-only folder that belongs beside the program ("ImaPInitPara",
// "QEVIma") is found: beside the executable, else the installed data folder;
// PIXORAMA_HOME overrides both.
std::filesystem::path dataFolder(const std::filesystem::path& name);
// Writable state: PIXORAMA_HOME when set, else beside the executable when
// writable, else $XDG_CONFIG_HOME/pixorama (created on demand).
std::filesystem::path writableFolder();

// Runs fn on the user-interface thread and waits for it to finish; that
// thread must keep processing events meanwhile. Called on that thread, or
// with no application object, it runs fn at once. An exception thrown by fn
// is rethrown to the caller.
void runOnUiThread(const std::function<void()>& fn);
bool isUiThread();

} // namespace plat
