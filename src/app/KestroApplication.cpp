#include "app/KestroApplication.h"

#include <exception>

namespace app {

KestroApplication::KestroApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool KestroApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (sink_) {
            sink_(QString::fromLocal8Bit(e.what()));
        }
    } catch (...) {
        if (sink_) {
            sink_(QStringLiteral("Unknown error"));
        }
    }
    return false;
}

}  // namespace app
