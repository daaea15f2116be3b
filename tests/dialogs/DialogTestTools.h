#pragma once

#include "TestHome.h"

#include "pixorama/parlet/DialogDriver.h"
#include "pixorama/parlet/DialogScript.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Profile.h"
#include "pixorama/platform/Strings.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace dialogs_test {

// Answers the folder chooser with `answer` ("" = cancelled), recording the titles asked.
class FolderAnswer {
public:
    explicit FolderAnswer(std::wstring answer)
    {
        plat::setFolderDialogResponder([this, answer = std::move(answer)](const std::wstring& title) {
            titles.push_back(title);
            return answer;
        });
    }
    ~FolderAnswer() { plat::setFolderDialogResponder({}); }
    FolderAnswer(const FolderAnswer&) = delete;
    FolderAnswer& operator=(const FolderAnswer&) = delete;

    std::vector<std::wstring> titles;
};

inline std::filesystem::path paraFile(const std::string& name)
{
    return TestHome::path() / "ImaPInitPara" / name;
}

inline std::wstring paraPath(const std::string& name)
{
    return plat::fromPath(paraFile(name));
}

inline std::string readText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::wstring stored(const std::string& file, const std::wstring& section, const std::wstring& key)
{
    return plat::getProfileString(section, key, L"<missing>", paraPath(file));
}

// Runs the event loop for ms milliseconds (timers fire, nothing else is driven).
inline void spin(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

inline void sendKey(QWidget* target, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

inline void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace dialogs_test
