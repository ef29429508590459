#pragma once

#include <QApplication>
#include <functional>

namespace app {

// The application object. An exception that escapes an event handler is caught here, as a last
// resort, and its text handed to the error sink (the status bar) instead of ending the program.
class KestroApplication : public QApplication {
  public:
    using ErrorSink = std::function<void(const QString&)>;

    KestroApplication(int& argc, char** argv);

    void SetErrorSink(ErrorSink sink) { sink_ = std::move(sink); }
    bool notify(QObject* receiver, QEvent* event) override;

  private:
    ErrorSink sink_;
};

}  // namespace app
