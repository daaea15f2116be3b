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
// Where a read-only folder installed with the program ("QEVIma", "samples")
// is found: beside the executable (the build tree), else in
// <bin>/../share/pixorama wherever the install was put, else in the data
// folder the build was configured for. PIXORAMA_HOME does not move it.
std::filesystem::path dataFolder(const std::filesystem::path& name);
// Where the program writes its settings: PIXORAMA_HOME when set; else the
// program's own folder when a file named portableMarker stands there; else
// $XDG_CONFIG_HOME/pixorama (~/.config/pixorama), created on demand, into
// which settings an older version left beside the program are copied once.
std::filesystem::path writableFolder();
inline constexpr const char* portableMarker = "pixorama.portable";

// The project's version, "major.minor.patch".
const char* projectVersion();

// Runs fn on the user-interface thread and waits for it to finish; that
// thread must keep processing events meanwhile. Called on that thread, or
// with no application object, it runs fn at once. An exception thrown by fn
// is rethrown to the caller.
void runOnUiThread(const std::function<void()>& fn);
bool isUiThread();

} // namespace plat
