#include "pixorama/platform/System.h"
#include "pixorama/platform/Types.h"
#include "pixorama/platform/VirtualKeys.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <array>
#include <atomic>

namespace plat {

namespace {

// Read from any thread (workers poll Esc), written on the UI thread.
std::array<std::atomic<bool>, 256> keysDown{};

int mouseKeyOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return VK_LBUTTON;
    case Qt::RightButton: return VK_RBUTTON;
    case Qt::MiddleButton: return VK_MBUTTON;
    default: return 0;
    }
}

// Sees every key and button event of the application before its receiver.
class KeyStateFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            auto* key = static_cast<QKeyEvent*>(event);
            const bool down = event->type() == QEvent::KeyPress;
            // A held key repeats as release/press pairs; only the real release counts.
            if (down || !key->isAutoRepeat())
                setKeyDown(virtualKeyOf(key->key(), key->modifiers() & Qt::KeypadModifier), down);
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
            setKeyDown(mouseKeyOf(static_cast<QMouseEvent*>(event)->button()),
                       event->type() != QEvent::MouseButtonRelease);
            break;
        case QEvent::ApplicationDeactivate:
            // Releases that happen elsewhere never reach us; forget what was held.
            for (auto& key : keysDown)
                key.store(false, std::memory_order_relaxed);
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

void installKeyStateFilter()
{
    QCoreApplication* app = QCoreApplication::instance();
    app->installEventFilter(new KeyStateFilter(app));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installKeyStateFilter)

std::int16_t asyncKeyState(int virtualKey)
{
    if (virtualKey <= 0 || virtualKey >= int(keysDown.size()))
        return 0;
    return keysDown[std::size_t(virtualKey)].load(std::memory_order_relaxed) ? std::int16_t(0x8000) : std::int16_t(0);
}

void setKeyDown(int virtualKey, bool down)
{
    if (virtualKey <= 0 || virtualKey >= int(keysDown.size()))
        return;
    keysDown[std::size_t(virtualKey)].store(down, std::memory_order_relaxed);
}

} // namespace plat
