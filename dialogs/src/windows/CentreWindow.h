#pragma once

class QWidget;

namespace parlet {

// Centres a top-level window over its parent, or on its screen without one.
void CentreWindow(QWidget& window);

} // namespace parlet
